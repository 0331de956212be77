// PCStitch charts (".pat", versions 5, 6 and 7). The layout follows the field notes of a
// peer program's reader: a 256-byte header naming the version, the size and cloth count,
// length-prefixed texts (author, copyright, title, fabric, instructions; version 7 adds the
// fabric colour before them and keywords and web site after), the floss palette, then the
// cells run-length coded down the columns, the cells with more than one stitch ("extras"),
// French knots and backstitches. Numbers are little-endian, texts Latin-1.
#include "editor/output/foreign_chart.h"
#include "interchange/ui_text.h"

#include "editor/document/byte_io.h"
#include "editor/output/oxs_file.h"

#include <cstring>

namespace brenmark {
namespace {

std::uint16_t u16(ByteReader& r)
{
    const std::uint8_t* p = r.take(2);
    return p ? static_cast<std::uint16_t>(p[0] | p[1] << 8) : 0;
}

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    std::size_t first = 0;
    while (first < text.size() && text[first] == ' ')
        ++first;
    return text.substr(first);
}

// A fixed field: its bytes up to the first NUL, spaces trimmed.
std::string field(ByteReader& r, std::size_t size) { return trimmed(r.text(size)); }

class PatReader {
public:
    PatReader(std::span<const std::uint8_t> bytes, std::string& error) : r_(bytes), error_(error) {}

    std::optional<ForeignChart> read()
    {
        chart_.format = ChartFormat::PcStitch;
        const std::string header = r_.text(23);
        version_ = header == "PCStitch 5 Pattern File" ? 5 : header == "PCStitch 6 Pattern File" ? 6
                 : header == "PCStitch 7 Pattern File" ? 7 : 0;
        if (!version_)
            return fail(UI_TEXT_NOOP("不是PCStitch绣图文件"));
        r_.skip(256 - 23 + 8);
        const int width = u16(r_), height = u16(r_);
        r_.skip(4);  // cloth count across and down
        if (!r_.ok())
            return broken();
        if (width < 1 || height < 1 || width > kMaxOxsSide || height > kMaxOxsSide)
            return fail(UI_TEXT_NOOP("PCStitch绣图的宽高不正确"));
        if (version_ == 7) {
            const std::uint8_t* c = r_.take(4);
            if (c)
                chart_.fabric = rgb(c[0], c[1], c[2]);
        }
        text();  // author
        text();  // copyright
        chart_.title = latin1ToGbk(text());
        text();  // fabric
        text();  // instructions
        if (version_ == 7) {
            text();      // keywords
            text();      // web site
            r_.skip(4);  // default strands
        }
        if (!r_.ok())
            return broken();
        if (!readPalette())
            return std::nullopt;
        chart_.resize(width, height);
        if (!readCells() || !readExtras() || !readKnots() || !readBackstitches())
            return broken();
        chart_.note(unknownKinds_, UI_TEXT_NOOP("%d个不认识的针迹未导入"));
        chart_.note(noColour_, UI_TEXT_NOOP("%d个针迹引用了不存在的颜色,未导入"));
        chart_.assumptions.push_back(uiText("调色板的品牌取自文件中的色系名称(第5版按DMC线号读取)"));
        if (version_ == 6)
            chart_.assumptions.push_back(uiText("第6版在法式结之前是否另有4个字节,说明与参考程序不一致,按没有读取"));
        if (version_ == 7)
            chart_.assumptions.push_back(uiText("第7版每种颜色记录中未说明的字节未读取(其中可能有符号和股数)"));
        return std::move(chart_);
    }

private:
    std::optional<ForeignChart> fail(const char* message)
    {
        error_ = uiText(message);
        return std::nullopt;
    }
    std::optional<ForeignChart> broken() { return fail(UI_TEXT_NOOP("PCStitch绣图文件已损坏,不能导入")); }

    std::string text()
    {
        const std::size_t n = u16(r_);
        return r_.text(n);
    }

    bool readPalette()
    {
        static const char* const kMarks[] = {"", "", "", "", "", "PCStitch 5 Floss Palette!", "PCStitch 6 Floss Palette!",
                                             "PCStitch Floss Palette!!!"};
        const std::uint8_t* mark = r_.take(25);
        if (!mark || std::memcmp(mark, kMarks[version_], 25) != 0) {
            broken();
            return false;
        }
        std::size_t count = 0, entrySize = 0;
        std::string brand = "DMC";
        if (version_ == 5) {
            count = u16(r_);
            r_.skip(30);  // "DMC       Anchor    Coates    "
            text();       // symbol font
            r_.skip(4);
            entrySize = 89;
        } else if (version_ == 6) {
            r_.skip(2);
            brand = field(r_, 30);
            r_.skip(10);
            count = u16(r_);
            text();  // symbol font
            r_.skip(4);
            entrySize = 169;
        } else {
            r_.skip(4);
            count = u16(r_);
            entrySize = 250;
        }
        if (!r_.ok() || count > 1000 || count * entrySize > r_.remaining()) {
            broken();
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            ForeignThread t;
            const std::uint8_t* c = nullptr;
            if (version_ == 5) {
                c = r_.take(4);
                t.number = latin1ToGbk(field(r_, 10));  // the DMC number; Anchor and Coats follow
                t.brand = "DMC";
                r_.skip(20 + 50 + 1 + 4);
            } else if (version_ == 6) {
                r_.skip(30);
                c = r_.take(4);
                t.number = latin1ToGbk(field(r_, 10));
                t.brand = ourBrandName(brand.empty() ? "DMC" : brand);
                r_.skip(59 + 6 + 30 + 5 + 25);
            } else {
                const std::string scheme = field(r_, 33);
                t.brand = ourBrandName(scheme.empty() ? "DMC" : scheme);
                t.number = latin1ToGbk(field(r_, 10));
                r_.skip(30 + 4);
                c = r_.take(4);
                r_.skip(81 + 30 + 7 + 30 + 4 + 10 + 7);
            }
            if (c)
                t.colour = rgb(c[0], c[1], c[2]);
            chart_.threads.push_back(std::move(t));
        }
        return r_.ok();
    }

