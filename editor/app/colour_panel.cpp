#include "editor/app/colour_panel.h"

#include "editor/document/palette_file.h"
#include "editor/document/thread_operations.h"
#include "editor/render/qt_colour.h"
#include "editor/view/colour_bar_widget.h"
#include "interchange/gbk_qstring.h"

#include <QCheckBox>
#include <QPushButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace brenmark {

// The current colour as a framed block; an empty frame while no thread is chosen.
class ColourSwatch final : public QWidget {
public:
    explicit ColourSwatch(QWidget* parent) : QWidget(parent) { setFixedSize(40, 20); }
    std::optional<ColorRef> colour;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect box = rect().adjusted(0, 0, -1, -1);
        if (colour)
            p.fillRect(box, qColour(*colour));
        p.setPen(Qt::black);
        p.drawRect(box);
    }
};

ColourPanel::ColourPanel(PatternDocument& doc, QWidget* parent) : QWidget(parent), doc_(doc), bar_(doc)
{
    setObjectName(u"colourPanel"_qs);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);

    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    caption_ = new QLabel(this);
    caption_->setObjectName(u"threadCaption"_qs);
    top->addWidget(caption_);
    top->addStretch(1);
    swatch_ = new ColourSwatch(this);
    swatch_->setObjectName(u"currentColour"_qs);
    top->addWidget(swatch_);
    number_ = new QLabel(this);
    number_->setObjectName(u"currentNumber"_qs);
    number_->setMinimumWidth(60);
    top->addWidget(number_);
    lock_ = new QCheckBox(uiQString("锁定"), this);
    lock_->setObjectName(u"lockBox"_qs);
    lock_->setEnabled(false);
    top->addWidget(lock_);
    // Beside the bar's own menu, the way to a new thread without looking for it there.
    addThread_ = new QPushButton(uiQString("增加绣线"), this);
    addThread_->setObjectName(u"addThreadButton"_qs);
    addThread_->setToolTip(uiQString("增加绣线: 从色库中选一种绣线加到绣图的颜色里"));
    addThread_->setStatusTip(uiQString("从色库中选一种绣线加到绣图的颜色里"));
    connect(addThread_, &QPushButton::clicked, this, &ColourPanel::addThreadClicked);
    top->addWidget(addThread_);
    layout->addLayout(top);

    barWidget_ = new ColourBarWidget(bar_, this);
    barWidget_->setObjectName(u"colourBar"_qs);
    layout->addWidget(barWidget_, 1);

    connect(barWidget_, &ColourBarWidget::colourPicked, this, &ColourPanel::picked);
    connect(lock_, &QCheckBox::clicked, this, [this](bool on) {
        setThreadLocked(currentNumber_, on);
        emit locksChanged();
    });
}

QSize ColourPanel::sizeHint() const
{
    // The caption line and three rows of swatches.
    return {600, caption_->sizeHint().height() + 3 * ColourBar::kRowStep + 10};
}

void ColourPanel::refresh()
{
    caption_->setText(doc_.isOpen()
                          ? fromGbk(threadCountCaption(doc_.brand, static_cast<int>(doc_.distinct.colors.size())))
                          : QString());
    const int count = static_cast<int>(doc_.threads.colors.size());
    if (bar_.selectedThread() >= count)
        bar_.selectThread(-1);
    // The locks may have changed under the current thread (undo, a colour operation).
    if (lock_->isEnabled())
        lock_->setChecked(doc_.isLocked(currentNumber_));
    barWidget_->refresh();
}

void ColourPanel::picked(int threadIndex, unsigned colour, const QString& number, bool ctrl)
{
    swatch_->colour = colour;
    swatch_->update();
    number_->setText(number);
    currentNumber_ = threadIndex >= 0 && threadIndex < doc_.threads.size()
                         ? doc_.threads.numbers[static_cast<std::size_t>(threadIndex)]
                         : std::string();
    showLock(threadIndex);
    emit colourChosen(colour, ctrl);
}

bool ColourPanel::threadLocked(int threadIndex) const
{
    return threadIndex >= 0 && static_cast<std::size_t>(threadIndex) < doc_.lockFlags.size() &&
           doc_.lockFlags[static_cast<std::size_t>(threadIndex)] != 0;
}

void ColourPanel::showLock(int threadIndex)
{
    const bool valid = threadIndex >= 0 && threadIndex < doc_.threads.size();
    lock_->setEnabled(valid);
    lock_->setChecked(valid && threadLocked(threadIndex));
}

void ColourPanel::setThreadLocked(const std::string& number, bool locked)
{
    brenmark::setThreadLocked(doc_, number, locked);
    if (number == currentNumber_ && lock_->isEnabled())
        lock_->setChecked(locked);
    barWidget_->update();
}

void ColourPanel::showThread(const PatternView::CurrentThread& thread)
{
    if (thread.index < 0) {
        clearThread();
        return;
    }
    swatch_->colour = thread.colour;
    swatch_->update();
    number_->setText(fromGbk(thread.number));
    // The bar frames the thread's own swatch when it still has that colour, else the first
    // thread of the colour; the frame then stays with it through every re-sort.
    const auto& colours = doc_.threads.colors;
    int index = thread.index < doc_.threads.size() && colours[static_cast<std::size_t>(thread.index)] == thread.colour
                    ? thread.index
                    : -1;
    if (index < 0) {
        const auto found = std::find(colours.begin(), colours.end(), thread.colour);
        index = found == colours.end() ? -1 : static_cast<int>(found - colours.begin());
    }
    bar_.selectThread(index);
    currentNumber_ = index >= 0 ? doc_.threads.numbers[static_cast<std::size_t>(index)] : thread.number;
    showLock(index);
    barWidget_->update();
}

void ColourPanel::clearThread()
{
    swatch_->colour.reset();
    swatch_->update();
    number_->clear();
    currentNumber_.clear();
    showLock(-1);
    bar_.selectThread(-1);
    barWidget_->update();
}

QString ColourPanel::caption() const
{
    return caption_->text();
}

QString ColourPanel::currentNumber() const
{
    return number_->text();
}

std::optional<ColorRef> ColourPanel::currentColour() const
{
    return swatch_->colour;
}

}  // namespace brenmark
