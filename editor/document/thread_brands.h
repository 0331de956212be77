#pragma once
// The thread brands: the names the program has always known, in the order its lists show
// them, and the brand new patterns, conversions and the thread finder start with. Which
// brands a list offers is PaletteStore::threadKindList (palette_file.h): the known names that
// have a palette, then every other system and user palette.
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

// The brands the program has always known, in the order the brand lists show them.
inline constexpr const char* kKnownBrands[] = {"ANCHOR", "DMC", "DMR", "J&P", "ROSE", "DOME"};
// The brand a new pattern, a picture or photo conversion and the thread finder start with.
inline constexpr const char* kDefaultBrand = "DMC";

// Where a brand stands in a list, -1 when it is not there.
int brandIndex(const std::vector<std::string>& brands, std::string_view brand);

// A brand names a file in the palette folders, so it must be a plain file name.
bool isSafeBrandName(std::string_view brand);

}  // namespace brenmark
