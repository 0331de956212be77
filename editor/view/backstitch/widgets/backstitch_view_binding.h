#pragma once
// Connects the outline editing to the widget that shows the pattern: a see-through child
// draws the rubber band in NOT mode over the chart, and the editor's requests for the main
// window become signals.
#include "editor/view/backstitch/backstitch_editor.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace brenmark {

class ViewOverlay;

class BackstitchViewBinding : public QObject, public BackstitchHost {
    Q_OBJECT
public:
    // viewWidget is the widget painting the pattern view; the binding becomes the editor's
    // host.
    BackstitchViewBinding(QWidget* viewWidget, BackstitchEditor& editor);
    ~BackstitchViewBinding() override;

    // BackstitchHost
    void repaintView() override;
    void overlayChanged() override;
    void showLineStatus(const BackstitchLine& line, const std::string& text) override;
    void clearLineStatus() override { emit lineStatusCleared(); }
    void patternEdited() override { emit edited(); }
    void lineMenu(QPoint client) override;
    void tracingPictureShown() override { emit tracingShown(); }
    void selectionLinesDeleted() override { emit selectionLinesRemoved(); }

signals:
    void lineStatus(const QString& text);
    void lineStatusCleared();
    void edited();
    // The line menu ("更换指定描边颜色", "删除选中的描边") at a screen point.
    void lineMenuRequested(QPoint global);
    // The tool window checks "显示底图" and unchecks "不显网线".
    void tracingShown();
    void selectionLinesRemoved();

private:
    QWidget* widget_;
    BackstitchEditor& editor_;
    ViewOverlay* overlay_;
};

}  // namespace brenmark
