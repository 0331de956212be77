// A plug-in for the tests, built several times with different definitions:
//   TEST_PLUGIN_NAME        the reported name
//   TEST_PLUGIN_DECLINES    CanSetUp returns false
//   TEST_PLUGIN_NO_START    StartCha is not exported
//   TEST_PLUGIN_SENDS       0: nothing; 1: ActVelmoraData(0); 2: the record with every cell
//                           emptied; 3: a record whose cells do not fit its size
// Each start is noted in the list TestPluginStarts hands out.
#include "editor/view/undo_snapshot.h"
#include "plugins/host/hollick.h"
#include "plugins/host/tests/plugin_probe.h"

#include <algorithm>

#ifndef TEST_PLUGIN_SENDS
#define TEST_PLUGIN_SENDS 0
#endif

namespace {
std::vector<brenmark::test::PluginStart>& starts()
{
    static std::vector<brenmark::test::PluginStart> list;
    return list;
}
}  // namespace

extern "C" {

__attribute__((visibility("default"))) std::vector<brenmark::test::PluginStart>* TestPluginStarts()
{
    return &starts();
}

__attribute__((visibility("default"))) bool CanSetUp()
{
#ifdef TEST_PLUGIN_DECLINES
    return false;
#else
    return true;
#endif
}

__attribute__((visibility("default"))) bool GetVelmoraChaName(std::string& name)
{
    name = TEST_PLUGIN_NAME;
    return true;
}

#ifndef TEST_PLUGIN_NO_START
__attribute__((visibility("default"))) bool StartCha(void* view, brenmark::UndoSnapshot* snapshot,
                                                     const std::int32_t* outline, std::int32_t count)
{
    brenmark::test::PluginStart start;
    start.view = view;
    start.plugin = TEST_PLUGIN_NAME;
    start.snapshot = snapshot != nullptr;
    if (snapshot)
        start.label = snapshot->label;
    if (outline)
        start.outline.assign(outline, outline + 2 * count);
    start.count = count;
#if TEST_PLUGIN_SENDS == 1
    start.answer = ActVelmoraData(0);
#elif TEST_PLUGIN_SENDS == 2
    if (snapshot) {
        std::fill(snapshot->cells.begin(), snapshot->cells.end(), -1);
        start.answer = ActVelmoraData(reinterpret_cast<std::uintptr_t>(snapshot));
    }
#elif TEST_PLUGIN_SENDS == 3
    if (snapshot) {
        brenmark::UndoSnapshot bad = *snapshot;
        bad.width += 3;
        start.answer = ActVelmoraData(reinterpret_cast<std::uintptr_t>(&bad));
    }
#endif
    starts().push_back(start);
    return true;
}
#endif

}  // extern "C"
