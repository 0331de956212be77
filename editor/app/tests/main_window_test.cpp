#include "editor/app/main_window.h"

#include "editor/app/tests/app_test_support.h"
#include "editor/view/pattern_view_widget.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

class Window : public ::testing::Test {
protected:
    test::ScratchDir dir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        QSettings().clear();
        // The new-pattern dialog offers only brands with a palette.
        test::writePalette(dir.path(), "DMC", {{"321", rgb(200, 0, 0)}});
        window = std::make_unique<MainWindow>(setup());
    }
    MainWindowSetup setup()
    {
        MainWindowSetup s;
        s.programDir = dir.path();
        s.dialogs = &dialogs;
        return s;
    }
    QAction* action(const char16_t* name) { return window->findChild<QAction*>(QString::fromUtf16(name)); }
    void newPattern(const char* w = "20", const char* h = "10")
    {
        dialogs.newPatterns.push_back(NewPatternEntry{"DMC", w, h});
        action(u"newPattern")->trigger();
    }
    static QStringList captions(const QList<QAction*>& actions)
    {
        QStringList list;
        for (QAction* a : actions)
            if (!a->isSeparator())
                list << a->text();
        return list;
    }
    static QStringList gbk(std::initializer_list<const char*> texts)
    {
        QStringList list;
        for (const char* t : texts)
            list << fromGbk(t);
        return list;
    }
};

TEST_F(Window, TheToolbarHoldsTheCommandsInOrder)
{
    EXPECT_EQ(captions(window->mainToolBar()->actions()),
              gbk({"新建", "打开", "存储", "导入", "放大", "缩小", "适合窗口", "配置", "色块", "#色", "#", "仿真", "导出",
                   "设置", "打印", "关闭"}));
}

// Which command each item runs: command_routing_test.cpp.
TEST_F(Window, TheMenusHoldTheirItemsInOrder)
{
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_EQ(captions(menus),
              gbk({"文件(&F)", "编辑(&E)", "选区操作", "查看(&V)", "Velmora插件", "附加工具", "帮助(&H)"}));
    EXPECT_EQ(captions(menus[0]->menu()->actions()),
              gbk({"新建", "打开", "存储", "打开旧色库绣图校正", "导入照片", "带描边的卡通图导入", "设置打印细节", "打印预览", "打印纸设置", "返回", "导出矢量绣图",
                   "存为绣图仿真文件", "导出PDF绣图", "导出SVG绣图", "印刷输出", "导入OXS绣图", "导出OXS绣图", "导入其他软件的绣图", "意见反馈", "设置", "最近打开的文件", "退出(&X)"}));
    EXPECT_EQ(captions(menus[1]->menu()->actions()), gbk({"无取消操作", "无Redo操作", "插入绣图", "载入钩边原图",
                                                          "设置绣布颜色", "当前绣图统计", "绣图缩放", "修改绣图尺寸"}));
    EXPECT_EQ(captions(menus[2]->menu()->actions()),
              gbk({"复制选区", "粘贴选区", "填充选区", "清除选区", "清除选区色块", "删除选区描边", "选区对称", "剪切选区",
                   "全选", "放下粘贴或取消选区", "选区旋转"}));
    QMenu* rotation = menus[2]->menu()->actions().last()->menu();
    ASSERT_NE(rotation, nullptr);
    EXPECT_EQ(captions(rotation->actions()), gbk({"设置旋转中心", "顺时针45度", "顺时针90度", "顺时针135度", "180度",
                                                  "逆时针135", "逆时针90", "逆时针45"}));
    EXPECT_EQ(captions(menus[3]->menu()->actions()),
              gbk({"工具栏(&T)", "状态栏(&S)", "显示鹰眼窗口", "显示工具窗口", "显示浮动层窗口"}));
    EXPECT_EQ(captions(menus[4]->menu()->actions()), gbk({"没有可安装的插件"}));
    EXPECT_EQ(captions(menus[5]->menu()->actions()), gbk({"查找绣线工具", "计算绣布工具", "线量计算工具"}));
    EXPECT_EQ(captions(menus[6]->menu()->actions()), gbk({"使用说明", "快捷键", "关于"}));
}

