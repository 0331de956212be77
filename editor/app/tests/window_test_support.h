#pragma once
// A main window on screen for the editing tests: remembered settings cleared, a scratch
// program folder with a red and a blue DMC thread, scripted dialogs.
#include "editor/app/main_window.h"
#include "editor/app/tests/app_test_support.h"

#include <QSettings>
#include <QTest>

#include <memory>

namespace brenmark::test {

inline constexpr ColorRef kWindowRed = rgb(200, 0, 0);
inline constexpr ColorRef kWindowBlue = rgb(0, 0, 200);

// Null when the window never showed.
inline std::unique_ptr<MainWindow> showEditorWindow(const ScratchDir& dir, MainWindowSetup setup)
{
    QSettings().clear();
    writePalette(dir.path(), "DMC", {{"321", kWindowRed}, {"796", kWindowBlue}});
    setup.programDir = dir.path();
    auto window = std::make_unique<MainWindow>(setup);
    window->resize(1000, 800);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}

}  // namespace brenmark::test
