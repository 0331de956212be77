#include "editor/output/palette_import.h"

#include "editor/document/byte_io.h"
#include "editor/output/foreign_chart.h"
#include "interchange/code_page.h"
#include "interchange/file_bytes.h"
#include "interchange/ui_text.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>

namespace brenmark {
namespace {

constexpr std::uint8_t kMasterMagic[4] = {0x31, 0x54, 0x76, 0x98};
constexpr std::size_t kItemSize = 123;

bool validUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
        if (extra == 9 || (extra > 0 && i + extra >= text.size()))
            return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

std::string toGbk(std::string_view text) { return validUtf8(text) ? utf8ToGbk(text) : latin1ToGbk(text); }

// The fields of one line of comma-separated values, quotes and doubled quotes undone.
std::vector<std::string> fields(std::string_view line)
{
    std::vector<std::string> out(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"')
                out.back() += '"', ++i;
            else if (c == '"')
                quoted = false;
            else
                out.back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            out.emplace_back();
        } else if (c != '\r') {
            out.back() += c;
        }
    }
    return out;
}

std::string trimmed(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    std::size_t first = 0;
    while (first < text.size() && text[first] == ' ')
        ++first;
    return text.substr(first);
}

// Collects entries: a number too long for a palette entry, or one already there, is skipped.
struct Collector {
    PaletteImport& out;
    Palette palette;
    std::map<std::string, int> brands;

    void add(const std::string& brand, std::string number, ColorRef colour)
    {
        number = trimmed(std::move(number));
        if (number.empty() || number.size() >= kPaletteNumberField || palette.find(number) >= 0) {
            ++out.skipped;
            return;
        }
        palette.add(std::move(number), colour);
        if (!brand.empty())
            ++brands[brand];
    }
    void finish()
    {
        int best = 0;
        for (const auto& [name, n] : brands)
            if (n > best)
                out.brand = name, best = n;
        if (palette.size() == 0) {
            out.error = uiText("色库文件里没有可用的绣线");
            return;
        }
        out.palette = std::move(palette);
    }
};

void readThreads(std::string_view text, PaletteImport& out)
{
    out.format = "Ursa threads";
    Collector c{out, {}, {}};
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.find_first_not_of(" \r\t") == std::string_view::npos)
            continue;
        const std::vector<std::string> f = fields(line);
        if (trimmed(f[0]) == "STOP")  // the list's end mark
            break;
        std::uint32_t value = 0;
        const std::string number = f.size() >= 3 ? trimmed(f[2]) : std::string();
        const auto r = std::from_chars(number.data(), number.data() + number.size(), value);
        if (f.size() < 3 || r.ec != std::errc() || r.ptr != number.data() + number.size() || value > 0xFFFFFFu) {
            ++out.skipped;
            continue;
        }
        // "Cosmo 351": the last word is the number, the words before it the brand.
        const std::string name = trimmed(toGbk(f[0]));
        const std::size_t space = name.rfind(' ');
        const std::string brand = space == std::string::npos ? std::string() : ourBrandName(name.substr(0, space));
        c.add(brand, space == std::string::npos ? name : name.substr(space + 1), value);
    }
    c.finish();
}

void readPatternMaker(std::span<const std::uint8_t> bytes, bool master, PaletteImport& out)
{
    out.format = "Pattern Maker";
    ByteReader r(bytes);
    r.skip(4);
    const std::uint8_t* p = r.take(2);
    const std::size_t count = p ? static_cast<std::size_t>(p[0] | p[1] << 8) : 0;
    r.skip(master ? 2 : 0);
    if (!r.ok() || count * kItemSize > r.remaining()) {
        out.error = uiText("Pattern Maker色库文件已损坏,不能导入");
        return;
    }
    Collector c{out, {}, {}};
    for (std::size_t i = 0; i < count; ++i) {
        r.skip(2);
        const std::uint8_t brand = r.u8();
        std::string number = latin1ToGbk(r.text(11));
        r.skip(41);
        const std::uint8_t* rgbBytes = r.take(3);
        r.skip(1);
        const std::uint8_t* blends = r.take(2);
        r.skip(48 + 4 + 4 + 4 + 2);
        if (!rgbBytes || !blends)
            break;
        if (blends[0] | blends[1]) {  // a blend is no thread of its own
            ++out.skipped;
            continue;
        }
        c.add(patternMakerBrand(brand), std::move(number), rgb(rgbBytes[0], rgbBytes[1], rgbBytes[2]));
    }
    c.finish();
}

}  // namespace

PaletteImport readForeignPalette(std::span<const std::uint8_t> bytes)
{
    PaletteImport out;
    if (bytes.size() >= 8 && std::memcmp(bytes.data(), kMasterMagic, 4) == 0) {
        readPatternMaker(bytes, true, out);
        return out;
    }
    std::size_t i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == 0xEF || bytes[i] == 0xBB ||
                                bytes[i] == 0xBF))
        ++i;
    if (i < bytes.size() && bytes[i] == '"') {
        readThreads(std::string_view(reinterpret_cast<const char*>(bytes.data()) + i, bytes.size() - i), out);
        return out;
    }
    // A ".user" file has no mark: its count must account for the whole file.
    if (bytes.size() >= 6) {
        const std::size_t count = static_cast<std::size_t>(bytes[4] | bytes[5] << 8);
        if (count > 0 && 6 + count * kItemSize == bytes.size()) {
            readPatternMaker(bytes, false, out);
            return out;
        }
    }
    out.error = uiText("不能识别的色库文件,不能导入");
    return out;
}

PaletteImport importPaletteFile(const std::string& path, const PaletteStore& store, const std::string& brand, bool replace)
{
    PaletteImport out;
    std::vector<std::uint8_t> bytes;
    if (pathKind(path) != PathKind::RegularFile || !readWholeFile(path, bytes)) {
        out.error = uiText("打不开文件 ") + utf8ToGbk(path);
        return out;
    }
    if (bytes.size() > kMaxPaletteImportBytes) {
        out.error = uiText("色库文件太大,不能导入");
        return out;
    }
    out = readForeignPalette(bytes);
    if (!out.palette)
        return out;
    if (!brand.empty())
        out.brand = brand;
    auto refuse = [&](std::string message) {
        out.palette.reset();
        out.error = std::move(message);
        return out;
    };
    if (out.brand.empty())
        return refuse(uiText("色库文件没有写明品牌,请指定色库名"));
    if (!isSafeBrandName(out.brand))
        return refuse(uiText("色库名不能用作文件名"));
    const std::vector<std::string> shipped = store.systemBrands();
    if (!replace && std::find(shipped.begin(), shipped.end(), out.brand) != shipped.end())
        return refuse(out.brand + uiText("是系统色库,不能覆盖"));
    if (!store.ensurePaletteFolder() || !store.save(out.brand, *out.palette))
        return refuse(uiText("不能写入色库 ") + out.brand);
    return out;
}

}  // namespace brenmark
