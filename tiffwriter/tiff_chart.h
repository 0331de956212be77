#pragma once
// Draws a chart and its key onto a TiffCanvas: the layout of the printed pages scaled to 300
// pixels an inch, every cell in its thread's print colour, black symbols, tenth lines and
// outline lines printing over the colour under them.
#include "editor/document/fabric_colors.h"
#include "editor/document/pattern_document.h"
#include "editor/render/key_model.h"
#include "interchange/ui_text.h"
#include "tiffwriter/tiff_canvas.h"
#include "tiffwriter/tiff_layout.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace brenmark {

class ColourToCmyk;

// The print colours of one export.
struct ChartInk {
    std::vector<CmykValue> threads;  // one per thread of the pattern
    CmykValue background = kPaperWhite;
    CmykValue grid{0, 0, 0, 135};  // the thin lines: the screen's grey 0x787878 as black ink only
    const ColourToCmyk* converter = nullptr;  // for outline samples in their thread colours
};

// Progress within one page, 0 … 1, and the status texts.
struct DrawReport {
    std::function<void(const std::string&)> status;
    std::function<void(double)> progress;
    void tell(const char* text) const
    {
        if (status)
            status(uiText(text));
    }
    void advance(double fraction) const
    {
        if (progress)
            progress(fraction);
    }
};

// Where the chart of one page lies.
struct ChartPlacement {
    CellRange cells;
    int pitch = 0;    // cell edge on the page, pixels
    int font = 0;     // symbol font height
    int originX = 0;  // the first cell's top-left corner
    int originY = 0;
    int margin = 0;   // the room left and right of the chart (centre marks sit in its middle)
    bool boldSymbols = false;
    int rulerFont = 50;  // ruler numbers and centre marks: the screen's 12 × 4.2
    // The cells repeated from the pages before (shaded): column and row bands, maybe empty.
    QRect repeatedColumns, repeatedRows;
    int chartWidth() const { return cells.columns() * pitch; }
    int chartHeight() const { return cells.rows() * pitch; }
};

// Where the key lies on the page; what it says is its KeyModel.
struct KeyPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int bandGap = 0;     // extra room between bands of three rows
    int outlinePen = 1;  // sample line width
};

// What the page writer's key says: the document's key with the publisher as the maker
// ("制图:%s" when given and not the default author, else "Velmora十字绣软件") and the fabric.
KeyModel pageKeyModel(const PatternDocument& doc, const std::string& publisher, const std::optional<FabricName>& fabric);

// The chart of the whole export: 52 units in, 40 units and the title down.
ChartPlacement wholeChartPlacement(const WholeFigures& figures, int columns, int rows, int titleHeight);
// Its key: 10 units in on both sides, 30 units under the chart.
KeyPlacement wholeKeyPlacement(const WholeFigures& figures, const ChartPlacement& chart);
// The key page of a per-page export: inside the margins, below the header, bands half a row
// apart.
KeyPlacement keyPagePlacement(const PagePlan& plan);

// The fonts of the page writer: "宋体" of a pixel height, bold when asked.
QFont pageFont(int pixelHeight, bool bold = false);
// The height of "十字绣绣图" in the bold header font of a pixel height.
int titleTextHeight(int pixelHeight);

// Writes text onto the canvas inside box with Qt alignment flags: drawn into a bitmap of the
// box and every inked pixel written with ink.
void drawCanvasText(TiffCanvas& canvas, const QRect& box, int flags, const QString& text, const QFont& font, CmykValue ink);
// Every pixel of an image with alpha of at least half written with ink, at (x, y).
void stampImage(TiffCanvas& canvas, int x, int y, const QImage& image, CmykValue ink);

// The chart of one page: stitch marks, cells and symbols, row lines, column lines, outline
// lines, rulers and centre marks. draw() draws what falls within the canvas's clipped rows,
// so a page is drawn band after band; the symbol and mark stamps are made once.
class ChartDrawing {
public:
    ChartDrawing(const PatternDocument& doc, const ChartPlacement& place, const ChartInk& ink);
    ~ChartDrawing();
    // The rows [top, bottom) of the page it can touch, rulers and marks included.
    int top() const;
    int bottom() const;
    void draw(TiffCanvas& canvas);

private:
    struct Stamps;
    // What a row of cells paints, for drawing it a canvas row at a time.
    void layOutCellRow(int row, CmykValue paper, int pageWidth);
    const PatternDocument& doc_;
    ChartPlacement place_;
    const ChartInk& ink_;
    std::unique_ptr<Stamps> stamps_;
};

// The printed key at the page writer's scale: the header fields, the bands of symbol, number
// and cell count, the fabric line and the outline legend, laid out once and drawn within the
// canvas's clipped rows.
class CanvasKey {
public:
    CanvasKey(const KeyModel& model, const KeyPlacement& place);
    int top() const { return place_.top; }
    const KeyDrawing& drawing() const { return drawing_; }
    void draw(TiffCanvas& canvas, const ChartInk& ink) const;

private:
    const KeyModel& model_;
    KeyPlacement place_;
    KeyMetrics metrics_;
    QFont font_;
    KeyDrawing drawing_;
};

struct PageHeader {
    QRect box;
    QString text;
    QFont font;
};

// Everything one page shows.
struct PageContent {
    std::optional<PageHeader> header;
    ChartDrawing* chart = nullptr;
    const CanvasKey* key = nullptr;
    const ChartInk* ink = nullptr;
};

// Draws a page band after band, each band written once, in order. The status texts come in
// their order: "开始绘制针法", "绘制针法完毕" (the mark stamps are ready), "开始绘制字符格",
// "开始绘制行线", "开始绘制列线" and "开始绘制描边线" as the chart's first band begins,
// "绘制描边线完毕" once its last band is drawn, "开始绘制KEY" as the key's first band begins and
// "绘制KEY完毕" at the end.
void drawPage(TiffCanvas& canvas, PageContent& page, const DrawReport& report);

// The ruler numbers written for a run of cells at a pitch: 1, every tenth and the last,
// leaving out one that would run into the next (the last is always kept).
std::vector<int> spacedRulerNumbers(int count, int pitch, int room);

}  // namespace brenmark
