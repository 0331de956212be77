#include "editor/output/foreign_chart.h"

#include "editor/output/oxs_file.h"
#include "interchange/code_page.h"
#include "interchange/file_bytes.h"
#include "interchange/ui_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace brenmark {
namespace {

std::string textf(const char* pattern, auto... values)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

std::string upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The palette's own spelling of a thread number: as it is, in capitals, or one of the names
// the programs use for DMC's white threads. -1 when the palette has none of them.
int findNumber(const Palette& palette, const std::string& brand, const std::string& number)
{
    const std::string n = trimmed(number);
    if (n.empty())
        return -1;
    for (const std::string& candidate : {n, upper(n)}) {
        if (const int i = palette.find(candidate); i >= 0)
            return i;
    }
    if (brand == "DMC") {
        const std::string u = upper(n);
        const char* alias = u == "WHITE" ? "BLANC" : u == "5200" ? "B5200" : nullptr;
        if (alias)
            return palette.find(alias);
    }
    return -1;
}

class PaletteCache {
public:
    explicit PaletteCache(const PaletteStore& store) : store_(store) {}
    const Palette* get(const std::string& brand)
    {
        for (auto& [name, palette] : loaded_)
            if (name == brand)
                return palette.size() > 0 ? &palette : nullptr;
        loaded_.emplace_back(brand, Palette{});
        Palette& palette = loaded_.back().second;
        if (!isSafeBrandName(brand) || !store_.load(brand, palette))
            palette.clear();
        return palette.size() > 0 ? &palette : nullptr;
    }

private:
    const PaletteStore& store_;
    std::vector<std::pair<std::string, Palette>> loaded_;
};

std::uint32_t squaredDistance(ColorRef a, ColorRef b)
{
    const int dr = static_cast<int>(redOf(a)) - static_cast<int>(redOf(b));
    const int dg = static_cast<int>(greenOf(a)) - static_cast<int>(greenOf(b));
    const int db = static_cast<int>(blueOf(a)) - static_cast<int>(blueOf(b));
    return static_cast<std::uint32_t>(dr * dr + dg * dg + db * db);
}

// Blends to one of their threads, numbers to the palette's spelling.
void settleThreads(ForeignChart& chart, PaletteCache& palettes)
{
    int blends = 0;
    for (ForeignThread& thread : chart.threads) {
        if (!thread.blend.empty()) {
            // The blend's own colour is the mix; the nearer thread is the one to keep. A thread
            // whose brand we have takes its colour from that palette.
            std::size_t best = 0;
            std::uint32_t bestDistance = 0xFFFFFFFFu;
            for (std::size_t i = 0; i < thread.blend.size(); ++i) {
                ForeignThread& part = thread.blend[i];
                if (const Palette* palette = palettes.get(part.brand)) {
                    if (const int entry = findNumber(*palette, part.brand, part.number); entry >= 0)
                        part.colour = palette->colors[static_cast<std::size_t>(entry)];
                }
                const std::uint32_t d = squaredDistance(part.colour, thread.colour);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = i;
                }
            }
            ForeignThread kept = thread.blend[best];
            kept.blend.clear();
            thread = std::move(kept);
            ++blends;
        }
        if (const Palette* palette = palettes.get(thread.brand)) {
            if (const int entry = findNumber(*palette, thread.brand, thread.number); entry >= 0)
                thread.number = palette->numbers[static_cast<std::size_t>(entry)];
        }
    }
    chart.note(blends, UI_TEXT_NOOP("%d种混色线按其中与混色较接近的一种绣线导入"));
}

// One part stitch per cell, none under a full stitch: the first one a cell gets stays.
std::vector<ForeignChart::Part> onePartPerCell(ForeignChart& chart)
{
    std::vector<ForeignChart::Part> kept;
    std::vector<std::uint8_t> taken(chart.cells.size(), 0);
    int underFull = 0, second = 0;
    for (const ForeignChart::Part& p : chart.parts) {
        const std::int32_t* cell = chart.cell(p.x, p.y);
        if (!cell)
            continue;
        const std::size_t i = static_cast<std::size_t>(p.y) * static_cast<std::size_t>(chart.width) + static_cast<std::size_t>(p.x);
        if (*cell >= 0) {
            ++underFull;
            continue;
        }
        if (taken[i]) {
            ++second;
            continue;
        }
        taken[i] = 1;
        kept.push_back(p);
    }
    chart.note(underFull, UI_TEXT_NOOP("%d个与全针重叠的部分针迹未导入"));
    chart.note(second, UI_TEXT_NOOP("%d个同一格里的第二个部分针迹未导入"));
    return kept;
}

