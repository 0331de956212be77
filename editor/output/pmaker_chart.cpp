// Pattern Maker charts (".xsd"). The layout follows the public description of the format:
// a fixed header, the palette with its per-stitch notes and strands, 240-slot format tables,
// the symbols, the settings blocks, then the cells (scrambled and run-length coded), the part
// stitches of the cells that have them, the special-stitch models and the "joints" (knots,
// backstitches, straight stitches, curves, special stitches, beads). Numbers are
// little-endian; texts are Latin-1, NUL-terminated in fields one byte longer than their text.
#include "editor/output/foreign_chart.h"
#include "interchange/ui_text.h"

#include "editor/document/byte_io.h"
#include "editor/output/oxs_file.h"

#include <bit>
#include <cstring>

namespace brenmark {
namespace {

constexpr std::uint16_t kSignature = 0x0510;
constexpr std::size_t kHeaderSkip = 741;  // signature, 4 bytes, version (4 x u16), 727 bytes
constexpr int kMaxPalette = 240;          // the format tables have this many slots
constexpr int kMaxBlend = 4;
constexpr std::size_t kItemSize = 123;
constexpr std::size_t kNotesPerItem = 9;
constexpr std::size_t kStrandsSize = 16;
constexpr std::size_t kFormatsSize = 240 * 10 * 6 + 240 * 4 + 240 * 53;
constexpr std::size_t kSymbolsSize = 12;

std::uint16_t u16(ByteReader& r)
{
    const std::uint8_t* p = r.take(2);
    return p ? static_cast<std::uint16_t>(p[0] | p[1] << 8) : 0;
}

ColorRef colour(ByteReader& r)
{
    const std::uint8_t* p = r.take(3);
    return p ? rgb(p[0], p[1], p[2]) : 0;
}

}  // namespace

// Pattern Maker's brand numbers for the brands we carry (the rest keep their number).
std::string patternMakerBrand(unsigned id)
{
    switch (id) {
    case 0: return "DMC";
    case 1: return "ANCHOR";
    case 2: return "MADEIRA";
    case 3: return "J&P";
    case 124: return "COSMO";
    case 251:  // generic colours
    case 252:  // blends
    case 253:  // the user's own threads
        return {};
    default: return "PM" + std::to_string(id);
    }
}

namespace {

std::string brandOf(std::uint8_t id) { return patternMakerBrand(id); }

class XsdReader {
public:
    XsdReader(std::span<const std::uint8_t> bytes, std::string& error) : r_(bytes), error_(error) {}

    std::optional<ForeignChart> read()
    {
        chart_.format = ChartFormat::PatternMaker;
        if (u16(r_) != kSignature)
            return fail(UI_TEXT_NOOP("不是Pattern Maker绣图文件"));
        r_.skip(kHeaderSkip - 2);
        const int width = u16(r_), height = u16(r_);
        const std::uint32_t smallCount = r_.u32();
        const int joints = u16(r_);
        r_.skip(4 + 6);  // stitches per inch, the change counter and the family number
        if (!r_.ok())
            return broken();
        if (width < 1 || height < 1 || width > kMaxOxsSide || height > kMaxOxsSide)
            return fail(UI_TEXT_NOOP("Pattern Maker绣图的宽高不正确"));
        if (!readPalette())
            return std::nullopt;
        const std::size_t items = chart_.threads.size();
        r_.skip(kFormatsSize + kSymbolsSize * items);
        r_.skip(380 + 56);  // the view and print settings, the grid
        r_.skip(41);        // the fabric colour's name
        chart_.fabric = colour(r_);
        r_.skip(65);
        chart_.title = latin1ToGbk(r_.text(41));
        r_.skip(41 + 41 + 201 + 2049 + 6 + 41 + 206);  // author, company, copyright, notes, fabric counts and kind, page setup
        r_.skip(52 + 32 + 16412 + 512);                // stitch and symbol settings, the symbol library, machine export
        if (!r_.ok())
            return broken();
        // Each small-stitch record takes 10 bytes: a count the rest of the file cannot hold is a lie.
        if (smallCount > r_.remaining() / 10)
            return broken();
        chart_.resize(width, height);
        if (!readCells(smallCount) || !skipModels() || !readJoints(joints))
            return broken();
        chart_.note(straight_, UI_TEXT_NOOP("%d个直线针迹按描边导入"));
        chart_.note(curves_, UI_TEXT_NOOP("%d个曲线针迹未导入"));
        chart_.note(specials_, UI_TEXT_NOOP("%d个特殊针迹未导入"));
        chart_.note(petiteMoved_, UI_TEXT_NOOP("%d个四分之一小针(petite)放在整格里"));
        chart_.assumptions.push_back(uiText("格子数据的解扰和游程编码、部分针迹与特殊针迹模型的布局按公开的逆向说明读取"));
        chart_.assumptions.push_back(uiText("法式结、珠子和线的坐标以半格为单位;位于格角的法式结和珠子放进右下方的格子"));
        if (threeQuarters_ > 0)
            chart_.assumptions.push_back(uiText("部分针迹记录的第7位读作四分之三针(说明中没有这一位,与同一绣图的OXS导出比对得出)"));
        return std::move(chart_);
    }

private:
    std::optional<ForeignChart> fail(const char* message)
    {
        error_ = uiText(message);
        return std::nullopt;
    }
    std::optional<ForeignChart> broken() { return fail(UI_TEXT_NOOP("Pattern Maker绣图文件已损坏,不能导入")); }

