// The view stamps chart symbols and stitch tiles from images made beforehand; these tests
// draw the same cells the direct way (a text per cell, a tile and four points per cell) and
// expect the very same pixels. The symbol font is drawn without antialiasing, so a glyph's
// pixels are ink or untouched whichever image it is drawn into, and stamping it over the
// cell is exact.
#include "editor/render/stitch_tiles.h"
#include "editor/render/symbol_glyphs.h"
#include "editor/view/tests/view_fixture.h"
#include "interchange/gbk_qstring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brenmark;
using namespace brenmark::test;

namespace {

constexpr ColorRef kDarkThread = rgb(0, 0, 128);      // brightness 14: white ink
constexpr ColorRef kLightThread = rgb(255, 255, 160);  // brightness 244: black ink
constexpr ColorRef kMiddleThread = rgb(0, 255, 0);     // brightness 76.5: white ink

// Symbols of one and two bytes, with wide, tall and thin shapes.
const std::vector<std::string> kSymbols = {"■", "A", "●", "#", "×", "W", "※", "l"};

// Pixels that differ between two images of the same size, at most the first few reported.
int differences(const QImage& a, const QImage& b, std::string* where)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (at(a, x, y) != at(b, x, y) && n++ < 5)
                *where += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
    return n;
}

// A pattern of every symbol on every thread colour, row by row, with an empty cell between.
void makeSymbolPattern(ViewFixture& f)
{
    const std::vector<ColorRef> colours = {kDarkThread, kLightThread, kMiddleThread};
    const int threads = static_cast<int>(kSymbols.size() * colours.size());
    f.make(threads + 3, 4);
    for (int t = 0; t < threads; ++t)
        f.doc.addThread(colours[static_cast<std::size_t>(t) % colours.size()], std::to_string(t));
    f.doc.assignDefaultSymbols();
    for (int t = 0; t < threads; ++t)
        f.doc.symbols[static_cast<std::size_t>(t)].symbol = kSymbols[static_cast<std::size_t>(t) / colours.size()];
    for (int r = 0; r < f.doc.height(); ++r)
        for (int c = 0; c < f.doc.width(); ++c)
            f.doc.setCell(c, r, (c + r) % 5 == 4 ? EmptyCell : (c + 7 * r) % threads);
    f.view.patternReplaced();
}

// Every cell's symbol written as a text into it, the chart's top-left cell at origin.
void drawSymbolTexts(QPainter& p, const ViewFixture& f, const SymbolTable& symbols, QPoint origin)
{
    const int s = static_cast<int>(f.view.cellSize());
    const bool onColour = f.view.mode() == ViewMode::SymbolsOnColour;
    p.setClipRect(QRect(kLeftRuler, kTopRuler, f.client.width() - kLeftRuler, f.client.height() - kTopRuler));
    p.setFont(songTi(PatternView::symbolFontPixels(static_cast<float>(s), f.view.mode())));
    for (int r = 0; r < f.doc.height(); ++r)
        for (int c = 0; c < f.doc.width(); ++c) {
            const std::int32_t index = f.doc.cell(c, r);
            if (!f.doc.isThread(index))
                continue;
            const ColorRef under = onColour ? f.doc.threads.colors[static_cast<std::size_t>(index)] : f.doc.fabric;
            p.setPen(isDarkColour(under) ? Qt::white : Qt::black);
            p.drawText(QRectF(origin.x() + c * s, origin.y() + r * s, s, s), Qt::AlignCenter | Qt::TextSingleLine,
                       fromGbk(symbols[static_cast<std::size_t>(index)].symbol));
        }
}

// What the view shows with every symbol written as a text into its cell: the picture without
// symbols (into base when asked), then one drawText per cell.
QImage symbolsDrawnDirectly(ViewFixture& f, QImage* base = nullptr)
{
    const SymbolTable symbols = f.doc.symbols;
    for (SymbolEntry& entry : f.doc.symbols)
        entry.symbol.clear();
    QImage image = f.paint();
    f.doc.symbols = symbols;
    if (base)
        *base = image;

    QPainter p(&image);
    drawSymbolTexts(p, f, symbols, f.view.origin());
    return image;
}

// inkColours: how many of white and black ink the symbols must leave, so that the
// comparison means something.
void expectStampedEqualsDirect(ViewFixture& f, ViewMode mode, float cell, int inkColours = 2)
{
    f.view.setViewMode(mode);
    f.zoomTo(cell);
    const QImage stamped = f.paint();
    QImage base;
    const QImage direct = symbolsDrawnDirectly(f, &base);
    std::string where;
    EXPECT_EQ(differences(stamped, direct, &where), 0) << "mode " << static_cast<int>(mode) << " at " << cell << " px:" << where;

    int white = 0, black = 0;
    for (int y = 0; y < direct.height(); ++y)
        for (int x = 0; x < direct.width(); ++x)
            if (at(direct, x, y) != at(base, x, y)) {
                white += at(direct, x, y) == 0xFFFFFFu;
                black += at(direct, x, y) == 0x000000u;
            }
    EXPECT_EQ((white > 50) + (black > 50), inkColours) << white << " white, " << black << " black";
}

}  // namespace