    // A stitch of the file's kind in a cell; colours count from 1.
    void stitch(int x, int y, int colour, int kind)
    {
        if (kind == 0 || kind == 0xFF || kind == 8)
            return;
        if (colour < 1 || colour > static_cast<int>(chart_.threads.size())) {
            ++noColour_;
            return;
        }
        const int thread = colour - 1;
        std::int32_t* cell = chart_.cell(x, y);
        if (!cell)
            return;
        static const PartStitch kParts[] = {
            PartStitch::ThreeQuarterTopLeft, PartStitch::ThreeQuarterTopRight, PartStitch::ThreeQuarterBottomLeft,
            PartStitch::ThreeQuarterBottomRight, PartStitch::HalfBackward, PartStitch::HalfForward};
        static const PartStitch kQuarters[] = {PartStitch::QuarterTopLeft, PartStitch::QuarterTopRight,
                                               PartStitch::QuarterBottomLeft, PartStitch::QuarterBottomRight};
        if (kind == 1)
            *cell = thread;
        else if (kind >= 2 && kind <= 7)
            chart_.parts.push_back({x, y, kParts[kind - 2], thread});
        else if (kind >= 9 && kind <= 12)
            chart_.parts.push_back({x, y, kQuarters[kind - 9], thread});
        else
            ++unknownKinds_;
    }

    bool readCells()
    {
        const std::size_t total = chart_.cells.size();
        const auto height = static_cast<std::size_t>(chart_.height);
        std::size_t i = 0;
        while (i < total) {
            const std::size_t run = u16(r_);
            const int colour = r_.u8(), kind = r_.u8();
            if (!r_.ok() || run == 0 || run > total - i)
                return false;
            for (std::size_t k = 0; k < run; ++k, ++i)
                stitch(static_cast<int>(i / height), static_cast<int>(i % height), colour, kind);
        }
        return true;
    }

    bool readExtras()
    {
        const std::uint32_t count = r_.u32();
        if (!r_.ok() || count > r_.remaining() / 12)
            return false;
        for (std::uint32_t e = 0; e < count; ++e) {
            const int x = u16(r_) - 1, y = u16(r_) - 1;
            for (int q = 0; q < 4; ++q) {
                const int colour = r_.u8(), kind = r_.u8();
                stitch(x, y, colour, kind);
            }
        }
        return r_.ok();
    }

    int colourField() { return version_ == 5 ? r_.u8() : u16(r_); }

    bool readKnots()
    {
        const std::uint32_t count = r_.u32();
        const std::size_t size = version_ == 7 ? 6 : 5;
        if (!r_.ok() || count > r_.remaining() / size)
            return false;
        int outside = 0;
        for (std::uint32_t k = 0; k < count; ++k) {
            const int x = u16(r_), y = u16(r_);
            const int colour = version_ == 7 ? u16(r_) : r_.u8();
            if (colour < 1 || colour > static_cast<int>(chart_.threads.size())) {
                ++noColour_;
                continue;
            }
            // Snap points count from 1, two to a cell.
            if (x < 1 || y < 1 || x > 2 * chart_.width + 1 || y > 2 * chart_.height + 1) {
                ++outside;
                continue;
            }
            chart_.nodes.push_back({(x - 1) / 2.0, (y - 1) / 2.0, colour - 1, false});
        }
        chart_.note(outside, UI_TEXT_NOOP("%d个法式结超出绣图范围,未导入"));
        return r_.ok();
    }

    bool readBackstitches()
    {
        const std::uint32_t count = r_.u32();
        const std::size_t size = version_ == 5 ? 13 : 14;
        if (!r_.ok() || count > r_.remaining() / size)
            return false;
        int bad = 0;
        for (std::uint32_t b = 0; b < count; ++b) {
            int v[6];
            for (int& f : v)
                f = u16(r_);
            const int colour = colourField();
            // Cells count from 1; positions 1..9 are the cell's snap points, three to a row.
            if (v[2] < 1 || v[2] > 9 || v[5] < 1 || v[5] > 9 || v[0] < 1 || v[1] < 1 || v[3] < 1 || v[4] < 1) {
                ++bad;
                continue;
            }
            if (colour < 1 || colour > static_cast<int>(chart_.threads.size())) {
                ++noColour_;
                continue;
            }
            const double x1 = (v[0] - 1) + ((v[2] - 1) % 3) / 2.0, y1 = (v[1] - 1) + ((v[2] - 1) / 3) / 2.0;
            const double x2 = (v[3] - 1) + ((v[5] - 1) % 3) / 2.0, y2 = (v[4] - 1) + ((v[5] - 1) / 3) / 2.0;
            chart_.lines.push_back({x1, y1, x2, y2, colour - 1});
        }
        chart_.note(bad, UI_TEXT_NOOP("%d条描边的端点不正确,未导入"));
        return r_.ok();
    }

    ByteReader r_;
    std::string& error_;
    ForeignChart chart_;
    int version_ = 0;
    int unknownKinds_ = 0, noColour_ = 0;
};

}  // namespace

std::optional<ForeignChart> readPcStitchChart(std::span<const std::uint8_t> bytes, std::string& error)
{
    return PatReader(bytes, error).read();
}

}  // namespace brenmark
