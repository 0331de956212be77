#include "editor/app/everyday_commands.h"

#include "editor/app/app_commands.h"
#include "editor/app/main_window.h"
#include "editor/view/pattern_view_widget.h"
#include "editor/view/selection/selection_tool.h"
#include "editor/view/view_messages.h"
#include "editor/view/widgets/tool_window.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QFile>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace brenmark {

namespace {

constexpr CommandKeys kCommandKeys[] = {
    {CmdNewPattern, "Ctrl+N", nullptr, UI_TEXT_NOOP("建立一个新的空白绣图")},
    {CmdOpenPattern, "Ctrl+O", nullptr, UI_TEXT_NOOP("打开一个绣图文件")},
    {CmdSavePattern, "Ctrl+S", nullptr, UI_TEXT_NOOP("存储当前的绣图")},
    {CmdImportPicture, nullptr, nullptr, UI_TEXT_NOOP("把一张图片转换成绣图")},
    {CmdZoomIn, "Ctrl+=", "Ctrl++", UI_TEXT_NOOP("放大绣图,视图中心的格子保持不动(在绣图上也可按 +)")},
    {CmdZoomOut, "Ctrl+-", nullptr, UI_TEXT_NOOP("缩小绣图,视图中心的格子保持不动(在绣图上也可按 -)")},
    {CmdFitWindow, "Ctrl+0", nullptr, UI_TEXT_NOOP("缩放到整幅绣图正好放进窗口")},
    {CmdManageThreads, nullptr, nullptr, UI_TEXT_NOOP("查看和修改各品牌绣线的颜色")},
    {CmdModeColourBlocks, nullptr, nullptr, UI_TEXT_NOOP("以色块显示绣图")},
    {CmdModeSymbolsOnColour, nullptr, nullptr, UI_TEXT_NOOP("在颜色上显示绣线符号")},
    {CmdModeSymbolsOnly, nullptr, nullptr, UI_TEXT_NOOP("只显示绣线符号")},
    {CmdModeSimulated, nullptr, nullptr, UI_TEXT_NOOP("显示绣好后的仿真效果")},
    {CmdExportChart, "Ctrl+E", nullptr, UI_TEXT_NOOP("把绣图导出为图片文件")},
    {CmdPrintSettings, nullptr, nullptr, UI_TEXT_NOOP("设置打印的内容和格式")},
    {CmdPrint, "Ctrl+P", nullptr, UI_TEXT_NOOP("打印绣图")},
    {CmdCloseWindow, nullptr, nullptr, UI_TEXT_NOOP("关闭当前绣图")},
    {CmdExit, "Ctrl+Q", nullptr, UI_TEXT_NOOP("退出程序")},
    {CmdUndo, "Ctrl+Z", nullptr, UI_TEXT_NOOP("取消上一步操作")},
    {CmdRedo, "Ctrl+Y", nullptr, UI_TEXT_NOOP("重复上一步操作")},
    {CmdCopySelection, "Ctrl+C", nullptr, UI_TEXT_NOOP("复制选区里的格子、描边和针法")},
    {CmdCutSelection, "Ctrl+X", nullptr, UI_TEXT_NOOP("复制选区的内容,然后清除选区")},
    {CmdPasteSelection, "Ctrl+V", nullptr, UI_TEXT_NOOP("粘贴复制的内容,拖到位置后放下")},
    {CmdSelectAll, "Ctrl+A", nullptr, UI_TEXT_NOOP("选中整幅绣图(一个矩形选区)")},
    {CmdClearSelection, nullptr, nullptr, UI_TEXT_NOOP("清除选区里的格子和描边(在绣图上按 Del)")},
    {CmdEscape, "Esc", nullptr, UI_TEXT_NOOP("放下正在移动的粘贴内容,或取消选区")},
    {CmdHelpGuide, "F1", nullptr, UI_TEXT_NOOP("打开使用说明")},
    {CmdShortcutList, nullptr, nullptr, UI_TEXT_NOOP("列出所有快捷键")},
    {CmdAbout, nullptr, nullptr, UI_TEXT_NOOP("关于本程序")},
};

constexpr ViewKey kViewKeys[] = {
    {"← → ↑ ↓", UI_TEXT_NOOP("移动视图(几个格子)")},
    {"PgUp / PgDn", UI_TEXT_NOOP("上下移动一屏(加 Ctrl 左右移动一屏)")},
    {"Home / End", UI_TEXT_NOOP("到行首 / 行尾(加 Ctrl 到绣图的开头 / 结尾)")},
    {"+ / -", UI_TEXT_NOOP("放大 / 缩小")},
    {"Del", UI_TEXT_NOOP("清除选区(选区域工具),删除选中的描边(选中描的边工具)")},
    {UI_TEXT_NOOP("Ctrl+滚轮"), UI_TEXT_NOOP("以鼠标处为中心放大 / 缩小")},
    {UI_TEXT_NOOP("滚轮 / Shift+滚轮"), UI_TEXT_NOOP("上下 / 左右移动视图")},
    {UI_TEXT_NOOP("Shift+拖动"), UI_TEXT_NOOP("用选区域工具拉出矩形选区")},
};

QString keysText(const CommandKeys& row)
{
    QStringList parts;
    for (const QKeySequence& k : keysOf(row))
        parts << k.toString(QKeySequence::NativeText);
    return parts.join(u" / "_qs);
}

void showHelpPage(QWidget* parent, const QString& title, const QUrl& source, const QString& html)
{
    auto* dialog = new QDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setObjectName(u"helpWindow"_qs);
    dialog->setWindowTitle(title);
    auto* layout = new QVBoxLayout(dialog);
    auto* browser = new QTextBrowser(dialog);
    browser->setObjectName(u"helpBrowser"_qs);
    browser->setOpenExternalLinks(true);
    if (source.isValid())
        browser->setSource(source);
    else
        browser->setHtml(html);
    layout->addWidget(browser);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    layout->addWidget(buttons);
    dialog->resize(720, 560);
    dialog->show();
}

}  // namespace

