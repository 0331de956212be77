// Reading OXS: the text checked and parsed, the chart taken apart into a new pattern.
#include "editor/output/oxs_file.h"
#include "interchange/ui_text.h"

#include "editor/document/symbol_charset.h"
#include "interchange/file_bytes.h"
#include "editor/output/oxs_xml.h"
#include "editor/output/picture_converter.h"
#include "interchange/code_page.h"

#include <tinyxml.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace brenmark {
namespace {

using namespace oxs;

// TinyXML descends one call per element, so a file nested without end would exhaust the stack.
// Counts the nesting before the parser sees the text; false past the limit.
bool shallowEnough(const std::string& xml, int limit)
{
    int depth = 0;
    std::size_t i = 0;
    const std::size_t n = xml.size();
    while (i < n) {
        if (xml[i] != '<') {
            ++i;
            continue;
        }
        if (xml.compare(i, 4, "<!--") == 0) {
            const std::size_t end = xml.find("-->", i + 4);
            i = end == std::string::npos ? n : end + 3;
            continue;
        }
        if (xml.compare(i, 9, "<![CDATA[") == 0) {
            const std::size_t end = xml.find("]]>", i + 9);
            i = end == std::string::npos ? n : end + 3;
            continue;
        }
        const bool closing = i + 1 < n && xml[i + 1] == '/';
        const bool special = i + 1 < n && (xml[i + 1] == '?' || xml[i + 1] == '!');
        // To the end of the tag, quoted values skipped.
        char quote = 0;
        std::size_t j = i + 1;
        for (; j < n; ++j) {
            if (quote) {
                if (xml[j] == quote)
                    quote = 0;
            } else if (xml[j] == '"' || xml[j] == '\'') {
                quote = xml[j];
            } else if (xml[j] == '>') {
                break;
            }
        }
        const bool empty = j < n && j > i + 1 && xml[j - 1] == '/';
        if (closing)
            --depth;
        else if (!special && !empty && ++depth > limit)
            return false;
        i = j + 1;
    }
    return true;
}

bool validUtf8(const std::string& text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        unsigned min = 0;
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            extra = 1, min = 0x80;
        else if (c >= 0xE0 && c <= 0xEF)
            extra = 2, min = 0x800;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3, min = 0x10000;
        else
            return false;
        if (extra > 0 && i + extra >= n)
            return false;
        unsigned code = extra == 0 ? c : c & (0x3Fu >> extra);
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            code = code << 6 | (d & 0x3Fu);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

// Text in another single-byte encoding (older programs wrote Latin-1) read as Latin-1, so the
// parser only ever sees whole UTF-8 sequences: it reads a lead byte's continuation bytes
// without looking for the end of the text.
std::string asUtf8(const std::string& text)
{
    if (validUtf8(text))
        return text;
    std::string out;
    out.reserve(text.size() * 2);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::optional<long> wholeNumber(const char* text)
{
    if (!text || !*text)
        return std::nullopt;
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    while (*end == ' ')
        ++end;
    if (*end || v < -1'000'000'000L || v > 1'000'000'000L)
        return std::nullopt;
    return v;
}

// A decimal written with a point or, as some programs write it, a comma ("14,5").
std::optional<double> decimal(const char* given)
{
    if (!given || !*given)
        return std::nullopt;
    std::string copy = given;
    if (copy.find('.') == std::string::npos)
        if (const std::size_t comma = copy.find(','); comma != std::string::npos && copy.find(',', comma + 1) == std::string::npos)
            copy[comma] = '.';
    const char* text = copy.c_str();
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    while (*end == ' ')
        ++end;
    if (*end || !std::isfinite(v) || std::fabs(v) > 1e7)
        return std::nullopt;
    return v;
}

std::optional<ColorRef> parseColour(const char* text)
{
    if (!text)
        return std::nullopt;
    std::string hex(text);
    if (!hex.empty() && hex[0] == '#')
        hex.erase(0, 1);
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return std::nullopt;
    const unsigned long v = std::strtoul(hex.c_str(), nullptr, 16);
    return rgb(static_cast<unsigned>((v >> 16) & 0xFF), static_cast<unsigned>((v >> 8) & 0xFF), static_cast<unsigned>(v & 0xFF));
}

struct OxsItem {
    std::string brand;   // GBK
    std::string number;  // GBK
    ColorRef colour = 0;
    std::string symbol;  // GBK, one character or empty
    int index = 0;  // its palette index in the file
    bool used = false;
    int thread = -1;  // its place in the new pattern's thread table
};

// "DMC    310": the last word is the number, the words before it the brand.
void splitNumber(const std::string& text, OxsItem& item)
{
    std::string t = text;
    while (!t.empty() && t.back() == ' ')
        t.pop_back();
    const std::size_t space = t.rfind(' ');
    if (space == std::string::npos) {
        item.number = t;
        return;
    }
    item.number = t.substr(space + 1);
    std::string brand = t.substr(0, space);
    while (!brand.empty() && brand.back() == ' ')
        brand.pop_back();
    item.brand = brand;
}

// The symbol as one GBK character: a decimal code point or the character itself.
std::string symbolOf(const char* text)
{
    if (!text || !*text)
        return {};
    std::string utf8 = text;
    if (const auto code = wholeNumber(text); code && *code >= 0x21 && *code <= 0xFFFF) {
        const auto c = static_cast<unsigned>(*code);
        utf8.clear();
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    const std::string gbk = utf8ToGbk(utf8);
    const bool one = gbk.size() == 1 ? static_cast<unsigned char>(gbk[0]) > 0x20 && static_cast<unsigned char>(gbk[0]) < 0x7F
                                     : gbk.size() == 2 && static_cast<unsigned char>(gbk[0]) >= 0x81;
    return one ? gbk : std::string();
}

const char* attr(const TiXmlElement* e, const char* name) { return e->Attribute(name); }

std::string trimmed(std::string t)
{
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.pop_back();
    std::size_t first = 0;
    while (first < t.size() && (t[first] == ' ' || t[first] == '\t'))
        ++first;
    return t.substr(first);
}

bool sameBrand(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// A thread number in a palette: exactly, else without the leading zeros or the case that
// another program wrote differently ("0310", "ecru").
int findNumber(const Palette& palette, const std::string& number)
{
    if (const int exact = palette.find(number); exact >= 0)
        return exact;
    auto plain = [](const std::string& n) {
        std::size_t first = 0;
        while (first + 1 < n.size() && n[first] == '0')
            ++first;
        std::string out = n.substr(first);
        for (char& c : out)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return out;
    };
    const std::string wanted = plain(number);
    for (int i = 0; i < palette.size(); ++i)
        if (plain(palette.numbers[static_cast<std::size_t>(i)]) == wanted)
            return i;
    return -1;
}

class Reader {
public:
    Reader(const PaletteStore& palettes, OxsImport& out) : palettes_(palettes), out_(out) {}

    bool read(const TiXmlElement* chart)
    {
        const TiXmlElement* properties = chart->FirstChildElement("properties");
        const auto width = properties ? wholeNumber(attr(properties, "chartwidth")) : std::optional<long>(100);
        const auto height = properties ? wholeNumber(attr(properties, "chartheight")) : std::optional<long>(100);
        if (!width || !height || *width < 1 || *height < 1 || *width > kMaxOxsSide || *height > kMaxOxsSide)
            return refuse(format(uiText("OXS绣图的宽高不正确(只能是1到%d)").c_str(), kMaxOxsSide));
        width_ = static_cast<int>(*width);
        height_ = static_cast<int>(*height);
        for (const TiXmlElement* e : {chart->FirstChildElement("palette"), properties})
            for (const char* name : {"brand", "palettename"})
                if (const char* given = e ? attr(e, name) : nullptr; given && *given && chartBrand_.empty())
                    chartBrand_ = trimmed(utf8ToGbk(given));
        if (!readPalette(chart->FirstChildElement("palette")))
            return false;
        cells_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), -1);
        readFullStitches(chart->FirstChildElement("fullstitches"));
        readPartStitches(chart->FirstChildElement("partstitches"));
        readBackStitches(chart->FirstChildElement("backstitches"));
        readOrnaments(chart->FirstChildElement("ornaments_inc_knots_and_beads"));
        return build();
    }

private:
    bool refuse(std::string message)
    {
        out_.error = std::move(message);
        return false;
    }
    void note(int count, const char* what)
    {
        if (count > 0)
            out_.changes.push_back(format(uiText(what).c_str(), count));
    }

    bool readPalette(const TiXmlElement* palette)
    {
        if (!palette)
            return refuse(uiText("OXS绣图没有调色板"));
        // Items are "palette_item", or "color" in the files of some programs.
        auto isItem = [](const TiXmlElement* e) {
            const std::string name = e->Value();
            return name == "palette_item" || name == "color";
        };
        auto next = [&](const TiXmlElement* e) {
            while (e && !isItem(e))
                e = e->NextSiblingElement();
            return e;
        };
        int position = 0;
        for (const TiXmlElement* e = next(palette->FirstChildElement()); e; e = next(e->NextSiblingElement()), ++position) {
            long index = position;
            if (const char* text = attr(e, "index")) {
                const auto v = wholeNumber(text);
                if (!v || *v < 0 || *v > 100000)
                    return refuse(uiText("OXS绣图的调色板序号不正确"));
                index = *v;
            }
            if (items_.count(static_cast<int>(index)))
                return refuse(uiText("OXS绣图的调色板序号重复"));
            OxsItem item;
            splitNumber(utf8ToGbk(attr(e, "number") ? attr(e, "number") : ""), item);
            const auto colour = parseColour(attr(e, "color"));
            if (!colour)
                ++missingColours_;
            item.colour = colour.value_or(index == 0 ? kWhite : rgb(255, 0, 255));
            item.symbol = symbolOf(attr(e, "symbol"));
            item.index = static_cast<int>(index);
            items_[static_cast<int>(index)] = std::move(item);
            if (items_.size() > 20000)
                return refuse(uiText("OXS绣图的调色板太大"));
        }
        note(missingColours_, UI_TEXT_NOOP("%d种颜色没有色值,按洋红色导入"));
        return true;
    }

    // The palette index of an element's attribute, 0 (the cloth) and unknown ones as nothing.
    OxsItem* material(const TiXmlElement* e, const char* name)
    {
        const auto v = wholeNumber(attr(e, name));
        if (!v || *v <= 0)
            return nullptr;
        const auto it = items_.find(static_cast<int>(*v));
        if (it == items_.end()) {
            ++unknownIndices_;
            return nullptr;
        }
        return &it->second;
    }

    std::int32_t* cellAt(long x, long y)
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return nullptr;
        return &cells_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    }

    // Palette items are stored by their index until the threads are known.
    std::int32_t tag(OxsItem& item)
    {
        item.used = true;
        return item.index;
    }

    void readFullStitches(const TiXmlElement* section)
    {
        int outside = 0;
        for (const TiXmlElement* e = section ? section->FirstChildElement("stitch") : nullptr; e; e = e->NextSiblingElement("stitch")) {
            const auto x = wholeNumber(attr(e, "x")), y = wholeNumber(attr(e, "y"));
            std::int32_t* cell = x && y ? cellAt(*x, *y) : nullptr;
            if (!cell) {
                ++outside;
                continue;
            }
            if (OxsItem* item = material(e, "palindex"))
                *cell = tag(*item);
        }
        outside_ += outside;
    }

    void placeMark(long x, long y, int kind)
    {
        StitchMark m;
        m.kind = kind;
        m.column = static_cast<std::int32_t>(x);
        m.row = static_cast<std::int32_t>(y);
        placeMarkIn(marks_, m);
    }

    void readPartStitches(const TiXmlElement* section)
    {
        int approximated = 0, secondColour = 0, underFull = 0;
        for (const TiXmlElement* e = section ? section->FirstChildElement("partstitch") : nullptr; e; e = e->NextSiblingElement("partstitch")) {
            const auto x = wholeNumber(attr(e, "x")), y = wholeNumber(attr(e, "y"));
            const auto direction = wholeNumber(attr(e, "direction"));
            std::int32_t* cell = x && y ? cellAt(*x, *y) : nullptr;
            if (!cell || !direction || *direction < 1 || *direction > 4) {
                ++outside_;
                continue;
            }
            OxsItem* first = material(e, "palindex1");
            OxsItem* second = material(e, "palindex2");
            if (*cell >= 0) {  // the full stitch already covers the cell
                ++underFull;
                continue;
            }
            int kind = 0;
            OxsItem* item = first ? first : second;
            if (!item)
                continue;
            switch (*direction) {
            case 3: kind = kindNumber(StitchKind::HalfForward); break;
            case 4: kind = kindNumber(StitchKind::HalfBackward); break;
            case 1:  // split by "\": palindex1 bottom-left, palindex2 top-right
                kind = first ? kindNumber(StitchKind::HalfBackward) : kindNumber(StitchKind::ThreeQuarterTopRight);
                approximated += first ? 1 : 0;
                break;
            case 2:  // split by "/": palindex1 top-left, palindex2 bottom-right
                kind = first ? kindNumber(StitchKind::ThreeQuarterTopLeft) : kindNumber(StitchKind::HalfForward);
                approximated += first ? 0 : 1;
                break;
            }
            if (first && second && *direction <= 2)
                ++secondColour;
            *cell = tag(*item);
            placeMark(*x, *y, kind);
        }
        note(approximated, UI_TEXT_NOOP("%d个四分之三针迹改为半针"));
        note(secondColour, UI_TEXT_NOOP("%d个格子里的第二种颜色未导入"));
        note(underFull, UI_TEXT_NOOP("%d个与全针重叠的部分针迹未导入"));
    }

    void readBackStitches(const TiXmlElement* section)
    {
        int snapped = 0, dropped = 0, noColour = 0;
        for (const TiXmlElement* e = section ? section->FirstChildElement("backstitch") : nullptr; e; e = e->NextSiblingElement("backstitch")) {
            double v[4];
            bool ok = true;
            const char* names[4] = {"x1", "y1", "x2", "y2"};
            for (int i = 0; i < 4 && ok; ++i) {
                const auto d = decimal(attr(e, names[i]));
                ok = d.has_value();
                v[i] = d.value_or(0);
            }
            if (!ok) {
                ++dropped;
                continue;
            }
            OxsItem* item = material(e, "palindex");  // an unknown index is counted there
            if (!item) {
                const auto v = wholeNumber(attr(e, "palindex"));
                noColour += !v || *v <= 0 ? 1 : 0;
                continue;
            }
            long p[4];
            for (int i = 0; i < 4; ++i) {
                p[i] = std::lround(v[i]);
                if (std::fabs(v[i] - static_cast<double>(p[i])) > 1e-6)
                    ++snapped;
            }
            if (p[0] < 0 || p[2] < 0 || p[1] < 0 || p[3] < 0 || p[0] > width_ || p[2] > width_ || p[1] > height_ ||
                p[3] > height_ || (p[0] == p[2] && p[1] == p[3])) {
                ++dropped;
                continue;
            }
            BackstitchLine line;
            setEnd(p[0], p[1], line.startColumn, line.startRow, line.startCorner);
            setEnd(p[2], p[3], line.endColumn, line.endRow, line.endCorner);
            line.color = item->colour;
            lineItems_.push_back(tag(*item));
            lines_.push_back(line);
        }
        note(snapped, UI_TEXT_NOOP("%d个描边端点移到最近的格角"));
        note(dropped, UI_TEXT_NOOP("%d条描边超出绣图或不完整,未导入"));
        note(noColour, UI_TEXT_NOOP("%d条描边没有颜色,未导入"));
    }

    // A grid point as a cell and one of its corners: the cell below and right of it, or the
    // last column's or row's cell with its right or bottom corner.
    void setEnd(long x, long y, std::int32_t& column, std::int32_t& row, std::int32_t& corner) const
    {
        const bool right = x == width_, bottom = y == height_;
        column = static_cast<std::int32_t>(right ? x - 1 : x);
        row = static_cast<std::int32_t>(bottom ? y - 1 : y);
        corner = bottom ? (right ? BottomRight : BottomLeft) : (right ? TopRight : TopLeft);
    }

    void readOrnaments(const TiXmlElement* section)
    {
        // Each object left out is counted under its own reason.
        int unknownType = 0, badPosition = 0, outside = 0, noColour = 0;
        for (const TiXmlElement* e = section ? section->FirstChildElement("object") : nullptr; e; e = e->NextSiblingElement("object")) {
            const std::string type = attr(e, "objecttype") ? attr(e, "objecttype") : "";
            const auto x = decimal(attr(e, "x1")), y = decimal(attr(e, "y1"));
            const std::optional<StitchKind> ornament = ornamentNamed(type);
            int kind = ornament ? kindNumber(*ornament) : 0;
            if (type == "quarter" && x && y) {
                // The quarter whose corner lies on the same side of the centre both ways.
                const double fx = *x - std::floor(*x), fy = *y - std::floor(*y);
                for (const StitchKindInfo& info : kStitchKinds)
                    if (info.shape == StitchShape::Quarter && (info.cornerX > 0.5) == (fx >= 0.5) &&
                        (info.cornerY > 0.5) == (fy >= 0.5))
                        kind = kindNumber(info.kind);
            }
            if (!kind && type != "quarter") {
                ++unknownType;
                continue;
            }
            if (!x || !y) {
                ++badPosition;
                continue;
            }
            std::int32_t* cell = cellAt(static_cast<long>(std::floor(*x)), static_cast<long>(std::floor(*y)));
            if (!cell) {
                ++outside;
                continue;
            }
            OxsItem* item = material(e, "palindex");  // an unknown index is counted there
            if (!item) {
                const auto v = wholeNumber(attr(e, "palindex"));
                noColour += !v || *v <= 0 ? 1 : 0;
                continue;
            }
            // An ornament on an empty cell brings its colour; a part stitch there stays.
            if (*cell < 0)
                *cell = tag(*item);
            else if (!isOrnament(kind))
                continue;
            const auto column = static_cast<long>(std::floor(*x)), row = static_cast<long>(std::floor(*y));
            const bool hasPart = std::any_of(marks_.begin(), marks_.end(), [&](const StitchMark& m) {
                return m.column == column && m.row == row && !isOrnament(m.kind);
            });
            if (!hasPart)
                placeMark(column, row, kind);
        }
        note(unknownType, UI_TEXT_NOOP("%d个无法表示的装饰(珠子、纽扣等)未导入"));
        note(badPosition, UI_TEXT_NOOP("%d个装饰的位置不可读,未导入"));
        note(outside, UI_TEXT_NOOP("%d个装饰超出绣图范围,未导入"));
        note(noColour, UI_TEXT_NOOP("%d个装饰没有颜色,未导入"));
    }

    bool build()
    {
        note(outside_, UI_TEXT_NOOP("%d个针迹超出绣图范围,未导入"));
        note(unknownIndices_, UI_TEXT_NOOP("%d处引用了不存在的颜色,未导入"));
        // Numbers written without a brand belong to the chart's own brand: the palette's or
        // the properties' when they name one, else the brand the other items name most,
        // else the pattern's default.
        std::map<std::string, int> brands;
        for (const auto& [index, item] : items_)
            if (index > 0 && item.used && !item.brand.empty())
                ++brands[item.brand];
        std::string unnamed = chartBrand_;
        if (unnamed.empty()) {
            int most = 0;
            for (const auto& [name, n] : brands)
                if (n > most)
                    unnamed = name, most = n;
        }
        if (unnamed.empty())
            unnamed = "DMC";
        for (auto& [index, item] : items_)
            if (index > 0 && item.used && item.brand.empty() && !item.number.empty()) {
                item.brand = unnamed;
                ++brands[unnamed];
            }
        std::string brand = "DMC";
        int best = 0;
        for (const auto& [name, n] : brands) {
            Palette probe;
            if (n > best && palettes_.load(name, probe) && probe.size() > 0) {
                brand = name;
                best = n;
            }
        }
        Palette palette;
        if (!palettes_.load(brand, palette) || palette.size() == 0)
            return refuse(uiText("找不到") + brand + uiText("色库,不能导入OXS绣图"));
        out_.brand = brand;

        PatternDocument doc;
        doc.create(width_, height_, brand);
        if (const auto cloth = items_.find(0); cloth != items_.end())
            doc.fabric = cloth->second.colour;
        std::map<int, std::int32_t> threadOf;  // palette index -> thread
        for (auto& [index, item] : items_) {
            if (index == 0 || !item.used)
                continue;
            int entry = sameBrand(item.brand, brand) ? findNumber(palette, item.number) : -1;
            if (entry >= 0) {
                ++out_.byNumber;
            } else {
                entry = nearestColour(palette.colors, item.colour);
                ++out_.byColour;
            }
            const std::string& number = palette.numbers[static_cast<std::size_t>(entry)];
            int thread = doc.findThread(number);
            if (thread < 0) {
                if (doc.threads.size() >= kMaxThreads)
                    return refuse(format(uiText("OXS绣图用了超过%d种绣线").c_str(), kMaxThreads));
                doc.addThread(palette.colors[static_cast<std::size_t>(entry)], number);
                thread = doc.threads.size() - 1;
            }
            threadOf[index] = thread;
            item.thread = thread;
        }
        for (std::size_t i = 0; i < cells_.size(); ++i)
            if (cells_[i] >= 0)
                doc.grid.cells.set(i, threadOf[cells_[i]]);
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            BackstitchLine line = lines_[i];
            const std::int32_t thread = threadOf[lineItems_[i]];
            line.color = doc.threads.colors[static_cast<std::size_t>(thread)];
            line.thread = doc.threads.numbers[static_cast<std::size_t>(thread)];
            doc.lines.push_back(line);
        }
        doc.marks = marks_;
        doc.distinct.rebuild(doc.threads);
        doc.clearLocks();
        doc.assignDefaultSymbols();
        applySymbols(doc);
        doc.layers.backgroundFromGrid(doc);
        out_.pattern = std::move(doc);
        return true;
    }

    // The file's symbols when every thread has one, each one GBK character and no two alike;
    // else the default symbols, which never repeat.
    void applySymbols(PatternDocument& doc) const
    {
        std::vector<std::string> chosen(static_cast<std::size_t>(doc.threads.size()));
        for (const auto& [index, item] : items_)
            if (index > 0 && item.thread >= 0 && !item.symbol.empty() && chosen[static_cast<std::size_t>(item.thread)].empty())
                chosen[static_cast<std::size_t>(item.thread)] = item.symbol;
        for (std::size_t i = 0; i < chosen.size(); ++i)
            if (chosen[i].empty() || std::count(chosen.begin(), chosen.end(), chosen[i]) > 1)
                return;
        for (std::size_t i = 0; i < chosen.size(); ++i)
            doc.symbols[i].symbol = chosen[i];
        // The chart symbol font draws them when it holds every one (a chart we wrote with it).
        const auto& font = clearSymbolSet();
        doc.clearSymbols = !chosen.empty() && std::all_of(chosen.begin(), chosen.end(), [&](const std::string& s) {
            return std::find(font.begin(), font.end(), s) != font.end();
        });
    }

    const PaletteStore& palettes_;
    OxsImport& out_;
    std::string chartBrand_;  // GBK, the brand the chart names for its palette
    int width_ = 0, height_ = 0;
    std::map<int, OxsItem> items_;
    std::vector<std::int32_t> cells_;  // palette indices, -1 empty
    std::vector<StitchMark> marks_;
    std::vector<BackstitchLine> lines_;
    std::vector<std::int32_t> lineItems_;
    int missingColours_ = 0, unknownIndices_ = 0, outside_ = 0;
};

}  // namespace

