// The scanline fill and the fill and hollow-out tools.
#include "editor/view/tests/tool_test_support.h"
#include "editor/view/tools/scanline_fill.h"

#include <random>

namespace brenmark::test {
namespace {

// A plain grid filled with the algorithm alone: '#' walls, '.' open, 'o' filled.
std::vector<std::string> fillText(std::vector<std::string> rows, int x, int y)
{
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    scanlineFill(
        w, h, x, y, [&](int cx, int cy) { return rows[static_cast<std::size_t>(cy)][static_cast<std::size_t>(cx)] == '.'; },
        [&](int cx, int cy) { rows[static_cast<std::size_t>(cy)][static_cast<std::size_t>(cx)] = 'o'; });
    return rows;
}

// The same region by a plain breadth-first search, to compare against.
std::vector<std::string> referenceFill(std::vector<std::string> rows, int x, int y)
{
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    std::vector<std::pair<int, int>> queue{{x, y}};
    auto cell = [&](int cx, int cy) -> char& { return rows[static_cast<std::size_t>(cy)][static_cast<std::size_t>(cx)]; };
    if (cell(x, y) != '.')
        return rows;
    cell(x, y) = 'o';
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const auto [cx, cy] = queue[i];
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const int nx = cx + dx, ny = cy + dy;
            if (nx >= 0 && ny >= 0 && nx < w && ny < h && cell(nx, ny) == '.') {
                cell(nx, ny) = 'o';
                queue.push_back({nx, ny});
            }
        }
    }
    return rows;
}

TEST(ScanlineFill, DiagonalContactsDoNotConnect)
{
    EXPECT_EQ(fillText({
                           "..#.",
                           ".#..",
                           "#...",
                           "....",
                       },
                       0, 0),
              (std::vector<std::string>{
                  "oo#.",
                  "o#..",
                  "#...",
                  "....",
              }));
}

TEST(ScanlineFill, RunsThatLeaveTheSpanAreFollowed)
{
    const std::vector<std::string> maze{
        "..........",
        ".########.",
        ".#......#.",
        ".#.####.#.",
        ".#.#..#.#.",
        ".#.#.##.#.",
        ".#.#....#.",
        ".#.######.",
        ".#........",
        "###.######",
    };
    EXPECT_EQ(fillText(maze, 4, 4), referenceFill(maze, 4, 4));
    EXPECT_EQ(fillText(maze, 0, 0), referenceFill(maze, 0, 0));
}

TEST(ScanlineFill, RandomMazesMatchASearch)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const int w = 1 + static_cast<int>(random() % 23), h = 1 + static_cast<int>(random() % 17);
        std::vector<std::string> rows(static_cast<std::size_t>(h), std::string(static_cast<std::size_t>(w), '.'));
        for (auto& row : rows)
            for (char& c : row)
                c = random() % 100 < 38 ? '#' : '.';
        const int x = static_cast<int>(random() % static_cast<unsigned>(w)), y = static_cast<int>(random() % static_cast<unsigned>(h));
        ASSERT_EQ(fillText(rows, x, y), referenceFill(rows, x, y)) << round;
    }
}

TEST(ScanlineFill, AComb_WithFarMoreSeedsThanAFixedStackHeldFillsCompletely)
{
    // Every other column is a tooth open only at the bottom: each row above pushes one seed
    // per tooth, thousands at once.
    const int w = 4001, h = 50;
    std::vector<std::string> rows(static_cast<std::size_t>(h), std::string(static_cast<std::size_t>(w), '.'));
    for (int y = 0; y < h - 1; ++y)
        for (int x = 1; x < w; x += 2)
            rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '#';
    std::vector<FillSeed> seeds;
    std::size_t peak = 0;
    std::size_t painted = scanlineFill(
        w, h, 0, h - 1,
        [&](int x, int y) {
            peak = std::max(peak, seeds.size());
            return rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '.';
        },
        [&](int x, int y) { rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = 'o'; }, seeds);
    EXPECT_GT(peak, 1000u);
    EXPECT_EQ(painted, static_cast<std::size_t>(w) + static_cast<std::size_t>(h - 1) * 2001);
    for (const auto& row : rows)
        ASSERT_EQ(row.find('.'), std::string::npos);
}

TEST(FillTool, DiagonalBoundaryDoesNotLeak)
{
    ToolFixture f;
    f.make(5, 4);
    f.load({
        "..0..",
        ".0...",
        "0....",
        ".....",
    });
    f.choose(1);
    f.select(Tool::Fill);
    f.click(0, 0);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{
                            "110..",
                            "10...",
                            "0....",
                            ".....",
                        }));
    EXPECT_EQ(f.undo.labels(), (std::vector<std::string>{"取消填充操作"}));
    EXPECT_TRUE(f.imageMatchesGrid());
    EXPECT_EQ(f.layerRows(0), f.rows());
}

TEST(FillTool, WhiteThreadOnEmptyCellsFillsOnlyTheEmptyCells)
{
    ToolFixture f;
    f.make(5, 3, {kRed, kWhite});
    f.load({
        "..1..",
        ".0011",
        ".....",
    });
    f.choose(1);
    f.select(Tool::Fill);
    f.click(0, 0);
    // The white thread cells are white like the empty cells, but the index fill passes only
    // over empty ones: the two empty cells behind them at the top right stay empty.
    EXPECT_EQ(f.rows(), (std::vector<std::string>{
                            "111..",
                            "10011",
                            "11111",
                        }));
}

