#include "editor/app/command_line_opener.h"

#include <algorithm>

namespace brenmark {

EditorArguments parseEditorArguments(const std::vector<std::string>& args)
{
    EditorArguments result;
    std::string joined;
    bool options = true;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (options && a == "--") {
            options = false;
            continue;
        }
        if (options && a == "--screenshot" && i + 1 < args.size()) {
            result.screenshot = args[++i];
            continue;
        }
        if (options && a == "--actions" && i + 1 < args.size()) {
            const std::string& list = args[++i];
            std::size_t start = 0;
            while (start <= list.size()) {
                const std::size_t comma = std::min(list.find(',', start), list.size());
                if (comma > start)
                    result.actions.push_back(list.substr(start, comma - start));
                start = comma + 1;
            }
            continue;
        }
        if (options && a == "--demo-drawing") {
            result.demoDrawing = true;
            continue;
        }
        if (options && a == "--demo-selection") {
            result.demoSelection = true;
            continue;
        }
        if (!joined.empty())
            joined += ' ';
        joined += a;
    }
    result.commandLine = joined;
    return result;
}

CommandLineOpener::CommandLineOpener(QObject* parent) : QObject(parent)
{
    timer_.setSingleShot(true);
    // A coarse timer may fire early; the open waits the full delay.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        timer_.stop();
        if (open_)
            open_(commandLine_);
        emit opened();
    });
}

void CommandLineOpener::start(const std::string& commandLine, Open open, int delayMs)
{
    if (commandLine.empty())
        return;
    commandLine_ = commandLine;
    open_ = std::move(open);
    timer_.start(delayMs);
}

}  // namespace brenmark
