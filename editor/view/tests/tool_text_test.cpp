// Text stamping: the text layer, typing and backspace over GBK text, and what the stamped
// cells leave behind.
#include "editor/document/layer_composer.h"
#include "editor/view/tests/selection_test_support.h"
#include "editor/view/tests/tool_test_support.h"

#include <algorithm>
#include <memory>

namespace brenmark::test {
namespace {

// GBK bytes, spelled out so the test does not depend on the compiler's character set.
const std::string kZhong = "\xD6\xD0";   // a character with a trail byte above 0x80
const std::string kKao = "\x81\x40";     // one whose trail byte lies below 0x80

QFont testFont()
{
    QFont font(u"DejaVu Sans Mono"_qs);
    font.setPixelSize(10);
    return font;
}

struct TextFixture : ToolFixture {
    TextFixture()
    {
        make(60, 30);
        tools.setTextFont(testFont());
        choose(1);
        select(Tool::Text);
    }
    int cellsOf(int index) const
    {
        return static_cast<int>(std::count(doc.grid.cells.begin(), doc.grid.cells.end(), index));
    }
};

TEST(GbkText, LastCharacterLength)
{
    EXPECT_EQ(lastGbkCharLength(""), 0u);
    EXPECT_EQ(lastGbkCharLength("ab"), 1u);
    EXPECT_EQ(lastGbkCharLength("a" + kZhong), 2u);
    EXPECT_EQ(lastGbkCharLength(kZhong + "b"), 1u);
    EXPECT_EQ(lastGbkCharLength("a" + kKao), 2u);
    EXPECT_EQ(lastGbkCharLength(kKao + kKao), 2u);
}

TEST(GbkText, ALeadByteWaitingForItsTrailIsNotComplete)
{
    EXPECT_EQ(completeGbkLength("ab"), 2u);
    EXPECT_EQ(completeGbkLength("a" + kZhong.substr(0, 1)), 1u);
    EXPECT_EQ(completeGbkLength("a" + kZhong), 3u);
}

TEST(TextTool, ClickMakesATextLayerAboveTheDrawingLayerAfterRecordingTheStep)
{
    TextFixture f;
    f.click(2, 3);
    ASSERT_EQ(f.doc.layers.size(), 2);
    EXPECT_EQ(f.doc.layers[0].name, "文本层");
    EXPECT_EQ(f.doc.layers.drawingLayer(), 0);
    ASSERT_EQ(f.undo.labels(), (std::vector<std::string>{"取消输入文字"}));
    EXPECT_EQ(f.undo.steps[0].layerCount, 1);  // recorded before the layer was made
    EXPECT_TRUE(f.tools.textActive());
    EXPECT_EQ(f.tools.textCell(), (CellPoint{2, 3}));
    EXPECT_TRUE(f.tools.caret().shown);
    EXPECT_EQ(f.tools.caretPixels().width(), 24);  // three cells of 8 pixels
    EXPECT_EQ(f.tools.caretPixels().height(), 8 * f.tools.caret().lineHeight);
    f.view.zoomIn();
    EXPECT_EQ(f.tools.caretPixels().width(), 48);
}

TEST(TextTool, TypedTextBecomesCellsOfTheCurrentThreadInTheTextLayer)
{
    TextFixture f;
    f.click(2, 3);
    f.tools.typeText("HI");
    EXPECT_EQ(f.tools.text(), "HI");
    const int cells = f.cellsOf(1);
    EXPECT_GT(cells, 10);
    // The same cells in the text layer, none left of the text cell or above its row.
    EXPECT_EQ(std::count(f.doc.layers[0].cells.begin(), f.doc.layers[0].cells.end(), 1), cells);
    for (int y = 0; y < f.doc.height(); ++y)
        for (int x = 0; x < f.doc.width(); ++x)
            if (f.doc.cell(x, y) == 1) {
                EXPECT_GE(x, 2);
                EXPECT_GE(y, 3);
            }
    EXPECT_TRUE(f.imageMatchesGrid());
    EXPECT_GT(f.tools.caret().cell.x, 2);
    // Typing records nothing more: the whole text is one step.
    EXPECT_EQ(f.undo.steps.size(), 1u);
}

TEST(TextTool, BackspaceTakesTheLastCharacterAndItsCellsAway)
{
    TextFixture f;
    f.load(std::vector<std::string>(30, std::string(60, '0')));
    f.click(1, 1);
    f.tools.typeText("H");
    const auto withH = f.doc.grid.cells;
    f.tools.typeText("H");
    EXPECT_TRUE(f.view.dispatch(MsgTextChar, kKeyBackspace, 0));
    EXPECT_EQ(f.tools.text(), "H");
    EXPECT_EQ(f.doc.grid.cells, withH);
    f.tools.textChar(kKeyBackspace);
    EXPECT_EQ(f.tools.text(), "");
    // What lay under the text shows again, and the text layer is empty.
    EXPECT_EQ(f.cellsOf(0), 60 * 30);
    EXPECT_TRUE(std::all_of(f.doc.layers[0].cells.begin(), f.doc.layers[0].cells.end(), [](std::int32_t v) { return v == EmptyCell; }));
    EXPECT_EQ(f.tools.caret().cell, (CellPoint{1, 1}));
    // A backspace on nothing is harmless.
    EXPECT_TRUE(f.tools.textChar(kKeyBackspace));
}

TEST(TextTool, BackspaceAfterADoubleByteCharacterRemovesBothBytes)
{
    TextFixture f;
    f.click(0, 0);
    f.tools.typeText("a" + kZhong);
    ASSERT_EQ(f.tools.text().size(), 3u);
    f.tools.textChar(kKeyBackspace);
    EXPECT_EQ(f.tools.text(), "a");
    f.tools.typeText(kKao);  // trail byte 0x40
    f.tools.textChar(kKeyBackspace);
    EXPECT_EQ(f.tools.text(), "a");
    f.tools.textChar(kKeyBackspace);
    EXPECT_EQ(f.tools.text(), "");
}

TEST(TextTool, OtherControlCodesArePassedOnAndEnterEndsTheTextAndItsCaret)
{
    TextFixture f;
    f.click(0, 0);
    f.tools.typeText("x");
    EXPECT_EQ(f.view.dispatch(MsgTextChar, 9, 0), 0);
    EXPECT_EQ(f.view.dispatch(MsgTextChar, 0, 0), 0);
    EXPECT_EQ(f.tools.text(), "x");
    const auto cells = f.doc.grid.cells;
    EXPECT_EQ(f.view.dispatch(MsgTextChar, kKeyEnter, 0), 1);
    // The text's cells stay; the caret block is gone and typing starts nothing until the
    // next click.
    EXPECT_TRUE(f.doc.grid.cells == cells);
    EXPECT_FALSE(f.tools.caret().shown);
    EXPECT_FALSE(f.tools.textActive());
    EXPECT_EQ(f.view.dispatch(MsgTextChar, 'y', 0), 0);
}

TEST(TextTool, CharactersNeedTheDrawingPrecondition)
{
    TextFixture f;
    f.click(0, 0);
    f.current.set({1, rgb(9, 9, 9), "gone"});
    f.tools.typeText("x");
    EXPECT_EQ(f.tools.text(), "");
    EXPECT_EQ(f.host.colourResets, 1);
}

TEST(TextTool, CharactersWithoutAClickOrWithAnotherToolAreNotTaken)
{
    TextFixture f;
    EXPECT_FALSE(f.tools.textChar('x'));
    f.click(0, 0);
    f.select(Tool::Point);
    EXPECT_FALSE(f.tools.textActive());
    EXPECT_FALSE(f.tools.caret().shown);
    EXPECT_FALSE(f.tools.textChar('x'));
}

TEST(TextTool, AClickThatTypedNothingLeavesItsLayerForTheNextText)
{
    TextFixture f;
    f.click(0, 0);
    f.click(5, 5);
    EXPECT_EQ(f.doc.layers.size(), 2);
    f.tools.typeText("o");
    f.click(20, 10);
    EXPECT_EQ(f.doc.layers.size(), 3);  // the typed one stays, a new one takes the next text
    EXPECT_EQ(f.doc.layers[0].name, "文本层");
    EXPECT_EQ(f.doc.layers[1].name, "文本层");
}

TEST(TextTool, WithTenLayersTheToolGivesWayToTheMoveTool)
{
    TextFixture f;
    while (!f.doc.layers.full())
        f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, "x"), f.doc);
    f.click(1, 1);
    EXPECT_EQ(f.tools.currentTool(), Tool::Move);
    EXPECT_EQ(f.host.changedTo, (std::vector<Tool>{Tool::Move}));
    EXPECT_FALSE(f.tools.textActive());
    EXPECT_EQ(f.doc.layers.size(), kMaxLayers);
}

