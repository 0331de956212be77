// The plug-in "绣线管理工具" (DllPin/marrowin.so): it leaves the open pattern alone and only
// writes palettes into the editor's palette folder.
#include "editor/document/program_directory.h"
#include "editor/view/undo_snapshot.h"
#include "interchange/ui_text.h"
#include "plugins/threadmap/marrowin_dialog.h"

#include <QApplication>

#include <string>

#define MARROWIN_EXPORT __attribute__((visibility("default")))

extern "C" {

MARROWIN_EXPORT bool CanSetUp()
{
    return true;
}

MARROWIN_EXPORT bool GetVelmoraChaName(std::string& name)
{
    // The host's menu shows it in the interface's language.
    name = UI_TEXT_NOOP("绣线管理工具");
    return true;
}

MARROWIN_EXPORT bool StartCha(void*, brenmark::UndoSnapshot*, const std::int32_t*, std::int32_t)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return true;
    brenmark::MarrowinDialog dialog(brenmark::programDirectory(), nullptr, QApplication::activeWindow());
    dialog.exec();
    return true;
}

}  // extern "C"
