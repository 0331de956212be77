#include "editor/document/fabric_colors.h"

#include "editor/document/palette_file.h"

namespace brenmark {

const std::vector<std::string>& fabricEntries()
{
    static const std::vector<std::string> entries = {
        "白色(B5200)", "本白色(712)", "米色(ECRU)",   "红色(321)",   "黑色(310)",
        "粉红色(818)", "淡兰色(800)", "深兰色(796)", "淡紫色(3747)", "浅黄(746)",
        "深蓝色(336)", "浅绿(964)",   "深绿(500)",
    };
    return entries;
}

const std::vector<std::string>& fabricDialogEntries()
{
    static const std::vector<std::string> entries = [] {
        auto list = fabricEntries();
        list[2] = "米色(Ecru)";
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
