// The editor: splash, the start-up check-in, then the main window until it closes.
#include "editor/app/command_line_opener.h"
#include "editor/app/demo_drawing.h"
#include "editor/app/main_window.h"
#include "editor/app/qt_translations.h"
#include "editor/app/qt_user_dialogs.h"
#include "editor/app/splash_window.h"
#include "editor/document/program_directory.h"
#include "editor/document/program_folders.h"
#include "editor/shell/shell_startup.h"
#include "interchange/ui_text.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTimer>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(u"Brenmark"_qs);
    QCoreApplication::setApplicationName(u"Brenmark"_qs);
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i)
        args.emplace_back(argv[i]);
    // What ships is read from the program's folders, the page writer sits beside the editor.
    const std::string& programDir = brenmark::programFolders().shipped;
    // The interface's language: --lang, BRENMARK_LANG, the setting "语言 / Language", the
    // locale. Qt's own buttons and dialogs speak it too.
    const QString setting = QSettings().value(u"preferences/language"_qs).toString();
    const brenmark::UiLanguage language =
        brenmark::startUiLanguage(args, 1, programDir, brenmark::parseUiLanguage(setting.toStdString()));
    brenmark::installQtTranslations(app, QLocale::system(), language);
    // The page writer the editor starts speaks the same language.
    qputenv("BRENMARK_LANG", language == brenmark::UiLanguage::English ? "en" : "zh");
    const brenmark::EditorArguments arguments = brenmark::parseEditorArguments(args);

    auto splash = std::make_unique<brenmark::SplashWindow>(brenmark::splashPicturePath(programDir));
    splash->show();
    // The check-in may start the updater: the program then ends at once. Its identity file
    // and service address are the user's.
    brenmark::QtUserDialogs startupMessages(splash.get());
    if (!brenmark::startupCheckIn(brenmark::programFolders().user, startupMessages))
        return 0;
    brenmark::showForAtLeast(1000);

    brenmark::MainWindowSetup setup;
    setup.programDir = programDir;
    setup.programsDir = brenmark::programDirectory();
    setup.pluginsDir = brenmark::programFolders().plugins;
    setup.userDir = brenmark::programFolders().user;
    setup.commandLine = arguments.commandLine;
    setup.recoveryDir = brenmark::programFolders().user + "recovery/";
    brenmark::MainWindow window(setup);
    window.show();
    splash.reset();
    // Work left by an editor that was killed or crashed is offered once the window is up
    // (not in the unattended runs that take pictures of the window).
    if (arguments.screenshot.empty())
        QTimer::singleShot(0, &window, [&window] { window.offerRecovery(); });

    if (!arguments.actions.empty() || arguments.demoDrawing || arguments.demoSelection) {
        QObject::connect(&window.commandLineOpener(), &brenmark::CommandLineOpener::opened, &window, [&window, &arguments] {
            for (const std::string& name : arguments.actions) {
                if (auto* action = window.findChild<QAction*>(QString::fromStdString(name))) {
                    action->trigger();
                } else if (auto* menu = window.findChild<QMenu*>(QString::fromStdString(name))) {
                    // A menu of the menu bar, opened under its title (for a picture of it).
                    const QRect title = window.menuBar()->actionGeometry(menu->menuAction());
                    menu->popup(window.menuBar()->mapToGlobal(title.bottomLeft()));
                }
            }
            if (arguments.demoDrawing)
                brenmark::runDemoDrawing(window);
            if (arguments.demoSelection)
                brenmark::runDemoSelection(window);
        });
    }

    if (!arguments.screenshot.empty()) {
        // A picture of the window once the command-line pattern is open, for checking the
        // look without a person at the screen.
        const QString file = QString::fromLocal8Bit(arguments.screenshot.c_str());
        QTimer::singleShot(setup.openDelayMs + 1000, &window, [&window, file] {
            // With a menu or a dialog open the picture is of the screen, so that they show.
            bool others = QApplication::activePopupWidget() != nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                others |= w != &window && w->isVisible() && w->isWindow() && qobject_cast<QDialog*>(w);
            if (others) {
                const QRect frame = window.frameGeometry();
                QRect shown = frame;
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (w->isVisible())
                        shown |= w->frameGeometry();
                QGuiApplication::primaryScreen()->grabWindow(0, shown.x(), shown.y(), shown.width(), shown.height()).save(file);
            } else {
                window.grab().save(file);
            }
            QCoreApplication::quit();
        });
    }
    return app.exec();
}
