// "当前绣图统计" through the main window, the statistics window over its rows, and the
// three tools of "附加工具".
#include "editor/app/app_commands.h"
#include "editor/app/calculator_windows.h"
#include "editor/app/main_window.h"
#include "editor/app/statistics_window.h"
#include "editor/app/tests/picture_test_support.h"
#include "editor/app/tests/window_test_support.h"
#include "editor/document/pattern_file.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

constexpr ColorRef kRed = test::kWindowRed;
constexpr ColorRef kBlue = test::kWindowBlue;
constexpr ColorRef kYellow = rgb(250, 240, 0);

std::vector<std::string> numbersOf(const std::vector<ThreadStatisticsRow>& rows)
{
    std::vector<std::string> numbers;
    for (const ThreadStatisticsRow& r : rows)
        numbers.push_back(r.number);
    return numbers;
}

TEST(ThreadStatisticsCommand, TheWindowGetsTheRowsInColourBarOrderWithTheHeadersFacts)
{
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    test::ScriptedPictureDialogs pictures;
    MainWindowSetup s;
    s.dialogs = &dialogs;
    s.pictureDialogs = &pictures;
    auto window = test::showEditorWindow(dir, s);
    ASSERT_TRUE(window);
    // Nothing open: no window.
    EXPECT_FALSE(window->runCommand(CmdThreadStatistics));

    PatternDocument p;
    p.create(5, 2, "DMC");
    p.addThread(kRed, "321");
    p.addThread(kBlue, "796");
    p.addThread(kYellow, "444");
    p.setCell(0, 0, 0);
    for (int x = 0; x < 5; ++x)
        p.setCell(x, 1, 1);  // blue is the most used
    p.setCell(1, 0, 2);
    p.setCell(2, 0, 2);
    p.layers.backgroundFromGrid(p);
    const std::string path = dir.file("three.xiu");
    ASSERT_TRUE(savePattern(path, p));
    ASSERT_TRUE(window->commands().loadFile(path, LoadMode::Library));

    window->findChild<QAction*>(u"threadStatistics"_qs)->trigger();
    ASSERT_EQ(pictures.statistics.size(), 1u);
    const StatisticsRequest& request = pictures.statistics[0];
    EXPECT_EQ(request.brand, "DMC");
    EXPECT_EQ(request.width, 5);
    EXPECT_EQ(request.height, 2);
    EXPECT_EQ(request.fabric, "14CT");
    EXPECT_EQ(request.strands, 2);
    ASSERT_EQ(request.rows.size(), 3u);
    std::vector<std::int64_t> cells;
    for (const ThreadStatisticsRow& r : request.rows)
        cells.push_back(r.cells);
    std::vector<std::int64_t> expected;
    for (const ThreadStatisticsRow& r : request.rows)
        expected.push_back(r.number == "321" ? 1 : r.number == "796" ? 5 : 2);
    EXPECT_EQ(cells, expected);

    for (const char16_t* name : {u"threadFinder", u"fabricCalculator", u"threadCalculator"})
        window->findChild<QAction*>(QString::fromUtf16(name))->trigger();
    EXPECT_EQ(pictures.log, (std::vector<std::string>{"threadFinder", "fabricCalculator", "threadCalculator"}));
}

StatisticsRequest threeRows()
{
    StatisticsRequest request;
    request.brand = "DMC";
    request.width = 5;
    request.height = 2;
    request.fabric = "14CT";
    request.strands = 2;
    const auto row = [](ColorRef c, const char* number, std::int64_t cells) {
        ThreadStatisticsRow r;
        r.colour = c;
        r.number = number;
        r.symbol = "A";
        r.cells = cells;
        r.metres = skeinMetres("14CT", cells, 2);
        r.metresLabel = metresText(r.metres);
        return r;
    };
    request.rows = {row(kRed, "321", 2), row(kBlue, "796", 5), row(kYellow, "444", 2)};
    return request;
}

