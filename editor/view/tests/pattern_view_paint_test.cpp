// Painting, checked pixel by pixel in an offscreen image.
#include "editor/view/tests/view_fixture.h"
#include "interchange/gbk_qstring.h"

#include <gtest/gtest.h>

using namespace brenmark;
using namespace brenmark::test;

namespace {

constexpr QRgb kWhitePx = 0xFFFFFF, kBlackPx = 0x000000, kThinPx = 0xD4D0C8;

// x of the left border of column c at cell size s with the origin at the ruler.
int columnX(int c, int s) { return kLeftRuler + c * s; }
int rowY(int r, int s) { return kTopRuler + r * s; }

// The red pixels of the top ruler: their leftmost and rightmost x.
std::pair<int, int> redSpan(const QImage& img)
{
    int lo = 100000, hi = -1;
    for (int y = 0; y < kTopRuler; ++y)
        for (int x = kLeftRuler; x < img.width(); ++x)
            if (qRed(img.pixel(x, y)) > 200 && qGreen(img.pixel(x, y)) < 60 && qBlue(img.pixel(x, y)) < 60)
                lo = std::min(lo, x), hi = std::max(hi, x);
    return {lo, hi};
}

struct InkCount {
    int white = 0, black = 0;
};
InkCount inkIn(const QImage& img, QRect r)
{
    InkCount n;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = at(img, x, y);
            n.white += p == kWhitePx;
            n.black += p == kBlackPx;
        }
    return n;
}

}  // namespace

TEST(ViewGrid, TwoPixelCellsHaveNoGridFourPixelCellsOnlyWithTheFlag)
{
    ViewFixture f;
    f.make(30, 30);
    f.zoomTo(2);
    QImage img = f.paint();
    for (int x = columnX(0, 2); x < columnX(30, 2); ++x)
        ASSERT_EQ(at(img, x, rowY(3, 2) + 1), kWhitePx) << x;

    f.zoomTo(4);
    img = f.paint();
    EXPECT_EQ(at(img, columnX(10, 4), rowY(2, 4) + 2), kBlackPx);
    EXPECT_EQ(at(img, columnX(3, 4), rowY(2, 4) + 2), kThinPx);
    f.view.setShowGrid(false);
    img = f.paint();
    EXPECT_EQ(at(img, columnX(10, 4), rowY(2, 4) + 2), kWhitePx);
    EXPECT_EQ(at(img, columnX(3, 4), rowY(2, 4) + 2), kWhitePx);
}

TEST(ViewGrid, ThickLinesOnEveryTenthBorderFromThePatternsFirstColumn)
{
    ViewFixture f;
    f.make(25, 5);
    const QImage img = f.paint();
    const int y = rowY(1, 8) + 4;
    EXPECT_EQ(at(img, columnX(0, 8), y), kThinPx);  // the pattern's own left border is thin
    EXPECT_EQ(at(img, columnX(10, 8), y), kBlackPx);
    EXPECT_EQ(at(img, columnX(20, 8), y), kBlackPx);
    for (int k : {1, 5, 9, 11, 19, 21, 25})
        EXPECT_EQ(at(img, columnX(k, 8), y), kThinPx) << k;
    EXPECT_EQ(at(img, columnX(0, 8) + 4, y), kWhitePx);
}

TEST(ViewGrid, ThickLinesStayOnTheTenthBorderWhileScrolling)
{
    ViewFixture f;
    f.make(60, 5);
    f.view.setOrigin(QPoint(kLeftRuler - 7 * 8, kTopRuler));  // first visible column 7
    const QImage img = f.paint();
    EXPECT_EQ(f.view.firstColumn(), 7);
    EXPECT_EQ(at(img, columnX(3, 8), rowY(1, 8) + 4), kBlackPx);  // column border 10
}

TEST(ViewGrid, SymbolsOnColourHasNoGridAtFourPixelsTheOtherModesDo)
{
    ViewFixture f;
    f.make(30, 30);
    f.zoomTo(4);
    const QPoint probe(columnX(10, 4), rowY(2, 4) + 2);
    for (auto [mode, grid] : {std::pair{ViewMode::ColourBlocks, true}, {ViewMode::SymbolsOnColour, false},
                              {ViewMode::SymbolsOnly, true}, {ViewMode::SimulatedStitches, false}}) {
        f.view.setViewMode(mode);
        const QImage img = f.paint();
        EXPECT_EQ(at(img, probe.x(), probe.y()) == kBlackPx, grid) << static_cast<int>(mode);
    }
}