TEST(ViewSymbolStamps, SameAsTextOnColourAtEightAndSixteenPixels)
{
    ViewFixture f;
    f.client = QSize(900, 200);
    makeSymbolPattern(f);
    for (const float cell : {8.0f, 16.0f})
        expectStampedEqualsDirect(f, ViewMode::SymbolsOnColour, cell);
}

TEST(ViewSymbolStamps, SameAsTextOnColourWithoutTheGrid)
{
    ViewFixture f;
    f.client = QSize(900, 200);
    makeSymbolPattern(f);
    f.view.setShowGrid(false);
    for (const float cell : {8.0f, 16.0f, 32.0f})
        expectStampedEqualsDirect(f, ViewMode::SymbolsOnColour, cell);
}

TEST(ViewSymbolStamps, SameAsTextInSymbolsOnlyOnLightAndDarkFabric)
{
    ViewFixture f;
    f.client = QSize(900, 200);
    makeSymbolPattern(f);
    // One ink for the whole pattern: black on the white fabric, white on a dark one.
    for (const float cell : {8.0f, 16.0f})
        expectStampedEqualsDirect(f, ViewMode::SymbolsOnly, cell, 1);
    f.doc.setFabricColor(rgb(40, 30, 90));
    for (const float cell : {8.0f, 16.0f})
        expectStampedEqualsDirect(f, ViewMode::SymbolsOnly, cell, 1);
}

TEST(ViewSymbolStamps, SameAsTextWhenScrolledPartlyUnderTheRulers)
{
    ViewFixture f;
    f.client = QSize(300, 120);
    makeSymbolPattern(f);
    f.view.setOrigin(QPoint(kLeftRuler - 5 * 16, kTopRuler - 16));
    expectStampedEqualsDirect(f, ViewMode::SymbolsOnColour, 16);
}

TEST(ViewSymbolStamps, AnIndexPastTheThreadTableShowsNoSymbol)
{
    ViewFixture f;
    f.make(3, 1, {rgb(255, 255, 0), rgb(0, 0, 255)});
    f.doc.symbols[0].symbol = "■";
    f.doc.symbols[5].symbol = "■";  // a slot no thread owns
    f.doc.setCell(0, 0, 0);
    f.doc.setCell(1, 0, 5);
    f.view.rebuildCellImage();
    f.view.setViewMode(ViewMode::SymbolsOnColour);
    f.zoomTo(16);
    f.view.setShowGrid(false);
    const QImage img = f.paint();
    int ink = 0, blank = 0;
    for (int y = kTopRuler + 1; y < kTopRuler + 15; ++y)
        for (int x = 1; x < 15; ++x) {
            ink += at(img, kLeftRuler + x, y) == 0x000000u;                // on the yellow thread
            blank += at(img, kLeftRuler + 16 + x, y) == 0xFFFFFFu;         // shown as fabric
        }
    EXPECT_GT(ink, 10);
    EXPECT_EQ(blank, 14 * 14);
}

TEST(ViewSymbolStamps, FlashingSymbolsSameAsTextOnTheInvertedCell)
{
    ViewFixture f;
    f.client = QSize(900, 200);
    makeSymbolPattern(f);
    f.view.setViewMode(ViewMode::SymbolsOnColour);
    f.zoomTo(16);
    f.view.setFlashing(true, kDarkThread);
    // The blink phase flips after every paint: paint until the flashing phase comes up.
    QImage stamped = f.paint();
    if (f.view.blinkPhase())
        stamped = f.paint();

    // The same with the flashing cells' symbols written as texts over their inverted cells.
    f.view.setFlashing(false, 0);
    QImage direct = symbolsDrawnDirectly(f);
    QPainter p(&direct);
    p.setClipRect(QRect(kLeftRuler, kTopRuler, f.client.width() - kLeftRuler, f.client.height() - kTopRuler));
    p.setFont(songTi(12));
    p.setPen(Qt::white);
    for (int r = 0; r < f.doc.height(); ++r)
        for (int c = 0; c < f.doc.width(); ++c) {
            const std::int32_t index = f.doc.cell(c, r);
            if (!f.doc.isThread(index) || f.doc.threads.colors[static_cast<std::size_t>(index)] != kDarkThread)
                continue;
            const QRectF cell(kLeftRuler + c * 16, kTopRuler + r * 16, 16, 16);
            p.fillRect(cell, QColor(255, 255, 127));
            p.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, fromGbk(f.doc.symbols[static_cast<std::size_t>(index)].symbol));
        }
    p.end();
    std::string where;
    EXPECT_EQ(differences(stamped, direct, &where), 0) << where;
}

