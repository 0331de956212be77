// Snapping to cell corners, picking lines, and the widths the band and the lines are drawn.
#include "editor/view/backstitch/backstitch_editor.h"
#include "editor/document/tests/line_builder.h"
#include "editor/view/backstitch/line_geometry.h"
#include "editor/view/tests/view_fixture.h"
#include "editor/view/undo_history.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace brenmark {
namespace {

LineViewGeometry geometry(float s, int w = 20, int h = 20)
{
    LineViewGeometry g;
    g.cellSize = s;
    g.width = w;
    g.height = h;
    return g;
}

BackstitchLine lineBetween(int c0, int r0, int k0, int c1, int r1, int k1)
{
    return test::outlineLine("310", 0, c0, r0, k0, c1, r1, k1);
}

TEST(BackstitchSnap, LowerRightQuarterSnapsToCornerThree)
{
    // Cell (2, 1) at 8 pixels: left edge 35 + 16 = 51, top edge 20 + 8 = 28.
    const auto c = snapToCorner({51 + 6, 28 + 7}, geometry(8));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->column, 2);
    EXPECT_EQ(c->row, 1);
    EXPECT_EQ(c->corner, BottomRight);
    EXPECT_EQ(c->client, QPointF(59, 36));
}

TEST(BackstitchSnap, ExactMiddleSnapsRightAndDown)
{
    const auto c = snapToCorner({51 + 4, 28 + 4}, geometry(8));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->corner, BottomRight);
    // One pixel short of the middle stays left and up.
    const auto before = snapToCorner({51 + 3, 28 + 3}, geometry(8));
    ASSERT_TRUE(before);
    EXPECT_EQ(before->column, 2);
    EXPECT_EQ(before->corner, TopLeft);
    EXPECT_EQ(before->client, QPointF(51, 28));
    // Middle in x only.
    EXPECT_EQ(snapToCorner({51 + 4, 28 + 3}, geometry(8))->corner, TopRight);
    EXPECT_EQ(snapToCorner({51 + 3, 28 + 4}, geometry(8))->corner, BottomLeft);
}

TEST(BackstitchSnap, CountsFromTheFirstVisibleCell)
{
    LineViewGeometry g = geometry(4, 100, 100);
    g.firstColumn = 10;
    g.firstRow = 5;
    const auto c = snapToCorner({35 + 4 * 3 + 2, 20 + 4 * 2 + 1}, g);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->column, 13);
    EXPECT_EQ(c->row, 7);
    EXPECT_EQ(c->corner, TopRight);
    EXPECT_EQ(c->client, QPointF(35 + 16, 28));
}

TEST(BackstitchSnap, RulersAndOutsideArePassedOver)
{
    EXPECT_FALSE(snapToCorner({34, 40}, geometry(8)));
    EXPECT_FALSE(snapToCorner({40, 19}, geometry(8)));
    EXPECT_FALSE(snapToCorner({35 + 20 * 8, 40}, geometry(8)));
    EXPECT_FALSE(snapToCorner({40, 20 + 20 * 8}, geometry(8)));
    EXPECT_TRUE(snapToCorner({35, 20}, geometry(8)));
}

TEST(BackstitchHit, HorizontalLineIsHitWithinAPixel)
{
    // From the top-left of cell (1, 1) to the top-right of cell (4, 1): y = 28, x 43..75.
    const BackstitchLine l = lineBetween(1, 1, TopLeft, 4, 1, TopRight);
    const LineViewGeometry g = geometry(8);
    EXPECT_TRUE(lineHit(l, {60, 28}, g));
    EXPECT_TRUE(lineHit(l, {60, 27}, g));
    EXPECT_TRUE(lineHit(l, {60, 29}, g));
    EXPECT_FALSE(lineHit(l, {60, 30}, g));
    EXPECT_FALSE(lineHit(l, {76, 28}, g));
}

TEST(BackstitchHit, VerticalLineNeedsOnlyTheWidenedBox)
{
    const BackstitchLine l = lineBetween(2, 0, TopLeft, 2, 3, BottomLeft);  // x = 51, y 20..52
    const LineViewGeometry g = geometry(8);
    EXPECT_TRUE(lineHit(l, {50, 40}, g));
    EXPECT_TRUE(lineHit(l, {52, 52}, g));
    EXPECT_FALSE(lineHit(l, {53, 40}, g));
    EXPECT_FALSE(lineHit(l, {51, 53}, g));
}

