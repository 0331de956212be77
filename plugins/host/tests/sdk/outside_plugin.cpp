// A plug-in built the way an outside author builds one: only against the installed headers
// and libhollick.so. It hands its record straight back.
#include "editor/view/undo_snapshot.h"
#include "plugins/host/hollick.h"

#define OUTSIDE_EXPORT extern "C" __attribute__((visibility("default")))

OUTSIDE_EXPORT bool CanSetUp()
{
    return true;
}

OUTSIDE_EXPORT bool GetVelmoraChaName(std::string& name)
{
    name = "Outside";
    return true;
}

OUTSIDE_EXPORT bool StartCha(void*, brenmark::UndoSnapshot* snapshot, const std::int32_t*, std::int32_t)
{
    if (snapshot) {
        brenmark::UndoSnapshot copy = *snapshot;
        ActVelmoraData(reinterpret_cast<std::uintptr_t>(&copy));
    }
    return true;
}
