#include "editor/document/fabric_colors.h"

#include "editor/document/palette_file.h"
#include "interchange/ui_text.h"

namespace brenmark {

namespace {

// The fabrics' names alone, as the key of a printed chart names its fabric.
[[maybe_unused]] constexpr const char* kFabricNames[] = {
    UI_TEXT_NOOP("白色"),   UI_TEXT_NOOP("本白色"), UI_TEXT_NOOP("米色"), UI_TEXT_NOOP("红色"), UI_TEXT_NOOP("黑色"),
    UI_TEXT_NOOP("粉红色"), UI_TEXT_NOOP("淡兰色"), UI_TEXT_NOOP("深兰色"), UI_TEXT_NOOP("淡紫色"), UI_TEXT_NOOP("浅黄"),
    UI_TEXT_NOOP("深蓝色"), UI_TEXT_NOOP("浅绿"), UI_TEXT_NOOP("深绿"),
};

}  // namespace

const std::vector<std::string>& fabricEntries()
{
    static const std::vector<std::string> entries = {
        UI_TEXT_NOOP("白色(B5200)"), UI_TEXT_NOOP("本白色(712)"), UI_TEXT_NOOP("米色(ECRU)"),   UI_TEXT_NOOP("红色(321)"),   UI_TEXT_NOOP("黑色(310)"),
        UI_TEXT_NOOP("粉红色(818)"), UI_TEXT_NOOP("淡兰色(800)"), UI_TEXT_NOOP("深兰色(796)"), UI_TEXT_NOOP("淡紫色(3747)"), UI_TEXT_NOOP("浅黄(746)"),
        UI_TEXT_NOOP("深蓝色(336)"), UI_TEXT_NOOP("浅绿(964)"),   UI_TEXT_NOOP("深绿(500)"),
    };
    return entries;
}

const std::vector<std::string>& fabricDialogEntries()
{
    static const std::vector<std::string> entries = [] {
        auto list = fabricEntries();
        list[2] = UI_TEXT_NOOP("米色(Ecru)");
        return list;
    }();
    return entries;
}

std::optional<std::string> fabricEntryNumber(const std::string& entry)
{
    const auto open = entry.find('(');
    if (open == std::string::npos)
        return std::nullopt;
    const auto close = entry.find(')', open + 1);
    if (close == std::string::npos)
        return std::nullopt;
    return entry.substr(open + 1, close - open - 1);
}

std::optional<FabricName> nameFabricColor(ColorRef fabric, const Palette& dmc)
{
    for (const std::string& entry : fabricEntries()) {
        const auto number = fabricEntryNumber(entry);
        if (!number)
            continue;
        const int i = dmc.find(*number);
        if (i >= 0 && dmc.colors[static_cast<std::size_t>(i)] == fabric)
            return FabricName{entry.substr(0, entry.find('(')), *number};
    }
    return std::nullopt;
}

std::vector<FabricChoice> fabricChoices(const Palette& dmc)
{
    std::vector<FabricChoice> choices;
    // The dialog spells the third entry "Ecru"; its colour comes from the entry at the same
    // place in the naming list, whose numbers are spelled as the palette spells them.
    for (std::size_t k = 0; k < fabricDialogEntries().size(); ++k) {
        const std::string& entry = fabricDialogEntries()[k];
        ColorRef color = rgb(0, 255, 0);
        if (const auto number = fabricEntryNumber(fabricEntries()[k])) {
            const int i = dmc.find(*number);
            if (i >= 0)
                color = dmc.colors[static_cast<std::size_t>(i)];
        }
        choices.push_back({entry, color});
    }
    return choices;
}

}  // namespace brenmark