TEST(ViewRulers, CentreMarkOverTheMiddleColumnOrTheMiddleBorder)
{
    ViewFixture f;
    f.make(11, 5);
    auto [lo, hi] = redSpan(f.paint());
    ASSERT_GE(hi, lo);
    const double middle = columnX(5, 8) + 4;  // middle of column 5
    EXPECT_NEAR((lo + hi) / 2.0, middle, 1.5);

    f.make(12, 5);
    std::tie(lo, hi) = redSpan(f.paint());
    const int border = columnX(6, 8);  // between columns 5 and 6
    EXPECT_LT(lo, border);
    EXPECT_GT(hi, border);
    EXPECT_NEAR((lo + hi) / 2.0, border, 4.0);
}

TEST(ViewRulers, NoCentreMarksWithoutAPattern)
{
    ViewFixture f;
    const QImage img = f.paint();
    EXPECT_LT(redSpan(img).second, 0);
}

TEST(ViewSymbols, InkIsWhiteOnDarkCellsByTheRedHeavyRule)
{
    ViewFixture f;
    f.make(4, 1, {rgb(0, 0, 255), rgb(255, 255, 0), rgb(0, 255, 0), rgb(255, 0, 0)});
    for (int i = 0; i < 4; ++i) {
        f.doc.setCell(i, 0, i);
        f.doc.symbols[static_cast<std::size_t>(i)].symbol = "■";
    }
    f.view.rebuildCellImage();
    f.view.setViewMode(ViewMode::SymbolsOnColour);
    f.zoomTo(16);
    f.view.setShowGrid(false);
    const QImage img = f.paint();
    const bool whiteInk[] = {true, false, true, false};
    for (int i = 0; i < 4; ++i) {
        const InkCount ink = inkIn(img, QRect(columnX(i, 16) + 1, rowY(0, 16) + 1, 14, 14));
        if (whiteInk[i]) {
            EXPECT_GT(ink.white, 10) << i;
            EXPECT_EQ(ink.black, 0) << i;
        } else {
            EXPECT_GT(ink.black, 10) << i;
            EXPECT_EQ(ink.white, 0) << i;
        }
    }
}

TEST(ViewSymbols, AnIndexPastTheThreadTableShowsABlankNotItsSlotsSymbol)
{
    // Thread 0 in cell 0; cell 1 names index 5, past the one-thread table, whose symbol slot
    // still holds a symbol (left from a thread that is gone).
    for (const ViewMode mode : {ViewMode::SymbolsOnColour, ViewMode::SymbolsOnly}) {
        ViewFixture f;
        f.make(2, 1, {rgb(255, 255, 0)});
        f.doc.setCell(0, 0, 0);
        f.doc.setCell(1, 0, 5);
        f.doc.symbols[0].symbol = "■";
        f.doc.symbols[5].symbol = "■";
        f.view.rebuildCellImage();
        f.view.setViewMode(mode);
        f.zoomTo(16);
        f.view.setShowGrid(false);
        const QImage img = f.paint();
        EXPECT_GT(inkIn(img, QRect(columnX(0, 16) + 1, rowY(0, 16) + 1, 14, 14)).black, 10) << static_cast<int>(mode);
        const InkCount past = inkIn(img, QRect(columnX(1, 16) + 1, rowY(0, 16) + 1, 14, 14));
        EXPECT_EQ(past.black, 0) << static_cast<int>(mode);
        EXPECT_EQ(past.white, 14 * 14) << static_cast<int>(mode);  // the fabric, nothing on it
    }
}

TEST(ViewSymbols, FontIsEightAtEightPixelsTwelveAboveNoneAtFour)
{
    EXPECT_EQ(PatternView::symbolFontPixels(8, ViewMode::SymbolsOnColour), 8);
    EXPECT_EQ(PatternView::symbolFontPixels(16, ViewMode::SymbolsOnColour), 12);
    EXPECT_EQ(PatternView::symbolFontPixels(32, ViewMode::SymbolsOnly), 12);
    EXPECT_EQ(PatternView::symbolFontPixels(4, ViewMode::SymbolsOnly), 0);
    EXPECT_EQ(PatternView::symbolFontPixels(16, ViewMode::ColourBlocks), 0);

    // At four pixels the cells of mode 2 are plain colour blocks: no ink on them.
    ViewFixture f;
    f.make(3, 1, {rgb(255, 255, 0)});
    for (int i = 0; i < 3; ++i)
        f.doc.setCell(i, 0, 0);
    f.doc.symbols[0].symbol = "■";
    f.view.rebuildCellImage();
    f.view.setViewMode(ViewMode::SymbolsOnColour);
    f.zoomTo(4);
    const QImage img = f.paint();
    EXPECT_EQ(inkIn(img, QRect(columnX(0, 4), rowY(0, 4), 12, 4)).black, 0);
}

