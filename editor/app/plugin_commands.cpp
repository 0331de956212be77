#include "editor/app/plugin_commands.h"

#include "editor/app/menu_builder.h"
#include "editor/view/undo_snapshot.h"
#include "interchange/ui_text.h"
#include "plugins/host/hollick.h"

#include <QAction>
#include <QMenu>

namespace brenmark {

bool pluginRecordFits(const UndoSnapshot& r)
{
    if (r.width <= 0 || r.height <= 0 || r.width > 100000 || r.height > 100000)
        return false;
    const std::size_t cells = static_cast<std::size_t>(r.width) * static_cast<std::size_t>(r.height);
    if (r.cells.size() != cells || r.threadNumbers.size() != r.threadColours.size())
        return false;
    const auto threads = static_cast<std::int32_t>(r.threadColours.size());
    for (const std::int32_t v : r.cells)
        if (v < -1 || v >= threads)
            return false;
    if (!r.picture.isNull() && (r.picture.width() != r.width || r.picture.height() != r.height))
        return false;
    for (const PatternLayer& layer : r.layers.layers)
        if (layer.width != r.width || layer.height != r.height || layer.cellCount() != cells)
            return false;
    return true;
}

PluginCommands::PluginCommands(EditorSession& session, MessageBoxes& messages, const std::string& pluginsDir,
                               const std::string& userDir)
    : session_(session), messages_(messages)
{
    SetChaProgramDir(pluginsDir);
    SetChaUserDir(userDir);
}

PluginCommands::~PluginCommands() = default;

void PluginCommands::scan()
{
    GetAllChaJia(names_);
}

void PluginCommands::setUp(QMenu& menu)
{
    SetupAllChaJian(static_cast<QObject*>(this), nullptr);
    menu.clear();
    if (names_.empty()) {
        QAction* placeholder = menu.addAction(menuText(kNoPluginsCaption));
        placeholder->setObjectName(u"noPlugins"_qs);
        placeholder->setEnabled(false);
    }
    for (std::size_t i = 0; i < names_.size() && i <= kPluginCommandLast - kPluginCommandBase; ++i) {
        const int id = static_cast<int>(kPluginCommandBase + i);
        QAction* item = menu.addAction(menuText(names_[i]));  // the whole name
        item->setObjectName(QStringLiteral("plugin%1").arg(id));
        connect(item, &QAction::triggered, this, [this, id] { start(id); });
    }
    setUp_ = true;
}

void PluginCommands::route(CommandRouter& router)
{
    for (std::uint32_t id = kPluginCommandBase; id <= kPluginCommandLast; ++id)
        router.add(static_cast<int>(id), [this](int which, Modifiers) { return start(which); });
}

bool PluginCommands::start(int id)
{
    std::string name;
    if (id < 0 || !ChaWindowProc(static_cast<std::uint32_t>(id), name))
        return false;
    const PatternDocument& doc = session_.document();
    std::unique_ptr<UndoSnapshot> snapshot;
    if (doc.grid.width > 0 && doc.grid.height > 0) {
        try {
            snapshot = std::make_unique<UndoSnapshot>(session_.history().lists().makeSnapshot(kPluginSnapshotLabel));
        } catch (const std::bad_alloc&) {
            messages_.show(kUndoOutOfMemory, kTitleWarning, MessageIcon::Warning);
        }
    }
    std::vector<std::int32_t> outline;
    for (const QPoint& p : session_.selection().selectionOutline()) {
        outline.push_back(p.x());
        outline.push_back(p.y());
    }
    StartOneCha(name, static_cast<QObject*>(this), snapshot.get(), outline.empty() ? nullptr : outline.data(),
                static_cast<std::int32_t>(outline.size() / 2));
    return true;
}

std::intptr_t PluginCommands::receive(std::uintptr_t data)
{
    if (data == 0)
        return 0;
    const UndoSnapshot& record = *reinterpret_cast<const UndoSnapshot*>(data);
    if (!pluginRecordFits(record)) {
        messages_.show(kPluginRecordRefused, kTitleInfo, MessageIcon::Warning);
        return 0;
    }
    // A copy: the record stays the plug-in's.
    const UndoSnapshot copy = record;
    EditHistory& history = session_.history();
    history.recordUndoStep(kPluginStepLabel);
    // untranslated: the step's label stays the program's own; the menu shows it translated.
    history.recordUndoStep("取消插件" + copy.label + "动作");
    history.lists().restore(copy);
    session_.changed(Changes::everything());
    return 1;
}

bool PluginCommands::event(QEvent* e)
{
    if (e->type() != ViewMessageEvent::eventType())
        return QObject::event(e);
    auto* message = static_cast<ViewMessageEvent*>(e);
    if (message->message == kPluginResultMessage)
        message->answer = receive(message->wParam);
    return true;
}

}  // namespace brenmark
