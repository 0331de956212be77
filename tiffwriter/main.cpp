// Pressly: started by the editor with the scrambled path of a saved pattern; without an
// argument that decodes to a pattern path it ends at once, without a window.
#include "editor/document/program_directory.h"
#include "editor/document/program_folders.h"
#include "interchange/ui_text.h"
#include "tiffwriter/batch_export.h"
#include "tiffwriter/pattern_argument.h"
#include "tiffwriter/pressly_window.h"

#include <QApplication>
#include <QGuiApplication>

#include <iostream>

using namespace brenmark;

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    // --lang zh|en, else BRENMARK_LANG (the editor passes its own choice on that way), else the locale.
    startUiLanguage(arguments, 0, programFolders().shipped, std::nullopt);
    if (!arguments.empty() && arguments.front() == "--batch") {
        arguments.erase(arguments.begin());
        const auto parsed = parseBatchArguments(arguments);
        if (const std::string* error = std::get_if<std::string>(&parsed)) {
            std::cerr << "pressly: " << *error << '\n';
            return 1;
        }
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return runBatch(std::get<BatchRequest>(parsed), std::cout, std::cerr);
    }

    const std::optional<std::string> pattern = decodePatternArgument(argumentText(arguments));
    if (!pattern)
        return 0;
    QApplication app(argc, argv);
    PageExportSetup setup;
    setup.patternPath = *pattern;
    setup.programDir = programFolders().shipped;
    QtPageExportDialogs dialogs;
    PresslyWindow window(setup, dialogs);
    dialogs.setParent(&window);
    window.show();
    return app.exec();
}
