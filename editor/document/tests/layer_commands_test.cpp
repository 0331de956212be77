// The layer menu and the rows of the layer panel: what each command does to the list, its
// refusals, and the undo steps recorded before the change.
#include "editor/document/tests/layer_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace brenmark::layertest {
namespace {

using Labels = std::vector<std::string>;

TEST(LayerLimit, NewLayerStopsAtTen)
{
    Fixture f;
    f.growTo(kMaxLayers);
    ASSERT_EQ(f.list().size(), 10);
    const auto labels = f.undo.labels;
    const auto names = f.names();
    EXPECT_FALSE(f.ops->newLayer("eleven"));
    EXPECT_EQ(f.list().size(), 10);
    EXPECT_EQ(f.names(), names);
    EXPECT_EQ(f.undo.labels, labels) << "a refused command records no step";
}

TEST(LayerLimit, CopyAndInsertStopAtTen)
{
    Fixture f;
    f.growTo(kMaxLayers);
    const int recomposed = f.seen.recomposed;
    const std::size_t steps = f.undo.labels.size();
    EXPECT_FALSE(f.ops->copyDrawingLayer());
    EXPECT_EQ(f.ops->insertLayerAt(3, LayerKind::Paste), -1);
    EXPECT_EQ(f.ops->textLayerAt(0), -1);
    EXPECT_EQ(f.list().size(), 10);
    EXPECT_EQ(f.undo.labels.size(), steps);
    EXPECT_EQ(f.seen.recomposed, recomposed);
}

TEST(LayerLimit, NothingWithoutAPattern)
{
    PatternDocument doc;
    RecordingUndo undo;
    LayerOperations ops(doc, undo);
    EXPECT_FALSE(ops.newLayer("a"));
    EXPECT_FALSE(ops.copyDrawingLayer());
    EXPECT_EQ(ops.insertLayerAt(0, LayerKind::Text), -1);
    EXPECT_FALSE(ops.deleteLayer());
    EXPECT_TRUE(doc.layers.empty());
    EXPECT_TRUE(undo.labels.empty());
}

TEST(NewLayer, EmptyDrawableOnTopTakingDrawingFromOthers)
{
    Fixture f;
    f.paint(0, 1, 1, 2);
    f.ops->recompose();
    ASSERT_TRUE(f.ops->newLayer("上层"));
    EXPECT_EQ(f.names(), (std::vector<std::string>{"上层", "背景"}));
    EXPECT_EQ(f.flags(), "D-");
    const PatternLayer& top = f.layer(0);
    EXPECT_TRUE(std::all_of(top.cells.begin(), top.cells.end(), [](std::int32_t v) { return v == EmptyCell; }));
    EXPECT_TRUE(top.lines.empty());
    EXPECT_TRUE(top.marks.empty());
    EXPECT_TRUE(top.threadColors.empty());
    EXPECT_EQ(thumbnailOf(top, f.doc), std::vector<std::uint32_t>(12, pixelOf(kWhite)));
    EXPECT_EQ(top.width, 4);
    EXPECT_EQ(top.height, 3);
    EXPECT_EQ(f.undo.labels, Labels{"取消新建层"});
    EXPECT_EQ(f.doc.grid.cells[f.at(1, 1)], 2) << "an empty layer on top hides nothing";
    EXPECT_TRUE(f.list().invariantsHold(f.doc));
}

TEST(NewLayer, NameIsCutAtACharacterBoundaryToFitItsField)
{
    Fixture f;
    // Ten double-byte characters are 20 bytes: only nine fit before the terminator.
    ASSERT_TRUE(f.ops->newLayer("一二三四五六七八九十"));
    EXPECT_EQ(f.layer(0).name, std::string("一二三四五六七八九"));
    EXPECT_EQ(f.layer(0).name.size(), 18u);
}

TEST(DeleteLayer, TheOnlyLayerStays)
{
    Fixture f;
    EXPECT_FALSE(f.ops->deleteLayer());
    EXPECT_EQ(f.list().size(), 1);
    EXPECT_TRUE(f.undo.labels.empty());
}

TEST(DeleteLayer, NothingWithoutADrawingLayer)
{
    Fixture f;
    f.ops->newLayer("a");
    f.list().setOnlyDrawing(-1);
    f.undo.labels.clear();
    EXPECT_FALSE(f.ops->deleteLayer());
    EXPECT_EQ(f.list().size(), 2);
    EXPECT_TRUE(f.undo.labels.empty());
}

TEST(DeleteLayer, TheLayerBelowBecomesTheDrawingLayer)
{
    Fixture f;
    f.ops->newLayer("b");
    f.ops->newLayer("a");  // a (drawing), b, 背景
    f.paint(0, 0, 0, 1);
    f.ops->recompose();
    ASSERT_EQ(f.doc.grid.cells[0], 1);
    f.undo.labels.clear();
    ASSERT_TRUE(f.ops->deleteLayer());
    EXPECT_EQ(f.names(), (std::vector<std::string>{"b", "背景"}));
    EXPECT_EQ(f.flags(), "D-");
    EXPECT_EQ(f.undo.labels, Labels{"取消删除层"});
    EXPECT_EQ(f.doc.grid.cells[0], EmptyCell) << "the deleted layer's stitches leave the composite";
}

TEST(DeleteLayer, ALinkedLayerBelowLeavesTheGroupToDraw)
{
    Fixture f;
    f.ops->newLayer("c");
    f.ops->newLayer("b");
    f.ops->newLayer("a");  // a D, b, c, 背景
    f.ops->toggleLinked(1);
    f.ops->toggleLinked(3);
    ASSERT_EQ(f.flags(), "DL-L");
    ASSERT_TRUE(f.ops->deleteLayer());
    EXPECT_EQ(f.flags(), "D-L") << "b draws, the rest of the group stays linked";
    EXPECT_EQ(f.layer(0).buttonState, 1);
    EXPECT_EQ(f.layer(2).buttonState, 2);
}

TEST(DeleteLayer, DeletingTheBottomLayerLeavesNoDrawingLayer)
{
    Fixture f;
    f.ops->newLayer("a");
    f.ops->chooseDrawingLayer(1);
    ASSERT_EQ(f.flags(), "-D");
    ASSERT_TRUE(f.ops->deleteLayer());
    EXPECT_EQ(f.names(), std::vector<std::string>{"a"});
    EXPECT_EQ(f.flags(), "-");
    EXPECT_EQ(f.list().drawingLayer(), -1);
    EXPECT_FALSE(f.ops->deleteLayer()) << "with no drawing layer there is nothing to delete";
}

TEST(CopyLayer, CopiesTheDrawingLayerToTheTop)
{
    Fixture f;
    f.paint(0, 2, 1, 0);
    f.layer(0).lines.push_back(line(0, 0, 1, 1));
    f.layer(0).marks.push_back(mark(3, 2, 1));
    f.ops->newLayer("empty");
    f.ops->chooseDrawingLayer(1);
    f.undo.labels.clear();
    ASSERT_TRUE(f.ops->copyDrawingLayer());
    EXPECT_EQ(f.names(), (std::vector<std::string>{"复制层", "empty", "背景"}));
    EXPECT_EQ(f.flags(), "D--");
    EXPECT_EQ(f.layer(0).cells, f.layer(2).cells);
    EXPECT_EQ(f.layer(0).lines, f.layer(2).lines);
    EXPECT_EQ(f.layer(0).marks, f.layer(2).marks);
    EXPECT_EQ(f.layer(0).threadColors, f.layer(2).threadColors);
    EXPECT_EQ(thumbnailOf(f.layer(0), f.doc)[f.at(2, 1)], pixelOf(kRed));
    EXPECT_EQ(f.undo.labels, Labels{"取消复制层"});
    EXPECT_EQ(f.doc.lines.size(), 2u) << "both copies' lines show";
}

TEST(CopyLayer, NothingToCopyWithoutADrawingLayer)
{
    Fixture f;
    f.list().setOnlyDrawing(-1);
    EXPECT_FALSE(f.ops->copyDrawingLayer());
    EXPECT_EQ(f.list().size(), 1);
    EXPECT_TRUE(f.undo.labels.empty());
}

TEST(InsertLayerAt, GoesAboveTheLayerAtTheIndexAndRecordsNothing)
{
    Fixture f;
    f.ops->newLayer("a");  // a, 背景
    EXPECT_EQ(f.ops->insertLayerAt(1, LayerKind::Paste), 1);
    EXPECT_EQ(f.names(), (std::vector<std::string>{"a", "粘贴层", "背景"}));
    EXPECT_EQ(f.flags(), "-D-");
    EXPECT_EQ(f.ops->insertLayerAt(3, LayerKind::InsertedPattern), 3);
    EXPECT_EQ(f.ops->textLayerAt(0), 0);
    EXPECT_EQ(f.names(), (std::vector<std::string>{"文本层", "a", "粘贴层", "背景", "插入绣图层"}));
    EXPECT_EQ(f.flags(), "D----");
    EXPECT_EQ(f.undo.labels, Labels{"取消新建层"}) << "the caller records these";
}

TEST(InsertLayerAt, AnIndexPastTheEndPutsTheLayerAtTheBottom)
{
    Fixture f;
    EXPECT_EQ(f.ops->insertLayerAt(99, LayerKind::Text), 1);
    EXPECT_EQ(f.ops->insertLayerAt(-4, LayerKind::Text), 0);
    EXPECT_EQ(f.list().size(), 3);
}

TEST(Reorder, SwapsTwoLayers)
{
    Fixture f;
    f.ops->newLayer("b");
    f.ops->newLayer("a");  // a, b, 背景
    f.paint(0, 0, 0, 1);
    f.paint(2, 0, 0, 2);
    f.ops->recompose();
    ASSERT_EQ(f.doc.grid.cells[0], 1);
    f.undo.labels.clear();
    ASSERT_TRUE(f.ops->reorder(0, 2));
    EXPECT_EQ(f.names(), (std::vector<std::string>{"背景", "b", "a"}));
    EXPECT_EQ(f.doc.grid.cells[0], 2) << "the background now lies on top";
    EXPECT_EQ(f.undo.labels, Labels{"取消调整层顺序"});
}

TEST(MoveLayer, TheLayerGoesToTheDropPlaceAndTheOthersCloseUp)
{
    Fixture f;
    f.ops->newLayer("c");
    f.ops->newLayer("b");
    f.ops->newLayer("a");  // a, b, c, 背景
    f.paint(0, 0, 0, 1);
    f.paint(3, 0, 0, 2);
    f.ops->recompose();
    ASSERT_EQ(f.doc.grid.cells[0], 1);
    f.undo.labels.clear();
    ASSERT_TRUE(f.ops->moveLayer(0, 3));
    EXPECT_EQ(f.names(), (std::vector<std::string>{"b", "c", "背景", "a"}));
    EXPECT_EQ(f.doc.grid.cells[0], 2) << "the background now lies above a";
    EXPECT_EQ(f.undo.labels, Labels{"取消调整层顺序"});
    ASSERT_TRUE(f.ops->moveLayer(3, 1));
    EXPECT_EQ(f.names(), (std::vector<std::string>{"b", "a", "c", "背景"}));
    EXPECT_EQ(f.doc.grid.cells[0], 1);
    EXPECT_FALSE(f.ops->moveLayer(1, 1));
    EXPECT_FALSE(f.ops->moveLayer(0, 4));
    EXPECT_EQ(f.undo.labels.size(), 2u);
}

TEST(Reorder, OntoItselfOrOutsideDoesNothing)
{
    Fixture f;
    f.ops->newLayer("a");
    f.undo.labels.clear();
    EXPECT_FALSE(f.ops->reorder(1, 1));
    EXPECT_FALSE(f.ops->reorder(0, 2));
    EXPECT_FALSE(f.ops->reorder(-1, 0));
    EXPECT_TRUE(f.undo.labels.empty());
}

TEST(EyeIcon, TogglesVisibilityAndRecomposesWithoutAnUndoStep)
{
    Fixture f;
    f.paint(0, 3, 2, 1);
    f.ops->recompose();
    const int before = f.seen.recomposed;
    ASSERT_TRUE(f.ops->toggleVisible(0));
    EXPECT_FALSE(f.layer(0).visible);
    EXPECT_EQ(f.doc.grid.cells[f.at(3, 2)], EmptyCell);
    EXPECT_EQ(f.seen.recomposed, before + 1);
    ASSERT_TRUE(f.ops->toggleVisible(0));
    EXPECT_EQ(f.doc.grid.cells[f.at(3, 2)], 1);
    EXPECT_TRUE(f.undo.labels.empty());
}

TEST(LinkIcon, TogglesPlainAndLinkedButNotTheDrawingLayer)
{
    Fixture f;
    f.ops->newLayer("a");  // a D, 背景
    const int recomposed = f.seen.recomposed;
    EXPECT_FALSE(f.ops->toggleLinked(0));
    EXPECT_EQ(f.flags(), "D-");
    EXPECT_TRUE(f.ops->toggleLinked(1));
    EXPECT_EQ(f.flags(), "DL");
    EXPECT_EQ(f.layer(1).buttonState, 2);
    EXPECT_TRUE(f.ops->toggleLinked(1));
    EXPECT_EQ(f.flags(), "D-");
    EXPECT_EQ(f.layer(1).buttonState, 0);
    EXPECT_EQ(f.seen.recomposed, recomposed) << "linking does not recompose";
    EXPECT_EQ(f.undo.labels.size(), 1u);
}

struct ClickFixture : Fixture {
    ClickFixture()
    {
        ops->newLayer("c");
        ops->newLayer("b");
        ops->newLayer("a");  // a D, b, c, 背景
        undo.labels.clear();
    }
};

TEST(ClickOnName, ALinkedLayerTakesOverAndTheOldDrawingLayerJoinsTheGroup)
{
    ClickFixture f;
    f.ops->toggleLinked(2);
    f.ops->toggleLinked(3);
    ASSERT_EQ(f.flags(), "D-LL");
    ASSERT_TRUE(f.ops->chooseDrawingLayer(2));
    EXPECT_EQ(f.flags(), "L-DL");
    EXPECT_EQ(f.undo.labels, Labels{"取消选定绘制层"});
}

TEST(ClickOnName, APlainLayerTakesOverAndTheGroupBreaksUp)
{
    ClickFixture f;
    f.ops->toggleLinked(2);
    f.ops->toggleLinked(3);
    ASSERT_TRUE(f.ops->chooseDrawingLayer(1));
    EXPECT_EQ(f.flags(), "-D--");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.layer(i).buttonState, i == 1 ? 1 : 0);
}