std::span<const CommandKeys> commandKeys()
{
    return kCommandKeys;
}

std::span<const ViewKey> viewKeys()
{
    return kViewKeys;
}

QList<QKeySequence> keysOf(const CommandKeys& row)
{
    QList<QKeySequence> keys;
    for (const char* k : {row.keys, row.more})
        if (k)
            keys << QKeySequence(QString::fromLatin1(k), QKeySequence::PortableText);
    return keys;
}

void applyCommandKeys(QWidget& window)
{
    const QList<QAction*> actions = window.findChildren<QAction*>();
    for (const CommandKeys& row : kCommandKeys) {
        for (QAction* a : actions) {
            if (a->data().toInt() != row.id)
                continue;
            if (row.keys)
                a->setShortcuts(keysOf(row));
            // The tip says what the button does, with its keys; a tip of its own stays.
            QString caption = a->text();
            caption.remove(u'&');
            if (a->toolTip() != a->text() && a->toolTip() != caption)
                continue;
            const QString keys = keysText(row);
            const QString does = uiQStringOf(row.does);
            a->setToolTip(keys.isEmpty() ? caption + u": "_qs + does : caption + u" ("_qs + keys + u"): "_qs + does);
            a->setStatusTip(does);
        }
    }
}

void routeEverydayCommands(MainWindow& window)
{
    CommandRouter& router = window.session().router();
    router.add(CmdFitWindow, [&window](int, Modifiers) {
        const bool done = window.view().fitToWindow();
        window.viewWidget()->syncScrollBars();
        window.viewWidget()->update();
        return done;
    });
    const auto selectTool = [&window] {
        if (window.tools().currentTool() != Tool::SelectArea) {
            window.view().dispatch(MsgSelectTool, static_cast<int>(Tool::SelectArea), 0);
            window.toolWindow()->showTool(Tool::SelectArea);
        }
    };
    router.add(CmdSelectAll, [&window, selectTool](int, Modifiers) {
        if (!window.document().isOpen())
            return false;
        selectTool();
        return window.selection().selectAll();
    });
    router.add(CmdCutSelection, [&window](int, Modifiers) {
        const bool done = window.selection().cutSelection();
        window.viewWidget()->update();
        return done;
    });
    router.add(CmdEscape, [&window](int, Modifiers) {
        const bool done = window.selection().escape();
        window.viewWidget()->update();
        return done;
    });
    router.add(CmdHelpGuide, [&window](int, Modifiers) {
        const QString path = userGuidePath(window.session().palettes().programDir());
        if (path.isEmpty()) {
            showHelpPage(&window, uiQString("使用说明"), QUrl(), shortcutTable());
            return true;
        }
        showHelpPage(&window, uiQString("使用说明"), QUrl::fromLocalFile(path), QString());
        return true;
    });
    router.add(CmdShortcutList, [&window](int, Modifiers) {
        showHelpPage(&window, uiQString("快捷键"), QUrl(), shortcutTable());
        return true;
    });
    router.add(CmdAbout, [&window](int, Modifiers) {
        QMessageBox::about(&window, uiQString("关于"),
                           uiQString("Velmora十字绣\n\n设计十字绣图样:从照片或空白开始,逐格编辑,加描边,"
                                   "统计线量,打印或导出绣图。"));
        return true;
    });
}

QString userGuidePath(const std::string& programDir)
{
    const QString path = QFile::decodeName(QByteArray::fromStdString(programDir)) + u"help/index.html"_qs;
    return QFileInfo(path).isFile() ? path : QString();
}

QString shortcutTable()
{
    QString html = u"<h2>"_qs + uiQString("快捷键") + u"</h2><table cellpadding=\"4\">"_qs;
    for (const CommandKeys& row : kCommandKeys) {
        const QString keys = keysText(row);
        if (keys.isEmpty())
            continue;
        html += u"<tr><td><b>"_qs + keys.toHtmlEscaped() + u"</b></td><td>"_qs + uiQStringOf(row.does).toHtmlEscaped() +
                u"</td></tr>"_qs;
    }
    for (const ViewKey& k : kViewKeys)
        html += u"<tr><td><b>"_qs + uiQStringOf(k.keys).toHtmlEscaped() + u"</b></td><td>"_qs +
                uiQStringOf(k.does).toHtmlEscaped() + u"</td></tr>"_qs;
    return html + u"</table>"_qs;
}

}  // namespace brenmark