TEST(FillTool, WhiteThreadAreaNextToEmptyCellsFillsBoth)
{
    ToolFixture f;
    f.make(5, 2, {kRed, kWhite});
    f.load({
        "11..0",
        "1.0..",
    });
    f.choose(0);
    f.select(Tool::Fill);
    f.click(0, 0);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{
                            "00000",
                            "00000",
                        }));
}

TEST(FillTool, FillingWithTheSameColourChangesNothing)
{
    ToolFixture f;
    f.make(3, 3);
    f.load({"000", "0.0", "000"});
    f.choose(0);
    f.select(Tool::Fill);
    f.click(0, 0);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"000", "0.0", "000"}));
}

TEST(FillTool, ColourFillTakesEveryThreadOfThatColour)
{
    // Two threads of one colour are one region for the colour fill.
    ToolFixture f;
    f.make(4, 1, {kRed, kGreen, kRed});
    f.load({"0201"});
    f.choose(1);
    f.select(Tool::Fill);
    f.click(0, 0);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"1111"}));
}

TEST(FillTool, NeedsAChosenThread)
{
    ToolFixture f;
    f.make(3, 3);
    f.select(Tool::Fill);
    EXPECT_TRUE(f.messages.shown.empty());  // fill does not ask when chosen
    f.click(1, 1);
    EXPECT_TRUE(f.undo.steps.empty());
    EXPECT_EQ(f.rows(), (std::vector<std::string>(3, "...")));
}

TEST(FillTool, RefusedWhenTheFirstVisibleLayerIsNeitherLinkedNorDrawable)
{
    ToolFixture f;
    f.make(3, 3);
    f.doc.layers.insertLayer(0, LayerList::emptyLayer(f.doc, "upper"), f.doc);
    f.doc.layers.setOnlyDrawing(1);  // the top layer is plain, the drawing layer below it
    f.choose(0);
    f.select(Tool::Fill);
    f.click(1, 1);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, "第一个可见层必须为链接或可绘层才可以用添充工具");
    EXPECT_EQ(f.messages.shown[0].title, "警告");
    EXPECT_TRUE(f.undo.steps.empty());
    f.select(Tool::HollowOut);
    f.load({"000", "000", "000"});
    f.click(1, 1);
    ASSERT_EQ(f.messages.shown.size(), 2u);
    EXPECT_EQ(f.messages.shown[1].text, "第一个可见层必须为链接或可绘层才可以用挖空工具");
    EXPECT_EQ(f.rows(), (std::vector<std::string>(3, "000")));
}

TEST(FillTool, ALargeRegionFillsCompletely)
{
    ToolFixture f;
    f.make(300, 200);
    // Vertical walls with gaps at alternating ends make a long serpentine region.
    for (int x = 1; x < 300; x += 2)
        for (int y = 0; y < 200; ++y)
            if (!((x / 2) % 2 == 0 ? y == 199 : y == 0)) {
                f.doc.setCell(x, y, 0);
                f.doc.layers[0].cells[f.doc.grid.indexOf(x, y)] = 0;
            }
    f.view.rebuildCellImage();
    f.choose(1);
    f.select(Tool::Fill);
    f.click(0, 0);
    EXPECT_EQ(std::count(f.doc.grid.cells.begin(), f.doc.grid.cells.end(), EmptyCell), 0);
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(HollowOutTool, ByIndexWhenTheColourIsTheFabric)
{
    ToolFixture f;
    f.make(4, 2, {kCream, kRed, kCream});
    f.doc.setFabricColor(kCream);
    f.load({
        "0020",
        "0110",
    });
    f.select(Tool::HollowOut);
    f.click(0, 0);
    // Thread 2 has the same colour under another index, so it stays, and with it the cells
    // of thread 0 that only it connects.
    EXPECT_EQ(f.rows(), (std::vector<std::string>{
                            "..20",
                            ".110",
                        }));
    EXPECT_EQ(f.undo.labels(), (std::vector<std::string>{"取消挖空操作"}));
}

TEST(HollowOutTool, ByColourOtherwiseAndMarksGoToo)
{
    ToolFixture f;
    f.make(4, 2, {kRed, kGreen, kRed});
    f.load({
        "0210",
        "0011",
    });
    f.doc.placeMark(3, 0, 0);
    f.doc.layers[0].marks.push_back({3, 0, 0, 0});
    f.doc.placeMark(4, 3, 1);
    f.select(Tool::HollowOut);
    f.click(0, 1);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{
                            "..10",
                            "..11",
                        }));
    ASSERT_EQ(f.doc.marks.size(), 1u);
    EXPECT_EQ(f.doc.marks[0].column, 3);
    EXPECT_TRUE(f.doc.layers[0].marks.empty());
    EXPECT_TRUE(f.imageMatchesGrid());
}

TEST(HollowOutTool, WhiteThreadOnColouredFabricTakesTheEmptyCellsAlong)
{
    // Empty cells count as white, so they belong to a white region; hollowing it terminates
    // even though the emptied cells still match.
    ToolFixture f;
    f.make(4, 1, {kWhite, kRed});
    f.doc.setFabricColor(kCream);
    f.load({"0.01"});
    f.select(Tool::HollowOut);
    f.click(0, 0);
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"...1"}));
}

TEST(HollowOutTool, AnEmptyCellDoesNothing)
{
    ToolFixture f;
    f.make(3, 1);
    f.load({"0.0"});
    f.select(Tool::HollowOut);
    f.click(1, 0);
    EXPECT_TRUE(f.undo.steps.empty());
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"0.0"}));
}

}  // namespace
}  // namespace brenmark::test
