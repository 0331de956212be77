#include "editor/app/layer_panel.h"

#include "editor/app/tests/app_test_support.h"

#include <QTest>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

using G = LayerRowGeometry;

TEST(LayerRowHit, PartsOfARowFromLeftToRight)
{
    const LayerPanelLayout layout(40, 300);
    const int y = LayerPanelLayout::kTop + 10;
    EXPECT_EQ(hitLayerRow(layout, 2, {G::kEyeLeft + 3, y}, 200), (LayerRowHit{0, LayerRowPart::Eye}));
    EXPECT_EQ(hitLayerRow(layout, 2, {G::kLinkLeft + 3, y}, 200), (LayerRowHit{0, LayerRowPart::Link}));
    EXPECT_EQ(hitLayerRow(layout, 2, {G::kNameLeft + 30, y}, 200), (LayerRowHit{0, LayerRowPart::Name}));
    EXPECT_EQ(hitLayerRow(layout, 2, {G::kNameLeft + 30, y + layout.rowStep()}, 200), (LayerRowHit{1, LayerRowPart::Name}));
}

TEST(LayerRowHit, GapsAndEmptySpaceHitNothing)
{
    const LayerPanelLayout layout(40, 300);
    EXPECT_EQ(hitLayerRow(layout, 2, {50, 2}, 200), LayerRowHit{});
    EXPECT_EQ(hitLayerRow(layout, 2, {50, LayerPanelLayout::kTop + 42}, 200), LayerRowHit{});  // in the gap
    EXPECT_EQ(hitLayerRow(layout, 2, {50, LayerPanelLayout::kTop + 2 * layout.rowStep() + 5}, 200), LayerRowHit{});
    EXPECT_EQ(hitLayerRow(layout, 2, {1, 10}, 200), LayerRowHit{});
}

class Panel : public ::testing::Test {
protected:
    PatternDocument doc;
    test::RecordingUndo undo;
    test::ScriptedDialogs dialogs;
    LayerOperations layers{doc, undo};
    LayerPanel panel{layers, dialogs};

    void SetUp() override
    {
        doc.create(6, 6, "DMC");
        panel.resize(220, 300);
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    }
    QPoint at(int row, int x)
    {
        return {x, panel.layout().rowTop(row) + panel.layout().rowHeight() / 2};
    }
    QPoint name(int row) { return at(row, G::kNameLeft + 40); }
};

TEST_F(Panel, NewLayerAsksForItsName)
{
    dialogs.layerNames = {std::string("花")};
    ASSERT_TRUE(panel.newLayer());
    EXPECT_EQ(dialogs.log, std::vector<std::string>{"layerName"});
    ASSERT_EQ(doc.layers.size(), 2);
    EXPECT_EQ(doc.layers[0].name, "花");
    EXPECT_FALSE(panel.newLayer());  // cancelled
    EXPECT_EQ(doc.layers.size(), 2);
}

TEST_F(Panel, TheEyeHidesAndShowsALayer)
{
    QTest::mouseClick(&panel, Qt::LeftButton, {}, at(0, G::kEyeLeft + 5));
    EXPECT_FALSE(doc.layers[0].visible);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, at(0, G::kEyeLeft + 5));
    EXPECT_TRUE(doc.layers[0].visible);
}

TEST_F(Panel, TheLinkButtonLinksAPlainLayer)
{
    dialogs.layerNames = {std::string("top")};
    panel.newLayer();
    QTest::mouseClick(&panel, Qt::LeftButton, {}, at(1, G::kLinkLeft + 5));
    EXPECT_TRUE(doc.layers[1].linked);
}

TEST_F(Panel, ClickingANameMakesThatLayerTheDrawingLayer)
{
    dialogs.layerNames = {std::string("top")};
    panel.newLayer();
    ASSERT_TRUE(doc.layers[0].drawable);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, name(1));
    EXPECT_TRUE(doc.layers[1].drawable);
    EXPECT_FALSE(doc.layers[0].drawable);
}

TEST_F(Panel, DraggingARowOntoAnotherSwapsThem)
{
    dialogs.layerNames = {std::string("top")};
    panel.newLayer();
    QTest::mousePress(&panel, Qt::LeftButton, {}, name(0));
    QTest::mouseMove(&panel, name(1));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, name(1));
    EXPECT_EQ(doc.layers[0].name, "背景");
    EXPECT_EQ(doc.layers[1].name, "top");
}

TEST_F(Panel, ReleasingOnTheSameRowKeepsTheOrder)
{
    dialogs.layerNames = {std::string("top")};
    panel.newLayer();
    QTest::mouseClick(&panel, Qt::LeftButton, {}, name(0));
    EXPECT_EQ(doc.layers[0].name, "top");
}

TEST_F(Panel, TheMenuCommandsReachTheLayers)
{
    EXPECT_TRUE(panel.copyDrawingLayer());
    EXPECT_EQ(doc.layers[0].name, "复制层");
    EXPECT_TRUE(panel.mergeVisible());
    EXPECT_EQ(doc.layers.size(), 1);
    EXPECT_FALSE(panel.deleteLayer());  // the only layer stays
}

}  // namespace
}  // namespace brenmark
