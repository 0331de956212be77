#pragma once
#include "editor/document/color_ref.h"

#include <optional>
#include <string>
#include <vector>

namespace brenmark {

struct Palette;

// The 13 fabric entries, "name(DMC number)". The first reads "白色(B5200)": our DMC table
// numbers its snow white "B5200", and the entry must name a number the palette has.
const std::vector<std::string>& fabricEntries();
// The same list as the fabric colour dialog spells it (the third entry "米色(Ecru)").
const std::vector<std::string>& fabricDialogEntries();

// The text between "(" and ")", or nothing when the entry has no parentheses.
std::optional<std::string> fabricEntryNumber(const std::string& entry);

struct FabricName {
    std::string name;    // the text before "("
    std::string number;  // the DMC number
    bool operator==(const FabricName&) const = default;
};

// The first fabric entry whose DMC colour equals the fabric colour.
std::optional<FabricName> nameFabricColor(ColorRef fabric, const Palette& dmc);

struct FabricChoice {
    std::string entry;
    ColorRef color;
};
// The dialog's entries with their DMC colours; an entry whose number is missing from the
// palette shows pure green.
std::vector<FabricChoice> fabricChoices(const Palette& dmc);

}  // namespace brenmark