std::string decimal(double v)
{
    return oxsDecimal(v, 3);
}

std::string hexColour(ColorRef c) { return textf("%02X%02X%02X", redOf(c), greenOf(c), blueOf(c)); }

// The chart as OXS text, the palette item of thread i being i + 1 and item 0 the cloth. The
// text is written straight out: a large chart would need a tree several times its size.
std::string asOxs(ForeignChart& chart)
{
    const std::vector<ForeignChart::Part> parts = onePartPerCell(chart);
    std::string x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<chart>\n";
    x += textf("<properties oxsversion=\"1.0\" chartwidth=\"%d\" chartheight=\"%d\" charttitle=\"", chart.width, chart.height) +
         oxsAttributeText(gbkToUtf8(chart.title)) + "\"/>\n";
    x += "<palette>\n<palette_item index=\"0\" number=\"cloth\" color=\"" + hexColour(chart.fabric) + "\"/>\n";
    for (std::size_t i = 0; i < chart.threads.size(); ++i) {
        const ForeignThread& t = chart.threads[i];
        // "BRAND NUMBER": the OXS reader takes the last word as the number.
        std::string number = t.number;
        std::replace(number.begin(), number.end(), ' ', '-');
        const std::string name = t.brand.empty() ? number : t.brand + " " + number;
        x += textf("<palette_item index=\"%d\" number=\"", static_cast<int>(i) + 1) + oxsAttributeText(gbkToUtf8(name)) +
             "\" color=\"" + hexColour(t.colour) + "\"/>\n";
    }
    x += "</palette>\n<fullstitches>\n";
    for (int y = 0; y < chart.height; ++y)
        for (int xc = 0; xc < chart.width; ++xc)
            if (const std::int32_t v = *chart.cell(xc, y); v >= 0)
                x += textf("<stitch x=\"%d\" y=\"%d\" palindex=\"%d\"/>\n", xc, y, v + 1);
    x += "</fullstitches>\n";
    std::string partText = "<partstitches>\n", objects = "<ornaments_inc_knots_and_beads>\n";
    auto object = [&](double ox, double oy, int thread, const char* type) {
        objects += "<object x1=\"" + decimal(ox) + "\" y1=\"" + decimal(oy) +
                   textf("\" palindex=\"%d\" objecttype=\"%s\"/>\n", thread + 1, type);
    };
    for (const ForeignChart::Part& p : parts) {
        int direction = 0, first = 0, second = 0;
        const int pal = p.thread + 1;
        switch (p.kind) {
        case PartStitch::HalfForward: direction = 3, first = pal; break;
        case PartStitch::HalfBackward: direction = 4, first = pal; break;
        case PartStitch::ThreeQuarterTopLeft: direction = 2, first = pal; break;
        case PartStitch::ThreeQuarterBottomRight: direction = 2, second = pal; break;
        case PartStitch::ThreeQuarterTopRight: direction = 1, second = pal; break;
        case PartStitch::ThreeQuarterBottomLeft: direction = 1, first = pal; break;
        case PartStitch::QuarterTopLeft: object(p.x + 0.25, p.y + 0.25, p.thread, "quarter"); break;
        case PartStitch::QuarterTopRight: object(p.x + 0.75, p.y + 0.25, p.thread, "quarter"); break;
        case PartStitch::QuarterBottomLeft: object(p.x + 0.25, p.y + 0.75, p.thread, "quarter"); break;
        case PartStitch::QuarterBottomRight: object(p.x + 0.75, p.y + 0.75, p.thread, "quarter"); break;
        case PartStitch::Petite: object(p.x + 0.5, p.y + 0.5, p.thread, "petite"); break;
        }
        if (direction)
            partText += textf("<partstitch x=\"%d\" y=\"%d\" palindex1=\"%d\" palindex2=\"%d\" direction=\"%d\"/>\n", p.x,
                              p.y, first, second, direction);
    }
    x += partText + "</partstitches>\n<backstitches>\n";
    for (const ForeignChart::Line& l : chart.lines)
        x += "<backstitch x1=\"" + decimal(l.x1) + "\" y1=\"" + decimal(l.y1) + "\" x2=\"" + decimal(l.x2) + "\" y2=\"" +
             decimal(l.y2) + textf("\" palindex=\"%d\"/>\n", l.thread + 1);
    x += "</backstitches>\n";
    // A knot at a grid point goes to the cell below and right of it (the last row's or
    // column's cell on the far edges).
    int moved = 0;
    for (const ForeignChart::Node& n : chart.nodes) {
        const double fx = std::floor(n.x), fy = std::floor(n.y);
        if (fx == n.x && fy == n.y)
            ++moved;
        const double cx = std::clamp(fx, 0.0, static_cast<double>(chart.width - 1));
        const double cy = std::clamp(fy, 0.0, static_cast<double>(chart.height - 1));
        object(cx + 0.5, cy + 0.5, n.thread, n.bead ? "bead" : "knot");
    }
    chart.note(moved, UI_TEXT_NOOP("%d个位于格角的法式结或珠子放进了右下方的格子"));
    x += objects + "</ornaments_inc_knots_and_beads>\n</chart>\n";
    return x;
}

