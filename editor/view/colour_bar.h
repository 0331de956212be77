#pragma once
// The colour bar: a swatch per thread to pick the drawing colour from, with lock crosses
// and symbols, in table, colour or usage order. Plain logic; ColourBarWidget shows it.
#include "editor/document/pattern_document.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace brenmark {

class ColourBar {
public:
    enum class Order { Table = 0, ByColour = 1, ByUsage = 2 };

    struct Swatch {
        ColorRef colour = 0;
        bool locked = false;
        std::string symbol;
        std::string number;
        int thread = -1;  // position in the thread table
    };
    // What a click reports to the owner (message 1524).
    struct Pick {
        int threadIndex = -1;
        ColorRef colour = 0;
        std::string number;
        bool ctrl = false;
    };

    static constexpr int kSwatchWidth = 20, kSwatchHeight = 12, kColumnStep = 23, kRowStep = 15;

    explicit ColourBar(const PatternDocument& doc) : doc_(doc) {}

    Order order() const { return order_; }
    void setOrder(Order order) { order_ = order; }
    bool showSymbols() const { return showSymbols_; }
    void setShowSymbols(bool on) { showSymbols_ = on; }
    // The framed swatch belongs to a thread, not to a place in the bar: it stays on that
    // thread's swatch through every re-sort. selected() is where the current order puts it.
    int selected() const;
    void setSelected(int position);
    int selectedThread() const { return selectedThread_; }
    void selectThread(int threadIndex) { selectedThread_ = threadIndex; }

    // The swatches in the current order, built from the thread table, locks and symbols.
    std::vector<Swatch> swatches() const;

    static int perRow(int clientWidth) { return clientWidth / kColumnStep + 1; }
    QRect swatchRect(int i, int clientWidth) const;
    // The swatch under a point, or -1 between swatches.
    int swatchAt(QPoint point, int clientWidth) const;
    // Selects the swatch under the point; the thread is found by colour, first match.
    std::optional<Pick> click(QPoint point, int clientWidth, bool ctrl);

    // Rows scrolled away; the first row's top is at -15 times this.
    int scrollPosition() const { return scroll_; }
    int firstRowTop() const { return -kRowStep * scroll_; }
    int rowCount(int clientWidth) const;
    // Scroll-bar codes: 1, 3, 7 one row down; 0, 2 one row up; 4 thumb tracking; 5 ignored.
    bool scroll(int code, int thumb, int range, int page);

    void paint(QPainter& painter, QSize client) const;

private:
    const PatternDocument& doc_;
    Order order_ = Order::Table;
    bool showSymbols_ = false;
    int selectedThread_ = -1;
    int scroll_ = 0;
};

// The contrast colour of a swatch: black on light colours, white on dark ones.
ColorRef contrastColour(ColorRef colour);

}  // namespace brenmark
