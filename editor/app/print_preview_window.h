#pragma once
// The print preview: the chosen printed page scaled to fit a grey area, with the page list
// (pattern pages, then the key page), the colour options and "返回".
#include "editor/app/print_dialogs.h"

#include <QImage>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTimer;

namespace brenmark {

// The grey area with the page fitted and centred on white.
class PrintPreviewArea final : public QWidget {
    Q_OBJECT
public:
    explicit PrintPreviewArea(QWidget* parent = nullptr);
    void setPage(QImage page);
    const QImage& page() const { return page_; }
    QSize sizeHint() const override { return QSize(600, 800); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage page_;
};

class PrintPreviewWindow final : public QWidget {
    Q_OBJECT
public:
    PrintPreviewWindow(PreviewSource& source, const PreviewOptions& start, QWidget* parent = nullptr);

    // Shows these options; the page is drawn again.
    void setOptions(const PreviewOptions& options);
    const PreviewOptions& options() const { return options_; }
    // The pages and the shown page asked of the source again (the pattern may have changed).
    void reload();
    // The same a moment later, once for any number of calls: edits come in quick runs.
    void reloadSoon();
    // False when the source gave no page to show.
    bool hasPage() const { return !area_->page().isNull(); }

    PrintPreviewArea* area() { return area_; }
    QComboBox* pages() { return pages_; }
    QComboBox* colour() { return colour_; }
    QCheckBox* colouredSymbols() { return colouredSymbols_; }
    QPushButton* back() { return back_; }

private:
    void fillPages();
    void controlsChanged();

    PreviewSource& source_;
    PreviewOptions options_;
    bool filling_ = false;
    QComboBox* pages_;
    QComboBox* colour_;
    QCheckBox* colouredSymbols_;
    QPushButton* back_;
    PrintPreviewArea* area_;
    QTimer* reloadTimer_;
};

}  // namespace brenmark
