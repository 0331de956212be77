#include "editor/app/command_line_opener.h"
#include "editor/app/main_window.h"
#include "editor/app/tests/app_test_support.h"
#include "editor/document/pattern_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

TEST(EditorArguments, TheOperandsFormTheCommandLine)
{
    EXPECT_EQ(parseEditorArguments({"brenmark"}).commandLine, "");
    EXPECT_EQ(parseEditorArguments({"brenmark", "\"/tmp/a.xiu\""}).commandLine, "\"/tmp/a.xiu\"");
    EXPECT_EQ(parseEditorArguments({"brenmark", "/tmp/my", "heart.xiu"}).commandLine, "/tmp/my heart.xiu");
}

TEST(EditorArguments, TheScreenshotOptionIsTakenOut)
{
    const EditorArguments a = parseEditorArguments({"brenmark", "--screenshot", "/tmp/s.png", "/tmp/a.xiu"});
    EXPECT_EQ(a.screenshot, "/tmp/s.png");
    EXPECT_EQ(a.commandLine, "/tmp/a.xiu");
    EXPECT_EQ(parseEditorArguments({"brenmark", "--", "--screenshot"}).commandLine, "--screenshot");
}

TEST(EditorArguments, ThePictureOptionsAreTakenOut)
{
    const EditorArguments a =
        parseEditorArguments({"brenmark", "a.xiu", "--actions", "zoomIn,,modeSimulated", "--demo-drawing", "--demo-selection"});
    EXPECT_EQ(a.commandLine, "a.xiu");
    EXPECT_EQ(a.actions, (std::vector<std::string>{"zoomIn", "modeSimulated"}));
    EXPECT_TRUE(a.demoDrawing);
    EXPECT_TRUE(a.demoSelection);
    EXPECT_FALSE(parseEditorArguments({"brenmark", "a.xiu"}).demoDrawing);
    EXPECT_EQ(parseEditorArguments({"brenmark", "--", "--demo-drawing"}).commandLine, "--demo-drawing");
}

TEST(CommandLineOpener, OpensOnceAfterTheDelayAndNotBefore)
{
    CommandLineOpener opener;
    std::vector<std::string> opened;
    QElapsedTimer clock;
    clock.start();
    qint64 firedAt = -1;
    opener.start("\"x.xiu\"", [&](const std::string& c) {
        opened.push_back(c);
        firedAt = clock.elapsed();
    });

    QCoreApplication::processEvents();
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(opener.pending());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !opened.empty(); }, 5000));
    EXPECT_GE(firedAt, 1000);
    QTest::qWait(50);
    EXPECT_EQ(opened, std::vector<std::string>{"\"x.xiu\""});
    EXPECT_FALSE(opener.pending());
}

TEST(CommandLineOpener, AnEmptyCommandLineOpensNothing)
{
    CommandLineOpener opener;
    bool called = false;
    opener.start("", [&](const std::string&) { called = true; }, 0);
    EXPECT_FALSE(opener.pending());
    QTest::qWait(20);
    EXPECT_FALSE(called);
}

class CommandLineWindow : public ::testing::TestWithParam<bool> {};

TEST_P(CommandLineWindow, ThePatternOpensAboutASecondAfterTheWindowExists)
{
    test::ScratchDir dir;
    PatternDocument p;
    p.create(7, 5, "DMC");
    const std::string path = dir.file("start.xiu");
    ASSERT_TRUE(savePattern(path, p));

    test::ScriptedDialogs dialogs;
    MainWindowSetup setup;
    setup.programDir = dir.path();
    setup.commandLine = GetParam() ? "\"" + path + "\"" : path;
    setup.dialogs = &dialogs;
    QElapsedTimer clock;
    clock.start();
    MainWindow window(setup);
    window.show();

    QCoreApplication::processEvents();
    EXPECT_FALSE(window.document().isOpen());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.document().isOpen(); }, 5000));
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_EQ(window.document().width(), 7);
    EXPECT_EQ(window.commands().currentPath(), path);
    EXPECT_TRUE(dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(QuotedOrNot, CommandLineWindow, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& p) { return p.param ? "Quoted" : "Unquoted"; });

}  // namespace
}  // namespace brenmark
