// Pages drawn into 32-bit pictures take their cells and symbols from stamps written straight
// into the pixels; every pixel must be what drawing each cell as text gives. The reference
// is the same page drawn into a 24-bit picture, which the stamps never touch.
#include "editor/render/chart_layout.h"
#include "editor/render/raster_cells.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

// Forty threads from near black to near white, their default symbols (letters, digits,
// CJK signs), a few marks of the key's own kinds and an outline over cells of every thread.
PatternDocument manyThreads()
{
    PatternDocument doc;
    doc.create(37, 29, "DMC");
    for (int i = 0; i < 40; ++i)
        doc.addThread(rgb(static_cast<std::uint8_t>(i * 6), static_cast<std::uint8_t>(250 - i * 5),
                          static_cast<std::uint8_t>((i * 53) % 256)),
                      std::to_string(300 + i));
    doc.assignDefaultSymbols();
    for (int r = 0; r < doc.height(); ++r)
        for (int c = 0; c < doc.width(); ++c)
            doc.setCell(c, r, (c * 7 + r * 3) % 41 - 1);  // every thread, and some empty cells
    return doc;
}

QImage drawn(const ChartLayout& layout, int page, ChartStyle style, QImage::Format format, qreal scale)
{
    QImage image((QSizeF(layout.pageSize()) * scale).toSize(), format);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    layout.drawPage(p, page, style);
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

int differingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

}  // namespace

TEST(RasterCells, StampedPagesEqualTextDrawnPagesAtEveryCellSizeAndStyle)
{
    const PatternDocument doc = manyThreads();
    for (const int cellSize : {7, 10, 16}) {
        PrintSettings settings;
        settings.cellSize = cellSize;
        const ChartLayout layout(doc, settings, QSize(794, 1123));
        for (const ChartStyle style : {ChartStyle::PrintColour, ChartStyle::PrintBlackWhite, ChartStyle::ColouredSymbols})
            for (const qreal scale : {1.0, 2.0}) {
                SCOPED_TRACE(::testing::Message() << "cell " << cellSize << " style " << static_cast<int>(style)
                                                  << " scale " << scale);
                const QImage stamped = drawn(layout, 1, style, QImage::Format_RGB32, scale);
                const QImage text = drawn(layout, 1, style, QImage::Format_RGB888, scale);
                EXPECT_EQ(differingPixels(stamped, text), 0);
            }
    }
}

TEST(RasterCells, OnlyWholePixelCellsOfAThirtyTwoBitPictureAreWrittenDirectly)
{
    ChartGeometry g;
    g.cellSize = 10;
    g.origin = QPoint(30, 20);
    QImage rgb32(200, 200, QImage::Format_RGB32), rgb888(200, 200, QImage::Format_RGB888);
    {
        QPainter p(&rgb32);
        const auto target = RasterCells::of(p, g);
        ASSERT_TRUE(target);
        EXPECT_EQ(target->cellPixels(2, 3), QRect(50, 50, 10, 10));
        p.scale(1.5, 1.5);  // 15 pixels a cell, but the origin at 45, 30: still whole
        EXPECT_TRUE(RasterCells::of(p, g));
        p.scale(1.1, 1.1);  // 16.5 pixels a cell
        EXPECT_FALSE(RasterCells::of(p, g));
        p.resetTransform();
        p.rotate(90);
        EXPECT_FALSE(RasterCells::of(p, g));
        p.resetTransform();
        p.setOpacity(0.5);
        EXPECT_FALSE(RasterCells::of(p, g));
        p.setOpacity(1);
        p.setClipRect(QRect(40, 40, 30, 30));
        const auto clipped = RasterCells::of(p, g);
        ASSERT_TRUE(clipped);
        EXPECT_EQ(clipped->clip(), QRect(40, 40, 30, 30));
        p.setClipRegion(QRegion(0, 0, 10, 10) + QRegion(50, 50, 10, 10));
        EXPECT_FALSE(RasterCells::of(p, g));  // a clip of two rectangles is left to the painter
    }
    {
        QPainter p(&rgb888);
        EXPECT_FALSE(RasterCells::of(p, g));
    }
}

TEST(RasterCells, WritesStayWithinTheClip)
{
    ChartGeometry g;
    g.cellSize = 10;
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setClipRect(QRect(5, 5, 20, 20));
    auto target = RasterCells::of(p, g);
    ASSERT_TRUE(target);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            target->fillCell(c, r, qRgb(200, 0, 0));
    p.end();
    int red = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) == 0xC80000u) {
                ++red;
                EXPECT_TRUE(QRect(5, 5, 20, 20).contains(x, y)) << x << "," << y;
            }
    EXPECT_EQ(red, 400);
}