// "OXS绣图..." in the OXS import's refusals names the format the chart came in.
std::string renamed(std::string message, ChartFormat format)
{
    const std::string oxs = "OXS";
    if (const std::size_t at = message.find(oxs); at != std::string::npos)
        message.replace(at, oxs.size(), chartFormatName(format));
    return message;
}

}  // namespace

void ForeignChart::resize(int w, int h)
{
    width = w;
    height = h;
    cells.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), -1);
}

std::int32_t* ForeignChart::cell(int x, int y)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return nullptr;
    return &cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
}

void ForeignChart::note(int count, const char* pattern)
{
    if (count > 0)
        changes.push_back(textf(uiText(pattern).c_str(), count));
}

ChartFormat sniffChartFormat(std::span<const std::uint8_t> bytes)
{
    auto startsWith = [&](const char* text, std::size_t n) {
        return bytes.size() >= n && std::memcmp(bytes.data(), text, n) == 0;
    };
    if (startsWith("PCStitch 5 Pattern File", 23) || startsWith("PCStitch 6 Pattern File", 23) ||
        startsWith("PCStitch 7 Pattern File", 23))
        return ChartFormat::PcStitch;
    if (startsWith("KXStitchDoc", 11) ||
        startsWith("\x00\x00\x00\x10\x00K\x00X\x00S\x00t\x00i\x00t\x00""c\x00h", 20))
        return ChartFormat::KXStitch;
    if (bytes.size() >= 2 && bytes[0] == 0x10 && bytes[1] == 0x05)
        return ChartFormat::PatternMaker;
    // XML: after a byte-order mark and blanks, "<", and a chart element near the start.
    std::size_t i = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    if (i < bytes.size() && bytes[i] == '<') {
        const std::size_t n = std::min<std::size_t>(bytes.size(), 4096);
        const std::string head(reinterpret_cast<const char*>(bytes.data()), n);
        if (head.find("<chart") != std::string::npos)
            return ChartFormat::Oxs;
    }
    return ChartFormat::Unknown;
}

const char* chartFormatName(ChartFormat format)
{
    switch (format) {
    case ChartFormat::Oxs: return "OXS";
    case ChartFormat::PatternMaker: return "Pattern Maker";
    case ChartFormat::PcStitch: return "PCStitch";
    case ChartFormat::KXStitch: return "KXStitch";
    case ChartFormat::Unknown: break;
    }
    return "";
}

