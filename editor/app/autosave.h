#pragma once
// Keeps the recovery copy of the open pattern: on every tick of the window's timer, a copy
// is written when the pattern holds unsaved changes made since the last copy. Only the copy
// of the document happens on the caller's thread; the store writes it on its worker.
#include "editor/app/recovery_store.h"

#include <cstdint>

namespace brenmark {

class EditorSession;

class Autosave {
public:
    Autosave(EditorSession& session, RecoveryStore& store) : session_(session), store_(store) {}

    // True when a write started. A write that failed is tried again on the next tick.
    bool tick();
    // Another pattern is open: the memory its copies will need is made ready meanwhile.
    void patternOpened();
    // The changes were saved or thrown away: the copy goes.
    void settle();
    // A copy left behind now belongs to this editor, holding what the pattern holds.
    void adopted();

    RecoveryStore& store() { return store_; }

private:
    EditorSession& session_;
    RecoveryStore& store_;
    struct Mark {
        std::uint64_t revision = 0;
        std::uint64_t state = 0;
        bool operator==(const Mark&) const = default;
    };
    bool written_ = false;
    Mark writtenAt_;
};

}  // namespace brenmark