TEST(ViewSimulatedStitches, WhitePixelsAtTwoAndEightPixels)
{
    ViewFixture f;
    f.make(6, 4, {rgb(0, 0, 0)});
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c)
            f.doc.setCell(c, r, 0);
    f.view.patternReplaced();
    f.view.setViewMode(ViewMode::SimulatedStitches);

    f.zoomTo(2);
    QImage img = f.paint();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c) {
            EXPECT_EQ(at(img, columnX(c, 2), rowY(r, 2)), kWhitePx);
            EXPECT_EQ(at(img, columnX(c, 2) + 1, rowY(r, 2) + 1), kBlackPx);
        }

    f.zoomTo(8);
    img = f.paint();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) {
            const int x = columnX(c, 8), y = rowY(r, 8);
            EXPECT_EQ(at(img, x + 4, y), kWhitePx);
            EXPECT_EQ(at(img, x, y + 4), kWhitePx);
            EXPECT_EQ(at(img, x + 8, y + 4), kWhitePx);
            EXPECT_EQ(at(img, x + 4, y + 8), kWhitePx);
            EXPECT_NE(at(img, x + 2, y + 6), kWhitePx);
        }
}

TEST(ViewFlashing, CellsOfTheFlashColourAlternate)
{
    ViewFixture f;
    f.make(3, 1, {rgb(255, 0, 0), rgb(0, 0, 255)});
    f.doc.setCell(0, 0, 0);
    f.doc.setCell(1, 0, 1);
    f.view.rebuildCellImage();
    f.view.setCurrentColour(rgb(255, 0, 0), false);
    f.view.setFlashing(true, rgb(255, 0, 0));
    const QPoint red(columnX(0, 8) + 4, rowY(0, 8) + 4), blue(columnX(1, 8) + 4, rowY(0, 8) + 4);
    std::vector<QRgb> seen;
    for (int i = 0; i < 4; ++i) {
        const QImage img = f.paint();
        seen.push_back(at(img, red.x(), red.y()));
        EXPECT_EQ(at(img, blue.x(), blue.y()), 0x0000FFu);
    }
    EXPECT_EQ(seen, (std::vector<QRgb>{0xFF0000, 0x00FFFF, 0xFF0000, 0x00FFFF}));

    f.view.setFlashing(false, 0);
    for (int i = 0; i < 2; ++i) {
        const QImage img = f.paint();
        EXPECT_EQ(at(img, red.x(), red.y()), 0xFF0000u);
    }
}

TEST(ViewLines, BackstitchPenWidthAndSelectedRed)
{
    ViewFixture f;
    f.make(10, 10);
    BackstitchLine line;
    line.color = rgb(0, 0, 255);
    line.startColumn = 1, line.startRow = 2, line.startCorner = TopLeft;
    line.endColumn = 6, line.endRow = 2, line.endCorner = TopLeft;
    f.doc.lines.push_back(line);
    f.view.setShowGrid(false);
    QImage img = f.paint();  // 8 pixels: a two-pixel pen
    EXPECT_EQ(at(img, columnX(3, 8), rowY(2, 8)), 0x0000FFu);
    f.view.marks().pickedLine = 0;
    img = f.paint();
    EXPECT_EQ(at(img, columnX(3, 8), rowY(2, 8)), 0xFF0000u);
}

TEST(ViewTiled, DrawsTheCellImageEnlargedBlockByBlock)
{
    ViewFixture f;
    f.make(170, 25, {rgb(0, 128, 0)});
    f.view.setCell(165, 22, 0);
    QImage out(170 * 3, 25 * 3, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    f.view.drawCellImageTiled(p, 0, 0, 3);
    p.end();
    EXPECT_EQ(at(out, 165 * 3 + 1, 22 * 3 + 2), 0x008000u);
    EXPECT_EQ(at(out, 169 * 3 + 2, 24 * 3 + 2), 0xFFFFFFu);
    EXPECT_EQ(at(out, 0, 0), 0xFFFFFFu);
}
