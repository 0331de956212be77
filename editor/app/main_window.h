#pragma once
// The editor's main window: the frame around the one open pattern's EditorSession. It
// makes the toolbar and the menus from the command tables, docks the tool window, the
// stitch-kind window, the colour bar, the overview and the layer panel around the view,
// and brings them up to date when the session says what changed.
#include "editor/app/autosave.h"
#include "editor/app/command_line_opener.h"
#include "editor/app/editor_session.h"
#include "editor/app/recent_files.h"
#include "editor/app/status_progress.h"
#include "editor/app/window_layout.h"
#include "editor/document/symbol_charset.h"
#include "interchange/ui_text.h"

#include <QMainWindow>

#include <memory>
#include <optional>
#include <string>

class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QMenu;
class QProgressBar;
class QTimer;
class QToolBar;

namespace brenmark {

class BackstitchViewBinding;
class ColourCommands;
class ColourDialogs;
class ColourPanel;
class ExportCommands;
class ExportDialogs;
class ProgramStarter;
class LayerPanel;
class OverviewWidget;
class PictureCommands;
class PictureDialogs;
class PluginCommands;
class PrintCommands;
class PrintDialogs;
class PatternViewWidget;
class StatusProgress;
class StitchKindWindow;
class ToolViewBinding;
class ToolWindow;

struct MainWindowSetup {
    std::string programDir;   // palettes and the other data files
    std::string programsDir;  // where the page writer is; empty: programDir
    std::string pluginsDir;   // the folder holding the shipped DllPin/; empty: programDir
    std::string userDir;      // the folder of the user's own DllPin/; empty: none
    std::string commandLine;  // a pattern to open once the window exists
    // Where recovery copies are kept; empty: no autosave and nothing offered.
    std::string recoveryDir;
    // Whether the window reads and writes its settings (geometry, recent files, the
    // preferences) in the user's settings; tests that must not touch them say no.
    bool useSettings = true;
    int openDelayMs = kCommandLineOpenDelayMs;
    UserDialogs* dialogs = nullptr;  // null: the real dialogs
    TransformDialogs* transformDialogs = nullptr;    // "绣图缩放", "修改绣图尺寸"
    BackstitchDialogs* backstitchDialogs = nullptr;  // tracing picture, outline colour
    ColourDialogs* colourDialogs = nullptr;          // the colour operations
    PictureDialogs* pictureDialogs = nullptr;        // picture import, statistics, calculators
    PrintDialogs* printDialogs = nullptr;            // print details, printer, paper, preview
    // The export commands' option dialogs and the page writer's start.
    ExportDialogs* exportDialogs = nullptr;
    ProgramStarter* programStarter = nullptr;
};

inline constexpr const char* kWindowTitle = UI_TEXT_NOOP("Velmora十字绣");

class MainWindow final : public QMainWindow, private SessionWindows {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowSetup setup, QWidget* parent = nullptr);
    ~MainWindow() override;

    EditorSession& session() { return session_; }
    PatternDocument& document() { return session_.document(); }
    DocumentCommands& commands() { return session_.commands(); }
    LayerOperations& layers() { return session_.layers(); }
    PatternView& view() { return session_.view(); }
    CurrentThreadChoice& currentThread() { return session_.currentThread(); }
    EditHistory& history() { return session_.history(); }
    ToolController& tools() { return session_.tools(); }
    SelectionTool& selection() { return session_.selection(); }
    BackstitchEditor& outlines() { return session_.outlines(); }
    Overview& overview() { return session_.overview(); }
    PictureCommands& pictureCommands() { return *pictures_; }
    PrintCommands& printCommands() { return *prints_; }
    ExportCommands& exportCommands() { return *exports_; }
    PluginCommands& pluginCommands() { return *plugins_; }
    // "Velmora插件": its placeholder until the scan timer puts the plug-ins in.
    QMenu* pluginMenu() { return pluginMenu_; }
    QMenu* selectionMenu() { return selectionMenu_; }
    // The menu of a picked outline line ("更换指定描边颜色", "删除选中的描边").
    QMenu* lineMenu() { return lineMenu_; }
    PatternViewWidget* viewWidget() { return viewWidget_; }
    QToolBar* mainToolBar() { return toolBar_; }
    QDockWidget* layerDock() { return docks_.layers; }
    LayerPanel* layerPanel() { return docks_.layerPanel; }
    QDockWidget* toolDock() { return docks_.tool; }
    QDockWidget* stitchKindDock() { return docks_.stitchKind; }
    ToolWindow* toolWindow() { return docks_.toolWindow; }
    StitchKindWindow* stitchKindWindow() { return docks_.stitchKindWindow; }
    QDockWidget* colourDock() { return docks_.colour; }
    ColourPanel* colourPanel() { return docks_.colourPanel; }
    QDockWidget* overviewDock() { return docks_.overview; }
    OverviewWidget* overviewWidget() { return docks_.overviewWidget; }
    CommandLineOpener& commandLineOpener() { return opener_; }
    // The status bar's message and the colour bar's thread-count caption.
    QString statusText() const;
    QString threadCaption() const;