TEST(StatisticsWindow, SortingByUsagePutsTheMostUsedFirstAndKeepsTiesInOrder)
{
    StatisticsWindow window(threeRows());
    EXPECT_EQ(window.windowTitle(), fromGbk("当前绣图线量统计"));
    EXPECT_TRUE(window.byCells()->isChecked());
    EXPECT_EQ(window.byMetres()->text(), fromGbk("按具体米数"));
    EXPECT_EQ(numbersOf(window.chart()->rows()), (std::vector<std::string>{"321", "796", "444"}));
    window.sortByUsage()->click();
    EXPECT_EQ(numbersOf(window.chart()->rows()), (std::vector<std::string>{"796", "321", "444"}));
    window.sortByUsage()->click();
    EXPECT_EQ(numbersOf(window.chart()->rows()), (std::vector<std::string>{"321", "796", "444"}));
    window.byMetres()->click();
    EXPECT_TRUE(window.chart()->metres());
}

TEST(StatisticsWindow, TheSymbolCellsAreFilledWithTheThreadColour)
{
    StatisticsWindow window(threeRows());
    window.show();
    window.chart()->resize(500, 300);
    const QImage shot = window.chart()->grab().toImage();
    const StatisticsLayout l = window.chart()->layout();
    const BoxRect fill = l.symbolFill(1);
    // A corner of the fill, away from the symbol in its middle.
    EXPECT_EQ(shot.pixelColor(fill.x + 2, fill.y + 2), QColor(0, 0, 200));
    // The white background elsewhere.
    EXPECT_EQ(shot.pixelColor(shot.width() - 3, shot.height() - 3), QColor(Qt::white));
}

TEST(StatisticsWindow, ManyThreadsInASmallWindowScrollByBands)
{
    StatisticsRequest request = threeRows();
    for (int i = 0; i < 60; ++i)
        request.rows.push_back(request.rows[static_cast<std::size_t>(i % 3)]);
    StatisticsWindow window(request);
    window.show();
    window.chart()->resize(300, 150);
    QCoreApplication::processEvents();
    const int limit = window.chart()->scrollLimit();
    ASSERT_GT(limit, 0);
    EXPECT_EQ(window.scroller()->maximum(), limit);
    window.scroller()->setValue(limit + 5);
    EXPECT_EQ(window.chart()->firstBand(), limit);
}

TEST(Calculators, TheThreadCalculatorFollowsTheFabricAndCounts)
{
    ThreadCalculator calc;
    EXPECT_EQ(calc.fabrics()->currentText(), u"14CT"_qs);
    EXPECT_EQ(calc.strands()->currentText(), u"2"_qs);
    calc.cells()->setText(u"1000"_qs);
    calc.calculate()->click();
    EXPECT_EQ(calc.result()->text(), fromGbk("14CT 2股绣需要绣线:4.000米(注:指的是六股)"));
    calc.fabrics()->setCurrentIndex(0);
    emit calc.fabrics()->activated(0);  // as a user's choice does
    EXPECT_EQ(calc.strands()->currentText(), u"4"_qs);
}

TEST(Calculators, TheFabricCalculatorRefusesAZeroSideAndOtherwiseGivesCentimetres)
{
    test::ScriptedDialogs messages;
    FabricCalculator calc(messages);
    calc.calculate()->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "请输入正确的宽高数据");
    EXPECT_TRUE(calc.result()->text().isEmpty());
    calc.widthEdit()->setText(u"140"_qs);
    calc.heightEdit()->setText(u"70"_qs);
    calc.calculate()->click();
    EXPECT_TRUE(calc.result()->text().startsWith(fromGbk("计算出绣布的宽为:25.4厘米,高为:12.7厘米,")));
}

TEST(Calculators, TheThreadFinderMatchesThePickedColourInTheChosenBrand)
{
    test::ScratchDir dir;
    test::writePalette(dir.path(), "DMC", {{"321", kRed}, {"796", kBlue}});
    PaletteStore palettes(dir.path());
    ThreadFinder finder(palettes);
    EXPECT_EQ(finder.brands()->currentText(), u"DMC"_qs);
    finder.match()->click();
    EXPECT_TRUE(finder.threadNumber()->text().isEmpty());  // nothing picked yet
    finder.setPicked(rgb(20, 10, 180));
    finder.match()->click();
    EXPECT_EQ(finder.threadNumber()->text(), u"796"_qs);
}

}  // namespace
}  // namespace brenmark
