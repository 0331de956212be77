#pragma once
// The main window's command tables: the toolbar and every menu, in their order. The menu
// builder makes the actions from these rows and the command router carries them out, so a
// new command is a row here and a handler where its work is done.
#include "editor/app/toolbar_icons.h"
#include "editor/view/backstitch/backstitch_interfaces.h"
#include "editor/view/selection/selection_commands.h"
#include "editor/view/undo_history.h"
#include "interchange/ui_text.h"
#include "plugins/host/hollick.h"

#include <span>

namespace brenmark {

// The commands of the frame itself. The selection and outline commands keep the fixed ids
// of selection_commands.h and backstitch_interfaces.h; these are ids of our own beside them.
enum AppCommandId : int {
    CmdNewPattern = 40001,
    CmdOpenPattern,
    CmdSavePattern,
    CmdImportPicture,
    CmdZoomIn,
    CmdZoomOut,
    CmdManageThreads,
    CmdModeColourBlocks,
    CmdModeSymbolsOnColour,
    CmdModeSymbolsOnly,
    CmdModeSimulated,
    CmdCloseWindow,
    CmdOpenOldLibrary,
    CmdExit,
    CmdUndo,
    CmdRedo,
    CmdInsertPattern,
    CmdFabricColour,
    CmdImportCartoon,
    CmdThreadStatistics,
    CmdThreadFinder,
    CmdFabricCalculator,
    CmdThreadCalculator,
    // Charts exchanged with other programs.
    CmdImportOxs,
    CmdExportOxs,
    CmdImportOtherChart,  // Pattern Maker, PCStitch, KXStitch (chart_import_commands.h)
    // Printing (print_commands.h).
    CmdPrintSettings,  // the toolbar's "设置"
    CmdPrintDetails,   // the menu's "设置打印细节", the same dialog
    CmdPrint,
    CmdPrintPreview,
    CmdPageSetup,
    CmdPreviewReturn,
    // The export commands (export_commands.h).
    CmdExportChart,
    CmdExportSimulated,
    CmdExportVector,
    CmdExportPdf,
    CmdExportSvg,
    CmdExportTiff,
    CmdImportPhoto,
    CmdFeedback,
    CmdNoPlugins,  // the plug-in menu's placeholder, which does nothing
    // Getting around and the keys of everyday use (everyday_commands.h).
    CmdFitWindow,
    CmdSelectAll,
    CmdCutSelection,
    CmdEscape,
    CmdHelpGuide,
    CmdShortcutList,
    CmdAbout,
    CmdPreferences,  // "设置" in the file menu: autosave and the undo history's size
};

// One row of a table: a command, a separator (no caption), a submenu, or every entry of one
// of the view's fixed command tables in its order.
struct CommandRow {
    const char* caption = nullptr;         // GBK
    int id = 0;
    const char16_t* name = nullptr;        // the action's object name; null: "command<id>"
    CommandIcon icon = CommandIcon::None;  // toolbar rows only
    std::span<const CommandRow> submenu{};
    std::span<const MenuEntry> entries{};
};

inline constexpr CommandRow kSeparator{};

inline constexpr CommandRow kToolbarRows[] = {
    {UI_TEXT_NOOP("新建"), CmdNewPattern, u"newPattern", CommandIcon::New},
    {UI_TEXT_NOOP("打开"), CmdOpenPattern, u"openPattern", CommandIcon::Open},
    {UI_TEXT_NOOP("存储"), CmdSavePattern, u"savePattern", CommandIcon::Save},
    {UI_TEXT_NOOP("导入"), CmdImportPicture, u"importPicture", CommandIcon::Import},
    {UI_TEXT_NOOP("放大"), CmdZoomIn, u"zoomIn", CommandIcon::ZoomIn},
    {UI_TEXT_NOOP("缩小"), CmdZoomOut, u"zoomOut", CommandIcon::ZoomOut},
    {UI_TEXT_NOOP("适合窗口"), CmdFitWindow, u"fitWindow", CommandIcon::FitWindow},
    {UI_TEXT_NOOP("配置"), CmdManageThreads, u"manageThreads", CommandIcon::Threads},
    {UI_TEXT_NOOP("色块"), CmdModeColourBlocks, u"modeColourBlocks", CommandIcon::ColourBlocks},
    {UI_TEXT_NOOP("#色"), CmdModeSymbolsOnColour, u"modeSymbolsOnColour", CommandIcon::SymbolsOnColour},
    {"#", CmdModeSymbolsOnly, u"modeSymbolsOnly", CommandIcon::SymbolsOnly},
    {UI_TEXT_NOOP("仿真"), CmdModeSimulated, u"modeSimulated", CommandIcon::Simulated},
    {UI_TEXT_NOOP("导出"), CmdExportChart, u"exportChart", CommandIcon::None},
    {UI_TEXT_NOOP("设置"), CmdPrintSettings, u"printSettings", CommandIcon::PrintSettings},
    {UI_TEXT_NOOP("打印"), CmdPrint, u"print", CommandIcon::Print},
    {UI_TEXT_NOOP("关闭"), CmdCloseWindow, u"closeWindow", CommandIcon::Close},
};

inline constexpr CommandRow kFileMenuRows[] = {
    // The toolbar's own actions, so their keys show here too.
    {UI_TEXT_NOOP("新建"), CmdNewPattern, u"newPattern"},
    {UI_TEXT_NOOP("打开"), CmdOpenPattern, u"openPattern"},
    {UI_TEXT_NOOP("存储"), CmdSavePattern, u"savePattern"},
    kSeparator,
    {UI_TEXT_NOOP("打开旧色库绣图校正"), CmdOpenOldLibrary, u"openOldLibrary"},
    {UI_TEXT_NOOP("导入照片"), CmdImportPhoto, u"importPhoto"},
    {UI_TEXT_NOOP("带描边的卡通图导入"), CmdImportCartoon, u"importCartoon"},
    kSeparator,
    {UI_TEXT_NOOP("设置打印细节"), CmdPrintDetails, u"printDetails"},
    {UI_TEXT_NOOP("打印预览"), CmdPrintPreview, u"printPreview"},
    {UI_TEXT_NOOP("打印纸设置"), CmdPageSetup, u"pageSetup"},
    {UI_TEXT_NOOP("返回"), CmdPreviewReturn, u"previewReturn"},
    kSeparator,
    {UI_TEXT_NOOP("导出矢量绣图"), CmdExportVector, u"exportVector"},
    {UI_TEXT_NOOP("存为绣图仿真文件"), CmdExportSimulated, u"exportSimulated"},
    {UI_TEXT_NOOP("导出PDF绣图"), CmdExportPdf, u"exportPdf"},
    {UI_TEXT_NOOP("导出SVG绣图"), CmdExportSvg, u"exportSvg"},
    {UI_TEXT_NOOP("印刷输出"), CmdExportTiff, u"exportTiff"},
    kSeparator,
    {UI_TEXT_NOOP("导入OXS绣图"), CmdImportOxs, u"importOxs"},
    {UI_TEXT_NOOP("导出OXS绣图"), CmdExportOxs, u"exportOxs"},
    {UI_TEXT_NOOP("导入其他软件的绣图"), CmdImportOtherChart, u"importOtherChart"},
    kSeparator,
    {UI_TEXT_NOOP("意见反馈"), CmdFeedback, u"feedback"},
    {UI_TEXT_NOOP("设置"), CmdPreferences, u"preferences"},
    {UI_TEXT_NOOP("退出(&X)"), CmdExit, u"exit"},
};

// The undo and redo rows carry the captions of an empty history; the window follows the
// history's captions from then on.
inline constexpr CommandRow kEditMenuRows[] = {
    {kNoUndo, CmdUndo, u"undo"},
    {kNoRedo, CmdRedo, u"redo"},
    kSeparator,
    {UI_TEXT_NOOP("插入绣图"), CmdInsertPattern, u"insertPattern"},
    {kBackstitchCommands[1].caption, kBackstitchCommands[1].id},
    {UI_TEXT_NOOP("设置绣布颜色"), CmdFabricColour, u"fabricColour"},
    {UI_TEXT_NOOP("当前绣图统计"), CmdThreadStatistics, u"threadStatistics"},
    kSeparator,
    {.entries = kPatternTransformMenu},
};

inline constexpr CommandRow kRotationRows[] = {{.entries = kRotationMenu}};

inline constexpr CommandRow kSelectionMenuRows[] = {
    {.entries = kSelectionMenu},
    {UI_TEXT_NOOP("剪切选区"), CmdCutSelection, u"cutSelection"},
    {UI_TEXT_NOOP("全选"), CmdSelectAll, u"selectAll"},
    {UI_TEXT_NOOP("放下粘贴或取消选区"), CmdEscape, u"dropSelection"},
    {.caption = kRotationMenuCaption, .name = u"rotationMenu", .submenu = kRotationRows},
};

// The picked line's menu, opened by a right click with the outline-picking tool.
inline constexpr CommandRow kLineMenuRows[] = {
    {kBackstitchCommands[2].caption, kBackstitchCommands[2].id},
    {kBackstitchCommands[3].caption, kBackstitchCommands[3].id},
};

inline constexpr CommandRow kExtraToolRows[] = {
    {UI_TEXT_NOOP("查找绣线工具"), CmdThreadFinder, u"threadFinder"},
    {UI_TEXT_NOOP("计算绣布工具"), CmdFabricCalculator, u"fabricCalculator"},
    {UI_TEXT_NOOP("线量计算工具"), CmdThreadCalculator, u"threadCalculator"},
};

// The plug-in menu until the plug-ins' items replace its placeholder (plugin_commands.h).
inline constexpr CommandRow kPluginMenuRows[] = {
    {kNoPluginsCaption, CmdNoPlugins, u"noPlugins"},
};

struct MenuTable {
    const char* caption;  // GBK
    const char16_t* name;
    std::span<const CommandRow> rows;
};

// The menu bar before the view menu, which the window builds from its docks.
inline constexpr MenuTable kMenuBar[] = {
    {UI_TEXT_NOOP("文件(&F)"), u"fileMenu", kFileMenuRows},
    {UI_TEXT_NOOP("编辑(&E)"), u"editMenu", kEditMenuRows},
    {kSelectionMenuCaption, u"selectionMenu", kSelectionMenuRows},
};

inline constexpr CommandRow kHelpMenuRows[] = {
    {UI_TEXT_NOOP("使用说明"), CmdHelpGuide, u"helpGuide"},
    {UI_TEXT_NOOP("快捷键"), CmdShortcutList, u"shortcutList"},
    kSeparator,
    {UI_TEXT_NOOP("关于"), CmdAbout, u"about"},
};

// The menus after the view menu.
inline constexpr MenuTable kMenuBarAfterView[] = {
    {kPluginMenuCaption, u"pluginMenu", kPluginMenuRows},
    {UI_TEXT_NOOP("附加工具"), u"extraToolsMenu", kExtraToolRows},
    {UI_TEXT_NOOP("帮助(&H)"), u"helpMenu", kHelpMenuRows},
};

}  // namespace brenmark
