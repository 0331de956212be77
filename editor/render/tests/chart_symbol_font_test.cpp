// The chart symbol font as the program finds and draws it: every symbol of the set has a glyph,
// the glyphs differ at the sizes a chart shows them, and the look-alike table names every
// pair that does not. With BRENMARK_SYMBOL_SHEET set the whole set is saved there as a picture.
#include "editor/document/symbol_charset.h"
#include "editor/render/chart_painter.h"
#include "editor/render/chart_symbol_font.h"
#include "editor/render/symbol_glyphs.h"
#include "interchange/gbk_qstring.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace brenmark {
namespace {

// A symbol drawn as a chart draws it, one bit a pixel.
std::vector<bool> inkOf(const std::string& symbol, int cell, int fontPixels)
{
    QImage image(cell, cell, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setFont(symbolFont(true, fontPixels));
        p.setPen(Qt::black);
        drawSymbolText(p, QRectF(0, 0, cell, cell), symbol);
    }
    std::vector<bool> ink;
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x)
            ink.push_back(qGray(image.pixel(x, y)) < 128);
    return ink;
}

int pixelsApart(const std::vector<bool>& a, const std::vector<bool>& b)
{
    int n = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        n += a[i] != b[i];
    return n;
}

struct Closest {
    int pixels = 1 << 30;
    int a = -1, b = -1;
};

}  // namespace

TEST(ChartSymbolFont, IsFoundBesideTheProgramAndHoldsEverySymbol)
{
    const QString family = chartSymbolFontFamily();
    ASSERT_FALSE(family.isEmpty());
    EXPECT_EQ(chartSymbolFontFamily(), family);  // registered once
    const QFont font = symbolFont(true, 20);
    EXPECT_EQ(QFontInfo(font).family(), family);
    EXPECT_NE(QFontInfo(symbolFont(false, 20)).family(), family);
    const QFontMetrics metrics(font);
    for (std::size_t i = 0; i < clearSymbolCodePoints().size(); ++i)
        EXPECT_TRUE(metrics.inFontUcs4(clearSymbolCodePoints()[i])) << clearSymbolNames()[i];
    // Every glyph leaves ink.
    for (std::size_t i = 0; i < clearSymbolSet().size(); ++i) {
        const auto ink = inkOf(clearSymbolSet()[i], 24, 22);
        EXPECT_GT(std::count(ink.begin(), ink.end(), true), 10) << clearSymbolNames()[i];
    }
}

