// Importing a picture through the main window with a scripted picture dialog, and the
// picture dialog itself over its conversion panel.
#include "editor/app/app_commands.h"
#include "editor/app/main_window.h"
#include "editor/app/picture_commands.h"
#include "editor/app/picture_import_dialog.h"
#include "editor/app/tests/picture_test_support.h"
#include "editor/app/tests/window_test_support.h"
#include "editor/document/pattern_file.h"
#include "editor/output/picture_decode.h"
#include "editor/view/widgets/tool_window.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <QMouseEvent>

#include <gtest/gtest.h>

#include <algorithm>

namespace brenmark {
namespace {

using test::kWindowBlue;
using test::kWindowRed;

class PictureImport : public ::testing::Test {
protected:
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    test::ScriptedPictureDialogs pictures;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        MainWindowSetup s;
        s.dialogs = &dialogs;
        s.pictureDialogs = &pictures;
        window = test::showEditorWindow(dir, s);
        ASSERT_TRUE(window);
    }
    QAction* action(const char16_t* name) { return window->findChild<QAction*>(QString::fromUtf16(name)); }

    // A 6 x 4 pattern with one red cell and a step to undo.
    void openPattern()
    {
        PatternDocument p;
        p.create(6, 4, "DMC");
        p.addThread(kWindowRed, "321");
        p.setCell(0, 0, 0);
        p.layers.backgroundFromGrid(p);
        const std::string path = dir.file("open.xiu");
        ASSERT_TRUE(savePattern(path, p));
        ASSERT_TRUE(window->commands().loadFile(path, LoadMode::Library));
        window->history().recordUndoStep("取消画点");
        ASSERT_TRUE(window->history().canUndo());
        // The step made it unsaved: the import's save prompt is answered No.
        dialogs.answers.push_back(Answer::No);
    }
    QCheckBox* baseImageBox()
    {
        for (QCheckBox* box : window->toolWindow()->findChildren<QCheckBox*>())
            if (box->text() == fromGbk("显示底图"))
                return box;
        return nullptr;
    }
};

TEST_F(PictureImport, TheToolbarImportReplacesThePatternWithTheConversion)
{
    openPattern();
    const std::string picture = test::writeTwoColourPicture(dir.file("halves.png"));
    pictures.convertOnOpen(picture);
    action(u"importPicture")->trigger();

    ASSERT_EQ(pictures.titles.size(), 1u);
    EXPECT_EQ(pictures.titles[0], "导入图片");
    const PatternDocument& doc = window->document();
    ASSERT_TRUE(doc.isOpen());
    EXPECT_EQ(doc.width(), 4);
    EXPECT_EQ(doc.height(), 2);
    EXPECT_EQ(doc.brand, "DMC");
    ASSERT_EQ(doc.threads.size(), 2);
    // The left half (red) is the more frequent colour and so thread 0.
    EXPECT_EQ(doc.threads.colors[0], kWindowRed);
    EXPECT_EQ(doc.threads.numbers[0], "321");
    EXPECT_EQ(doc.threads.numbers[1], "796");
    EXPECT_EQ(doc.grid.at(0, 0), 0);
    EXPECT_EQ(doc.grid.at(3, 1), 1);
    EXPECT_EQ(doc.fabric, kWhite);
    EXPECT_FALSE(window->history().canUndo());
    EXPECT_TRUE(window->commands().currentPath().empty());
    EXPECT_EQ(window->windowTitle(), fromGbk("*未命名 - ") + fromGbk(kWindowTitle));  // untitled, unsaved
    EXPECT_EQ(window->threadCaption(), fromGbk("(DMC)绣线数:2"));
    EXPECT_FALSE(window->view().showBaseImage());
    // The save prompt came first.
    ASSERT_FALSE(dialogs.log.empty());
    EXPECT_EQ(dialogs.log.front().rfind("ask:", 0), 0u);
}

TEST_F(PictureImport, TheNextPictureDialogStartsWithTheLastOptionsAndBrand)
{
    test::writePalette(dir.path(), "ANCHOR", {{"13", kWindowRed}, {"134", kWindowBlue}});
    const std::string picture = test::writeTwoColourPicture(dir.file("halves.png"));
    std::vector<ConversionOptions> seen;
    std::vector<std::string> brands;
    pictures.script = [&](PictureImportPanel& panel, MessageBoxes&) {
        seen.push_back(panel.options());
        brands.push_back(panel.selectedBrand());
        panel.selectPicture(picture);
        panel.options().metric = ColourMetric::Lab;
        panel.options().confetti = 4;
        panel.setCrop(CropRect{0, 0, 2, 2});
        const auto& kinds = panel.threadKinds();
        panel.selectKind(static_cast<int>(std::find(kinds.begin(), kinds.end(), "ANCHOR") - kinds.begin()));
        return false;  // cancelled: the choices are remembered all the same
    };
    action(u"importPicture")->trigger();
    action(u"importPicture")->trigger();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], ConversionOptions{});
    EXPECT_EQ(brands[0], "DMC");
    EXPECT_EQ(seen[1].metric, ColourMetric::Lab);
    EXPECT_EQ(seen[1].confetti, 4);
    EXPECT_FALSE(seen[1].crop);  // the crop belonged to the picture
    EXPECT_EQ(brands[1], "ANCHOR");
}

