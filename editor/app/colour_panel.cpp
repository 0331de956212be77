#include "editor/app/colour_panel.h"

#include "editor/document/palette_file.h"
#include "editor/view/colour_bar_widget.h"
#include "editor/view/gbk_qstring.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

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
            p.fillRect(box, QColor(static_cast<int>(redOf(*colour)), static_cast<int>(greenOf(*colour)),
                                   static_cast<int>(blueOf(*colour))));
        p.setPen(Qt::black);
        p.drawRect(box);
    }
};

ColourPanel::ColourPanel(const PatternDocument& doc, QWidget* parent) : QWidget(parent), doc_(doc), bar_(doc)
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
    layout->addLayout(top);

    barWidget_ = new ColourBarWidget(bar_, this);
    barWidget_->setObjectName(u"colourBar"_qs);
    layout->addWidget(barWidget_, 1);

    connect(barWidget_, &ColourBarWidget::colourPicked, this, &ColourPanel::picked);
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
    if (bar_.selected() >= count)
        bar_.setSelected(-1);
    barWidget_->refresh();
}

void ColourPanel::picked(int threadIndex, unsigned colour, const QString& number, bool ctrl)
{
    (void)threadIndex;
    swatch_->colour = colour;
    swatch_->update();
    number_->setText(number);
    emit colourChosen(colour, ctrl);
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
    // The bar marks the thread's swatch, wherever the current order puts it.
    const auto swatches = bar_.swatches();
    int position = -1;
    for (std::size_t i = 0; i < swatches.size(); ++i)
        if (swatches[i].colour == thread.colour) {
            position = static_cast<int>(i);
            break;
        }
    bar_.setSelected(position);
    barWidget_->update();
}

void ColourPanel::clearThread()
{
    swatch_->colour.reset();
    swatch_->update();
    number_->clear();
    bar_.setSelected(-1);
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
