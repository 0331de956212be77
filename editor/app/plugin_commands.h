#pragma once
// The editor's side of the plug-ins: the scan through libhollick.so when the window is made,
// the menu "Velmora插件" filled once the scan timer fires, the commands 33000..33020 that start
// a plug-in on the open pattern, and message 1124, by which a plug-in's record comes back as
// two undo steps.
#include "editor/app/editor_session.h"
#include "editor/document/user_prompts.h"
#include "interchange/ui_text.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

class QMenu;

namespace brenmark {

inline constexpr const char* kPluginSnapshotLabel = UI_TEXT_NOOP("插件数据");
inline constexpr const char* kPluginStepLabel = UI_TEXT_NOOP("取消插件作用于Velmora");
inline constexpr const char* kPluginRecordRefused = UI_TEXT_NOOP("插件送回的绣图数据不完整,绣图没有改变");
inline constexpr int kPluginScanTimerMs = 200;

class PluginCommands final : public QObject {
public:
    // Plug-ins are looked for in "<pluginsDir>DllPin/", then in "<userDir>DllPin/" when that
    // is another folder (an installed program's user's own).
    PluginCommands(EditorSession& session, MessageBoxes& messages, const std::string& pluginsDir,
                   const std::string& userDir = {});
    ~PluginCommands() override;

    // Scans DllPin (the window does so when it is made).
    void scan();
    // What the scan timer does: hands the host the view's handle and fills the menu, whose
    // placeholder goes once there is an item.
    void setUp(QMenu& menu);
    bool isSetUp() const { return setUp_; }
    void route(CommandRouter& router);
    const std::vector<std::string>& names() const { return names_; }
    // The command's work: start the plug-in of that id on the open pattern.
    bool start(int id);
    // Message 1124: a plug-in's record; 0 does nothing. The answer for the plug-in.
    std::intptr_t receive(std::uintptr_t data);

protected:
    bool event(QEvent* e) override;

private:
    EditorSession& session_;
    MessageBoxes& messages_;
    std::vector<std::string> names_;
    bool setUp_ = false;
};

// The record is one the editor can take: its cells, picture and layers fit its size and its
// threads.
bool pluginRecordFits(const UndoSnapshot& record);

}  // namespace brenmark
