// An editor with unsaved edits that waits to be killed: opens PATTERN in a real main window
// keeping its recovery copies in RECOVERY, draws four cells with the point tool, writes the
// recovery copy as the autosave timer would, writes the cells it holds to EXPECTED (int32,
// row by row), prints "ready" and sleeps until it is killed.
#include "editor/app/main_window.h"
#include "editor/app/tests/app_test_support.h"
#include "editor/view/view_messages.h"

#include <QApplication>

#include <cstdio>
#include <fstream>
#include <thread>

int main(int argc, char* argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: recovery_crash_helper PROGRAM_DIR RECOVERY PATTERN EXPECTED\n");
        return 2;
    }
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(u"BrenmarkRecoveryHelper"_qs);
    brenmark::test::ScriptedDialogs dialogs;
    brenmark::MainWindowSetup setup;
    setup.programDir = argv[1];
    setup.recoveryDir = argv[2];
    setup.dialogs = &dialogs;
    setup.useSettings = false;
    brenmark::MainWindow window(setup);
    window.resize(900, 700);
    window.show();
    QCoreApplication::processEvents();
    if (!window.commands().loadFile(argv[3], brenmark::LoadMode::Library))
        return 1;
    QCoreApplication::processEvents();
    const brenmark::PatternDocument& doc = window.document();
    window.currentThread().chooseColour(doc.threads.colors.back());
    window.view().dispatch(brenmark::MsgSelectTool, static_cast<int>(brenmark::Tool::Point), 0);
    for (int x = 1; x <= 4; ++x) {
        const QPoint at = window.tools().cellRect({x, x % 3}).center();
        window.tools().mouseDown(at);
        window.tools().mouseUp(at);
    }
    if (!window.session().modified() || !window.autosaveNow())
        return 1;
    window.autosave()->store().wait();
    if (!window.autosave()->store().lastWriteOk())
        return 1;
    std::ofstream expected(argv[4], std::ios::binary);
    expected.write(reinterpret_cast<const char*>(doc.grid.cells.data()),
                   static_cast<std::streamsize>(doc.grid.cells.size() * sizeof(std::int32_t)));
    expected.close();
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}