TEST_F(Window, TheUsualShortcutsReachTheCommands)
{
    EXPECT_EQ(action(u"newPattern")->shortcut(), QKeySequence(u"Ctrl+N"_qs));
    EXPECT_EQ(action(u"openPattern")->shortcut(), QKeySequence(u"Ctrl+O"_qs));
    EXPECT_EQ(action(u"savePattern")->shortcut(), QKeySequence(u"Ctrl+S"_qs));
    EXPECT_TRUE(action(u"zoomIn")->shortcuts().contains(QKeySequence(u"Ctrl++"_qs)));
    EXPECT_TRUE(action(u"zoomIn")->shortcuts().contains(QKeySequence(u"Ctrl+="_qs)));
    EXPECT_EQ(action(u"zoomOut")->shortcut(), QKeySequence(u"Ctrl+-"_qs));
}

TEST_F(Window, SaveWithoutAPatternAsksNothing)
{
    action(u"savePattern")->trigger();
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(Window, ANewPatternIsShownWithItsThreadCaption)
{
    newPattern();
    EXPECT_TRUE(window->document().isOpen());
    EXPECT_FALSE(window->view().cellImage().isNull());
    EXPECT_EQ(window->view().cellImage().size(), QSize(20, 10));
    EXPECT_EQ(window->threadCaption(), fromGbk("(DMC)绣线数:0"));
}

TEST_F(Window, ZoomAndDisplayModeActionsDriveTheView)
{
    newPattern();
    const float before = window->view().cellSize();
    action(u"zoomIn")->trigger();
    EXPECT_GT(window->view().cellSize(), before);
    action(u"zoomOut")->trigger();
    action(u"zoomOut")->trigger();
    EXPECT_LT(window->view().cellSize(), before);

    action(u"modeSimulated")->trigger();
    EXPECT_EQ(window->view().mode(), ViewMode::SimulatedStitches);
    EXPECT_TRUE(action(u"modeSimulated")->isChecked());
    EXPECT_FALSE(action(u"modeColourBlocks")->isChecked());
    action(u"modeSymbolsOnColour")->trigger();
    EXPECT_EQ(window->view().mode(), ViewMode::SymbolsOnColour);
}

TEST_F(Window, TheProgressBarCountsToTen)
{
    auto* bar = window->findChild<QProgressBar*>(u"progress"_qs);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 10);
}

TEST_F(Window, TheViewMenuShowsAndHidesTheBars)
{
    window->show();
    action(u"showStatusBar")->trigger();
    EXPECT_TRUE(window->statusBar()->isHidden());
    action(u"showToolBar")->trigger();
    EXPECT_TRUE(window->mainToolBar()->isHidden());
    action(u"showLayerPanel")->trigger();
    EXPECT_EQ(window->layerDock()->isHidden(), !action(u"showLayerPanel")->isChecked());
}

TEST_F(Window, AFailedSaveIsReportedInABoxAndTheStatusBar)
{
    newPattern();
    dialogs.files = {dir.file("missing/folder/x")};
    action(u"savePattern")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find("文件夹不存在"), std::string::npos);
    EXPECT_TRUE(window->statusText().contains(u"x.xiu"_qs));
}

TEST_F(Window, TheWindowTitleNamesTheSavedFile)
{
    newPattern();
    dialogs.files = {dir.file("heart")};
    action(u"savePattern")->trigger();
    EXPECT_EQ(window->windowTitle(), u"heart.xiu - "_qs + fromGbk(kWindowTitle));
}

TEST_F(Window, GeometryIsRememberedForTheNextRun)
{
    window->show();
    window->resize(640, 480);
    QCoreApplication::processEvents();
    window->close();
    window.reset();

    MainWindow next(setup());
    EXPECT_EQ(next.size(), QSize(640, 480));
}

TEST_F(Window, CloseEndsTheWindow)
{
    window->show();
    ASSERT_TRUE(window->isVisible());
    action(u"closeWindow")->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Window, InsertPatternGoesToTheLayers)
{
    newPattern();
    PatternDocument piece;
    piece.create(3, 3, "DMC");
    ASSERT_TRUE(savePattern(dir.file("piece.xiu"), piece));
    dialogs.files = {dir.file("piece.xiu")};
    action(u"insertPattern")->trigger();
    EXPECT_EQ(window->document().layers.size(), 2);
}

}  // namespace
}  // namespace brenmark
