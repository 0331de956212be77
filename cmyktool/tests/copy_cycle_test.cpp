#include "cmyktool/copy_cycle.h"
#include "cmyktool/tests/scripted_partners.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brenmark::glimbert {
namespace {

using testing::RecordedMessages;
using testing::ScriptedPicker;
using testing::ScriptedTable;
using Row = std::vector<std::string>;

Row fullRow(const std::string& number, const std::string& second)
{
    return {"0", "1", "2", "3", "4", number, "6", "7", "8", "9", second};
}

struct CycleTest : ::testing::Test {
    ScriptedTable table;
    ScriptedPicker picker;
    RecordedMessages messages;
    CycleResult run() { return runCopyCycle(table, picker, messages); }
};

// The four list cases, each checked by where C, M, Y, K and the number land.
TEST_F(CycleTest, EmptyListGetsRowZeroNumberedZero)
{
    const CycleResult result = run();
    EXPECT_EQ(result.outcome, CycleOutcome::Written);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0], (Row{"0", "42", "7", "0", "100", "DMC 310", "", "", "", "", ""}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CycleTest, LastRowWithEmptyFirstNumberIsFilledThere)
{
    table.rows = {fullRow("A", "B"), Row{"1", "x", "x", "x", "x", "", "", "", "", "", ""}};
    const CycleResult result = run();
    EXPECT_EQ(result.place.row, 1);
    EXPECT_EQ(result.place.firstColumn, 1);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[1], (Row{"1", "42", "7", "0", "100", "DMC 310", "", "", "", "", ""}));
    EXPECT_EQ(table.rows[0], fullRow("A", "B"));
}

TEST_F(CycleTest, LastRowWithEmptySecondNumberTakesTheSecondThread)
{
    table.rows = {Row{"0", "1", "2", "3", "4", "A", "", "", "", "", ""}};
    const CycleResult result = run();
    EXPECT_EQ(result.place.row, 0);
    EXPECT_EQ(result.place.firstColumn, 6);
    EXPECT_EQ(table.rows[0], (Row{"0", "1", "2", "3", "4", "A", "42", "7", "0", "100", "DMC 310"}));
}

TEST_F(CycleTest, FullLastRowAddsARowNumberedByTheRowCount)
{
    table.rows = {fullRow("A", "B"), fullRow("C", "D"), fullRow("E", "F")};
    const CycleResult result = run();
    EXPECT_EQ(result.place.row, 3);
    ASSERT_EQ(table.rows.size(), 4u);
    EXPECT_EQ(table.rows[3], (Row{"3", "42", "7", "0", "100", "DMC 310", "", "", "", "", ""}));
    // Only the last row is looked at, and the insert comes before the five cells.
    const std::vector<std::string> listCalls(table.log.end() - 9, table.log.end());
    EXPECT_EQ(listCalls, (std::vector<std::string>{"count", "cell 2,5", "cell 2,10", "insert 3 3", "set 3,1 42",
                                                   "set 3,2 7", "set 3,3 0", "set 3,4 100", "set 3,5 DMC 310"}));
}

TEST(ListPlace, RulesOnTheLastRow)
{
    EXPECT_EQ(placeInList(0, "", "").row, 0);
    EXPECT_EQ(placeInList(5, "", "x").row, 4);
    EXPECT_EQ(placeInList(5, "", "x").firstColumn, 1);
    EXPECT_EQ(placeInList(5, "x", "").firstColumn, 6);
    EXPECT_EQ(placeInList(5, "x", "y").row, 5);
    // A number of one space is not empty: the texts are compared as they are.
    EXPECT_EQ(placeInList(2, " ", "").firstColumn, 6);
}

// Every one of the twelve handles is checked before anything is read.
TEST_F(CycleTest, AnyEmptyHandleStopsBeforeReading)
{
    for (int f = 0; f < kTableFieldCount + kPickerFieldCount; ++f) {
        ScriptedTable t;
        ScriptedPicker p;
        RecordedMessages m;
        if (f < kTableFieldCount)
            t.handles[f] = 0;
        else
            p.handles[f - kTableFieldCount] = 0;
        EXPECT_EQ(runCopyCycle(t, p, m).outcome, CycleOutcome::EmptyHandle) << f;
        ASSERT_EQ(m.shown.size(), 1u);
        EXPECT_EQ(m.shown[0].text, "获得窗口有空值");
        EXPECT_EQ(m.shown[0].title, "提示");
        EXPECT_EQ(m.shown[0].icon, MessageIcon::Stop);
        EXPECT_TRUE(t.log.empty());
        EXPECT_TRUE(p.log.empty());
    }
}

