#pragma once
// The editor's main window: toolbar, menus, status bar and the pattern view around the one
// open pattern, with the tool window, the stitch-kind window, the colour bar, the overview
// and the layer panel docked around it. Its actions forward to DocumentCommands, the undo
// history and the view; the tool controller takes the view's mouse and keys.
#include "editor/app/command_line_opener.h"
#include "editor/app/document_commands.h"
#include "editor/app/edit_history.h"
#include "editor/document/current_thread.h"
#include "editor/document/layer_operations.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_clipboard.h"
#include "editor/document/pattern_document.h"
#include "editor/view/backstitch/backstitch_editor.h"
#include "editor/view/overview.h"
#include "editor/view/pattern_view.h"
#include "editor/view/selection/selection_tool.h"
#include "editor/view/tools/tool_controller.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;

namespace brenmark {

class BackstitchViewBinding;
class ColourPanel;
class LayerPanel;
class OverviewWidget;
class PatternViewWidget;
class StatusProgress;
class StitchKindWindow;
class ToolViewBinding;
class ToolWindow;

struct MainWindowSetup {
    std::string programDir;  // palettes and the other data files
    std::string commandLine;  // a pattern to open once the window exists
    int openDelayMs = kCommandLineOpenDelayMs;
    UserDialogs* dialogs = nullptr;  // null: the real dialogs
    TransformDialogs* transformDialogs = nullptr;    // "绣图缩放", "修改绣图尺寸"
    BackstitchDialogs* backstitchDialogs = nullptr;  // tracing picture, outline colour
};

inline constexpr const char* kWindowTitle = "Velmora十字绣";

class MainWindow final : public QMainWindow, private CommandEvents, private LayerObserver, private EditingState {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowSetup setup, QWidget* parent = nullptr);
    ~MainWindow() override;

    PatternDocument& document() { return doc_; }
    CurrentThreadChoice& currentThread() { return currentThread_; }
    DocumentCommands& commands() { return *commands_; }
    LayerOperations& layers() { return *layers_; }
    PatternView& view() { return *view_; }
    EditHistory& history() { return *history_; }
    ToolController& tools() { return *tools_; }
    SelectionTool& selection() { return *selection_; }
    BackstitchEditor& outlines() { return *outlines_; }
    QMenu* selectionMenu() { return selectionMenu_; }
    // The menu of a picked outline line ("更换指定描边颜色", "删除选中的描边").
    QMenu* lineMenu() { return lineMenu_; }
    PatternViewWidget* viewWidget() { return viewWidget_; }
    QToolBar* mainToolBar() { return toolBar_; }
    QDockWidget* layerDock() { return layerDock_; }
    LayerPanel* layerPanel() { return layerPanel_; }
    QDockWidget* toolDock() { return toolDock_; }
    QDockWidget* stitchKindDock() { return stitchKindDock_; }
    ToolWindow* toolWindow() { return toolWindow_; }
    StitchKindWindow* stitchKindWindow() { return stitchKindWindow_; }
    QDockWidget* colourDock() { return colourDock_; }
    ColourPanel* colourPanel() { return colourPanel_; }
    QDockWidget* overviewDock() { return overviewDock_; }
    OverviewWidget* overviewWidget() { return overviewWidget_; }
    Overview& overview() { return *overview_; }
    CommandLineOpener& commandLineOpener() { return opener_; }
    // The status bar's message and the colour bar's thread-count caption.
    QString statusText() const;
    QString threadCaption() const;

    // As the toolbar's mode buttons do.
    void setViewMode(ViewMode mode);
    // A command of the selection menu, the Edit menu's transforms or the outline editing by
    // its id, with the modifiers held (Ctrl makes a rotation copy); false for other ids.
    bool runCommand(int id, Modifiers modifiers = NoModifier);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildStatusBar();
    void buildLayerPanel();
    void buildEditingWindows();
    void buildSelectionAndOutlines();
    QAction* addCommand(QMenu* menu, const char* caption, int id);
    // A pasted or inserted piece waits to be placed: the select-area tool places it.
    void startPlacing();
    void showTracingPicture();
    void restoreSettings();
    void saveSettings();
    void updateCaptions();
    void updateUndoCaptions();
    void zoom(bool in);
    // The displays that follow the pattern's state: after loads, undo and redo.
    void afterRestore();
    void colourChosen(ColorRef colour, bool ctrl);
    void patternEdited();
    // The view's current thread, looked up again by colour in the threads there are now.
    void recheckCurrentThread();

    // CommandEvents
    void patternReplaced() override;
    void loadFailed(const std::string& path) override;
    void threadsChanged() override;
    void saved(const std::string& path) override;
    void saveFailed(const std::string& path) override;
    void note(const std::string& text) override;

    // LayerObserver
    void layersRecomposed() override;
    void floatingPieceChanged() override;
    void threadsAppended(int first, int count) override;

    // EditingState: another pattern takes the place of the open one.
    void resetEditingState() override;

    PatternDocument doc_;
    CurrentThreadChoice currentThread_{doc_};  // before everything that draws with it
    PaletteStore palettes_;
    std::unique_ptr<UserDialogs> ownDialogs_;
    UserDialogs* dialogs_;
    std::unique_ptr<PatternView> view_;
    std::unique_ptr<EditHistory> history_;
    std::unique_ptr<LayerOperations> layers_;
    std::unique_ptr<DocumentCommands> commands_;
    std::unique_ptr<ToolController> tools_;
    std::unique_ptr<Overview> overview_;
    std::unique_ptr<StatusProgress> progress_;
    std::unique_ptr<TransformDialogs> ownTransformDialogs_;
    TransformDialogs* transformDialogs_ = nullptr;
    std::unique_ptr<BackstitchDialogs> ownBackstitchDialogs_;
    BackstitchDialogs* backstitchDialogs_ = nullptr;
    // Copied selections outlive the pattern they came from.
    PatternClipboard clipboard_;
    // Both hand their input over through the tool controller, so they go before it.
    std::unique_ptr<SelectionTool> selection_;
    std::unique_ptr<MembershipOf<SelectionQuery>> selectionMembership_;
    std::unique_ptr<BackstitchEditor> outlines_;
    CommandLineOpener opener_;

    PatternViewWidget* viewWidget_ = nullptr;
    ToolViewBinding* toolBinding_ = nullptr;
    BackstitchViewBinding* outlineBinding_ = nullptr;
    QMenu* selectionMenu_ = nullptr;
    QMenu* lineMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QDockWidget* layerDock_ = nullptr;
    LayerPanel* layerPanel_ = nullptr;
    QDockWidget* toolDock_ = nullptr;
    ToolWindow* toolWindow_ = nullptr;
    QDockWidget* stitchKindDock_ = nullptr;
    StitchKindWindow* stitchKindWindow_ = nullptr;
    QDockWidget* colourDock_ = nullptr;
    ColourPanel* colourPanel_ = nullptr;
    QDockWidget* overviewDock_ = nullptr;
    OverviewWidget* overviewWidget_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* message_ = nullptr;
    QActionGroup* modes_ = nullptr;
};

}  // namespace brenmark
