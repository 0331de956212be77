#pragma once
// Thread palettes of other programs as our palettes: Ursa's ".threads" text files (one thread
// a line: "brand number", a description, the colour as a number 0x00BBGGRR; a line "STOP"
// ends the list) and Pattern
// Maker's ".master" and ".user" files (the palette items of its charts). The result is saved
// as a working palette under "PAL", where the thread matching of every import finds it.
#include "editor/document/palette_file.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brenmark {

// Files above this are refused unread.
inline constexpr std::size_t kMaxPaletteImportBytes = 16u << 20;

struct PaletteImport {
    std::optional<Palette> palette;  // nothing on a refusal
    std::string error;               // GBK
    std::string brand;               // our name for the file's brand ("COSMO"); empty when it names none
    std::string format;              // "Ursa threads", "Pattern Maker"
    int skipped = 0;                 // threads whose number does not fit a palette entry, or repeated numbers
};

// The format by the content.
PaletteImport readForeignPalette(std::span<const std::uint8_t> bytes);

// Reads the file and saves it as the working palette of brand (or of the file's own brand
// when brand is empty). A brand we ship a system palette for is refused unless replace is
// set, so a shipped palette is not overwritten by accident.
PaletteImport importPaletteFile(const std::string& path, const PaletteStore& store, const std::string& brand, bool replace);

}  // namespace brenmark
