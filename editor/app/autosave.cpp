#include "editor/app/autosave.h"

#include "editor/app/editor_session.h"

namespace brenmark {

bool Autosave::tick()
{
    const PatternDocument& doc = session_.document();
    if (!doc.isOpen() || !session_.modified())
        return false;
    const std::uint64_t revision = session_.revision();
    if (written_ && revision == writtenRevision_)
        return false;
    if (store_.busy())
        return false;  // the next tick takes it
    if (!store_.writeAsync(doc, session_.commands().currentPath()))
        return false;
    written_ = true;
    writtenRevision_ = revision;
    return true;
}

void Autosave::settle()
{
    store_.discard();
    written_ = false;
}

void Autosave::adopted()
{
    written_ = true;
    writtenRevision_ = session_.revision();
}

}  // namespace brenmark
