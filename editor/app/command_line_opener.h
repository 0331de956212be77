#pragma once
// The pattern named on the command line is opened a while after the main window exists,
// so the window is on screen before the load begins.
#include <QObject>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace brenmark {

constexpr int kCommandLineOpenDelayMs = 1000;

// The command line the editor acts on: the arguments after the program, without the
// options it understands itself, joined by blanks (as one Windows command line would be).
struct EditorArguments {
    std::string commandLine;
    std::string screenshot;  // --screenshot FILE: save a picture of the window and quit
    // Two more for pictures of the editor, undocumented for users: once the command-line
    // pattern is open, --actions A,B,... triggers the window's actions of those object names
    // in order (e.g. zoomIn,modeSimulated), then --demo-drawing draws with several tools and
    // --demo-selection traces outlines, selects and pastes.
    std::vector<std::string> actions;
    bool demoDrawing = false;
    bool demoSelection = false;
};
EditorArguments parseEditorArguments(const std::vector<std::string>& args);

class CommandLineOpener final : public QObject {
    Q_OBJECT
public:
    using Open = std::function<void(const std::string&)>;
    explicit CommandLineOpener(QObject* parent = nullptr);

    // Does nothing for an empty command line. The timer fires once.
    void start(const std::string& commandLine, Open open, int delayMs = kCommandLineOpenDelayMs);
    bool pending() const { return timer_.isActive(); }

signals:
    void opened();

private:
    QTimer timer_;
    std::string commandLine_;
    Open open_;
};

}  // namespace brenmark
