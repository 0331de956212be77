#pragma once
// The plug-in host (libhollick.so). Plug-ins are the shared libraries "DllPin/*.so" beside
// the executable; each exports, with C linkage,
//
//     bool CanSetUp(void);
//     bool GetVelmoraChaName(std::string& name);
//     bool StartCha(void* view, brenmark::UndoSnapshot* snapshot, const std::int32_t* outline,
//                   std::int32_t count);
//
// The editor scans once (GetAllChaJia), then hands its view's message handle to
// SetupAllChaJian and starts a plug-in by name (ChaWindowProc, StartOneCha). A plug-in gives
// its result back with ActVelmoraData while its StartCha runs: the host sends the view the
// message 1124 synchronously, so the record only has to live until that call returns.
//
// The view handle is a QObject: the messages reach it as a ViewMessageEvent through
// QCoreApplication::sendEvent, and once the object is destroyed ActVelmoraData returns 0.
// Everything runs on the user-interface thread; nothing is thrown across these functions.
#include "interchange/ui_text.h"

#include <QEvent>

#include <cstdint>
#include <string>
#include <vector>

class QMenu;

namespace brenmark {

struct UndoSnapshot;

inline constexpr std::uint32_t kPluginCommandBase = 33000;
inline constexpr std::uint32_t kPluginCommandLast = 33020;  // the editor routes 21 ids
inline constexpr int kPluginCapacity = 20;
inline constexpr std::size_t kPluginNameBytes = 39;
inline constexpr std::uint32_t kPluginResultMessage = 1124;
inline constexpr const char* kNoPluginsCaption = UI_TEXT_NOOP("没有可安装的插件");
inline constexpr const char* kPluginMenuCaption = UI_TEXT_NOOP("Velmora插件");

// One of the view's messages, delivered synchronously; the receiver sets the answer.
class ViewMessageEvent final : public QEvent {
public:
    static QEvent::Type eventType() { return static_cast<QEvent::Type>(QEvent::User + 1124); }
    ViewMessageEvent(std::uint32_t msg, std::uintptr_t w, std::intptr_t l)
        : QEvent(eventType()), message(msg), wParam(w), lParam(l)
    {
    }
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    std::intptr_t answer = 0;
};

}  // namespace brenmark

#define HOLLICK_EXPORT __attribute__((visibility("default")))

extern "C" {

// Scans "<program dir>DllPin/*.so" (then the user's, see SetChaUserDir), each folder in
// file-name order, and registers up to 20 plug-ins; the names come back in table order, each
// whole (the table keeps 39 bytes of it). Libraries that cannot be loaded or lack an export
// are named on standard error once.
HOLLICK_EXPORT void GetAllChaJia(std::vector<std::string>& names);
// Remembers the view (a QObject, may be null); with a menu, appends one item per plug-in
// with the ids 33000 + i. True when at least one plug-in is registered.
HOLLICK_EXPORT bool SetupAllChaJian(void* view, QMenu* menu);
// Starts the first plug-in of exactly that name (after set-up only) and returns when it does.
HOLLICK_EXPORT void StartOneCha(const std::string& name, void* view, brenmark::UndoSnapshot* snapshot,
                                const std::int32_t* outline, std::int32_t count);
// The name of the plug-in with that command id; false (name unchanged) for any other id.
HOLLICK_EXPORT bool ChaWindowProc(std::uint32_t id, std::string& name);
// Unloads every registered library; no plug-in may be started afterwards.
HOLLICK_EXPORT void CloseAllCha();
// Sends the view message 1124 with the data (a pointer to an UndoSnapshot, or 0) and returns
// its answer; 0 when the view is gone or was never given.
HOLLICK_EXPORT std::intptr_t ActVelmoraData(std::uintptr_t data);
// The folder the scan looks in for "DllPin", ending in "/"; empty: the executable's folder.
// The editor names its program directory here, tests their own folders.
HOLLICK_EXPORT void SetChaProgramDir(const std::string& dir);
// A second folder whose "DllPin" is scanned after the program's (the user's own plug-ins of an
// installed program); empty or the program's folder: none.
HOLLICK_EXPORT void SetChaUserDir(const std::string& dir);

}  // extern "C"
