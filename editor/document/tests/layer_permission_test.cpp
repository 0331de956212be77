// Whether a drawing tool may paint a cell: visible stitches above the layer being drawn on
// protect the cells they cover.
#include "editor/document/tests/layer_test_support.h"

#include <gtest/gtest.h>

namespace brenmark::layertest {
namespace {

// a, b, c, 背景 (top first); a covers (1, 1), b covers (2, 1).
struct Stack : Fixture {
    Stack()
    {
        ops->newLayer("c");
        ops->newLayer("b");
        ops->newLayer("a");
        paint(0, 1, 1, 0);
        paint(1, 2, 1, 1);
        ops->recompose();
    }
};

TEST(PaintPermission, AtTheTopMostLayerEveryCellMayBePainted)
{
    Stack f;
    ASSERT_EQ(f.list().permissionLayer(), 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_TRUE(f.list().canPaint(x, y));
}

TEST(PaintPermission, BelowTheTopVisibleStitchesAboveProtectTheirCells)
{
    Stack f;
    f.ops->chooseDrawingLayer(2);
    ASSERT_EQ(f.list().permissionLayer(), 2);
    EXPECT_FALSE(f.list().canPaint(1, 1)) << "covered by a";
    EXPECT_FALSE(f.list().canPaint(2, 1)) << "covered by b";
    EXPECT_TRUE(f.list().canPaint(0, 1));
    EXPECT_TRUE(f.list().canPaint(3, 2));
}

TEST(PaintPermission, HiddenLayersAboveDoNotProtect)
{
    Stack f;
    f.ops->chooseDrawingLayer(2);
    f.ops->toggleVisible(0);
    EXPECT_TRUE(f.list().canPaint(1, 1));
    EXPECT_FALSE(f.list().canPaint(2, 1));
}

TEST(PaintPermission, ALinkedLayerAboveTheDrawingLayerIsWhereTheTestStarts)
{
    Stack f;
    f.ops->chooseDrawingLayer(3);
    f.ops->toggleLinked(1);
    ASSERT_EQ(f.list().permissionLayer(), 1);
    EXPECT_FALSE(f.list().canPaint(1, 1));
    EXPECT_TRUE(f.list().canPaint(2, 1)) << "b's own stitch does not protect itself";
}

TEST(PaintPermission, AHiddenDrawingLayerIsPassedOver)
{
    Stack f;
    f.ops->chooseDrawingLayer(2);
    f.ops->toggleVisible(2);
    EXPECT_EQ(f.list().permissionLayer(), -1);
    EXPECT_TRUE(f.list().canPaint(1, 1)) << "no layer to start from: allowed";
}

TEST(PaintPermission, AHiddenLinkedLayerStillCounts)
{
    Stack f;
    f.list().setOnlyDrawing(-1);
    f.layer(2).linked = true;
    f.layer(2).visible = false;
    EXPECT_EQ(f.list().permissionLayer(), 2);
    EXPECT_FALSE(f.list().canPaint(1, 1));
}

TEST(PaintPermission, CellsOutsideThePatternAreLeftToTheCaller)
{
    Stack f;
    f.ops->chooseDrawingLayer(2);
    EXPECT_TRUE(f.list().canPaint(-1, 0));
    EXPECT_TRUE(f.list().canPaint(4, 0));
    EXPECT_TRUE(f.list().canPaint(0, 3));
}

TEST(FillPrecondition, TheTopMostVisibleLayerMustBeLinkedOrDrawing)
{
    Stack f;
    EXPECT_TRUE(f.list().topVisibleIsLinkedOrDrawable());
    f.ops->chooseDrawingLayer(2);
    EXPECT_FALSE(f.list().topVisibleIsLinkedOrDrawable());
    f.ops->toggleLinked(0);
    EXPECT_TRUE(f.list().topVisibleIsLinkedOrDrawable());
    f.ops->toggleVisible(0);
    f.ops->toggleVisible(1);
    EXPECT_TRUE(f.list().topVisibleIsLinkedOrDrawable()) << "c is the top-most visible and draws";
}

}  // namespace
}  // namespace brenmark::layertest
