#include "editor/app/autosave.h"

#include "editor/app/editor_session.h"

namespace brenmark {

bool Autosave::tick()
{
    const PatternDocument& doc = session_.document();
    if (!doc.isOpen() || !session_.modified()) {
        // Undone back to what the file holds: a copy would only bring back undone work.
        if (written_)
            settle();
        return false;
    }
    // Announced changes and undo states both count: some edits only do one of the two.
    const Mark now{session_.revision(), session_.history().state()};
    if (written_ && now == writtenAt_ && store_.lastWriteOk())
        return false;
    if (store_.busy())
        return false;  // the next tick takes it
    if (!store_.writeAsync(doc, session_.commands().currentPath()))
        return false;
    written_ = true;
    writtenAt_ = now;
    return true;
}

void Autosave::patternOpened()
{
    store_.prepareAsync(session_.document());
}

void Autosave::settle()
{
    store_.discard();
    written_ = false;
}

void Autosave::adopted()
{
    written_ = true;
    writtenAt_ = {session_.revision(), session_.history().state()};
}

}  // namespace brenmark
