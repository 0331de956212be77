#pragma once
// The view handle the host tests give the test plug-ins: it records what came back with
// message 1124.
#include "editor/view/undo_snapshot.h"
#include "plugins/host/hollick.h"

#include <QObject>

#include <cstdint>
#include <string>
#include <vector>

namespace brenmark::test {

// What one start of a test plug-in was handed (the plug-in's TestPluginStarts lists them).
struct PluginStart {
    std::string plugin;
    void* view = nullptr;
    bool snapshot = false;
    std::string label;
    std::vector<std::int32_t> outline;
    std::int32_t count = 0;
    std::intptr_t answer = -1;  // what ActVelmoraData returned, if it was called
};

struct PluginProbe : QObject {
    std::vector<std::uintptr_t> results;  // the data of every message 1124
    std::vector<std::int32_t> cellsSeen;  // the cells of the last record received

    bool event(QEvent* e) override
    {
        if (e->type() != ViewMessageEvent::eventType())
            return QObject::event(e);
        auto* m = static_cast<ViewMessageEvent*>(e);
        if (m->message == kPluginResultMessage) {
            results.push_back(m->wParam);
            if (m->wParam)
                cellsSeen = reinterpret_cast<const UndoSnapshot*>(m->wParam)->cells;
            m->answer = m->wParam ? 7 : 0;
        }
        return true;
    }
};

}  // namespace brenmark::test