    bool readPalette()
    {
        const int size = u16(r_);
        if (!r_.ok() || size > kMaxPalette || static_cast<std::size_t>(size) * kItemSize > r_.remaining()) {
            broken();
            return false;
        }
        for (int i = 0; i < size; ++i) {
            r_.skip(2);
            ForeignThread t;
            t.brand = brandOf(r_.u8());
            t.number = latin1ToGbk(r_.text(11));
            r_.skip(41);  // the colour's name
            t.colour = colour(r_);
            r_.skip(1);
            const int blends = u16(r_);
            if (blends > kMaxBlend) {
                broken();
                return false;
            }
            for (int b = 0; b < kMaxBlend; ++b) {
                ForeignThread part;
                part.brand = brandOf(r_.u8());
                part.number = latin1ToGbk(r_.text(11));
                part.colour = t.colour;
                if (b < blends)
                    t.blend.push_back(std::move(part));
            }
            r_.skip(kMaxBlend);  // the blend's strands
            r_.skip(4 + 4 + 2);  // bead flag and size
            chart_.threads.push_back(std::move(t));
        }
        r_.skip(2 * static_cast<std::size_t>(size));  // the items' places in the palette window
        for (std::size_t n = 0; n < static_cast<std::size_t>(size) * kNotesPerItem; ++n)
            r_.skip(u16(r_));
        r_.skip(kStrandsSize * static_cast<std::size_t>(size));
        if (!r_.ok()) {
            broken();
            return false;
        }
        return true;
    }

    // The cells: four seed words, then blocks of a word count and that many scrambled words;
    // a word with bit 30 set repeats the next word (bits 16..29) times.
    bool readCells(std::uint32_t smallCount)
    {
        std::int32_t seed[4];
        for (std::int32_t& s : seed)
            s = r_.i32();
        if (!r_.ok())
            return false;
        auto byteOf = [](std::int32_t v, int n) { return static_cast<std::uint32_t>(v) >> (8 * n) & 0xFFu; };
        std::uint32_t key = byteOf(seed[0], 0) << 24 | byteOf(seed[1], 1) << 16 | byteOf(seed[2], 2) << 8 | byteOf(seed[3], 0);
        int turns[16];
        for (int i = 0; i < 16; ++i)
            turns[i] = static_cast<int>((static_cast<std::uint32_t>(seed[i / 4]) >> (i % 4)) % 32);
        std::uint32_t running = static_cast<std::uint32_t>(seed[0]);
        const auto step = static_cast<std::uint32_t>(seed[1]);
        int turn = 0;

        const std::size_t total = chart_.cells.size();
        std::vector<std::uint32_t> words(total);
        std::size_t filled = 0;
        std::vector<std::uint32_t> block;
        while (filled < total) {
            const std::uint32_t length = r_.u32();
            if (!r_.ok() || length > r_.remaining() / 4)
                return false;
            if (length == 0)
                continue;
            block.resize(length);
            for (std::uint32_t& w : block) {
                w = r_.u32() ^ key ^ running;
                key = std::rotl(key, turns[turn]);
                running += step;
                turn = (turn + 1) % 16;
            }
            for (std::size_t i = 0; i < block.size() && filled < total; ++i) {
                std::size_t copies = 1;
                if (block[i] & 0x40000000u) {
                    copies = (block[i] & 0x3FFFFFFFu) >> 16;
                    if (++i >= block.size())
                        return false;
                }
                for (; copies > 0 && filled < total; --copies)
                    words[filled++] = block[i];
            }
        }
        // Each small-stitch record: kinds in bytes 0 and 1, thread indices in bytes 2..7.
        const std::uint8_t* small = r_.take(static_cast<std::size_t>(smallCount) * 10);
        if (!r_.ok())
            return false;
        int outside = 0;
        const int items = static_cast<int>(chart_.threads.size());
        for (std::size_t i = 0; i < total; ++i) {
            const std::uint32_t w = words[i];
            const std::uint32_t kind = w >> 24;
            if (kind == 15)
                continue;
            const int x = static_cast<int>(i % static_cast<std::size_t>(chart_.width));
            const int y = static_cast<int>(i / static_cast<std::size_t>(chart_.width));
            if (kind == 0) {
                const int thread = static_cast<int>(w >> 16 & 0xFFu);
                if (thread < items)
                    chart_.cells[i] = thread;
                else
                    ++outside;
                continue;
            }
            const std::uint32_t at = w >> 16 & 0x7FFFu;
            if (at >= smallCount) {
                ++outside;
                continue;
            }
            const std::uint8_t* rec = small + static_cast<std::size_t>(at) * 10;
            auto part = [&](PartStitch k, int slot) {
                const int thread = rec[slot];
                if (thread >= items) {
                    ++outside;
                    return;
                }
                chart_.parts.push_back({x, y, k, thread});
            };
            // Bit 64 makes each quarter a three-quarter stitch: the quarter's corner keeps
            // the short leg, the long leg is the half across the other diagonal.
            const bool three = rec[0] & 64;
            if (rec[0] & 1) part(PartStitch::HalfBackward, 2);
            if (rec[0] & 2) part(PartStitch::HalfForward, 3);
            if (rec[0] & 4) part(three ? PartStitch::ThreeQuarterTopLeft : PartStitch::QuarterTopLeft, 4);
            if (rec[0] & 8) part(three ? PartStitch::ThreeQuarterBottomLeft : PartStitch::QuarterBottomLeft, 5);
            if (rec[0] & 16) part(three ? PartStitch::ThreeQuarterTopRight : PartStitch::QuarterTopRight, 6);
            if (rec[0] & 32) part(three ? PartStitch::ThreeQuarterBottomRight : PartStitch::QuarterBottomRight, 7);
            threeQuarters_ += three ? 1 : 0;
            for (int b = 0; b < 4; ++b)
                if (rec[1] & (1 << b)) {
                    part(PartStitch::Petite, 4 + b);
                    ++petiteMoved_;
                }
        }
        chart_.note(outside, UI_TEXT_NOOP("%d个针迹引用了不存在的颜色,未导入"));
        return true;
    }

