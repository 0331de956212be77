#pragma once
// Where the main window's windows sit: the tool window and the stitch-kind window side by
// side on the left, the colour bar along the bottom, the overview and the layer panel on the
// right; and the geometry, dock state and status bar remembered for the next run.
#include <QObject>

class QDockWidget;
class QMainWindow;

namespace brenmark {

class ColourPanel;
class EditorSession;
class LayerPanel;
class OverviewWidget;
class StitchKindWindow;
class ToolWindow;
class UserDialogs;

struct EditorDocks {
    QDockWidget* tool = nullptr;
    ToolWindow* toolWindow = nullptr;
    QDockWidget* stitchKind = nullptr;
    StitchKindWindow* stitchKindWindow = nullptr;
    QDockWidget* colour = nullptr;
    ColourPanel* colourPanel = nullptr;
    QDockWidget* overview = nullptr;
    OverviewWidget* overviewWidget = nullptr;
    QDockWidget* layers = nullptr;
    LayerPanel* layerPanel = nullptr;
};

EditorDocks buildDocks(QMainWindow& window, EditorSession& session, UserDialogs& dialogs);

// Takes the docks and the central widget out of the window before the objects they show
// go. Declared as the window's last member, it runs first when the window is destroyed.
class WindowContentsFirst {
public:
    explicit WindowContentsFirst(QMainWindow& window) : window_(window) {}
    ~WindowContentsFirst();
    WindowContentsFirst(const WindowContentsFirst&) = delete;
    WindowContentsFirst& operator=(const WindowContentsFirst&) = delete;

private:
    QMainWindow& window_;
};

void restoreWindowSettings(QMainWindow& window);
void saveWindowSettings(const QMainWindow& window);

}  // namespace brenmark