std::string ourBrandName(const std::string& foreign)
{
    const std::string u = upper(trimmed(foreign));
    if (u == "DMC")
        return "DMC";
    if (u == "ANCHOR")
        return "ANCHOR";
    if (u == "J&P COATS" || u == "COATS" || u == "J&P" || u == "COATES")
        return "J&P";
    if (u == "MADEIRA")
        return "MADEIRA";
    if (u == "LECIEN COSMO" || u == "COSMO")
        return "COSMO";
    return trimmed(foreign);
}

std::string latin1ToGbk(std::string_view latin1)
{
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 && c != '\n' && c != '\t') {
            utf8 += ' ';
        } else if (c < 0x80) {
            utf8 += ch;
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8ToGbk(utf8);
}

ChartImport importForeignChart(ForeignChart chart, const PaletteStore& palettes)
{
    ChartImport result;
    result.format = chart.format;
    result.title = chart.title;
    if (chart.width < 1 || chart.height < 1 || chart.width > kMaxOxsSide || chart.height > kMaxOxsSide) {
        result.error = textf(uiText("绣图的宽高不正确(只能是1到%d)").c_str(), kMaxOxsSide);
        return result;
    }
    PaletteCache cache(palettes);
    settleThreads(chart, cache);
    const std::string xml = asOxs(chart);
    OxsImport oxs = readOxs(xml, palettes);
    result.assumptions = std::move(chart.assumptions);
    if (!oxs.pattern) {
        result.error = renamed(oxs.error, chart.format);
        return result;
    }
    result.pattern = std::move(oxs.pattern);
    result.brand = oxs.brand;
    result.byNumber = oxs.byNumber;
    result.byColour = oxs.byColour;
    result.changes = std::move(chart.changes);
    result.changes.insert(result.changes.end(), oxs.changes.begin(), oxs.changes.end());
    return result;
}

ChartImport importChartBytes(std::span<const std::uint8_t> bytes, const PaletteStore& palettes)
{
    ChartImport result;
    result.format = sniffChartFormat(bytes);
    std::optional<ForeignChart> chart;
    std::string error;
    switch (result.format) {
    case ChartFormat::Unknown:
        result.error = uiText("不能识别的绣图文件,不能导入");
        return result;
    case ChartFormat::Oxs: {
        OxsImport oxs = readOxs(std::string(bytes.begin(), bytes.end()), palettes);
        result.error = oxs.error;
        result.pattern = std::move(oxs.pattern);
        result.brand = oxs.brand;
        result.byNumber = oxs.byNumber;
        result.byColour = oxs.byColour;
        result.changes = std::move(oxs.changes);
        return result;
    }
    case ChartFormat::PatternMaker: chart = readPatternMakerChart(bytes, error); break;
    case ChartFormat::PcStitch: chart = readPcStitchChart(bytes, error); break;
    case ChartFormat::KXStitch: chart = readKXStitchChart(bytes, error); break;
    }
    if (!chart) {
        result.error = error;
        return result;
    }
    return importForeignChart(std::move(*chart), palettes);
}

ChartImport importChartFile(const std::string& path, const PaletteStore& palettes)
{
    ChartImport result;
    std::vector<std::uint8_t> bytes;
    if (pathKind(path) != PathKind::RegularFile || !readWholeFile(path, bytes)) {
        result.error = uiText("打不开文件 ") + utf8ToGbk(path);
        return result;
    }
    if (bytes.size() > kMaxForeignChartBytes) {
        result.error = uiText("绣图文件太大,不能导入");
        return result;
    }
    return importChartBytes(bytes, palettes);
}

std::string chartImportSummary(const ChartImport& result)
{
    std::string text = textf(uiText("%s绣图导入完毕:%d种绣线按线号匹配%s色库,%d种按最接近的颜色匹配").c_str(), chartFormatName(result.format),
                              result.byNumber, result.brand.c_str(), result.byColour);
    for (const std::string& change : result.changes)
        text += "\n" + change;
    if (!result.assumptions.empty()) {
        text += uiText("\n格式说明未写明、按推测读取的内容:");
        for (const std::string& a : result.assumptions)
            text += "\n" + a;
    }
    return text;
}

}  // namespace brenmark