// A 2 mm cell printed at 300 dpi is 24 dots with a 22-dot symbol; on screen a symbol can be 10
// pixels. The font's script keeps pairs 16 dots apart in print out of its look-alike table and
// the first symbols 4 pixels apart on screen, measuring its own outlines; drawn by Qt they
// may come out a little closer (edges fall on other pixels), but in print they stay at least
// 12 dots apart and on screen no two of the first ones are the same or one pixel apart.
TEST(ChartSymbolFont, GlyphsDifferInPrintUnlessTheTableListsThemAndTheFirstOnesOnScreen)
{
    constexpr int kPrintApart = 12, kScreenApart = 2;
    const auto& set = clearSymbolSet();
    const int n = static_cast<int>(set.size());
    const int firstApart = static_cast<int>(clearSymbolsApartOnScreen());
    ASSERT_GE(firstApart, 150);
    std::vector<std::vector<bool>> print, screen;
    for (const std::string& symbol : set) {
        print.push_back(inkOf(symbol, 24, 22));
        screen.push_back(inkOf(symbol, 10, 10));
    }
    Closest printed, shown, listed;
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b) {
            const int p = pixelsApart(print[static_cast<std::size_t>(a)], print[static_cast<std::size_t>(b)]);
            const int s = pixelsApart(screen[static_cast<std::size_t>(a)], screen[static_cast<std::size_t>(b)]);
            if (b < firstApart && s < shown.pixels)
                shown = {s, a, b};
            Closest& closest = symbolsLookAlike(set[static_cast<std::size_t>(a)], set[static_cast<std::size_t>(b)]) ? listed : printed;
            if (p < closest.pixels)
                closest = {p, a, b};
        }
    auto names = [](const Closest& c) {
        return clearSymbolNames()[static_cast<std::size_t>(c.a)] + " and " + clearSymbolNames()[static_cast<std::size_t>(c.b)];
    };
    EXPECT_GE(printed.pixels, kPrintApart) << names(printed);
    EXPECT_GE(shown.pixels, kScreenApart) << names(shown);
    // The table lists pairs that are close indeed.
    EXPECT_LT(listed.pixels, kPrintApart) << names(listed);

    if (const QByteArray out = qgetenv("BRENMARK_SYMBOL_SHEET"); !out.isEmpty()) {
        // The set in order, 20 to a row: each symbol large and, below it, as a 10-pixel one.
        const int columns = 20, cell = 56;
        const int rows = static_cast<int>((set.size() + columns - 1) / columns);
        QImage sheet(columns * cell, rows * cell, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        for (int i = 0; i < static_cast<int>(set.size()); ++i) {
            const int x = (i % columns) * cell, y = (i / columns) * cell;
            p.setPen(QColor(210, 210, 210));
            p.drawRect(x, y, cell - 1, cell - 1);
            p.setPen(Qt::black);
            p.setFont(symbolFont(true, 34));
            drawSymbolText(p, QRectF(x, y + 2, cell, cell - 16), set[static_cast<std::size_t>(i)]);
            QImage small(10, 10, QImage::Format_RGB32);
            for (int k = 0; k < 100; ++k)
                small.setPixel(k % 10, k / 10, screen[static_cast<std::size_t>(i)][static_cast<std::size_t>(k)] ? 0xff000000 : 0xffffffff);
            p.drawImage(QPoint(x + 4, y + cell - 13), small);
            QFont label;
            label.setPixelSize(9);
            p.setFont(label);
            p.setPen(Qt::gray);
            p.drawText(QRect(x + 18, y + cell - 14, cell - 20, 12), Qt::AlignLeft, QString::number(i + 1));
        }
        p.end();
        sheet.save(QString::fromLocal8Bit(out));
    }
}

// On screen (stamped) and on paper (text) a pattern with clear symbols shows the font's glyph,
// and the same pattern of characters shows the text font's.
TEST(ChartSymbolFont, ThePainterDrawsAClearPatternsSymbolsInTheFont)
{
    const std::string symbol = clearSymbolSet()[2];  // a square, its left half filled
    auto painted = [&](bool clear, ChartStyle style) {
        PatternDocument doc;
        doc.create(1, 1, "DMC");
        doc.addThread(rgb(255, 255, 255), "B5200");
        doc.clearSymbols = clear;
        doc.assignDefaultSymbols();
        doc.symbols[0].symbol = symbol;
        doc.setCell(0, 0, 0);
        ChartGeometry g;
        g.cellSize = 16;
        g.origin = QPoint(0, 0);
        g.areaStart = g.origin;
        g.width = g.height = 1;
        ChartPaintCache cache;
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        ChartPainter(doc, g, style, cache).symbols(p, QRect(0, 0, 1, 1), QSize(16, 16), 12, true);
        p.end();
        return image;
    };
    auto drawn = [&](const QFont& font) {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        drawSymbolText(p, QRectF(0, 0, 16, 16), symbol);
        p.end();
        return image;
    };
    const QImage glyph = drawn(symbolFont(true, 12));
    EXPECT_EQ(painted(true, ChartStyle::Screen), glyph);
    EXPECT_EQ(painted(true, ChartStyle::PrintBlackWhite), glyph);
    EXPECT_NE(painted(false, ChartStyle::Screen), glyph);
    EXPECT_EQ(painted(false, ChartStyle::PrintBlackWhite), drawn(songTi(12)));
}

}  // namespace brenmark
