#pragma once
// The main window's colour strip: the thread-count caption "(%s)绣线数:%d", the current-colour
// display (swatch and thread number) and the colour bar to pick the drawing colour from.
#include "editor/document/pattern_document.h"
#include "editor/view/colour_bar.h"
#include "editor/view/pattern_view.h"

#include <QWidget>

#include <optional>

class QLabel;

namespace brenmark {

class ColourBarWidget;
class ColourSwatch;

class ColourPanel final : public QWidget {
    Q_OBJECT
public:
    explicit ColourPanel(const PatternDocument& doc, QWidget* parent = nullptr);

    ColourBar& bar() { return bar_; }
    ColourBarWidget* barWidget() const { return barWidget_; }

    // The threads, locks or symbols changed (or another pattern is open): the caption and
    // the swatches follow.
    void refresh();
    // The current-colour display: the thread, or blank for none (index -1).
    void showThread(const PatternView::CurrentThread& thread);
    void clearThread();

    QString caption() const;
    QString currentNumber() const;
    std::optional<ColorRef> currentColour() const;

    QSize sizeHint() const override;

signals:
    // A swatch was picked (the bar's message 1524); the owner makes its colour the view's
    // current colour, ctrl also moving the flash colour.
    void colourChosen(unsigned colour, bool ctrl);

private:
    void picked(int threadIndex, unsigned colour, const QString& number, bool ctrl);

    const PatternDocument& doc_;
    ColourBar bar_;
    ColourBarWidget* barWidget_ = nullptr;
    QLabel* caption_ = nullptr;
    ColourSwatch* swatch_ = nullptr;
    QLabel* number_ = nullptr;
};

}  // namespace brenmark