TEST(TextTool, TextOnTheRightEdgeIsCutAtThePattern)
{
    TextFixture f;
    f.click(58, 25);
    f.tools.typeText("WWWW");
    EXPECT_GT(f.cellsOf(1), 0);
    EXPECT_EQ(f.doc.grid.cells.size(), 60u * 30u);
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(TextTool, LayerCommandsEndingBeforeTheToolsAreForgotten)
{
    // The commands go first, as they do when a holder declares the tools before them.
    TextFixture f;
    auto ops = std::make_unique<LayerOperations>(f.doc, f.undo);
    f.tools.setLayerOperations(ops.get());
    ops.reset();
    // The next text layer is made in the list itself, and the controller's end leaves the
    // ended commands alone.
    f.click(2, 3);
    ASSERT_EQ(f.doc.layers.size(), 2);
    EXPECT_EQ(f.doc.layers[0].name, "文本层");
    f.tools.typeText("H");
    EXPECT_GT(f.cellsOf(1), 0);
}

// --- the text against later changes of the pattern ----------------------------------------

// A 60 x 30 pattern whose background is thread 0 all over, with the layer commands, the
// undo history and the selection tool's transforms as the main window has them.
struct TextChangeFixture : SelectionFixture {
    explicit TextChangeFixture(bool layerCommands = true)
    {
        make(60, 30);
        if (layerCommands)
            tools.setLayerOperations(&layerOps);
        load(std::vector<std::string>(30, std::string(60, '0')));
        tools.setTextFont(testFont());
        const std::size_t i = 1;
        current.set({1, doc.threads.colors[i], doc.threads.numbers[i]});
        view.dispatch(MsgSelectTool, static_cast<int>(Tool::Text), 0);
    }
    void startText(int column, int row, const std::string& text)
    {
        tools.mouseDown(at(column, row));
        tools.mouseUp(at(column, row));
        tools.typeText(text);
    }
    int textLayer() const
    {
        for (int i = 0; i < doc.layers.size(); ++i)
            if (doc.layers[i].name == "文本层")
                return i;
        return -1;
    }
    // Every cell of the grid and of every layer is empty or a thread of the table.
    bool onlyKnownValues() const
    {
        auto known = [&](std::int32_t v) { return v == EmptyCell || doc.isThread(v); };
        if (!std::all_of(doc.grid.cells.begin(), doc.grid.cells.end(), known))
            return false;
        return std::all_of(doc.layers.layers.begin(), doc.layers.layers.end(), [&](const PatternLayer& l) {
            return std::all_of(l.cells.begin(), l.cells.end(), known);
        });
    }
    // A key after the change: not taken, nothing written.
    void expectKeyChangesNothing()
    {
        const DocumentState before = DocumentState::of(doc);
        const QImage picture = view.cellImage();
        EXPECT_FALSE(tools.textChar('I'));
        EXPECT_FALSE(tools.textActive());
        EXPECT_FALSE(tools.caret().shown);
        EXPECT_TRUE(DocumentState::of(doc) == before);
        EXPECT_TRUE(onlyKnownValues());
        EXPECT_EQ(view.cellImage(), picture);
    }
};

TEST(TextAfterAChange, ResizingToAWiderPatternEndsTheText)
{
    TextChangeFixture f;
    f.startText(2, 3, "H");
    f.dialogs.size = TransformDialogs::Size{90, 40};
    ASSERT_TRUE(f.sel.command(CmdResizePattern));
    ASSERT_EQ(f.doc.width(), 90);
    ASSERT_EQ(f.tools.currentTool(), Tool::Text);
    f.expectKeyChangesNothing();
}

TEST(TextAfterAChange, ScalingEndsTheText)
{
    TextChangeFixture f;
    f.startText(2, 3, "H");
    f.dialogs.factor = 2.0;
    ASSERT_TRUE(f.sel.command(CmdScalePattern));
    ASSERT_EQ(f.doc.width(), 120);
    f.expectKeyChangesNothing();
}

TEST(TextAfterAChange, ASizeChangeNobodyReportedStillEndsTheText)
{
    // Without the layer commands the tools hear of nothing: the next key finds the rows it
    // saved no longer fit the pattern.
    TextChangeFixture f(false);
    f.startText(2, 3, "H");
    f.dialogs.size = TransformDialogs::Size{90, 40};
    ASSERT_TRUE(f.sel.command(CmdResizePattern));
    f.expectKeyChangesNothing();
}

TEST(TextAfterAChange, UndoAndRedoEndTheText)
{
    for (const bool redo : {false, true}) {
        TextChangeFixture f(false);
        f.startText(2, 3, "H");
        ASSERT_TRUE(f.history.undo());
        if (redo) {
            ASSERT_TRUE(f.history.redo());
        }
        f.expectKeyChangesNothing();
    }
}

TEST(TextAfterAChange, AnotherPatternEndsTheText)
{
    TextChangeFixture f;
    f.startText(2, 3, "H");
    f.doc.create(10, 5, "DMC");
    f.view.patternReplaced();
    f.expectKeyChangesNothing();
}

TEST(TextAfterAChange, ChoosingAnotherDrawingLayerLeavesItsCellsAlone)
{
    for (const bool layerCommands : {true, false}) {
        TextChangeFixture f(layerCommands);
        f.startText(2, 3, "H");
        const int text = f.textLayer();
        ASSERT_EQ(text, 0);
        if (layerCommands) {
            ASSERT_TRUE(f.layerOps.chooseDrawingLayer(1));  // a click on the background's row
        } else {
            f.doc.layers.setOnlyDrawing(1);
        }
        const auto background = f.doc.layers[1].cells.toVector();
        f.expectKeyChangesNothing();
        EXPECT_EQ(f.doc.layers[1].cells, background) << layerCommands;
        EXPECT_EQ(std::count(background.begin(), background.end(), 0), 60 * 30);
    }
}

TEST(TextAfterAChange, DeletingTheTextLayerEndsTheText)
{
    for (const bool layerCommands : {true, false}) {
        TextChangeFixture f(layerCommands);
        f.startText(2, 3, "H");
        if (layerCommands) {
            ASSERT_TRUE(f.layerOps.deleteLayer());
        } else {
            f.doc.layers.erase(0);
            f.doc.layers.setOnlyDrawing(0);
            recomposeDocument(f.doc);
        }
        ASSERT_EQ(f.textLayer(), -1);
        f.expectKeyChangesNothing();
        EXPECT_EQ(f.rows(), std::vector<std::string>(30, std::string(60, '0'))) << layerCommands;
    }
}

TEST(TextAfterAChange, AnotherTextLayerInTheSamePlaceIsNotTheTexts)
{
    // The text's layer deleted and another empty "文本层" made where it was: same index, same
    // name, still not the layer the text was made in.
    TextChangeFixture f(false);
    f.startText(2, 3, "H");
    f.doc.layers.erase(0);
    f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, kTextLayerName), f.doc);
    f.expectKeyChangesNothing();
}

TEST(TextAfterAChange, MergingOrHidingLayersEndsTheText)
{
    for (const int change : {0, 1, 2}) {
        TextChangeFixture f;
        f.startText(2, 3, "H");
        if (change == 0) {
            ASSERT_TRUE(f.layerOps.mergeVisible());  // into the text layer, which stays first
        } else if (change == 1) {
            ASSERT_TRUE(f.layerOps.toggleVisible(1));
        } else {
            ASSERT_TRUE(f.layerOps.reorder(0, 1));
        }
        f.expectKeyChangesNothing();
    }
}

TEST(TextAfterAChange, TheTextGoesOnWhileOnlyItsOwnLayerChanges)
{
    // Typing on without a change still works with the layer commands watching.
    TextChangeFixture f;
    f.startText(2, 3, "H");
    f.tools.typeText("I");
    EXPECT_TRUE(f.tools.textActive());
    EXPECT_EQ(f.tools.text(), "HI");
    EXPECT_EQ(f.textLayer(), 0);
    EXPECT_EQ(std::count(f.doc.layers[1].cells.begin(), f.doc.layers[1].cells.end(), 0), 60 * 30);
}

}  // namespace
}  // namespace brenmark::test
