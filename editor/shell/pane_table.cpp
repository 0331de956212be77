#include "editor/shell/pane_table.h"

namespace brenmark {

PaneTable defaultPaneTable()
{
    PaneTable table;
    table.fill(kSiteAddress);
    table[static_cast<std::size_t>(Pane::Main)] = kStartPageAddress;
    table[static_cast<std::size_t>(Pane::Top)] = kStartPageAddress;
    table[static_cast<std::size_t>(Pane::Buy)] = kShopAddress;
    table[static_cast<std::size_t>(Pane::Place)] = kShopAddress;
    return table;
}

PaneTable& paneTable()
{
    static PaneTable table = defaultPaneTable();
    return table;
}

bool& paneTableFromService()
{
    static bool fromService = false;
    return fromService;
}

}  // namespace brenmark