TEST(ClickOnName, TheCurrentDrawingLayerChangesNothing)
{
    ClickFixture f;
    f.ops->toggleLinked(2);
    EXPECT_FALSE(f.ops->chooseDrawingLayer(0));
    EXPECT_EQ(f.flags(), "D-L-");
    EXPECT_TRUE(f.undo.labels.empty());
}

TEST(ClickOnName, WorksWhenNoLayerWasDrawing)
{
    ClickFixture f;
    f.list().setOnlyDrawing(-1);
    f.ops->toggleLinked(3);
    ASSERT_TRUE(f.ops->chooseDrawingLayer(3));
    EXPECT_EQ(f.flags(), "---D");
}

TEST(ClickOnName, AHiddenLayerCanBeChosen)
{
    ClickFixture f;
    f.ops->toggleVisible(1);
    ASSERT_TRUE(f.ops->chooseDrawingLayer(1));
    EXPECT_EQ(f.flags(), "-d--");
}

TEST(UndoSteps, RecordedBeforeEachChangeInCommandOrder)
{
    Fixture f;
    // The recorder sees the state the step returns to: check the list size at each call.
    struct Probe final : UndoRecorder {
        PatternDocument* doc = nullptr;
        std::vector<std::pair<std::string, int>> seen;
        void recordUndoStep(const UndoStep& step) override { seen.emplace_back(step.label, doc->layers.size()); }
    } probe;
    probe.doc = &f.doc;
    LayerOperations ops(f.doc, probe);
    ops.newLayer("a");
    ops.newLayer("b");
    ops.copyDrawingLayer();
    ops.toggleLinked(2);
    ops.mergeLinked();  // fewer than two linked: refused
    ops.toggleLinked(3);
    ops.mergeLinked();
    ops.mergeVisible();
    ops.deleteLayer();
    ops.reorder(0, 0);
    using Step = std::pair<std::string, int>;
    EXPECT_EQ(probe.seen, (std::vector<Step>{{"取消新建层", 1},
                                              {"取消新建层", 2},
                                              {"取消复制层", 3},
                                              {"取消合并链接层", 4},
                                              {"取消合并可见层", 3}}));
    EXPECT_EQ(f.list().size(), 1) << "deleting the only layer is refused";
}