    // As the toolbar's mode buttons do.
    void setViewMode(ViewMode mode);
    // Any command of the tables by its id, with the modifiers held (Ctrl makes a rotation
    // copy); false for ids nobody handles and for refused commands.
    bool runCommand(int id, Modifiers modifiers = NoModifier) { return session_.router().run(id, modifiers); }

    // Asks about every recovery copy left by an editor that did not end normally; opening
    // one makes it the open pattern. Called once the window is shown.
    void offerRecovery();
    // What the autosave timer does, at once; false when nothing was started. Null without a
    // recovery folder.
    Autosave* autosave() { return autosave_.get(); }
    bool autosaveNow();
    const Preferences& preferences() const { return prefs_; }
    void applyPreferences(const Preferences& prefs);
    RecentFiles& recentFiles() { return recent_; }
    // "最近打开的文件": rebuilt each time it opens, missing files disabled.
    QMenu* recentMenu() { return recentMenu_; }
    void rebuildRecentMenu();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void routeFrameCommands();
    void buildMenus();
    void buildViewMenu();
    void buildStatusBar();
    void connectWindows();
    void updateCaptions();
    void updateUndoCaptions();
    void updateTitle();
    void buildRecentMenu();
    void editPreferences();
    void loadSettings();
    void storeRecentFiles() const;

    // SessionWindows
    void refresh(Changes what) override;
    void editingReset() override;
    void patternOpened() override;
    void loadFailed() override;
    void saved(const std::string& path) override;
    void saveFailed(const std::string& path) override;
    void fileUsed(const std::string& path) override;
    void changesSettled() override;
    void note(const std::string& text) override;
    void placingStarted() override;

    std::unique_ptr<UserDialogs> ownDialogs_;
    UserDialogs* dialogs_;
    std::unique_ptr<TransformDialogs> ownTransformDialogs_;
    std::unique_ptr<BackstitchDialogs> ownBackstitchDialogs_;
    std::unique_ptr<PictureDialogs> ownPictureDialogs_;
    QProgressBar* progressBar_;
    StatusProgress progress_;
    EditorSession session_;
    CommandLineOpener opener_;
    std::unique_ptr<ColourDialogs> ownColourDialogs_;
    std::unique_ptr<ColourCommands> colourCommands_;
    std::unique_ptr<PictureCommands> pictures_;
    std::unique_ptr<PrintDialogs> ownPrintDialogs_;
    std::unique_ptr<PrintCommands> prints_;
    // The export commands and what they own when the setup gives none.
    std::unique_ptr<ExportDialogs> ownExportDialogs_;
    std::unique_ptr<ProgramStarter> ownProgramStarter_;
    std::unique_ptr<ExportCommands> exports_;
    std::unique_ptr<PluginCommands> plugins_;

    PatternViewWidget* viewWidget_ = nullptr;
    ToolViewBinding* toolBinding_ = nullptr;
    BackstitchViewBinding* outlineBinding_ = nullptr;
    EditorDocks docks_;
    QMenu* selectionMenu_ = nullptr;
    QMenu* lineMenu_ = nullptr;
    QMenu* pluginMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QLabel* message_ = nullptr;
    QActionGroup* modes_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    bool useSettings_ = true;
    Preferences prefs_;
    // The "清晰符号" setting is the window's while it lives; it puts back what it found.
    bool clearSymbolsBefore_ = clearSymbolsForNewPatterns();
    RecentFiles recent_;
    std::unique_ptr<RecoveryStore> recovery_;
    std::unique_ptr<Autosave> autosave_;
    QTimer* autosaveTimer_ = nullptr;
    // The revision the desktop session's end was answered at (Yes saved, or No).
    std::optional<std::uint64_t> closeDecidedAt_;
    // The status bar says the pattern was stored until the next edit.
    bool showingSaved_ = false;
    // Last, so it runs first: the windows that show the session go before it.
    WindowContentsFirst contents_{*this};
};

}  // namespace brenmark
