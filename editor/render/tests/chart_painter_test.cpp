// The chart painter in each style, checked pixel by pixel in offscreen images.
#include "editor/render/chart_painter.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

constexpr QRgb kWhitePx = 0xFFFFFF, kBlackPx = 0x000000;

struct Chart {
    PatternDocument doc;
    ChartGeometry g;
    ChartPaintCache cache;

    Chart(int w, int h, std::initializer_list<ColorRef> threads, float cell = 16)
    {
        doc.create(w, h, "DMC");
        int i = 0;
        for (ColorRef c : threads)
            doc.addThread(c, std::to_string(i++));
        doc.assignDefaultSymbols();
        g.cellSize = cell;
        g.origin = QPoint(10, 10);
        g.areaStart = g.origin;
        g.width = w;
        g.height = h;
    }
    QImage paint(ChartStyle style, const std::function<void(const ChartPainter&, QPainter&)>& draw, QSize size = {200, 200})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        draw(ChartPainter(doc, g, style, cache), p);
        return image;
    }
};

QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

int countIn(const QImage& img, QRect r, QRgb colour)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += at(img, x, y) == colour;
    return n;
}

}  // namespace

TEST(ChartPainter, TenthGridLinesAreHeavyAndBlackTheOthersThin)
{
    Chart c(20, 12, {}, 8);
    const QImage screen = c.paint(ChartStyle::Screen, [](const ChartPainter& ch, QPainter& p) { ch.grid(p, QSize(200, 200)); });
    EXPECT_EQ(at(screen, 10 + 10 * 8, 52), kBlackPx);         // the tenth column border
    EXPECT_EQ(at(screen, 10 + 3 * 8, 52), 0xD4D0C8u);         // a thin one, button face
    EXPECT_EQ(at(screen, 10 + 10 * 8 + 1, 52), kWhitePx);     // one pixel wide on screen
    const QImage print = c.paint(ChartStyle::PrintColour, [](const ChartPainter& ch, QPainter& p) { ch.grid(p, QSize(200, 200)); });
    EXPECT_EQ(at(print, 10 + 3 * 8, 52), 0x808080u);  // grey on paper
    EXPECT_EQ(at(print, 10 + 10 * 8, 52), kBlackPx);
}

TEST(ChartPainter, PrintedTenthLinesGrowWithTheCell)
{
    Chart c(20, 12, {}, 32);
    EXPECT_EQ(ChartPainter(c.doc, c.g, ChartStyle::PrintColour, c.cache).heavyGridPen().widthF(), 4.0);
    EXPECT_EQ(ChartPainter(c.doc, c.g, ChartStyle::Screen, c.cache).heavyGridPen().widthF(), 0.0);
}

TEST(ChartPainter, SymbolsWhiteOnDarkCellsBlackInBlackAndWhite)
{
    Chart c(2, 1, {rgb(0, 0, 128), rgb(255, 255, 0)});
    c.doc.setCell(0, 0, 0);
    c.doc.setCell(1, 0, 1);
    for (auto& s : c.doc.symbols)
        s.symbol = "■";
    auto draw = [](const ChartPainter& ch, QPainter& p) { ch.symbols(p, QRect(0, 0, 2, 1), QSize(200, 200), 12, true); };
    const QImage colour = c.paint(ChartStyle::PrintColour, draw);
    // Drawn over white here, so white ink leaves no trace while black ink shows.
    EXPECT_EQ(countIn(colour, QRect(11, 11, 14, 14), kBlackPx), 0);
    EXPECT_GT(countIn(colour, QRect(27, 11, 14, 14), kBlackPx), 10);
    const QImage bw = c.paint(ChartStyle::PrintBlackWhite, draw);
    EXPECT_GT(countIn(bw, QRect(11, 11, 14, 14), kBlackPx), 10);
    EXPECT_GT(countIn(bw, QRect(27, 11, 14, 14), kBlackPx), 10);
}

TEST(ChartPainter, ColouredSymbolsTakeTheirThreadsColour)
{
    Chart c(1, 1, {rgb(200, 0, 0)});
    c.doc.setCell(0, 0, 0);
    c.doc.symbols[0].symbol = "■";
    const QImage img = c.paint(ChartStyle::ColouredSymbols, [](const ChartPainter& ch, QPainter& p) {
        ch.symbols(p, QRect(0, 0, 1, 1), QSize(200, 200), 12, true);
    });
    EXPECT_GT(countIn(img, QRect(10, 10, 16, 16), 0xC80000u), 10);
    EXPECT_EQ(countIn(img, QRect(10, 10, 16, 16), kBlackPx), 0);
}

TEST(ChartPainter, OutlineLinesBlackInBlackAndWhiteRedWhenHighlighted)
{
    Chart c(4, 4, {rgb(0, 0, 255)});
    BackstitchLine line;
    line.startColumn = 0;
    line.startRow = 1;
    line.startCorner = TopLeft;
    line.endColumn = 3;
    line.endRow = 1;
    line.endCorner = TopRight;
    line.color = rgb(0, 0, 255);
    c.doc.lines.push_back(line);
    const int y = 10 + 16;
    auto draw = [](int highlighted) {
        return [highlighted](const ChartPainter& ch, QPainter& p) { ch.lines(p, highlighted); };
    };
    EXPECT_EQ(at(c.paint(ChartStyle::Screen, draw(-1)), 40, y), 0x0000FFu);
    EXPECT_EQ(at(c.paint(ChartStyle::Screen, draw(0)), 40, y), 0xFF0000u);
    EXPECT_EQ(at(c.paint(ChartStyle::PrintBlackWhite, draw(-1)), 40, y), kBlackPx);
    // A quarter of the cell wide: 4 pixels, 2 each side of the corner line.
    const QImage img = c.paint(ChartStyle::Screen, draw(-1));
    EXPECT_EQ(at(img, 40, y - 3), kWhitePx);
    EXPECT_EQ(at(img, 40, y + 2), kWhitePx);
}

TEST(ChartPainter, CellsAreTheirColourEnlarged)
{
    Chart c(3, 2, {rgb(0, 128, 0)});
    QImage cells(3, 2, QImage::Format_RGB32);
    cells.fill(Qt::white);
    cells.setPixel(1, 1, qRgb(0, 128, 0));
    const QImage img = c.paint(ChartStyle::PrintColour, [&](const ChartPainter& ch, QPainter& p) { ch.cells(p, cells, QRect(0, 0, 3, 2)); });
    EXPECT_EQ(countIn(img, QRect(10 + 16, 10 + 16, 16, 16), 0x008000u), 256);
    EXPECT_EQ(at(img, 10 + 15, 10 + 20), kWhitePx);
}