OxsImport readOxs(const std::string& xml, const PaletteStore& palettes)
{
    OxsImport result;
    if (!shallowEnough(xml, 64)) {
        result.error = uiText("OXS文件已损坏,不能导入");
        return result;
    }
    TiXmlDocument parsed;
    const std::string text = asUtf8(xml);
    parsed.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (parsed.Error()) {
        result.error = uiText("OXS文件已损坏,不能导入");
        return result;
    }
    const TiXmlElement* chart = parsed.RootElement();
    if (!chart || std::string(chart->Value()) != "chart") {
        result.error = uiText("不是OXS绣图文件");
        return result;
    }
    Reader reader(palettes, result);
    if (!reader.read(chart))
        result.pattern.reset();
    return result;
}

OxsImport loadOxs(const std::string& path, const PaletteStore& palettes)
{
    OxsImport result;
    std::vector<std::uint8_t> bytes;
    if (pathKind(path) != PathKind::RegularFile || !readWholeFile(path, bytes)) {
        result.error = uiText("打不开文件 ") + utf8ToGbk(path);
        return result;
    }
    if (bytes.size() > kMaxOxsBytes) {
        result.error = uiText("OXS文件太大,不能导入");
        return result;
    }
    return readOxs(std::string(bytes.begin(), bytes.end()), palettes);
}

std::string oxsImportSummary(const OxsImport& result)
{
    std::string text = format(UI_TEXT_NOOP("OXS绣图导入完毕:%d种绣线按线号匹配%s色库,%d种按最接近的颜色匹配"), result.byNumber,
                              result.brand.c_str(), result.byColour);
    for (const std::string& change : result.changes)
        text += "\n" + change;
    return text;
}

}  // namespace brenmark