TEST_F(PictureImport, CancellingOrClosingWithoutAConversionLeavesThePatternAsItWas)
{
    openPattern();
    const std::string picture = test::writeTwoColourPicture(dir.file("halves.png"));
    const std::vector<std::int32_t> cells(window->document().grid.cells.begin(), window->document().grid.cells.end());
    const std::string path = window->commands().currentPath();

    pictures.script = [](PictureImportPanel&, MessageBoxes&) { return false; };
    EXPECT_FALSE(window->runCommand(CmdImportPicture));
    // "打开" cannot be had without "转换"; a dialog that returns OK anyway changes nothing.
    pictures.script = [&](PictureImportPanel& panel, MessageBoxes&) {
        panel.selectPicture(picture);
        return true;
    };
    EXPECT_FALSE(window->runCommand(CmdImportPicture));
    // Converted, then cancelled.
    pictures.script = [&](PictureImportPanel& panel, MessageBoxes& messages) {
        panel.selectPicture(picture);
        return !panel.convert(&messages);
    };
    EXPECT_FALSE(window->runCommand(CmdImportPicture));

    const PatternDocument& doc = window->document();
    EXPECT_EQ(doc.width(), 6);
    EXPECT_EQ(doc.height(), 4);
    EXPECT_EQ(std::vector<std::int32_t>(doc.grid.cells.begin(), doc.grid.cells.end()), cells);
    EXPECT_EQ(doc.threads.size(), 1);
    EXPECT_TRUE(window->history().canUndo());
    EXPECT_EQ(window->commands().currentPath(), path);
}

TEST_F(PictureImport, AnUnusablePaletteIsRefusedAndTheOpenPatternStays)
{
    openPattern();
    const std::string picture = test::writeTwoColourPicture(dir.file("halves.png"));
    // A palette file that holds no thread.
    ASSERT_TRUE(window->session().palettes().save("ANCHOR", std::vector<ColorRef>{}, std::vector<std::string>{}));
    pictures.script = [&](PictureImportPanel& panel, MessageBoxes& messages) {
        panel.selectPicture(picture);
        panel.selectKind(0);  // ANCHOR: its palette is empty
        panel.convert(&messages);
        return panel.converted();
    };
    EXPECT_FALSE(window->runCommand(CmdImportPicture));
    EXPECT_EQ(window->document().width(), 6);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, "绣线库(ANCHOR)的线未配置,不能使用");
}