TEST(ResetAndBackground, ResetEmptiesTheListAndBackgroundRebuildsIt)
{
    Fixture f;
    f.ops->newLayer("a");
    f.doc.grid.cells[f.at(1, 2)] = 2;
    f.doc.lines.push_back(line(0, 0, 2, 2));
    f.doc.placeMark(5, 1, 2);
    f.ops->reset();
    EXPECT_TRUE(f.list().empty());
    f.ops->backgroundFromGrid();
    ASSERT_EQ(f.list().size(), 1);
    EXPECT_EQ(f.names(), std::vector<std::string>{"背景"});
    EXPECT_EQ(f.flags(), "D");
    EXPECT_EQ(f.layer(0).cells, f.doc.grid.cells);
    EXPECT_EQ(f.layer(0).lines, f.doc.lines);
    EXPECT_EQ(f.layer(0).marks, f.doc.marks);
    EXPECT_EQ(f.layer(0).threadColors, f.doc.threads.colors);
    EXPECT_EQ(thumbnailOf(f.layer(0), f.doc)[f.at(1, 2)], pixelOf(kBlue));
    EXPECT_EQ(f.picture(), thumbnailOf(f.layer(0), f.doc));
    EXPECT_TRUE(f.undo.labels.size() == 1) << "only the new layer recorded a step";
}

