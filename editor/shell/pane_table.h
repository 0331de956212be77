#pragma once
// The addresses of the web pages shown in the editor's panes: built-in defaults, replaced by
// the check-in's answer. The table lives for the whole process and is filled before any
// dialog with a pane opens.
#include <array>
#include <string>

namespace brenmark {

enum class Pane {
    Main,       // the editor's own browser window
    Buy,        // "购材"
    NetKu,      // "网库"
    Top,        // a dialog that is only its pane
    Ying,
    Cheng,
    Print,      // print settings
    New,        // new pattern
    XiuLine,    // the thread dialogs
    AddLine,    // stored, shown nowhere
    Place,      // "选择增加绣线窗口"
    Emf,        // vector export
    PrintSel,   // print details
    FuHao,      // change symbol
};
inline constexpr std::size_t kPaneCount = 14;

// The check-in answer's keys, in the order they are read.
inline constexpr std::array<const char*, kPaneCount> kPaneKeys = {
    "MainHtml",  "BuyHtml",     "NetKuHtml",   "TopHtml",   "YingHtml", "ChengHtml",    "PrintHtml",
    "NewHtml",   "XiuLineHtml", "AddLineHtml", "PlaceHtml", "EmfHtml",  "PrintSelHtml", "FuHaoHtml"};

inline constexpr const char* kSiteAddress = "https://www.brenmark.example/";
inline constexpr const char* kShopAddress = "https://shop.brenmark.example/";
inline constexpr const char* kStartPageAddress = "https://www.brenmark.example/start.html";
inline constexpr const char* kSupportMail = "mailto:support@brenmark.example";

using PaneTable = std::array<std::string, kPaneCount>;

PaneTable defaultPaneTable();

// The process's table (GBK texts).
PaneTable& paneTable();
// Whether the table holds the check-in's answer rather than the built-in addresses.
bool& paneTableFromService();
inline const std::string& paneAddress(Pane pane)
{
    return paneTable()[static_cast<std::size_t>(pane)];
}

}  // namespace brenmark
