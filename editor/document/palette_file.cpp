#include "editor/document/palette_file.h"

#include "editor/document/program_folders.h"
#include "interchange/ui_text.h"

#include "editor/document/byte_io.h"
#include "interchange/file_bytes.h"
#include "editor/document/program_directory.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

namespace brenmark {

int Palette::find(std::string_view number) const
{
    const auto it = std::find(numbers.begin(), numbers.end(), number);
    return it == numbers.end() ? -1 : static_cast<int>(it - numbers.begin());
}

// The longest palette file there can be: a signed 32-bit count of entries.
constexpr std::uint64_t kLongestPalette = 4 + 0x7FFFFFFFull * kPaletteEntrySize;

bool decodePalette(std::span<const std::uint8_t> bytes, Palette& out)
{
    out.clear();
    ByteReader in(bytes);
    const std::int32_t count = in.i32();
    if (!in.ok() || count < 0)
        return false;
    if (static_cast<std::uint64_t>(count) * kPaletteEntrySize > in.remaining())
        return false;
    out.numbers.reserve(static_cast<std::size_t>(count));
    out.colors.reserve(static_cast<std::size_t>(count));
    out.flags.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const ColorRef color = in.u32();
        out.add(in.text(kPaletteNumberField), color);
    }
    return true;
}

std::vector<std::uint8_t> encodePalette(std::span<const ColorRef> colors, std::span<const std::string> numbers)
{
    const std::size_t n = std::min(colors.size(), numbers.size());
    ByteWriter out(4 + n * kPaletteEntrySize);
    out.i32(static_cast<std::int32_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        out.u32(colors[i]);
        out.field(numbers[i], kPaletteNumberField, /*terminated=*/false);
    }
    return out.take();
}


PaletteStore::PaletteStore(std::string programDir) : PaletteStore(programDir, programDir) {}

PaletteStore PaletteStore::forProgram(const std::string& programDir)
{
    const ProgramFolders& folders = programFolders();
    std::string dir = programDir;
    if (!dir.empty() && dir.back() != '/')
        dir.push_back('/');
    if (!folders.installed || dir != folders.shipped)
        return PaletteStore(programDir);
    static const bool seeded = seedWorkingPalettes(folders) >= 0;
    (void)seeded;
    return PaletteStore(folders.shipped, folders.user);
}

PaletteStore::PaletteStore(std::string shippedDir, std::string userDir)
    : dir_(std::move(shippedDir)), userDir_(std::move(userDir))
{
    for (std::string* d : {&dir_, &userDir_})
        if (!d->empty() && d->back() != '/')
            d->push_back('/');
}

std::string PaletteStore::palettePath(std::string_view brand) const
{
    return expandPathTemplate(kPaletteTemplate, {userDir_, brand});
}

std::string PaletteStore::systemPalettePath(std::string_view brand) const
{
    return expandPathTemplate(kSystemPaletteTemplate, {dir_, brand});
}

bool PaletteStore::ensurePaletteFolder() const
{
    const std::string folder = expandPathTemplate(kPaletteFolderTemplate, {userDir_});
    if (directoryExists(folder))
        return true;
    return ::mkdir(folder.c_str(), 0777) == 0 || directoryExists(folder);
}

bool PaletteStore::load(std::string_view brand, Palette& out) const
{
    out.clear();
    if (!isSafeBrandName(brand))
        return false;
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(palettePath(brand), bytes, kLongestPalette))
        return false;
    return decodePalette(bytes, out);
}

bool PaletteStore::save(std::string_view brand, std::span<const ColorRef> colors,
                        std::span<const std::string> numbers) const
{
    if (!isSafeBrandName(brand) || !ensurePaletteFolder())
        return false;
    return replaceFile(palettePath(brand), encodePalette(colors, numbers));
}

bool PaletteStore::restore(std::string_view brand) const
{
    if (!isSafeBrandName(brand) || !ensurePaletteFolder())
        return false;
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(systemPalettePath(brand), bytes, kLongestPalette))
        return false;
    return replaceFile(palettePath(brand), bytes);
}

namespace {

// The brands of the ".pal" files in a folder, in name order.
std::vector<std::string> palettesIn(const std::string& folder)
{
    std::vector<std::string> brands;
    DIR* d = ::opendir(folder.c_str());
    if (!d)
        return brands;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name = e->d_name;
        if (name.size() > 4 && name.ends_with(".pal") && fileExists(folder + "/" + std::string(name)))
            brands.emplace_back(name.substr(0, name.size() - 4));
    }
    ::closedir(d);
    std::sort(brands.begin(), brands.end());
    return brands;
}

}  // namespace

std::vector<std::string> PaletteStore::systemBrands() const
{
    return palettesIn(expandPathTemplate(kSystemPaletteFolderTemplate, {dir_}));
}

std::vector<std::string> PaletteStore::userBrands() const
{
    return palettesIn(expandPathTemplate(kPaletteFolderTemplate, {userDir_}));
}

bool PaletteStore::hasPalette(std::string_view brand) const
{
    return isSafeBrandName(brand) && (fileExists(palettePath(brand)) || fileExists(systemPalettePath(brand)));
}

std::vector<std::string> PaletteStore::threadKindList() const
{
    std::vector<std::string> kinds;
    const auto add = [&kinds](std::string brand) {
        if (std::find(kinds.begin(), kinds.end(), brand) == kinds.end())
            kinds.push_back(std::move(brand));
    };
    // The long-known brands first, in their usual order, but only those that can be used.
    for (const char* brand : kKnownBrands)
        if (hasPalette(brand))
            add(brand);
    // Then every other brand with a palette, shipped or the user's own (a library made with
    // the thread-library plug-in), in name order.
    std::vector<std::string> more = systemBrands();
    for (std::string& b : userBrands())
        more.push_back(std::move(b));
    std::sort(more.begin(), more.end());
    for (std::string& b : more)
        if (isSafeBrandName(b))
            add(std::move(b));
    return kinds;
}

std::string threadCountCaption(std::string_view brand, int threads)
{
    return "(" + std::string(brand) + ")" + uiText("绣线数:") + std::to_string(threads);
}

}  // namespace brenmark
