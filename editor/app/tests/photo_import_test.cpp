// "导入照片" through the main window with a scripted photo dialog: the save prompt, the
// conversion installed as a new pattern, and what leaves the open pattern alone.
#include "editor/app/app_commands.h"
#include "editor/app/main_window.h"
#include "editor/app/photo_dialogs.h"
#include "editor/app/tests/picture_test_support.h"
#include "editor/app/tests/window_test_support.h"
#include "editor/document/pattern_file.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

using test::kWindowBlue;
using test::kWindowRed;

// The picture windows of the other tests, and the photo dialog as a script.
class ScriptedPhotoDialogs final : public PictureDialogs, public PhotoDialogs {
public:
    std::function<std::optional<PhotoImport>()> script;
    int shown = 0;

    std::optional<PhotoImport> importPhoto() override
    {
        ++shown;
        return script ? script() : std::nullopt;
    }
    bool importPicture(const std::string&, const std::string&, PictureImportPanel&, MessageBoxes&) override { return false; }
    void showStatistics(const StatisticsRequest&) override {}
    void threadCalculator() override {}
    void fabricCalculator(MessageBoxes&) override {}
    void threadFinder(const PaletteStore&) override {}
};

// 3 x 2: blue first in the first row, red elsewhere.
PhotoImport blueThenRed(const std::string& library = "DMC")
{
    PhotoImport p;
    p.result.width = 3;
    p.result.height = 2;
    p.result.colors = {kWindowBlue, kWindowRed};
    p.result.cells = {0, 1, 1, 1, 1, 0};
    p.library = library;
    return p;
}

class PhotoImportCommand : public ::testing::Test {
protected:
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    ScriptedPhotoDialogs photos;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        MainWindowSetup s;
        s.dialogs = &dialogs;
        s.pictureDialogs = &photos;
        window = test::showEditorWindow(dir, s);
        ASSERT_TRUE(window);
        PatternDocument p;
        p.create(6, 4, "DMC");
        p.addThread(kWindowRed, "321");
        p.setCell(0, 0, 0);
        p.layers.backgroundFromGrid(p);
        const std::string path = dir.file("open.xiu");
        ASSERT_TRUE(savePattern(path, p));
        ASSERT_TRUE(window->commands().loadFile(path, LoadMode::Library));
        window->history().recordUndoStep("取消画点");
        dialogs.answers.push_back(Answer::No);  // the step made it unsaved
    }
    QAction* importPhotoAction() { return window->findChild<QAction*>(u"importPhoto"_qs); }
};

TEST_F(PhotoImportCommand, TheFileMenuOffersItAfterTheOldLibraryPatterns)
{
    QAction* action = importPhotoAction();
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), fromGbk("导入照片"));
    const QList<QAction*> items = window->menuBar()->actions()[0]->menu()->actions();
    // After 新建, 打开, 存储 and a separator.
    ASSERT_GE(items.size(), 7);
    EXPECT_EQ(items[4]->text(), fromGbk("打开旧色库绣图校正"));
    EXPECT_EQ(items[5], action);
    EXPECT_EQ(items[6]->text(), fromGbk("带描边的卡通图导入"));
}

TEST_F(PhotoImportCommand, TheConversionBecomesANewUntitledPattern)
{
    photos.script = [] { return blueThenRed(); };
    importPhotoAction()->trigger();
    EXPECT_EQ(photos.shown, 1);
    // The save prompt came before the dialog.
    ASSERT_FALSE(dialogs.log.empty());
    EXPECT_EQ(dialogs.log.front().rfind("ask:", 0), 0u);

    const PatternDocument& doc = window->document();
    EXPECT_EQ(doc.width(), 3);
    EXPECT_EQ(doc.height(), 2);
    EXPECT_EQ(doc.brand, "DMC");
    // The threads follow the result's colours, numbered from the palette.
    EXPECT_EQ(doc.threads.numbers, (std::vector<std::string>{"796", "321"}));
    EXPECT_EQ(doc.threads.colors, (std::vector<ColorRef>{kWindowBlue, kWindowRed}));
    EXPECT_EQ(std::vector<std::int32_t>(doc.grid.cells.begin(), doc.grid.cells.end()),
              (std::vector<std::int32_t>{0, 1, 1, 1, 1, 0}));
    EXPECT_EQ(doc.fabric, kWhite);
    EXPECT_FALSE(window->history().canUndo());
    EXPECT_TRUE(window->commands().currentPath().empty());
    EXPECT_EQ(window->threadCaption(), fromGbk("(DMC)绣线数:2"));
    EXPECT_FALSE(window->view().showBaseImage());
}

TEST_F(PhotoImportCommand, CancelOrAnUnusableLibraryLeavesThePatternAsItWas)
{
    const std::vector<std::int32_t> cells(window->document().grid.cells.begin(), window->document().grid.cells.end());
    const std::string path = window->commands().currentPath();

    photos.script = [] { return std::nullopt; };
    EXPECT_FALSE(window->runCommand(CmdImportPhoto));
    photos.script = [] { return blueThenRed("ANCHOR"); };  // no ANCHOR palette here
    dialogs.answers.push_back(Answer::No);  // still unsaved: asked again
    EXPECT_FALSE(window->runCommand(CmdImportPhoto));
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, "绣线库(ANCHOR)的线未配置,不能使用");

    const PatternDocument& doc = window->document();
    EXPECT_EQ(doc.width(), 6);
    EXPECT_EQ(std::vector<std::int32_t>(doc.grid.cells.begin(), doc.grid.cells.end()), cells);
    EXPECT_TRUE(window->history().canUndo());
    EXPECT_EQ(window->commands().currentPath(), path);
    EXPECT_EQ(photos.shown, 2);
}

TEST(PhotoImportLibrary, TheEditorsOwnWindowsShowTheLibrarysDialog)
{
    // No scripted photo dialog: the command opens the photo library's, here cancelled.
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    MainWindowSetup s;
    s.dialogs = &dialogs;
    auto window = test::showEditorWindow(dir, s);
    ASSERT_TRUE(window);
    const bool wasOpen = window->document().isOpen();
    const int width = window->document().width();
    QString title;
    QTimer::singleShot(0, [&title] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        dialog->findChild<QPushButton*>(u"cancel"_qs)->click();
    });
    EXPECT_FALSE(window->runCommand(CmdImportPhoto));
    EXPECT_EQ(title, fromGbk("导入照片"));
    EXPECT_EQ(window->document().isOpen(), wasOpen);
    EXPECT_EQ(window->document().width(), width);
}

}  // namespace
}  // namespace brenmark
