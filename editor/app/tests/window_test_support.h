#pragma once
// A main window on screen for the editing tests: remembered settings cleared, a scratch
// program folder with a red and a blue DMC thread, scripted dialogs.
#include "editor/app/main_window.h"
#include "editor/app/tests/app_test_support.h"

#include "editor/app/colour_panel.h"
#include "editor/document/pattern_file.h"
#include "editor/view/colour_bar_widget.h"
#include "editor/view/pattern_view_widget.h"
#include "editor/view/widgets/tool_window.h"

#include <QToolButton>
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

// A 6 x 4 pattern with a red and a blue thread; only the top-left cell is red.
inline std::string writeTwoThreadPattern(const ScratchDir& dir, const std::string& name)
{
    PatternDocument p;
    p.create(6, 4, "DMC");
    p.addThread(kWindowRed, "321");
    p.addThread(kWindowBlue, "796");
    p.setCell(0, 0, 0);
    p.layers.backgroundFromGrid(p);
    const std::string path = dir.file(name);
    if (!savePattern(path, p))
        return {};
    return path;
}

// A click with the point tool in the colour of the colour bar's swatch (table order).
inline void drawPoint(MainWindow& window, int x, int y, int swatch = 1)
{
    ColourBarWidget* bar = window.colourPanel()->barWidget();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, window.colourPanel()->bar().swatchRect(swatch, bar->width()).center());
    window.toolWindow()->toolButtonFor(Tool::Point)->click();
    QCoreApplication::processEvents();  // the tool window's message comes from the loop
    QTest::mouseClick(window.viewWidget(), Qt::LeftButton, Qt::NoModifier, window.tools().cellRect({x, y}).center());
}

}  // namespace brenmark::test
