#pragma once
// Connects the tool controller to the widget that shows the pattern: the widget's mouse and
// key events become the controller's calls and messages, the controller's screen requests
// become repaints and cursors, and a see-through child draws the rubber band, the text
// caret and the clone marker over the chart.
#include "editor/view/pattern_view.h"
#include "editor/view/tools/tool_controller.h"
#include "interchange/gbk_qstring.h"

#include <QObject>
#include <QPoint>
#include <QWidget>

namespace brenmark {

class ViewOverlay;

class ToolViewBinding : public QObject, public ToolHost {
    Q_OBJECT
public:
    // viewWidget is the widget painting view; the binding becomes the controller's host.
    ToolViewBinding(QWidget* viewWidget, PatternView& view, ToolController& tools);
    ~ToolViewBinding() override;

    // ToolHost
    void repaintView() override;
    void repaintRect(const QRect& client) override;
    void overlayChanged() override;
    QSize clientSize() const override;
    void setToolCursor(ToolCursor cursor) override;
    void bringToFront() override;
    void showPickedThread(const PatternView::CurrentThread& thread) override { emit threadPicked(thread.index); }
    void resetColourDisplay() override { emit colourDisplayReset(); }
    void patternEdited() override { emit edited(); }
    void overviewChanged() override { emit overviewImageChanged(); }
    void symbolMenu(QPoint client) override;
    void toolChanged(Tool tool) override { emit toolSwitched(tool); }
    void showStatus(const char* text) override { emit status(fromGbk(text)); }

signals:
    void threadPicked(int index);
    void colourDisplayReset();
    void edited();
    void overviewImageChanged();
    // The symbol menu of the frame, at a screen point.
    void symbolMenuRequested(QPoint global);
    void toolSwitched(brenmark::Tool tool);
    void status(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(QKeyEvent* event);

    QWidget* widget_;
    PatternView& view_;
    ToolController& tools_;
    ViewOverlay* overlay_;
};

}  // namespace brenmark
