// The one mapping between cells and device points.
#include "editor/document/backstitch_line.h"
#include "editor/render/chart_geometry.h"

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

ChartGeometry screenAt(float s, QPoint origin, int firstColumn = 0, int firstRow = 0)
{
    ChartGeometry g;
    g.cellSize = s;
    g.origin = origin;
    g.areaStart = QPoint(35, 20);
    g.firstColumn = firstColumn;
    g.firstRow = firstRow;
    g.width = 50;
    g.height = 40;
    return g;
}

}  // namespace

TEST(ChartGeometry, CellRectanglesAndCornersFollowTheOriginAndCellSize)
{
    const ChartGeometry g = screenAt(8, QPoint(35, 20));
    EXPECT_EQ(g.cellRectF(2, 3), QRectF(51, 44, 8, 8));
    EXPECT_EQ(g.cellRect(2, 3), QRect(51, 44, 8, 8));
    EXPECT_EQ(g.cornerPoint(2, 3, TopLeft), QPointF(51, 44));
    EXPECT_EQ(g.cornerPoint(2, 3, TopRight), QPointF(59, 44));
    EXPECT_EQ(g.cornerPoint(2, 3, BottomLeft), QPointF(51, 52));
    EXPECT_EQ(g.cornerPoint(2, 3, BottomRight), QPointF(59, 52));
    EXPECT_EQ(g.chartRect(), QRectF(35, 20, 400, 320));
}

TEST(ChartGeometry, HalfPixelCellsRoundTheirRectangleOutwardsToOnePixel)
{
    const ChartGeometry g = screenAt(0.5f, QPoint(35, 20));
    EXPECT_EQ(g.cellRect(3, 3), QRect(36, 21, 1, 1));
    EXPECT_EQ(g.cellAt(QPoint(36, 21)), QPoint(2, 2));
}

TEST(ChartGeometry, CellAtFloorsLeftOfTheOrigin)
{
    const ChartGeometry g = screenAt(8, QPoint(35, 20));
    EXPECT_EQ(g.cellAt(QPoint(35, 20)), QPoint(0, 0));
    EXPECT_EQ(g.cellAt(QPoint(42, 27)), QPoint(0, 0));
    EXPECT_EQ(g.cellAt(QPoint(43, 28)), QPoint(1, 1));
    EXPECT_EQ(g.cellAt(QPoint(34, 19)), QPoint(-1, -1));
}

TEST(ChartGeometry, EditedCellsCountFromTheRulersAndStayInsideTheChart)
{
    // Scrolled by 10 columns and 5 rows.
    const ChartGeometry g = screenAt(8, QPoint(35 - 80, 20 - 40), 10, 5);
    EXPECT_EQ(g.editedCellAt(QPoint(35, 20)), QPoint(10, 5));
    EXPECT_EQ(g.editedCellAt(QPoint(34, 20)), std::nullopt);  // on the ruler
    EXPECT_EQ(g.editedCellAt(QPoint(35, 19)), std::nullopt);
    EXPECT_EQ(g.editedCellAt(QPoint(35 + 39 * 8, 20)), QPoint(49, 5));
    EXPECT_EQ(g.editedCellAt(QPoint(35 + 40 * 8, 20)), std::nullopt);  // past the last column
    EXPECT_EQ(g.rawEditedCellAt(QPoint(35 + 40 * 8, 20)), QPoint(50, 5));
}

TEST(ChartGeometry, VisibleCellsAreThoseTouchingTheDeviceFromTheAreasStart)
{
    const ChartGeometry g = screenAt(8, QPoint(35 - 80, 20), 10, 0);
    const QRect v = g.visibleCells(QSize(200, 100));
    EXPECT_EQ(v.left(), 10);
    EXPECT_EQ(v.top(), 0);
    EXPECT_EQ(v.right(), 31);   // ceil((200 + 45) / 8) + 1 = 32: one spare column
    EXPECT_EQ(v.bottom(), 10);  // ceil(80 / 8) + 1 = 11 rows
    // Never past the chart.
    EXPECT_EQ(screenAt(8, QPoint(35, 20)).visibleCells(QSize(2000, 2000)), QRect(0, 0, 50, 40));
}
