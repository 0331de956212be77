// Every tool action records its undo step once, with its label, before it changes anything;
// the tools that change nothing record nothing.
#include "editor/view/tests/tool_test_support.h"

#include <functional>

namespace brenmark::test {
namespace {

struct UndoCase {
    const char* name;
    Tool tool;
    std::string label;
    std::function<void(ToolFixture&)> act;
};

void prepare(ToolFixture& f)
{
    f.make(8, 6);
    f.load({
        "00000000",
        "0.....10",
        "0.....10",
        "0.....10",
        "0.....10",
        "00000000",
    });
    f.doc.placeMark(2, 2, 2);
    f.doc.layers[0].marks.push_back({2, 0, 2, 2});
    f.choose(2);
}

class EveryTool : public ::testing::TestWithParam<UndoCase> {};

TEST_P(EveryTool, RecordsItsLabelOnceBeforeChangingAnything)
{
    const UndoCase& c = GetParam();
    ToolFixture f;
    prepare(f);
    f.select(c.tool);
    const auto grid = f.doc.grid.cells;
    const auto layer = f.doc.layers[0].cells;
    const auto marks = f.doc.marks;
    c.act(f);
    ASSERT_EQ(f.undo.labels(), (std::vector<std::string>{c.label}));
    const RecordingUndo::Step& step = f.undo.steps[0];
    EXPECT_EQ(step.grid, grid);
    EXPECT_EQ(step.drawingLayer, layer);
    EXPECT_EQ(step.marks, marks);
    EXPECT_TRUE(f.doc.grid.cells != grid || f.doc.marks != marks);
    EXPECT_TRUE(f.imageMatchesGrid());
}

INSTANTIATE_TEST_SUITE_P(
    Tools, EveryTool,
    ::testing::Values(
        UndoCase{"Point", Tool::Point, "取消描点操作", [](ToolFixture& f) { f.stroke({{2, 2}, {3, 2}, {4, 3}}); }},
        UndoCase{"HollowEllipse", Tool::HollowEllipse, "取消画空心圆操作", [](ToolFixture& f) { f.stroke({{1, 1}, {5, 4}}); }},
        UndoCase{"HollowRect", Tool::HollowRect, "取消画空心矩形操作", [](ToolFixture& f) { f.stroke({{1, 1}, {5, 4}}); }},
        UndoCase{"Line", Tool::Line, "取消画线操作", [](ToolFixture& f) { f.stroke({{1, 1}, {5, 4}}); }},
        UndoCase{"Fill", Tool::Fill, "取消填充操作", [](ToolFixture& f) { f.click(2, 2); }},
        UndoCase{"SolidEllipse", Tool::SolidEllipse, "取消画实心圆操作", [](ToolFixture& f) { f.stroke({{1, 1}, {5, 4}}); }},
        UndoCase{"SolidRect", Tool::SolidRect, "取消画实心矩形操作", [](ToolFixture& f) { f.stroke({{1, 1}, {5, 4}}); }},
        UndoCase{"Text", Tool::Text, "取消输入文字",
                 [](ToolFixture& f) {
                     f.click(1, 1);
                     f.tools.typeText("AB");
                 }},
        UndoCase{"HollowOut", Tool::HollowOut, "取消挖空操作", [](ToolFixture& f) { f.click(0, 0); }},
        UndoCase{"Eraser", Tool::Eraser, "取消擦除操作", [](ToolFixture& f) { f.stroke({{0, 0}, {1, 0}, {2, 0}}); }},
        UndoCase{"Clone", Tool::Clone, "取消复制象素",
                 [](ToolFixture& f) {
                     f.click(6, 1, CtrlModifier);
                     f.stroke({{2, 1}, {2, 2}, {2, 3}});
                 }}),
    [](const ::testing::TestParamInfo<UndoCase>& param) { return std::string(param.param.name); });

TEST(UndoSteps, TheLabelsAreTheToolTablesLabels)
{
    for (const ToolButtonInfo& b : kToolButtons) {
        if (b.undoLabel) {
            EXPECT_EQ(std::string(b.undoLabel).substr(0, 4), "取消") << b.controlId;
        }
    }
    EXPECT_EQ(std::string(toolButton(Tool::Fill).undoLabel), "取消填充操作");
    EXPECT_EQ(toolButton(Tool::Clone).controlId, 1054);
    EXPECT_EQ(toolButton(Tool::CloneSpare).controlId, 1055);
}

TEST(UndoSteps, ToolsWithoutAnEditRecordNothing)
{
    ToolFixture f;
    prepare(f);
    f.select(Tool::Move);
    f.stroke({{1, 1}, {3, 3}});
    f.select(Tool::CloneSpare);
    f.stroke({{1, 1}, {3, 3}});
    f.select(Tool::Clone);
    f.click(3, 3, CtrlModifier);  // defining the source changes nothing
    EXPECT_TRUE(f.undo.steps.empty());
}

TEST(UndoSteps, AStrokeIsOneStepAndTheNextStrokeAnother)
{
    ToolFixture f;
    prepare(f);
    f.select(Tool::Point);
    f.stroke({{2, 2}, {3, 2}});
    f.stroke({{2, 3}, {3, 3}});
    EXPECT_EQ(f.undo.labels(), (std::vector<std::string>{"取消描点操作", "取消描点操作"}));
    EXPECT_EQ(f.undo.steps[1].grid[f.doc.grid.indexOf(3, 2)], 2);  // the first stroke's result
}

}  // namespace
}  // namespace brenmark::test
