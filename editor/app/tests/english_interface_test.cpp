// The interface in English: with the English catalogue loaded, the main window's menus,
// toolbar, docks and status texts and the dialogs' titles and labels hold no Chinese
// character. The catalogue's completeness against the sources is TranslationsInStep's.
#include "editor/app/calculator_windows.h"
#include "editor/app/fabric_colour_dialog.h"
#include "editor/app/main_window.h"
#include "editor/app/menu_builder.h"
#include "editor/app/new_pattern_dialog.h"
#include "editor/app/preferences_dialog.h"
#include "editor/app/print_settings_dialog.h"
#include "editor/app/statistics_window.h"
#include "editor/app/tests/app_test_support.h"
#include "editor/document/fabric_colors.h"
#include "editor/widgets/tests/chinese_texts.h"
#include "interchange/gbk_qstring.h"
#include "interchange/ui_text.h"

#include <QAction>
#include <QSettings>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

using test::chineseTexts;

class EnglishInterface : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(loadUiCatalogue(BRENMARK_CATALOGUE)); }
    void TearDown() override { loadUiCatalogue(""); }
};

TEST_F(EnglishInterface, TheMainWindowsMenusToolbarAndDocksAreEnglish)
{
    QSettings().clear();
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    test::writePalette(dir.path(), "DMC", {{"321", rgb(200, 0, 0)}});
    MainWindowSetup setup;
    setup.programDir = dir.path();
    setup.dialogs = &dialogs;
    MainWindow window(setup);
    EXPECT_EQ(chineseTexts(window), std::vector<std::string>());
    EXPECT_EQ(window.windowTitle(), u"Velmora Cross Stitch"_qs);

    // With a pattern open: the title names it, the undo and redo items follow the history.
    dialogs.newPatterns.push_back(NewPatternEntry{"DMC", "20", "10"});
    window.findChild<QAction*>(u"newPattern"_qs)->trigger();
    EXPECT_EQ(chineseTexts(window), std::vector<std::string>());
    EXPECT_EQ(window.findChild<QAction*>(u"undo"_qs)->text(), u"Nothing to Undo"_qs);
}

TEST_F(EnglishInterface, UndoAndRedoCaptionsComeFromTheUndoLabel)
{
    EXPECT_EQ(menuText("取消描点操作"), u"Undo Pencil"_qs);
    EXPECT_EQ(redoMenuText("Redo描点操作"), u"Redo Pencil"_qs);
    EXPECT_EQ(redoMenuText("Redo上一次操作"), u"Redo Last Action"_qs);
    EXPECT_EQ(redoMenuText("无Redo操作"), u"Nothing to Redo"_qs);
    // Labels put together from names: the names stay as they are, a mnemonic "&" shown as one.
    EXPECT_EQ(menuText("取消DMC绣线转J&P绣线"), u"Undo Convert DMC to J&&P"_qs);
    EXPECT_EQ(redoMenuText("RedoDMC绣线转ANCHOR绣线"), u"Redo Convert DMC to ANCHOR"_qs);
    EXPECT_EQ(menuText("取消插件配色动作"), u"Undo Plug-in "_qs + fromGbk("配色"));
    loadUiCatalogue("");
    EXPECT_EQ(redoMenuText("Redo描点操作"), fromGbk("Redo描点操作"));
}

TEST_F(EnglishInterface, TheEditorsDialogsAreEnglish)
{
    PreferencesDialog preferences(Preferences{});
    EXPECT_EQ(chineseTexts(preferences), std::vector<std::string>());
    EXPECT_EQ(preferences.windowTitle(), u"Settings"_qs);

    NewPatternDialog newPattern({"DMC", "ANCHOR"}, NewPatternEntry{"DMC", "100", "100"});
    EXPECT_EQ(chineseTexts(newPattern), std::vector<std::string>());

    std::vector<FabricChoice> fabrics;
    for (const std::string& entry : fabricDialogEntries())
        fabrics.push_back({entry, rgb(255, 255, 255)});
    FabricColourDialog fabric(fabrics, 0);
    EXPECT_EQ(chineseTexts(fabric), std::vector<std::string>());

    PrintSettingsDialog print{PrintSettings{}};
    EXPECT_EQ(chineseTexts(print), std::vector<std::string>());
    // The default author and title are shown in English but stay the program's own texts
    // (an unnamed designer is not printed), unless the user changes them.
    EXPECT_EQ(print.author()->text(), u"Anonymous"_qs);
    EXPECT_EQ(print.settings().author, PrintSettings{}.author);
    EXPECT_EQ(print.settings().title, PrintSettings{}.title);
    print.title()->setText(u"Roses"_qs);
    EXPECT_EQ(print.settings().title, "Roses");

    ThreadCalculator threads;
    EXPECT_EQ(chineseTexts(threads), std::vector<std::string>());
    SilentMessages silent;
    FabricCalculator fabricSize(silent);
    EXPECT_EQ(chineseTexts(fabricSize), std::vector<std::string>());

    StatisticsRequest request;
    request.brand = "DMC";
    StatisticsWindow statistics(request);
    EXPECT_EQ(chineseTexts(statistics), std::vector<std::string>());
}

}  // namespace
}  // namespace brenmark
