// A chart drawn onto the canvas: the cells of a row not drawn on before are laid over no
// background of their own, so they must come out as the same pixels as on a row that has one,
// whatever the bands, the pitch, the inks (black over a coloured background) and the marks.
#include "tiffwriter/tiff_chart.h"

#include "editor/document/tests/test_support.h"

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

// Four threads, the last printing pure black; empty cells, marks of several kinds and an
// outline line.
PatternDocument markedChart()
{
    PatternDocument doc;
    doc.create(14, 9, "DMC");
    doc.addThread(rgb(200, 30, 30), "321");
    doc.addThread(rgb(250, 240, 120), "445");
    doc.addThread(rgb(20, 40, 120), "336");
    doc.addThread(rgb(0, 0, 0), "310");
    doc.assignDefaultSymbols();
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 14; ++c)
            doc.setCell(c, r, (c * 7 + r * 3) % 11 == 0 ? EmptyCell : (c / 2 + r) % 4);
    for (int kind = 1; kind <= 9; ++kind)
        doc.placeMark(kind, kind, (kind * 5) % 9);
    doc.placeMark(2, 0, 0);
    BackstitchLine line;
    line.thread = "310";
    line.startColumn = 2, line.startRow = 1, line.startCorner = TopLeft;
    line.endColumn = 9, line.endRow = 7, line.endCorner = BottomRight;
    doc.lines.push_back(line);
    return doc;
}

struct Drawn {
    int width = 0, height = 0;
    std::vector<std::uint8_t> bytes;
};

// The chart at a pitch on a canvas of bands of bandRows rows; with `overBackground` every row
// is first painted with the background, so no row is new to the chart.
Drawn drawChart(const std::string& path, int pitch, int bandRows, bool overBackground)
{
    const PatternDocument doc = markedChart();
    ChartInk ink;
    ink.threads = {CmykValue{0, 220, 200, 10}, CmykValue{5, 10, 90, 0}, CmykValue{200, 150, 0, 40}, kBlackInk};
    ink.background = CmykValue{12, 8, 30, 3};
    ChartPlacement place;
    place.cells = {0, 0, doc.width(), doc.height()};
    place.pitch = pitch;
    place.font = pitch * 3 / 4;
    place.margin = 3 * pitch;
    place.originX = place.margin;
    place.originY = 3 * pitch + 7;
    place.rulerFont = pitch / 2;
    place.repeatedColumns = QRect(0, 0, 2, doc.height());
    place.repeatedRows = QRect(0, 0, doc.width(), 1);
    Drawn d;
    d.width = place.originX + place.chartWidth() + place.margin;
    d.height = place.originY + place.chartHeight() + 3 * pitch + 7;
    TiffCanvas canvas;
    canvas.setBandBytes(static_cast<std::size_t>(bandRows) * static_cast<std::size_t>(d.width) * 4);
    EXPECT_EQ(canvas.create(path, d.width, d.height, ink.background), TiffCanvas::Result::Created);
    ChartDrawing chart(doc, place, ink);
    if (overBackground) {
        canvas.fillRect(0, 0, d.width, d.height, ink.background);
        chart.draw(canvas);
    } else {
        PageContent page;
        page.chart = &chart;
        drawPage(canvas, page, DrawReport{});
    }
    EXPECT_TRUE(canvas.finish(false));
    d.bytes = test::readBytes(path);
    return d;
}

CmykValue at(const Drawn& d, int x, int y)
{
    const std::size_t i = TiffCanvas::kPixelOffset + (static_cast<std::size_t>(y) * d.width + x) * 4;
    return {d.bytes[i], d.bytes[i + 1], d.bytes[i + 2], d.bytes[i + 3]};
}

}  // namespace

TEST(ChartDrawing, CellsOnNewRowsComeOutAsOnRowsThatHadTheirBackgroundAtEveryPitchAndBand)
{
    test::TempDir dir;
    // 40 pixels leaves the stamps clear of the column lines; at 9 the symbols run into them.
    for (int pitch : {40, 9}) {
        SCOPED_TRACE(testing::Message() << "pitch " << pitch);
        const Drawn reference = drawChart(dir.file("over.tiff"), pitch, 1 << 16, true);
        for (int bandRows : {1 << 16, 1, 7, pitch + 1}) {
            SCOPED_TRACE(testing::Message() << "bands of " << bandRows);
            const Drawn drawn = drawChart(dir.file("new.tiff"), pitch, bandRows, false);
            ASSERT_EQ(drawn.bytes.size(), reference.bytes.size());
            int differing = 0;
            for (int y = 0; y < drawn.height; ++y)
                for (int x = 0; x < drawn.width; ++x)
                    if (!(at(drawn, x, y) == at(reference, x, y)) && differing++ < 5)
                        ADD_FAILURE() << "pixel " << x << ", " << y;
            EXPECT_EQ(differing, 0);
        }
    }
}
