// Undoing each colour operation through the view's undo history gives back the whole state
// from before it, and redoing gives back the state after it.
#include "editor/document/palette_file.h"
#include "editor/output/colour_operations.h"
#include "editor/output/confetti.h"
#include "editor/output/confetti_cleanup.h"
#include "editor/output/tests/colour_test_support.h"
#include "editor/view/pattern_view.h"
#include "editor/view/undo_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace brenmark {
namespace {

using namespace colourtest;

// Everything an operation may change.
struct State {
    ThreadTable threads;
    std::vector<ColorRef> distinctColours;
    std::vector<std::string> distinctNumbers;
    std::vector<std::uint32_t> distinctLocks, locks;
    std::vector<std::int32_t> cells;
    std::vector<ColorRef> colourValues;
    std::vector<BackstitchLine> lines;
    SymbolTable symbols;
    std::string brand;
    std::vector<std::vector<std::int32_t>> layerCells;
    std::vector<std::vector<BackstitchLine>> layerLines;
    std::vector<std::vector<std::string>> layerThreads;

    explicit State(const PatternDocument& d)
        : threads(d.threads), distinctColours(d.distinct.colors), distinctNumbers(d.distinct.numbers),
          distinctLocks(d.distinct.locks), locks(d.lockFlags), cells(d.grid.cells.begin(), d.grid.cells.end()),
          colourValues(d.grid.colorValues), lines(d.lines), symbols(d.symbols), brand(d.brand)
    {
        for (const PatternLayer& l : d.layers.layers) {
            layerCells.push_back(l.cells.toVector());
            layerLines.push_back(l.lines);
            layerThreads.push_back(l.threadNumbers);
        }
    }
    bool operator==(const State&) const = default;
};

struct UndoFixture : ::testing::Test {
    std::string dir;
    PaletteStore palettes{""};
    PatternDocument doc;
    CurrentThreadChoice current{doc};
    PatternView view{doc, current};
    UndoHistory history{view, current};
    Boxes boxes;
    ColourOperations ops{doc, history, &boxes};