TEST_F(PictureImport, TheCartoonImportKeepsThePictureBehindThePatternForTracing)
{
    openPattern();
    window->document().setFabricColor(kWindowBlue);
    const std::string picture = test::writeTwoColourPicture(dir.file("halves.png"));
    pictures.convertOnOpen(picture);
    action(u"importCartoon")->trigger();

    ASSERT_EQ(pictures.titles.size(), 1u);
    EXPECT_EQ(pictures.titles[0], "带描边的卡通图片导入");
    EXPECT_EQ(window->document().width(), 4);
    EXPECT_EQ(window->document().fabric, kWindowBlue);  // the cartoon import keeps the fabric
    EXPECT_TRUE(window->view().showBaseImage());
    EXPECT_TRUE(window->view().showGrid());
    // Eight pixels a cell, the left half red like the picture.
    EXPECT_EQ(window->view().baseImage().size(), QSize(32, 16));
    EXPECT_EQ(window->view().baseImage().pixelColor(2, 2), QColor(200, 0, 0));
    QCheckBox* box = baseImageBox();
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->isVisibleTo(window->toolWindow()));
    EXPECT_TRUE(box->isChecked());

    // The next ordinary import takes the tracing picture away again (the converted pattern is
    // unsaved: No to the prompt).
    dialogs.answers.push_back(Answer::No);
    pictures.convertOnOpen(picture);
    action(u"importPicture")->trigger();
    EXPECT_FALSE(window->view().showBaseImage());
    EXPECT_FALSE(box->isChecked());
}

TEST_F(PictureImport, TheMenusHoldTheCartoonImportTheStatisticsAndTheExtraTools)
{
    for (const char16_t* name : {u"importCartoon", u"threadStatistics", u"threadFinder", u"fabricCalculator",
                                 u"threadCalculator"})
        EXPECT_TRUE(action(name)) << QString::fromUtf16(name).toStdString();
    EXPECT_EQ(action(u"importCartoon")->text(), fromGbk("带描边的卡通图导入"));
    QStringList titles;
    for (QAction* a : window->menuBar()->actions())
        titles << a->text();
    const auto view = titles.indexOf(fromGbk("查看(&V)"));
    const auto tools = titles.indexOf(fromGbk("附加工具"));
    ASSERT_GE(view, 0);
    EXPECT_GT(tools, view);
}

// --- the dialog ------------------------------------------------------------------------------

class PictureDialogWidget : public ::testing::Test {
protected:
    test::ScratchDir dir;
    test::ScriptedDialogs messages;
    std::unique_ptr<PaletteStore> palettes;

    void SetUp() override
    {
        test::writePalette(dir.path(), "DMC", {{"321", kWindowRed}, {"796", kWindowBlue}});
        palettes = std::make_unique<PaletteStore>(dir.path());
    }
};

TEST_F(PictureDialogWidget, OpenIsEnabledOnlyAfterAConversionOfTheChosenPicture)
{
    const std::string first = test::writeTwoColourPicture(dir.file("a.png"));
    const std::string second = test::writeTwoColourPicture(dir.file("b.png"), 8, 6);
    PictureImportPanel panel(*palettes);
    PictureImportDialog dialog("导入图片", pictureImportFilter(), panel, messages);
    EXPECT_EQ(dialog.windowTitle(), fromGbk("导入图片"));
    EXPECT_EQ(dialog.threadKinds()->currentText(), u"DMC"_qs);
    EXPECT_EQ(dialog.progressBar()->maximum(), 10);
    EXPECT_FALSE(dialog.openButton()->isEnabled());

    dialog.selectPicture(QString::fromStdString(first));
    EXPECT_EQ(dialog.widthEdit()->text(), u"4"_qs);
    EXPECT_EQ(dialog.heightEdit()->text(), u"2"_qs);
    EXPECT_FALSE(dialog.openButton()->isEnabled());
    EXPECT_EQ(dialog.threadCount()->text(), fromGbk("绣线数"));

    dialog.convertButton()->click();
    EXPECT_TRUE(dialog.openButton()->isEnabled());
    EXPECT_EQ(dialog.threadCount()->text(), fromGbk("绣线数:2"));
    EXPECT_EQ(dialog.progressBar()->value(), 10);
    EXPECT_FALSE(dialog.preview()->pixmap().isNull());

    dialog.selectPicture(QString::fromStdString(second));
    EXPECT_FALSE(dialog.openButton()->isEnabled());
    EXPECT_EQ(dialog.threadCount()->text(), fromGbk("绣线数"));
    EXPECT_EQ(dialog.progressBar()->value(), 0);
    EXPECT_TRUE(dialog.preview()->pixmap().isNull());
}