TEST(SymbolGlyphCache, DrawsEachSymbolOncePerCellSizeAndInk)
{
    SymbolGlyphCache cache;
    const QImage& black = cache.glyph("■", false, 16, 12, 1.0);
    const QImage& white = cache.glyph("■", true, 16, 12, 1.0);
    EXPECT_EQ(black.size(), QSize(16, 16));
    EXPECT_NE(black.cacheKey(), white.cacheKey());
    EXPECT_EQ(cache.glyph("■", false, 16, 12, 1.0).cacheKey(), black.cacheKey());
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_TRUE(cache.glyph(" ", false, 16, 12, 1.0).isNull());  // a blank leaves no ink

    // Another zoom step drops what was drawn for the last.
    EXPECT_EQ(cache.glyph("■", false, 8, 8, 1.0).size(), QSize(8, 8));
    EXPECT_EQ(cache.size(), 1u);
}

// The direct way of the simulated-stitch look: every cell's tile, then four white points.
QImage stitchesDrawnDirectly(ViewFixture& f)
{
    const int s = static_cast<int>(f.view.cellSize());
    f.view.setViewMode(ViewMode::ColourBlocks);
    const bool grid = f.view.showGrid();
    f.view.setShowGrid(false);
    QImage image = f.paint();
    f.view.setShowGrid(grid);
    f.view.setViewMode(ViewMode::SimulatedStitches);
    QPainter p(&image);
    p.setClipRect(QRect(kLeftRuler, kTopRuler, f.client.width() - kLeftRuler, f.client.height() - kTopRuler));
    p.setPen(Qt::white);
    const QPoint o = f.view.origin();
    for (int r = 0; r < f.doc.height(); ++r)
        for (int c = 0; c < f.doc.width(); ++c) {
            const int x = o.x() + c * s, y = o.y() + r * s;
            if (s == 2) {
                p.drawPoint(x, y);
                continue;
            }
            const std::int32_t index = f.doc.cell(c, r);
            const QImage tile = f.doc.isThread(index) ? makeStitchTile(f.doc.threads.colors[static_cast<std::size_t>(index)])
                                                      : makeFabricTile(f.doc.fabric);
            p.drawImage(x, y, tile.scaled(s, s, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            p.drawPoint(x + s / 2, y);
            p.drawPoint(x, y + s / 2);
            p.drawPoint(x + s, y + s / 2);
            p.drawPoint(x + s / 2, y + s);
        }
    return image;
}

TEST(ViewStitchPicture, SameAsATileAndFourPointsPerCell)
{
    ViewFixture f;
    f.client = QSize(400, 260);
    f.make(30, 20, {rgb(200, 30, 30), rgb(20, 20, 20), rgb(250, 250, 210)});
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 30; ++c)
            f.doc.setCell(c, r, (c * 3 + r) % 7 == 0 ? EmptyCell : (c / 3 + r / 2) % 3);
    f.doc.setFabricColor(rgb(230, 220, 190));
    f.view.patternReplaced();
    f.view.setViewMode(ViewMode::SimulatedStitches);
    // The whole pattern with its right and bottom edges in view, then scrolled partly under
    // the rulers and past the client's edges.
    for (const QPoint origin : {QPoint(kLeftRuler, kTopRuler), QPoint(kLeftRuler - 3 * 16, kTopRuler - 2 * 16)})
        for (const float cell : {2.0f, 4.0f, 8.0f, 16.0f}) {
            f.zoomTo(cell);
            f.view.setOrigin(origin);
            const QImage picture = f.paint();
            const QImage direct = stitchesDrawnDirectly(f);
            std::string where;
            EXPECT_EQ(differences(picture, direct, &where), 0) << cell << " px:" << where;
        }
}

TEST(ViewSymbolStamps, SameAsTextOnAScreenOfTwiceTheDensity)
{
    ViewFixture f;
    f.client = QSize(450, 100);
    makeSymbolPattern(f);
    f.view.setViewMode(ViewMode::SymbolsOnColour);
    f.view.setShowGrid(false);
    auto paintAtTwice = [&](bool directly) {
        QImage image(f.client * 2, QImage::Format_RGB32);
        image.setDevicePixelRatio(2);
        QPainter p(&image);
        const SymbolTable symbols = f.doc.symbols;
        if (directly)
            for (SymbolEntry& entry : f.doc.symbols)
                entry.symbol.clear();
        f.view.paint(p, f.client);
        f.doc.symbols = symbols;
        if (directly)
            drawSymbolTexts(p, f, symbols, QPoint(kLeftRuler, kTopRuler));
        return image;
    };
    for (const float cell : {8.0f, 16.0f}) {
        f.zoomTo(cell);
        std::string where;
        EXPECT_EQ(differences(paintAtTwice(false), paintAtTwice(true), &where), 0) << cell << " px:" << where;
    }
}
