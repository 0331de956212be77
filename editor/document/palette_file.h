#pragma once
// Thread palettes: one ".pal" file per brand, a count and 14-byte entries (colour, then the
// thread number in a 10-byte field).
#include "editor/document/color_ref.h"
#include "editor/document/thread_brands.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

struct Palette {
    std::vector<std::string> numbers;
    std::vector<ColorRef> colors;
    std::vector<std::int32_t> flags;

    int size() const { return static_cast<int>(numbers.size()); }
    void clear()
    {
        numbers.clear();
        colors.clear();
        flags.clear();
    }
    void add(std::string number, ColorRef color)
    {
        numbers.push_back(std::move(number));
        colors.push_back(color);
        flags.push_back(0);
    }
    // Exact bytes, first match; -1 when absent.
    int find(std::string_view number) const;
};

constexpr std::size_t kPaletteEntrySize = 14;
constexpr std::size_t kPaletteNumberField = 10;

// Decodes palette bytes; on any shortfall the palette is left empty and false returned.
bool decodePalette(std::span<const std::uint8_t> bytes, Palette& out);
// Numbers longer than the field are cut at a character boundary to 10 bytes, unterminated.
std::vector<std::uint8_t> encodePalette(std::span<const ColorRef> colors, std::span<const std::string> numbers);

// The palette folders: the system palettes "SysPAL" where the program's shipped files are,
// the working palettes "PAL" where the user's are (the same folder in the build tree).
class PaletteStore {
public:
    explicit PaletteStore(std::string programDir);
    PaletteStore(std::string shippedDir, std::string userDir);
    // The palettes of a program directory: for this program's own shipped folder, the user's
    // working palettes (seeded on first use) beside its system ones; any other folder is
    // both, as in the build tree and the tests.
    static PaletteStore forProgram(const std::string& programDir);

    const std::string& programDir() const { return dir_; }
    const std::string& userDir() const { return userDir_; }
    std::string palettePath(std::string_view brand) const;
    std::string systemPalettePath(std::string_view brand) const;

    // True when "PAL" is a directory or could be made one.
    bool ensurePaletteFolder() const;
    bool load(std::string_view brand, Palette& out) const;
    bool save(std::string_view brand, std::span<const ColorRef> colors, std::span<const std::string> numbers) const;
    bool save(std::string_view brand, const Palette& palette) const { return save(brand, palette.colors, palette.numbers); }
    // Replaces the working palette by the system one. The working palette is replaced only
    // once the copy is complete, so a failed restore keeps it.
    bool restore(std::string_view brand) const;

    // The one list of thread brands every dialog, the command line and the statistics
    // offer: the brands with a palette (shipped or the user's), the known ones first in the
    // order of kKnownBrands, then the others in name order. A brand without a palette cannot
    // be drawn with and is not offered.
    std::vector<std::string> threadKindList() const;
    bool hasPalette(std::string_view brand) const;
    // The brands with a system palette, in name order.
    std::vector<std::string> systemBrands() const;
    // The brands with a working palette of the user's, in name order.
    std::vector<std::string> userBrands() const;

private:
    std::string dir_;
    std::string userDir_;
};

// "(%s)绣线数:%d"
std::string threadCountCaption(std::string_view brand, int threads);

}  // namespace brenmark