    void SetUp() override
    {
        std::string t = (std::filesystem::temp_directory_path() / "brenmark-colour-undo-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
        palettes = PaletteStore(dir);
        ASSERT_TRUE(palettes.ensurePaletteFolder());
        ASSERT_TRUE(palettes.save("ANCHOR", std::vector<ColorRef>{kRed, kBlue, kYellow}, std::vector<std::string>{"9", "8", "7"}));

        doc.create(4, 3, "DMC");
        for (const auto& [c, n] : {std::pair{kRed, "321"}, {kBlue, "796"}, {kGreen, "700"}, {kDarkRed, "816"}})
            doc.addThread(c, n);
        doc.assignDefaultSymbols();
        const std::vector<std::int32_t> cells = {0, 1, 2, 0, 1, 1, -1, 2, 0, 0, 1, 2};
        for (std::size_t i = 0; i < cells.size(); ++i)
            doc.grid.cells.set(i, cells[i]);
        doc.lines = {ColourPattern::line("700", kGreen), ColourPattern::line("816", kDarkRed, 2, 2)};
        doc.layers.backgroundFromGrid(doc);
        PatternLayer hidden = LayerList::emptyLayer(doc, "hidden");
        hidden.visible = false;
        hidden.cells.set(6, 3);
        hidden.lines = {ColourPattern::line("321", kRed)};
        hidden.threadNumbers = doc.threads.numbers;
        hidden.threadColors = doc.threads.colors;
        doc.layers.layers.insert(doc.layers.layers.begin(), std::move(hidden));
        doc.setLocked("796", true);
        doc.distinct.rebuild(doc.threads, doc.lockFlags);
        view.patternReplaced();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    void roundTrip(const std::string& label, const std::function<ColourChange()>& operation)
    {
        const State before(doc);
        const ColourChange change = operation();
        ASSERT_TRUE(change.done) << label;
        const State after(doc);
        ASSERT_FALSE(after == before) << label;
        EXPECT_EQ(history.undoCaption(), label);
        ASSERT_TRUE(history.undo());
        EXPECT_TRUE(State(doc) == before) << label;
        ASSERT_TRUE(history.redo());
        EXPECT_TRUE(State(doc) == after) << label;
    }
};

TEST_F(UndoFixture, Subtract) { roundTrip("取消减去被选颜色", [&] { return ops.subtract("816"); }); }
TEST_F(UndoFixture, Reduce) { roundTrip("取消成批减色", [&] { return ops.reduce(2, 4); }); }
TEST_F(UndoFixture, ReplaceEverywhere) { roundTrip("取消替换颜色", [&] { return ops.replaceEverywhere("700", {kYellow, "444"}); }); }
TEST_F(UndoFixture, ReplaceInRegion)
{
    roundTrip("取消区域替换颜色", [&] { return ops.replaceInRegion("321", {kYellow, "444"}, [](int x, int) { return x < 2; }); });
}
TEST_F(UndoFixture, HollowOut) { roundTrip("恢复挖空指定颜色", [&] { return ops.hollowOut(kRed); }); }
TEST_F(UndoFixture, DeleteUnused)
{
    doc.lines.pop_back();  // "816" then holds nothing
    doc.layers[1].lines.pop_back();
    doc.layers[0].cells.set(6, EmptyCell);
    roundTrip("取消删除未使用绣线", [&] { return ops.deleteUnused(); });
}
TEST_F(UndoFixture, AddNewThread) { roundTrip("取消上次增加的颜色", [&] { return ops.addThread({kYellow, "444"}); }); }
TEST_F(UndoFixture, AddPresentThread) { roundTrip("取消增加颜色", [&] { return ops.addThread({kRed, "321"}); }); }
TEST_F(UndoFixture, CleanConfettiIsOneStep)
{
    const std::size_t steps = history.undoCount();
    roundTrip("取消清理单针", [&] { return cleanConfetti(doc, history, 10); });
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(history.undoCount(), steps);
    // The composed grid keeps no isolated stitch, and the background layer went with it.
    ASSERT_TRUE(history.redo());
    const std::vector<std::int32_t> cells(doc.grid.cells.begin(), doc.grid.cells.end());
    EXPECT_EQ(confettiShare(cells, 4, 3), 0.0);
    EXPECT_TRUE(std::any_of(doc.layers.layers.begin(), doc.layers.layers.end(),
                            [&](const PatternLayer& l) { return l.visible && l.cells[0] == cells[0]; }));
    // Nothing left to clean: no step.
    EXPECT_FALSE(cleanConfetti(doc, history, 10).done);
    EXPECT_EQ(history.undoCount(), steps + 1);
}
TEST_F(UndoFixture, ClearLocks) { roundTrip("恢复所有颜色锁定", [&] { return ops.clearLocks(); }); }
TEST_F(UndoFixture, ReplaceOutlineThread)
{
    roundTrip("取消更换制定描边颜色", [&] { return ops.replaceOutlineThread("321", ThreadChoice{kYellow, "444"}); });
}
TEST_F(UndoFixture, ConvertBrand) { roundTrip("取消DMC绣线转ANCHOR绣线", [&] { return ops.convertBrand("ANCHOR", palettes); }); }

// A symbol chosen after an operation that leaves the thread table alone survives its undo;
// after one that changes the table, the table's symbols come back with its threads.
TEST_F(UndoFixture, SymbolsComeBackExactlyWithTheThreadTable)
{
    const auto chooseThenUndo = [&](const std::function<ColourChange()>& operation) {
        doc.symbols[0].symbol = "P";
        EXPECT_TRUE(operation().done);
        doc.symbols[0].symbol = "Q";
        EXPECT_TRUE(history.undo());
        return doc.symbols[0].symbol == "Q";
    };
    EXPECT_TRUE(chooseThenUndo([&] { return ops.clearLocks(); }));
    for (const auto& operation : std::vector<std::function<ColourChange()>>{
             [&] { return ops.subtract("816"); }, [&] { return ops.reduce(2, 4); },
             [&] { return ops.replaceEverywhere("700", {kYellow, "444"}); }, [&] { return ops.hollowOut(kRed); },
             [&] { return ops.addThread({kYellow, "444"}); },
             [&] { return ops.replaceOutlineThread("321", ThreadChoice{kYellow, "444"}); },
             [&] { return ops.convertBrand("ANCHOR", palettes); }})
        EXPECT_FALSE(chooseThenUndo(operation));
}

TEST_F(UndoFixture, OperationsWithoutAStepRecordNone)
{
    ops.setLocked("321", true);
    ops.changeSymbol(0, "★");
    EXPECT_EQ(history.undoCount(), 0u);
}

}  // namespace
}  // namespace brenmark