    // The special-stitch models: their own joints are skipped, the chart keeps only where
    // each special stitch is (and reports it).
    bool skipModels()
    {
        r_.skip(2);
        const int models = u16(r_);
        for (int m = 0; m < models && r_.ok(); ++m) {
            if (u16(r_) != 4)
                continue;
            r_.skip(2 + 4 + 256 + 256 + 2);
            for (int part = 0; part < 3; ++part) {
                r_.skip(10);  // the model's offset and size in the first part
                if (u16(r_) != kSignature)
                    break;
                const int joints = u16(r_);
                if (!joints)
                    continue;
                if (!readJoints(joints, false))
                    return false;
            }
        }
        return r_.ok();
    }

    bool readJoints(int count, bool keep = true)
    {
        const int items = static_cast<int>(chart_.threads.size());
        auto half = [&] { return u16(r_) / 2.0; };
        for (int j = 0; j < count; ++j) {
            const int kind = u16(r_);
            if (!r_.ok())
                return false;
            switch (kind) {
            case 1: {  // French knot
                r_.skip(2);
                const double x = half(), y = half();
                r_.skip(4);
                const int thread = r_.u8();
                r_.skip(1);
                if (keep && thread < items)
                    chart_.nodes.push_back({x, y, thread, false});
                break;
            }
            case 2:    // backstitch
            case 5: {  // straight stitch
                r_.skip(2);
                const double x1 = half(), y1 = half(), x2 = half(), y2 = half();
                const int thread = r_.u8();
                r_.skip(1);
                if (keep && thread < items) {
                    chart_.lines.push_back({x1, y1, x2, y2, thread});
                    straight_ += kind == 5 ? 1 : 0;
                }
                break;
            }
            case 3: {  // curve
                r_.skip(3);
                const int points = u16(r_);
                r_.skip(static_cast<std::size_t>(points) * 4);
                curves_ += keep ? 1 : 0;
                break;
            }
            case 4:  // special stitch
                r_.skip(2 + 1 + 4 + 4 + 8 + 2 + 2);
                specials_ += keep ? 1 : 0;
                break;
            case 6: {  // bead
                r_.skip(2);
                const double x = half(), y = half();
                const int thread = r_.u8();
                r_.skip(1 + 2);
                if (keep && thread < items)
                    chart_.nodes.push_back({x, y, thread, true});
                break;
            }
            default:
                return false;
            }
        }
        return r_.ok();
    }

    ByteReader r_;
    std::string& error_;
    ForeignChart chart_;
    int straight_ = 0, curves_ = 0, specials_ = 0, petiteMoved_ = 0, threeQuarters_ = 0;
};

}  // namespace

std::optional<ForeignChart> readPatternMakerChart(std::span<const std::uint8_t> bytes, std::string& error)
{
    return XsdReader(bytes, error).read();
}

}  // namespace brenmark
