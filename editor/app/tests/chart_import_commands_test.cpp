// "导入其他软件的绣图" through the session: the save prompt, the file dialog, the chart as a
// new untitled pattern whatever the file is called, and refusals that leave the open pattern.
#include "editor/app/app_commands.h"
#include "editor/app/editor_session.h"
#include "editor/app/tests/app_test_support.h"
#include "editor/output/foreign_chart.h"

#include <cstring>
#include <fstream>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

struct ChartImportCommandsTest : ::testing::Test {
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<EditorSession> session;

    void SetUp() override
    {
        test::writePalette(dir.path(), "DMC", {{"321", rgb(200, 0, 0)}, {"310", rgb(0, 0, 0)}});
        session = std::make_unique<EditorSession>(SessionSetup{dir.path(), &dialogs, nullptr, nullptr, nullptr});
        PatternDocument& doc = session->document();
        doc.create(3, 2, "DMC");
        doc.addThread(rgb(200, 0, 0), "321");
        doc.assignDefaultSymbols();
        doc.setCell(1, 1, 0);
        doc.layers.backgroundFromGrid(doc);
    }
};

void put16(std::string& f, unsigned v) { f += static_cast<char>(v & 0xFF), f += static_cast<char>(v >> 8 & 0xFF); }

// A 1 x 2 PCStitch 6 chart, both cells DMC 310.
std::string pcStitch6()
{
    std::string f = "PCStitch 6 Pattern File";
    f.resize(256, '\0');
    f += std::string(8, '\0');
    put16(f, 1), put16(f, 2), put16(f, 14), put16(f, 14);
    for (int i = 0; i < 5; ++i)
        put16(f, 0);
    f += "PCStitch 6 Floss Palette!";
    put16(f, 0);
    f += std::string("DMC") + std::string(27, ' ') + std::string(10, ' ');
    put16(f, 1);
    put16(f, 0);
    f += std::string(4, '\0');
    std::string entry(169, '\0');
    entry[30] = 1, entry[31] = 1, entry[32] = 1;
    std::memcpy(&entry[34], "310       ", 10);
    f += entry;
    put16(f, 2), f += '\1', f += '\1';
    f += std::string(12, '\0');  // no extras, knots or backstitches
    return f;
}

TEST_F(ChartImportCommandsTest, AChartOfAnotherProgramBecomesTheUntitledPattern)
{
    {
        std::ofstream(dir.file("roses.chart"), std::ios::binary) << pcStitch6();
    }
    dialogs.yesNo.push_back(false);  // no saving of the open pattern
    dialogs.files.push_back(dir.file("roses.chart"));
    ASSERT_TRUE(session->runCommand(CmdImportOtherChart));
    ASSERT_FALSE(dialogs.log.empty());
    EXPECT_EQ(dialogs.log[0].rfind("ask:", 0), 0u);  // the save prompt comes first
    EXPECT_EQ(dialogs.log[1], std::string("open:") + kForeignImportCaption);
    EXPECT_EQ(dialogs.filters.back(), kForeignImportFilter);
    const PatternDocument& doc = session->document();
    ASSERT_EQ(doc.width(), 1);
    ASSERT_EQ(doc.height(), 2);
    EXPECT_EQ(doc.threads.numbers[static_cast<std::size_t>(doc.cell(0, 1))], "310");
    EXPECT_TRUE(session->commands().currentPath().empty());
    EXPECT_EQ(dialogs.messages.back().text.rfind("PCStitch绣图导入完毕:1种绣线按线号匹配DMC色库,0种按最接近的颜色匹配", 0), 0u);
    EXPECT_EQ(dialogs.messages.back().icon, MessageIcon::Information);
}

TEST_F(ChartImportCommandsTest, AFileNoReaderKnowsIsRefusedAndTheOpenPatternStays)
{
    {
        std::ofstream(dir.file("notes.xsd")) << "shopping list";
    }
    dialogs.yesNo.push_back(false);
    dialogs.files.push_back(dir.file("notes.xsd"));
    EXPECT_FALSE(session->runCommand(CmdImportOtherChart));
    EXPECT_EQ(dialogs.messages.back().text, "不能识别的绣图文件,不能导入");
    EXPECT_EQ(dialogs.messages.back().icon, MessageIcon::Warning);
    EXPECT_EQ(session->document().width(), 3);
    EXPECT_EQ(session->document().cell(1, 1), 0);

    // Cancelling the dialog does nothing.
    dialogs.yesNo.push_back(false);
    EXPECT_FALSE(session->runCommand(CmdImportOtherChart));
    EXPECT_EQ(session->document().width(), 3);
}

}  // namespace
}  // namespace brenmark
