// View state: zoom steps, origin clamping, the cell image and the messages.
#include "editor/view/tests/view_fixture.h"

#include <gtest/gtest.h>

using namespace brenmark;
using namespace brenmark::test;

TEST(ViewZoom, StepsFromEightToThirtyTwoAndDownToHalfAPixel)
{
    ViewFixture f;
    f.make(10, 10);
    EXPECT_EQ(f.view.cellSize(), 8.0f);
    std::vector<float> sizes;
    while (f.view.zoomIn())
        sizes.push_back(f.view.cellSize());
    EXPECT_EQ(sizes, (std::vector<float>{16, 32}));
    sizes.clear();
    while (f.view.zoomOut())
        sizes.push_back(f.view.cellSize());
    EXPECT_EQ(sizes, (std::vector<float>{16, 8, 4, 2, 1, 0.5f}));
    EXPECT_FALSE(f.view.zoomOut());
    EXPECT_EQ(f.view.zoomDivisor(), 2.0f);
}

TEST(ViewZoom, OpeningAPatternResetsTheZoom)
{
    ViewFixture f;
    f.make(10, 10);
    f.view.zoomOut();
    f.make(5, 5);
    EXPECT_EQ(f.view.zoomDivisor(), 0.125f);
}

TEST(ViewZoom, ZoomAboutThePointerKeepsTheCellUnderIt)
{
    ViewFixture f;
    f.make(100, 100);
    const QPoint pointer(203, 157);
    const QPoint before = f.view.cellAt(pointer);
    ASSERT_TRUE(f.view.zoomAbout(pointer, true));
    EXPECT_EQ(f.view.cellAt(pointer), before);
}

TEST(ViewOrigin, NeverPassesTheRulersAndAlignsToCellBorders)
{
    ViewFixture f;
    f.make(100, 100);
    f.view.setOrigin(QPoint(500, 400));
    f.view.clampOrigin(f.client);
    EXPECT_EQ(f.view.origin(), QPoint(kLeftRuler, kTopRuler));
    f.view.setOrigin(QPoint(-101, -45));
    f.view.clampOrigin(f.client);
    EXPECT_EQ((f.view.origin().x() - kLeftRuler) % 8, 0);
    EXPECT_EQ((f.view.origin().y() - kTopRuler) % 8, 0);
    EXPECT_EQ(f.view.origin(), QPoint(-101, -44));  // -136 is already a multiple of 8
    EXPECT_EQ(f.view.firstColumn(), (kLeftRuler - f.view.origin().x()) / 8);
}

TEST(ViewOrigin, APatternSmallerThanEightCellsStaysAtTheRulers)
{
    ViewFixture f;
    f.make(5, 3);
    f.view.setOrigin(QPoint(-500, -500));
    f.view.clampOrigin(f.client);
    EXPECT_EQ(f.view.origin(), QPoint(kLeftRuler, kTopRuler));
}

TEST(ViewOrigin, ScrolledToTheFarEndEightCellsStayInView)
{
    ViewFixture f;
    f.make(200, 150);
    for (float size : {8.0f, 32.0f, 2.0f}) {
        f.zoomTo(size);
        f.view.setOrigin(QPoint(-1000000, -1000000));
        f.paint();
        const float s = f.view.cellSize();
        EXPECT_GE(f.view.origin().x() + 200 * s, kLeftRuler + 8 * s) << size;
        EXPECT_LE(f.view.origin().x() + 200 * s, kLeftRuler + 9 * s) << size;
        EXPECT_GE(f.view.origin().y() + 150 * s, kTopRuler + 8 * s) << size;
    }
}

TEST(ViewCellImage, AlwaysHoldsTheGridsColours)
{
    ViewFixture f;
    f.make(3, 2, {rgb(10, 20, 30), rgb(40, 50, 60)});
    f.view.setCell(0, 0, 1);
    f.view.setCell(2, 1, 0);
    f.doc.setCell(1, 1, 9);  // no such thread: shown as fabric
    f.view.rebuildCellImage();
    const QImage& img = f.view.cellImage();
    ASSERT_EQ(img.size(), QSize(3, 2));
    EXPECT_EQ(at(img, 0, 0), 0x28323Cu);
    EXPECT_EQ(at(img, 2, 1), 0x0A141Eu);
    EXPECT_EQ(at(img, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(at(img, 1, 0), 0xFFFFFFu);

    f.doc.setFabricColor(rgb(240, 234, 218));  // empty pixels follow the fabric
    EXPECT_EQ(at(f.view.cellImage(), 1, 0), 0xF0EADAu);
    EXPECT_EQ(at(f.view.cellImage(), 1, 1), 0xF0EADAu);
    EXPECT_EQ(at(f.view.cellImage(), 0, 0), 0x28323Cu);
}

TEST(ViewCellImage, RebuildReportsTenthsOfTheCells)
{
    struct Progress : ProgressReport {
        std::vector<int> positions;
        void setRange(int, int) override {}
        void setPosition(int p) override { positions.push_back(p); }
    } progress;
    ViewFixture f;
    f.make(10, 10);
    f.view.rebuildCellImage(&progress);
    EXPECT_EQ(progress.positions, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(ViewMessages, FlashingFollowsTheCurrentColour)
{
    ViewFixture f;
    f.make(2, 2, {rgb(255, 0, 0), rgb(0, 0, 255)});
    f.view.dispatch(MsgSetCurrentColour, static_cast<std::intptr_t>(rgb(255, 0, 0)), 0);
    f.view.dispatch(MsgSetFlashing, 1, 0);
    EXPECT_TRUE(f.view.flashing());
    EXPECT_EQ(f.view.flashColour(), rgb(255, 0, 0));
    f.view.dispatch(MsgSetCurrentColour, static_cast<std::intptr_t>(rgb(0, 0, 255)), 0);
    EXPECT_EQ(f.view.flashColour(), rgb(255, 0, 0));  // a plain pick leaves the flash colour
    f.view.dispatch(MsgSetCurrentColour, static_cast<std::intptr_t>(rgb(0, 0, 255)), 1);
    EXPECT_EQ(f.view.flashColour(), rgb(0, 0, 255));
    f.view.dispatch(MsgSetFlashing, 0, 0);
    EXPECT_FALSE(f.view.flashing());
}

TEST(ViewOverview, FitsThePatternKeepingItsShape)
{
    ViewFixture f;
    f.make(200, 100, {rgb(0, 0, 0)});
    f.view.rebuildOverview(QSize(100, 100));
    EXPECT_DOUBLE_EQ(f.view.overviewScale(), 2.0);
    EXPECT_EQ(f.view.overviewOffset(), QPoint(0, 25));
    EXPECT_EQ(at(f.view.overviewImage(), 50, 10), 0xFFFFFFu);  // fabric above the pattern
}