TEST(BackstitchHit, DiagonalUsesTheVerticalDistance)
{
    // (35, 20) to (67, 52): the line y = x - 15.
    const BackstitchLine l = lineBetween(0, 0, TopLeft, 3, 3, BottomRight);
    const LineViewGeometry g = geometry(8);
    EXPECT_TRUE(lineHit(l, {50, 35}, g));
    EXPECT_TRUE(lineHit(l, {50, 43}, g));   // 8 below: less than s + 1
    EXPECT_FALSE(lineHit(l, {50, 44}, g));  // 9 below
    EXPECT_TRUE(lineHit(l, {50, 27}, g));
    EXPECT_FALSE(lineHit(l, {50, 26}, g));
}

TEST(BackstitchHit, FirstLineInOrderWins)
{
    const std::vector<BackstitchLine> lines{lineBetween(0, 0, TopLeft, 5, 0, TopLeft),
                                            lineBetween(0, 0, TopLeft, 5, 0, TopLeft),
                                            lineBetween(0, 4, TopLeft, 5, 4, TopLeft)};
    const LineViewGeometry g = geometry(8);
    EXPECT_EQ(firstHitLine(lines, {50, 20}, g), 0);
    EXPECT_EQ(firstHitLine(lines, {50, 52}, g), 2);
    EXPECT_EQ(firstHitLine(lines, {50, 40}, g), -1);
}

TEST(BackstitchPens, WidthsAtEightAndFourPixels)
{
    EXPECT_EQ(outlinePenWidth(8), 2);
    EXPECT_EQ(drawnLineWidth(8), 2);
    EXPECT_EQ(outlinePenWidth(4), 1);
    EXPECT_EQ(drawnLineWidth(4), 1);
    EXPECT_EQ(outlinePenWidth(32), 10);
    EXPECT_EQ(drawnLineWidth(32), 8);
    EXPECT_EQ(outlinePenWidth(2), 0);  // the thinnest pen
}

// Rows of column x below the top ruler whose pixel differs from the background.
int thickness(const QImage& image, int x, QRgb background, int bottom)
{
    int n = 0;
    for (int y = 21; y < bottom; ++y)
        if ((image.pixel(x, y) & 0xFFFFFFu) != (background & 0xFFFFFFu))
            ++n;
    return n;
}

struct PaintFixture : test::ViewFixture {
    UndoHistory undo{view, current};
    BackstitchEditor editor{view, current, undo};
    void drawHorizontal()
    {
        doc.lines.push_back(lineBetween(1, 3, TopLeft, 8, 3, TopLeft));
        doc.layers[0].lines = doc.lines;
    }
};

TEST(BackstitchPens, DrawnLinesAreTwoPixelsAtEightAndOneAtFour)
{
    for (const auto& [cell, expected] : {std::pair{8.0f, 2}, std::pair{4.0f, 1}}) {
        PaintFixture f;
        f.make(20, 20, {rgb(0, 0, 255)});
        f.zoomTo(cell);
        f.view.setShowGrid(false);
        f.drawHorizontal();
        const QImage image = f.paint();
        // In the middle of the line, away from its round ends.
        const int x = static_cast<int>(35 + 4 * cell);
        EXPECT_EQ(thickness(image, x, qRgb(255, 255, 255), static_cast<int>(20 + 20 * cell)), expected) << "cell " << cell;
    }
}

TEST(BackstitchPens, RubberBandInvertsTwoPixelsAtEightAndOneAtFour)
{
    for (const auto& [cell, expected] : {std::pair{8.0f, 2}, std::pair{4.0f, 1}}) {
        PaintFixture f;
        f.make(20, 20, {rgb(0, 0, 255)});
        f.zoomTo(cell);
        f.current.set({0, rgb(0, 0, 255), "0"});
        const int s = static_cast<int>(cell);
        f.editor.polylineClick({35 + s + 1, 20 + 3 * s + 1});
        f.editor.polylineMove({35 + 8 * s + 1, 20 + 3 * s + 1});
        ASSERT_TRUE(f.editor.rubberBand().shown);
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            f.editor.paintRubberBand(p);
        }
        const int x = 35 + 4 * s;
        EXPECT_EQ(thickness(image, x, qRgb(255, 255, 255), image.height()), expected) << "cell " << cell;
        // NOT mode: white turns black whatever the pen's colour.
        const int y = 20 + 3 * s;
        EXPECT_EQ(image.pixel(x, y) & 0xFFFFFFu, 0u);
        // Drawn a second time it is gone.
        {
            QPainter p(&image);
            f.editor.paintRubberBand(p);
        }
        EXPECT_EQ(thickness(image, x, qRgb(255, 255, 255), image.height()), 0);
    }
}

}  // namespace
}  // namespace brenmark
