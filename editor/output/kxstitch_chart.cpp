// KXStitch charts (".kxs"): "KXStitchDoc", a big-endian 32-bit document version, then Qt data
// stream records (stream version 7): the properties (a map of names to variants: title,
// fabric colour and the like), the background pictures, and the pattern: the palette (scheme
// name and the flosses by key) and the stitch data (the stitch queue of every cell that has
// one, backstitches and French knots, both on a grid of two points to a cell). Document
// versions 103 and 104 are read; the older ones carried layers of a layout not described.
#include "editor/output/foreign_chart.h"
#include "interchange/ui_text.h"

#include "editor/output/oxs_file.h"
#include "interchange/code_page.h"

#include <cstring>
#include <map>

namespace brenmark {
namespace {

// A bounds-checked big-endian reader; every short read fails the whole file.
class StreamReader {
public:
    explicit StreamReader(std::span<const std::uint8_t> bytes) : data_(bytes) {}
    bool ok() const { return ok_; }
    std::size_t remaining() const { return data_.size() - pos_; }
    const std::uint8_t* take(std::size_t n)
    {
        if (!ok_ || n > remaining()) {
            ok_ = false;
            return nullptr;
        }
        const std::uint8_t* p = data_.data() + pos_;
        pos_ += n;
        return p;
    }
    void skip(std::size_t n) { take(n); }
    std::uint8_t u8()
    {
        const std::uint8_t* p = take(1);
        return p ? *p : 0;
    }
    std::uint16_t u16()
    {
        const std::uint8_t* p = take(2);
        return p ? static_cast<std::uint16_t>(p[0] << 8 | p[1]) : 0;
    }
    std::uint32_t u32()
    {
        const std::uint8_t* p = take(4);
        return p ? std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3] : 0;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    void fail() { ok_ = false; }