TEST(FabricColour, ThumbnailsFollowIt)
{
    Fixture f;
    f.paint(0, 0, 0, 0);
    f.ops->recompose();
    f.doc.setFabricColor(kBlack);
    EXPECT_EQ(thumbnailOf(f.layer(0), f.doc)[f.at(1, 0)], pixelOf(kBlack));
    EXPECT_EQ(thumbnailOf(f.layer(0), f.doc)[f.at(0, 0)], pixelOf(kRed));
    EXPECT_EQ(f.picture()[f.at(1, 0)], pixelOf(kBlack));
}

TEST(LayerObservers, CommandsEndingFirstLetTheirObserversGo)
{
    Fixture f;
    auto other = std::make_unique<LayerOperations>(f.doc, f.undo);
    other->addObserver(&f.seen);
    f.ops.reset();
    EXPECT_EQ(f.seen.ended, 1);
    // Still heard from the commands that remain, and leaving commands already gone is harmless.
    other->recompose();
    EXPECT_EQ(f.seen.recomposed, 1);
    other.reset();
    EXPECT_EQ(f.seen.ended, 2);
}

TEST(LayerObservers, AnObserverEndingFirstIsNeverCalledAgain)
{
    Fixture f;
    {
        RecordingLayerObserver shortLived;
        f.ops->addObserver(&shortLived);
        f.ops->addObserver(&shortLived);  // once only
        f.ops->recompose();
        EXPECT_EQ(shortLived.recomposed, 1);
    }
    // The ended observer left the list: this would reach freed memory otherwise.
    f.ops->recompose();
    f.ops->newLayer("a");
    EXPECT_EQ(f.seen.recomposed, 3);
    EXPECT_EQ(f.seen.ended, 0);
}

TEST(LayerObservers, ACopiedObserverListensToNothing)
{
    Fixture f;
    RecordingLayerObserver copy = f.seen;
    f.ops->recompose();
    EXPECT_EQ(copy.recomposed, 0);
    EXPECT_EQ(f.seen.recomposed, 1);
    f.ops.reset();
    EXPECT_EQ(copy.ended, 0);
}

}  // namespace
}  // namespace brenmark::layertest