TEST_F(CycleTest, ReadsTheFourFieldsThenClearsAndTypesEachChannelInOrder)
{
    table.texts[2] = "255";
    table.texts[3] = "0";
    table.texts[4] = "17";
    run();
    EXPECT_EQ(std::vector<std::string>(table.log.begin(), table.log.begin() + 4),
              (std::vector<std::string>{"read 1", "read 2", "read 3", "read 4"}));
    EXPECT_EQ(picker.log, (std::vector<std::string>{"clear 0", "type 0 2", "type 0 5", "type 0 5", "clear 1", "type 1 0",
                                                    "clear 2", "type 2 1", "type 2 7", "read 3", "read 4", "read 5",
                                                    "read 6"}));
    EXPECT_EQ(table.maxRead, 512u);
    EXPECT_EQ(picker.maxRead, 512u);
}

TEST_F(CycleTest, ThreadNumberGoesIntoTheListByteForByte)
{
    table.texts[1] = "\xD6\xD0 12";  // a GBK character and a space
    run();
    EXPECT_EQ(table.rows[0][5], "\xD6\xD0 12");
}

TEST_F(CycleTest, ChannelsWithSurroundingSpacesAreTypedWithout)
{
    table.texts[2] = " 9 ";
    run();
    EXPECT_EQ(picker.log[1], "type 0 9");
    EXPECT_EQ(picker.log[2], "clear 1");
}

// A channel that is no number is reported and nothing reaches the picker or the list.
TEST_F(CycleTest, ChannelThatIsNotANumberIsRefusedBeforeTyping)
{
    for (const char* bad : {"", "12a", "256", "1000", "-1", "1 2", "0x10"}) {
        ScriptedTable t;
        ScriptedPicker p;
        RecordedMessages m;
        t.texts[4] = bad;
        EXPECT_EQ(runCopyCycle(t, p, m).outcome, CycleOutcome::NotANumber) << bad;
        EXPECT_TRUE(p.log.empty()) << bad;
        EXPECT_TRUE(t.rows.empty()) << bad;
        ASSERT_EQ(m.shown.size(), 1u);
        EXPECT_EQ(m.shown[0].title, "提示");
    }
}

TEST_F(CycleTest, PickerValueThatIsNotAPercentageLeavesTheListAlone)
{
    picker.texts[5] = "101";
    EXPECT_EQ(run().outcome, CycleOutcome::NotANumber);
    EXPECT_TRUE(table.rows.empty());
    EXPECT_EQ(std::count(table.log.begin(), table.log.end(), "count"), 0);
}

TEST_F(CycleTest, PercentSignsAreDroppedFromPickerValues)
{
    picker.texts[3] = "42%";
    picker.texts[6] = " 100% ";
    run();
    EXPECT_EQ(table.rows[0][1], "42");
    EXPECT_EQ(table.rows[0][4], "100");
}

TEST(ValueChecks, ChannelsAndPercentages)
{
    EXPECT_TRUE(isChannelText("0"));
    EXPECT_TRUE(isChannelText("255"));
    EXPECT_TRUE(isChannelText("007"));
    EXPECT_FALSE(isChannelText("0255"));
    EXPECT_FALSE(isChannelText("+1"));
    EXPECT_TRUE(isPercentText("100%"));
    EXPECT_FALSE(isPercentText("%"));
    EXPECT_FALSE(isPercentText("100%%"));
    EXPECT_FALSE(isPercentText("4.5"));
}

// A partner that stops answering is reported as the process failure, at any stage.
TEST_F(CycleTest, UnreachablePartnersAreReportedAsErrors)
{
    auto expectUnreachable = [](ScriptedTable& t, ScriptedPicker& p) {
        RecordedMessages m;
        EXPECT_EQ(runCopyCycle(t, p, m).outcome, CycleOutcome::Unreachable);
        ASSERT_EQ(m.shown.size(), 1u);
        EXPECT_EQ(m.shown[0].text, "获取进程句柄操作失败！");
        EXPECT_EQ(m.shown[0].title, "错误！");
        EXPECT_EQ(m.shown[0].icon, MessageIcon::Stop);
    };
    {
        ScriptedTable t;
        ScriptedPicker p;
        t.failRead = true;
        expectUnreachable(t, p);
        EXPECT_TRUE(p.log.empty());
    }
    {
        ScriptedTable t;
        ScriptedPicker p;
        p.failTyping = true;
        expectUnreachable(t, p);
        EXPECT_EQ(p.log.size(), 1u);  // stops at the first failed clear
    }
    {
        ScriptedTable t;
        ScriptedPicker p;
        t.failList = true;
        expectUnreachable(t, p);
    }
}

TEST_F(CycleTest, TwoCyclesFillOneRowWithTwoThreads)
{
    run();
    table.texts[1] = "DMC 321";
    picker.texts[3] = "5";
    run();
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0][5], "DMC 310");
    EXPECT_EQ(table.rows[0][10], "DMC 321");
    run();
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[1][0], "1");
}

}  // namespace
}  // namespace brenmark::glimbert
