#pragma once
// Command ids to the code that carries them out. Menus, toolbar buttons and tests all go
// through run(), so a command reaches the same handler whichever way it was given.
#include "editor/view/tools/tool_types.h"

#include <functional>
#include <map>

namespace brenmark {

class CommandRouter {
public:
    // True when the command was carried out; false when it was refused or did nothing.
    using Handler = std::function<bool(int id, Modifiers modifiers)>;

    void add(int id, Handler handler) { handlers_[id] = std::move(handler); }
    template <class Ids>
    void addAll(const Ids& ids, const Handler& handler)
    {
        for (const auto& entry : ids)
            add(entry.id, handler);
    }
    bool handles(int id) const { return handlers_.count(id) != 0; }
    bool run(int id, Modifiers modifiers = NoModifier) const
    {
        const auto it = handlers_.find(id);
        return it != handlers_.end() && it->second(id, modifiers);
    }

private:
    std::map<int, Handler> handlers_;
};

}  // namespace brenmark
