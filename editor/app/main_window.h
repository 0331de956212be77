#pragma once
// The editor's main window: toolbar, menus, status bar and the pattern view around the one
// open pattern. Its actions forward to DocumentCommands and the view.
#include "editor/app/command_line_opener.h"
#include "editor/app/document_commands.h"
#include "editor/document/layer_operations.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_document.h"
#include "editor/view/pattern_view.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QProgressBar;
class QToolBar;

namespace brenmark {

class LayerPanel;
class PatternViewWidget;
class StatusProgress;

struct MainWindowSetup {
    std::string programDir;  // palettes and the other data files
    std::string commandLine;  // a pattern to open once the window exists
    int openDelayMs = kCommandLineOpenDelayMs;
    UserDialogs* dialogs = nullptr;  // null: the real dialogs
    UndoRecorder* undo = nullptr;    // null: no undo history
};

inline constexpr const char* kWindowTitle = "Velmora十字绣";

class MainWindow final : public QMainWindow, private CommandEvents, private LayerObserver {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowSetup setup, QWidget* parent = nullptr);
    ~MainWindow() override;

    PatternDocument& document() { return doc_; }
    DocumentCommands& commands() { return *commands_; }
    LayerOperations& layers() { return *layers_; }
    PatternView& view() { return *view_; }
    PatternViewWidget* viewWidget() { return viewWidget_; }
    QToolBar* mainToolBar() { return toolBar_; }
    QDockWidget* layerDock() { return layerDock_; }
    LayerPanel* layerPanel() { return layerPanel_; }
    CommandLineOpener& commandLineOpener() { return opener_; }
    // The status bar's message and the thread-count caption.
    QString statusText() const;
    QString threadCaption() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildStatusBar();
    void buildLayerPanel();
    void restoreSettings();
    void saveSettings();
    void updateCaptions();
    void setViewMode(ViewMode mode);
    void zoom(bool in);

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

    PatternDocument doc_;
    PaletteStore palettes_;
    std::unique_ptr<UserDialogs> ownDialogs_;
    UserDialogs* dialogs_;
    NoUndo noUndo_;
    UndoRecorder* undo_;
    std::unique_ptr<LayerOperations> layers_;
    std::unique_ptr<DocumentCommands> commands_;
    std::unique_ptr<PatternView> view_;
    std::unique_ptr<StatusProgress> progress_;
    CommandLineOpener opener_;

    PatternViewWidget* viewWidget_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QDockWidget* layerDock_ = nullptr;
    LayerPanel* layerPanel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* caption_ = nullptr;
    QActionGroup* modes_ = nullptr;
};

}  // namespace brenmark