    // A string: its length in bytes (all ones for none), then UTF-16 big-endian; as GBK.
    std::string string()
    {
        const std::uint32_t n = u32();
        if (n == 0xFFFFFFFFu)
            return {};
        if (n % 2 || n > remaining()) {
            fail();
            return {};
        }
        const std::uint8_t* p = take(n);
        std::string utf8;
        for (std::uint32_t i = 0; i < n; i += 2) {
            std::uint32_t c = static_cast<std::uint32_t>(p[i] << 8 | p[i + 1]);
            if (c >= 0xD800 && c <= 0xDBFF && i + 3 < n) {
                const std::uint32_t low = static_cast<std::uint32_t>(p[i + 2] << 8 | p[i + 3]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    i += 2;
                }
            }
            if (c >= 0xD800 && c <= 0xDFFF)
                c = '?';
            if (c < 0x80) {
                utf8 += static_cast<char>(c < 0x20 && c != '\n' ? ' ' : c);
            } else if (c < 0x800) {
                utf8 += static_cast<char>(0xC0 | c >> 6);
                utf8 += static_cast<char>(0x80 | (c & 0x3F));
            } else if (c < 0x10000) {
                utf8 += static_cast<char>(0xE0 | c >> 12);
                utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
                utf8 += static_cast<char>(0x80 | (c & 0x3F));
            } else {
                utf8 += static_cast<char>(0xF0 | c >> 18);
                utf8 += static_cast<char>(0x80 | (c >> 12 & 0x3F));
                utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
                utf8 += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return utf8ToGbk(utf8);
    }
    // A colour: its model (one byte), then alpha, red, green, blue and a pad word of 16 bits each.
    ColorRef colour()
    {
        skip(1);
        u16();
        const unsigned r = u16() >> 8, g = u16() >> 8, b = u16() >> 8;
        u16();
        return rgb(r, g, b);
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

class KxsReader {
public:
    KxsReader(std::span<const std::uint8_t> bytes, std::string& error) : r_(bytes), error_(error) {}

    std::optional<ForeignChart> read()
    {
        chart_.format = ChartFormat::KXStitch;
        const std::uint8_t* magic = r_.take(11);
        if (!magic || std::memcmp(magic, "KXStitchDoc", 11) != 0)
            return fail(UI_TEXT_NOOP("这个版本的KXStitch绣图不能导入(只能导入KXStitch 1.0以后的文件)"));
        const std::int32_t version = r_.i32();
        if (version != 103 && version != 104)
            return fail(UI_TEXT_NOOP("这个版本的KXStitch绣图不能导入(只能导入KXStitch 1.0以后的文件)"));
        if (!readProperties() || !skipBackgrounds())
            return broken();
        if (version == 104 && r_.i32() != 100)
            return broken();
        if (!readPalette() || !readStitches())
            return broken();
        chart_.note(smallHalves_, UI_TEXT_NOOP("%d个小半针按四分之一针导入"));
        chart_.note(unknownKinds_, UI_TEXT_NOOP("%d个不认识的针迹未导入"));
        chart_.note(noColour_, UI_TEXT_NOOP("%d个针迹引用了不存在的颜色,未导入"));
        chart_.assumptions.push_back(uiText("属性表里的值只读取常见的类型(文字、数字、颜色、矩形等),其他类型的文件不能导入"));
        return std::move(chart_);
    }

private:
    std::optional<ForeignChart> fail(const char* message)
    {
        error_ = uiText(message);
        return std::nullopt;
    }
    std::optional<ForeignChart> broken()
    {
        if (error_.empty())
            error_ = uiText("KXStitch绣图文件已损坏,不能导入");
        return std::nullopt;
    }

    // One variant: its type, then its value; false for a type this reader does not know.
    bool variant(const std::string& name)
    {
        const std::uint32_t type = r_.u32();
        switch (type) {
        case 1: r_.skip(1); break;                       // bool
        case 2: case 3: case 14: case 15: r_.skip(4); break;  // int, uint, date, time
        case 4: case 5: case 6: r_.skip(8); break;       // 64-bit integers, double
        case 7: r_.skip(2); break;                       // char
        case 16: r_.skip(9); break;                      // date and time
        case 10: {                                       // string
            std::string text = r_.string();
            if (name == "title")
                chart_.title = std::move(text);
            break;
        }
        case 11: {  // string list
            const std::uint32_t n = r_.u32();
            if (n > r_.remaining() / 4)
                return false;
            for (std::uint32_t i = 0; i < n && r_.ok(); ++i)
                r_.string();
            break;
        }
        case 12: {  // byte array
            const std::uint32_t n = r_.u32();
            if (n != 0xFFFFFFFFu)
                r_.skip(n);
            break;
        }
        case 19: r_.skip(16); break;  // rectangle
        case 20: r_.skip(32); break;  // rectangle of reals
        case 21: case 25: r_.skip(8); break;   // size, point
        case 22: case 26: r_.skip(16); break;  // size and point of reals
        case 67: {                             // colour
            const ColorRef c = r_.colour();
            if (name == "fabricColor")
                chart_.fabric = c;
            break;
        }
        default:
            error_ = uiText("KXStitch绣图的属性有不认识的类型,不能导入");
            return false;
        }
        return r_.ok();
    }

    bool readProperties()
    {
        const std::uint32_t count = r_.u32();
        if (!r_.ok() || count > r_.remaining() / 8)
            return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            std::string name = r_.string();
            if (!r_.ok() || !variant(name))
                return false;
        }
        return true;
    }

    // A picture is a PNG file in the stream with no length before it: its chunks are walked to
    // the end chunk.
    bool skipPng()
    {
        static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        const std::uint8_t* sig = r_.take(8);
        if (!sig || std::memcmp(sig, kSignature, 8) != 0)
            return false;
        while (r_.ok()) {
            const std::uint32_t length = r_.u32();
            const std::uint8_t* type = r_.take(4);
            if (!type || length > r_.remaining())
                return false;
            r_.skip(length + 4);
            if (std::memcmp(type, "IEND", 4) == 0)
                return r_.ok();
        }
        return false;
    }

    bool skipBackgrounds()
    {
        if (r_.i32() != 100)
            return false;
        const std::int32_t count = r_.i32();
        if (count < 0 || static_cast<std::uint32_t>(count) > r_.remaining() / 8)
            return false;
        for (std::int32_t i = 0; i < count && r_.ok(); ++i) {
            const std::int32_t version = r_.i32();
            if (version != 100 && version != 101)
                return false;
            const std::uint32_t url = r_.u32();  // the picture's address as bytes
            if (url != 0xFFFFFFFFu)
                r_.skip(url);
            r_.skip(16 + 1 + 1);  // where it lies, shown, its state
            if (r_.i32() != 0 && !skipPng())
                return false;
            if (version == 100 && r_.i32() != 0 && !skipPng())  // the older files kept an icon too
                return false;
        }
        chart_.note(count, UI_TEXT_NOOP("%d张背景图片未导入"));
        return r_.ok();
    }

    bool readPalette()
    {
        const std::int32_t version = r_.i32();
        if (version < 101 || version > 103)
            return false;
        const std::string scheme = r_.string();
        if (version == 103)
            r_.string();  // the symbol library
        r_.i32();         // the current colour
        if (version == 101)
            r_.skip(1);  // whether symbols were shown
        const std::int32_t count = r_.i32();
        if (!r_.ok() || count < 0 || static_cast<std::uint32_t>(count) > r_.remaining() / 30)
            return false;
        const std::string brand = ourBrandName(scheme.empty() ? "DMC" : scheme);
        for (std::int32_t i = 0; i < count && r_.ok(); ++i) {
            const std::int32_t key = r_.i32();
            const std::int32_t floss = r_.i32();
            if (floss != 100 && floss != 101)
                return false;
            ForeignThread t;
            t.brand = brand;
            t.number = r_.string();
            t.colour = r_.colour();
            r_.skip(2 + 4 + 4 + 4);  // symbol, backstitch pen, strands
            if (keys_.count(key))
                return false;
            keys_[key] = static_cast<int>(chart_.threads.size());
            chart_.threads.push_back(std::move(t));
        }
        return r_.ok();
    }

    int thread(std::int32_t key)
    {
        const auto it = keys_.find(key);
        if (it == keys_.end()) {
            ++noColour_;
            return -1;
        }
        return it->second;
    }

    void stitch(int x, int y, std::int32_t type, int t)
    {
        if (t < 0)
            return;
        std::int32_t* cell = chart_.cell(x, y);
        if (!cell)
            return;
        switch (type) {
        case 15: *cell = t; return;
        case 6: chart_.parts.push_back({x, y, PartStitch::HalfForward, t}); return;
        case 9: chart_.parts.push_back({x, y, PartStitch::HalfBackward, t}); return;
        case 7: chart_.parts.push_back({x, y, PartStitch::ThreeQuarterTopLeft, t}); return;
        case 11: chart_.parts.push_back({x, y, PartStitch::ThreeQuarterTopRight, t}); return;
        case 13: chart_.parts.push_back({x, y, PartStitch::ThreeQuarterBottomLeft, t}); return;
        case 14: chart_.parts.push_back({x, y, PartStitch::ThreeQuarterBottomRight, t}); return;
        case 1: case 65: chart_.parts.push_back({x, y, PartStitch::QuarterTopLeft, t}); break;
        case 2: case 66: chart_.parts.push_back({x, y, PartStitch::QuarterTopRight, t}); break;
        case 4: case 68: chart_.parts.push_back({x, y, PartStitch::QuarterBottomLeft, t}); break;
        case 8: case 72: chart_.parts.push_back({x, y, PartStitch::QuarterBottomRight, t}); break;
        case 129: case 130: case 132: case 136: chart_.parts.push_back({x, y, PartStitch::Petite, t}); return;
        default: ++unknownKinds_; return;
        }
        smallHalves_ += type >= 65 ? 1 : 0;
    }

    bool readQueue(int x, int y)
    {
        if (r_.i32() != 100)
            return false;
        const std::int32_t count = r_.i32();
        if (count < 0 || static_cast<std::uint32_t>(count) > r_.remaining() / 12)
            return false;
        for (std::int32_t i = 0; i < count && r_.ok(); ++i) {
            if (r_.i32() != 100)
                return false;
            const std::int32_t type = r_.i32();
            const std::int32_t key = r_.i32();
            stitch(x, y, type, thread(key));
        }
        return r_.ok();
    }

    bool readStitches()
    {
        const std::int32_t version = r_.i32();
        if (version != 102 && version != 103)
            return false;
        const std::int32_t width = r_.i32(), height = r_.i32();
        if (!r_.ok())
            return false;
        if (width < 1 || height < 1 || width > kMaxOxsSide || height > kMaxOxsSide) {
            error_ = uiText("KXStitch绣图的宽高不正确");
            return false;
        }
        chart_.resize(width, height);
        if (version == 103) {
            const std::int32_t count = r_.i32();
            if (count < 0 || static_cast<std::uint32_t>(count) > r_.remaining() / 16)
                return false;
            for (std::int32_t i = 0; i < count && r_.ok(); ++i) {
                const std::int32_t x = r_.i32(), y = r_.i32();
                if (!readQueue(x, y))
                    return false;
            }
        } else {
            const std::int32_t columns = r_.i32();
            if (columns < 0 || static_cast<std::uint32_t>(columns) > r_.remaining() / 4)
                return false;
            for (std::int32_t c = 0; c < columns && r_.ok(); ++c) {
                const std::int32_t rows = r_.i32();
                if (rows < 0 || static_cast<std::uint32_t>(rows) > r_.remaining() / 16)
                    return false;
                for (std::int32_t i = 0; i < rows && r_.ok(); ++i) {
                    const std::int32_t x = r_.i32(), y = r_.i32();
                    if (!readQueue(x, y))
                        return false;
                }
            }
        }
        // Points on the grid of two to a cell.
        int outside = 0;
        auto inside = [&](std::int32_t px, std::int32_t py) {
            return px >= 0 && py >= 0 && px <= 2 * width && py <= 2 * height;
        };
        const std::int32_t lines = r_.i32();
        if (lines < 0 || static_cast<std::uint32_t>(lines) > r_.remaining() / 24)
            return false;
        for (std::int32_t i = 0; i < lines && r_.ok(); ++i) {
            if (r_.i32() != 100)
                return false;
            const std::int32_t x1 = r_.i32(), y1 = r_.i32(), x2 = r_.i32(), y2 = r_.i32();
            const int t = thread(r_.i32());
            if (t < 0)
                continue;
            if (!inside(x1, y1) || !inside(x2, y2)) {
                ++outside;
                continue;
            }
            chart_.lines.push_back({x1 / 2.0, y1 / 2.0, x2 / 2.0, y2 / 2.0, t});
        }
        const std::int32_t knots = r_.i32();
        if (knots < 0 || static_cast<std::uint32_t>(knots) > r_.remaining() / 16)
            return false;
        for (std::int32_t i = 0; i < knots && r_.ok(); ++i) {
            if (r_.i32() != 100)
                return false;
            const std::int32_t x = r_.i32(), y = r_.i32();
            const int t = thread(r_.i32());
            if (t < 0)
                continue;
            if (!inside(x, y)) {
                ++outside;
                continue;
            }
            chart_.nodes.push_back({x / 2.0, y / 2.0, t, false});
        }
        chart_.note(outside, UI_TEXT_NOOP("%d个描边或法式结超出绣图范围,未导入"));
        return r_.ok();
    }

    StreamReader r_;
    std::string& error_;
    ForeignChart chart_;
    std::map<std::int32_t, int> keys_;  // the palette's keys to the chart's threads
    int smallHalves_ = 0, unknownKinds_ = 0, noColour_ = 0;
};

}  // namespace

std::optional<ForeignChart> readKXStitchChart(std::span<const std::uint8_t> bytes, std::string& error)
{
    return KxsReader(bytes, error).read();
}

}  // namespace brenmark