TEST_F(PictureDialogWidget, ACropDraggedOnThePreviewIsConvertedAndTheConfettiShareShown)
{
    const std::string picture = test::writeTwoColourPicture(dir.file("a.png"), 40, 20);
    PictureImportPanel panel(*palettes);
    PictureImportDialog dialog("导入图片", pictureImportFilter(), panel, messages);
    EXPECT_EQ(dialog.confettiShare()->text(), fromGbk("单针"));
    dialog.selectPicture(QString::fromStdString(picture));
    dialog.convertButton()->click();
    ASSERT_TRUE(panel.converted());
    EXPECT_EQ(dialog.confettiShare()->text(), fromGbk("单针:0.0%"));
    // The left half of the preview's picture: red alone, 40 x 40 cells at the typed width.
    const QPixmap shown = dialog.preview()->pixmap();
    const QPoint origin((dialog.preview()->width() - shown.width()) / 2, (dialog.preview()->height() - shown.height()) / 2);
    dialog.cropOnPreview(origin, origin + QPoint(shown.width() / 2, shown.height()));
    ASSERT_TRUE(panel.options().crop);
    EXPECT_EQ(*panel.options().crop, (CropRect{0, 0, 20, 20}));
    ASSERT_TRUE(panel.converted());
    EXPECT_EQ(panel.result().colors, std::vector<ColorRef>{kWindowRed});
    EXPECT_EQ(dialog.heightEdit()->text(), u"40"_qs);
    EXPECT_TRUE(dialog.openButton()->isEnabled());
    // A double click on the preview takes the whole picture again.
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(origin), QPointF(origin), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(dialog.preview(), &click);
    EXPECT_FALSE(panel.options().crop);
    EXPECT_EQ(panel.result().colorCount(), 2);
}

TEST_F(PictureDialogWidget, TypingOneSideKeepsThePicturesProportions)
{
    const std::string picture = test::writeTwoColourPicture(dir.file("a.png"), 8, 6);
    PictureImportPanel panel(*palettes);
    PictureImportDialog dialog("导入图片", pictureImportFilter(), panel, messages);
    dialog.selectPicture(QString::fromStdString(picture));
    dialog.widthEdit()->clear();
    QTest::keyClicks(dialog.widthEdit(), u"5"_qs);
    EXPECT_EQ(dialog.heightEdit()->text(), u"3"_qs);  // 6 x 5 / 8 truncated
    dialog.heightEdit()->clear();
    QTest::keyClicks(dialog.heightEdit(), u"3"_qs);
    EXPECT_EQ(dialog.widthEdit()->text(), u"4"_qs);
    EXPECT_EQ(panel.widthText(), "4");

    dialog.convertButton()->click();
    EXPECT_EQ(panel.result().width, 4);
    EXPECT_EQ(panel.result().height, 3);
}

TEST_F(PictureDialogWidget, ASizeOutOfRangeIsRefusedAndTheDialogStays)
{
    const std::string picture = test::writeTwoColourPicture(dir.file("a.png"));
    PictureImportPanel panel(*palettes);
    PictureImportDialog dialog("导入图片", pictureImportFilter(), panel, messages);
    dialog.selectPicture(QString::fromStdString(picture));
    dialog.widthEdit()->clear();
    QTest::keyClicks(dialog.widthEdit(), u"0"_qs);
    dialog.convertButton()->click();
    EXPECT_FALSE(dialog.openButton()->isEnabled());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, kMsgBadConvertSize);
}

}  // namespace
}  // namespace brenmark
