// "导出OXS绣图" and "导入OXS绣图" through the session: the dialogs asked, the file written,
// the chart installed as a new untitled pattern, and refusals that leave the open pattern.
#include "editor/app/app_commands.h"
#include "editor/app/editor_session.h"
#include "editor/app/tests/app_test_support.h"

#include <fstream>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

struct OxsCommandsTest : ::testing::Test {
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

TEST_F(OxsCommandsTest, ExportWritesTheChartUnderANameEndingInOxs)
{
    dialogs.files.push_back(dir.file("chart"));
    ASSERT_TRUE(session->runCommand(CmdExportOxs));
    EXPECT_TRUE(test::fileExists(dir.file("chart.oxs")));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "OXS绣图导出完毕");
    EXPECT_EQ(dialogs.filters.back(), "OXS绣图 (.oxs)|*.oxs|");

    // An existing file is replaced only when the user says yes.
    dialogs.files.push_back(dir.file("chart.oxs"));
    dialogs.yesNo.push_back(false);
    EXPECT_FALSE(session->runCommand(CmdExportOxs));
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(OxsCommandsTest, ImportInstallsTheChartAndSaysHowThreadsWereMatched)
{
    dialogs.files.push_back(dir.file("chart.oxs"));
    ASSERT_TRUE(session->runCommand(CmdExportOxs));
    session->document().setCell(0, 0, 0);  // changed since the export

    dialogs.yesNo.push_back(false);  // no saving of the open pattern
    dialogs.files.push_back(dir.file("chart.oxs"));
    ASSERT_TRUE(session->runCommand(CmdImportOxs));
    const PatternDocument& doc = session->document();
    EXPECT_EQ(doc.cell(0, 0), EmptyCell);
    EXPECT_EQ(doc.cell(1, 1), 0);
    EXPECT_TRUE(session->commands().currentPath().empty());
    EXPECT_EQ(dialogs.messages.back().text, "OXS绣图导入完毕:1种绣线按线号匹配DMC色库,0种按最接近的颜色匹配");
}

TEST_F(OxsCommandsTest, ADamagedFileIsRefusedAndTheOpenPatternStays)
{
    {
        std::ofstream(dir.file("bad.oxs")) << "<chart><palette>";
    }
    dialogs.yesNo.push_back(false);
    dialogs.files.push_back(dir.file("bad.oxs"));
    EXPECT_FALSE(session->runCommand(CmdImportOxs));
    EXPECT_EQ(dialogs.messages.back().text, "OXS文件已损坏,不能导入");
    EXPECT_EQ(session->document().cell(1, 1), 0);
    EXPECT_EQ(session->document().width(), 3);
}

}  // namespace
}  // namespace brenmark
