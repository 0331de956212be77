#pragma once
// Charts from other cross-stitch programs. Each reader turns its file into a ForeignChart
// (cells, part stitches, lines, knots, the palette with brand and number); importForeignChart
// then hands the chart to the OXS import as OXS text, so every format gets the same thread
// matching (brand and number first, then the nearest colour), the same limits and the same
// report, and a chart that cannot be read whole gives no pattern at all.
#include "editor/document/palette_file.h"
#include "editor/document/pattern_document.h"
#include "interchange/ui_text.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brenmark {

inline constexpr const char* kForeignImportCaption = UI_TEXT_NOOP("导入其他软件的绣图");
inline constexpr const char* kForeignImportFilter =
    UI_TEXT_NOOP("其他软件的绣图 (.xsd;.pat;.kxs;.oxs)|*.xsd;*.pat;*.kxs;*.oxs|所有文件 (*.*)|*.*|");

// Files above this are refused unread.
inline constexpr std::size_t kMaxForeignChartBytes = 256u << 20;

enum class ChartFormat { Unknown, Oxs, PatternMaker, PcStitch, KXStitch };

// The format by the file's first bytes, never by its name.
ChartFormat sniffChartFormat(std::span<const std::uint8_t> bytes);
// "Pattern Maker", "PCStitch", "KXStitch", "OXS".
const char* chartFormatName(ChartFormat format);

struct ForeignThread {
    std::string brand;   // GBK; our brand names ("DMC", "ANCHOR", "J&P") where the file's brand is one of ours
    std::string number;  // GBK
    ColorRef colour = 0;
    // A blend: the threads twisted together (the chart keeps the one nearer to the colour).
    std::vector<ForeignThread> blend;
};

// Part stitches and the smaller marks of one cell.
enum class PartStitch {
    HalfForward,   // "/"
    HalfBackward,  // "\"
    QuarterTopLeft,
    QuarterTopRight,
    QuarterBottomLeft,
    QuarterBottomRight,
    ThreeQuarterTopLeft,      // "/" with the top-left quarter
    ThreeQuarterTopRight,     // "\" with the top-right quarter
    ThreeQuarterBottomLeft,   // "\" with the bottom-left quarter
    ThreeQuarterBottomRight,  // "/" with the bottom-right quarter
    Petite,
};

struct ForeignChart {
    ChartFormat format = ChartFormat::Unknown;
    std::string title;  // GBK
    int width = 0, height = 0;
    ColorRef fabric = kWhite;
    std::vector<ForeignThread> threads;
    std::vector<std::int32_t> cells;  // full stitches: thread index per cell, -1 none; width x height, row-major
    struct Part {
        int x = 0, y = 0;
        PartStitch kind = PartStitch::HalfForward;
        int thread = 0;
    };
    std::vector<Part> parts;
    struct Line {  // grid points, in cells (0..width, 0..height; halves where the file has them)
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        int thread = 0;
    };
    std::vector<Line> lines;
    struct Node {  // a knot or bead at a point, in cells
        double x = 0, y = 0;
        int thread = 0;
        bool bead = false;
    };
    std::vector<Node> nodes;
    // What the reader already knows the chart cannot keep, one GBK line each ("3个特殊针迹未导入").
    std::vector<std::string> changes;
    // What the format's public description leaves open and this reader assumed, one GBK line each.
    std::vector<std::string> assumptions;

    // A fresh chart of the given size, every cell empty. Sides are checked by the caller.
    void resize(int w, int h);
    std::int32_t* cell(int x, int y);
    // Counts a change when the count is above zero; the pattern has one "%d".
    void note(int count, const char* pattern);
};

struct ChartImport {
    ChartFormat format = ChartFormat::Unknown;
    std::optional<PatternDocument> pattern;  // nothing on a refusal
    std::string error;                       // GBK, the refusal's message
    std::string title;                       // GBK, the chart's own title when it has one
    std::string brand;                       // the brand the threads were matched to
    int byNumber = 0;                        // threads matched by brand and number
    int byColour = 0;                        // matched by nearest colour
    std::vector<std::string> changes;        // GBK, what the chart could not take, with counts
    std::vector<std::string> assumptions;    // GBK, what the format's description leaves open
};

// Our brand for a brand name another program writes ("Anchor" -> "ANCHOR", "J&P Coats" ->
// "J&P"); other names come back as they are.
std::string ourBrandName(const std::string& foreign);

// The chart through the OXS import. Blends become the one of their threads whose colour is
// nearer to the blend's, and thread numbers another spelling of which the brand's palette
// has ("White" for "BLANC", "5200" for "B5200") are spelled the palette's way first.
ChartImport importForeignChart(ForeignChart chart, const PaletteStore& palettes);

// Any chart file: the reader chosen by the content.
ChartImport importChartBytes(std::span<const std::uint8_t> bytes, const PaletteStore& palettes);
ChartImport importChartFile(const std::string& path, const PaletteStore& palettes);

// The message the editor shows after an import.
std::string chartImportSummary(const ChartImport& result);

// Our brand for Pattern Maker's brand number: "DMC", "ANCHOR", "MADEIRA", "J&P", "COSMO";
// none for its generic colours, blends and the user's own threads; "PM<n>" for the rest.
std::string patternMakerBrand(unsigned id);

// Latin-1 text (the older programs' own) as GBK; what GBK lacks becomes "?".
std::string latin1ToGbk(std::string_view latin1);

// The readers. Each checks every size against what the file holds before allocating and
// returns nothing with error set (GBK) when the file cannot be read whole.
std::optional<ForeignChart> readPatternMakerChart(std::span<const std::uint8_t> bytes, std::string& error);
std::optional<ForeignChart> readPcStitchChart(std::span<const std::uint8_t> bytes, std::string& error);
std::optional<ForeignChart> readKXStitchChart(std::span<const std::uint8_t> bytes, std::string& error);

}  // namespace brenmark
