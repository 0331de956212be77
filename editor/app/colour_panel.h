#pragma once
// The main window's colour strip: the thread-count caption "(%s)绣线数:%d", the current-colour
// display (swatch and thread number), the lock box "锁定" of the current thread and the colour
// bar to pick the drawing colour from.
#include "editor/document/pattern_document.h"
#include "editor/view/colour_bar.h"
#include "editor/view/pattern_view.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QPushButton;
class QLabel;

namespace brenmark {

class ColourBarWidget;
class ColourSwatch;

class ColourPanel final : public QWidget {
    Q_OBJECT
public:
    // The panel writes the lock flags (the lock box); everything else it only reads.
    explicit ColourPanel(PatternDocument& doc, QWidget* parent = nullptr);

    ColourBar& bar() { return bar_; }
    ColourBarWidget* barWidget() const { return barWidget_; }

    // The threads, locks or symbols changed (or another pattern is open): the caption and
    // the swatches follow.
    void refresh();
    // The current-colour display: the thread, or blank for none (index -1). The bar frames
    // that thread's swatch and the lock box shows its lock.
    void showThread(const PatternView::CurrentThread& thread);
    void clearThread();

    // The lock box: checked while the current thread is locked; usable only with a thread.
    QCheckBox* lockBox() const { return lock_; }
    // Locks or unlocks every thread with this number, in the thread table and the colour
    // list, and repaints the bar.
    void setThreadLocked(const std::string& number, bool locked);

    QString caption() const;
    QString currentNumber() const;
    std::optional<ColorRef> currentColour() const;

    QSize sizeHint() const override;

signals:
    // A swatch was picked (the bar's message 1524); the owner makes its colour the view's
    // current colour, ctrl also moving the flash colour.
    void colourChosen(unsigned colour, bool ctrl);
    // The lock box changed the locks of the current thread.
    void locksChanged();
    // The "增加绣线" button beside the bar.
    void addThreadClicked();

private:
    void picked(int threadIndex, unsigned colour, const QString& number, bool ctrl);
    // The lock box follows the thread, or goes blank without one.
    void showLock(int threadIndex);
    bool threadLocked(int threadIndex) const;

    PatternDocument& doc_;
    std::string currentNumber_;  // GBK, of the thread in the current-colour display
    ColourBar bar_;
    ColourBarWidget* barWidget_ = nullptr;
    QLabel* caption_ = nullptr;
    ColourSwatch* swatch_ = nullptr;
    QLabel* number_ = nullptr;
    QCheckBox* lock_ = nullptr;
    QPushButton* addThread_ = nullptr;
};

}  // namespace brenmark
