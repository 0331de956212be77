#pragma once
// "当前绣图线量统计": the rows of the thread statistics drawn in bands, by cells or by metres,
// in colour-bar order or by usage, scrolled a band at a time.
#include "editor/app/picture_dialogs.h"

#include <QDialog>
#include <QWidget>

class QCheckBox;
class QRadioButton;
class QScrollBar;

namespace brenmark {

// The drawing area.
class StatisticsChart final : public QWidget {
    Q_OBJECT
public:
    StatisticsChart(const StatisticsRequest& request, QWidget* parent = nullptr);

    void setRows(std::vector<ThreadStatisticsRow> rows);
    const std::vector<ThreadStatisticsRow>& rows() const { return rows_; }
    void setMetres(bool metres);
    bool metres() const { return metres_; }
    // The first band shown.
    void setFirstBand(int band);
    int firstBand() const { return firstBand_; }
    StatisticsLayout layout() const;
    int scrollLimit() const { return layout().scrollLimit(height()); }
    // What the tip over a point says: the thread's number and name, empty off the threads.
    QString tipAt(QPoint point) const;

signals:
    void layoutChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    const StatisticsRequest& request_;
    std::vector<ThreadStatisticsRow> rows_;
    bool metres_ = false;
    int firstBand_ = 0;
};

class StatisticsWindow final : public QDialog {
    Q_OBJECT
public:
    explicit StatisticsWindow(StatisticsRequest request, QWidget* parent = nullptr);

    StatisticsChart* chart() { return chart_; }
    QRadioButton* byCells() { return byCells_; }
    QRadioButton* byMetres() { return byMetres_; }
    QCheckBox* sortByUsage() { return sort_; }
    QScrollBar* scroller() { return scroll_; }

private:
    void showRows();
    void updateScroller();

    StatisticsRequest request_;
    StatisticsChart* chart_;
    QRadioButton* byCells_;
    QRadioButton* byMetres_;
    QCheckBox* sort_;
    QScrollBar* scroll_;
};

}  // namespace brenmark
