// A picture of the editor with its plug-in menu open over the sample pattern, for the
// documentation: brenmark-plugin-menu-shot OUT.png [PROGRAMDIR] (under xvfb-run; the menu is
// a window of its own, so the screen is grabbed).
#include "editor/app/main_window.h"
#include "editor/app/plugin_commands.h"
#include "editor/document/program_directory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: brenmark-plugin-menu-shot OUT.png [PROGRAMDIR]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    brenmark::MainWindowSetup setup;
    setup.programDir = argc > 2 ? std::string(argv[2]) + "/" : brenmark::programDirectory();
    setup.commandLine = setup.programDir + "samples/heart.xiu";
    setup.openDelayMs = 0;
    brenmark::MainWindow window(setup);
    window.move(0, 0);
    window.resize(900, 600);
    window.show();

    QElapsedTimer waited;
    waited.start();
    while (!window.pluginCommands().isSetUp() && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!window.pluginCommands().isSetUp()) {
        std::fprintf(stderr, "the plug-in menu was never filled\n");
        return 1;
    }
    window.menuBar()->setActiveAction(window.pluginMenu()->menuAction());
    bool saved = false;
    QTimer::singleShot(500, &window, [&] {
        QApplication::processEvents();
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect area = window.frameGeometry().united(window.pluginMenu()->geometry());
        saved = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(out);
        QApplication::quit();
    });
    app.exec();
    return saved ? 0 : 1;
}
