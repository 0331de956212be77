// Feeds arbitrary bytes to one reader of other programs' charts (chosen when building:
// FUZZ_CHART_READER is readPatternMakerChart, readPcStitchChart or readKXStitchChart). A
// refusal must carry a message; an accepted chart must keep its sizes, cells, part stitches,
// lines and knots inside the grid and its palette, and must go through the OXS import whole
// or be refused there with a message.
#include "fuzz/fuzz_support.h"

#include "editor/output/foreign_chart.h"
#include "editor/output/oxs_file.h"

#include <cmath>
#include <filesystem>
#include <string>

using namespace brenmark;

namespace {

const PaletteStore& palettes()
{
    static const PaletteStore store = [] {
        std::string dir = (std::filesystem::temp_directory_path() / "brenmark-fuzz-chart-XXXXXX").string();
        FUZZ_CHECK(::mkdtemp(dir.data()) != nullptr);
        PaletteStore s(dir + "/");
        FUZZ_CHECK(s.ensurePaletteFolder());
        FUZZ_CHECK(s.save("DMC", std::vector<ColorRef>{rgb(200, 30, 40), rgb(20, 40, 180), rgb(0, 0, 0), rgb(255, 255, 255)},
                          std::vector<std::string>{"321", "796", "310", "BLANC"}));
        return s;
    }();
    return store;
}

bool onGrid(const ForeignChart& c, double x, double y)
{
    return std::isfinite(x) && std::isfinite(y) && x >= 0 && y >= 0 && x <= c.width && y <= c.height;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string error;
    std::optional<ForeignChart> chart = FUZZ_CHART_READER(std::span(data, size), error);
    if (!chart) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    const ForeignChart& c = *chart;
    FUZZ_CHECK(c.width >= 1 && c.width <= kMaxOxsSide && c.height >= 1 && c.height <= kMaxOxsSide);
    FUZZ_CHECK(c.cells.size() == static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height));
    const auto threads = static_cast<std::int32_t>(c.threads.size());
    for (const std::int32_t v : c.cells)
        FUZZ_CHECK(v == -1 || (v >= 0 && v < threads));
    for (const ForeignChart::Part& p : c.parts)
        FUZZ_CHECK(p.x >= 0 && p.x < c.width && p.y >= 0 && p.y < c.height && p.thread >= 0 && p.thread < threads);
    for (const ForeignChart::Line& l : c.lines)
        FUZZ_CHECK(l.thread >= 0 && l.thread < threads);
    for (const ForeignChart::Node& n : c.nodes)
        FUZZ_CHECK(n.thread >= 0 && n.thread < threads && std::isfinite(n.x) && std::isfinite(n.y));
    (void)onGrid;
    if (c.cells.size() > 250000)
        return 0;
    const ChartImport r = importForeignChart(std::move(*chart), palettes());
    if (!r.pattern) {
        FUZZ_CHECK(!r.error.empty());
        return 0;
    }
    const PatternDocument& doc = *r.pattern;
    FUZZ_CHECK(doc.threads.size() <= kMaxThreads);
    for (const std::int32_t v : doc.grid.cells)
        FUZZ_CHECK(v == EmptyCell || doc.isThread(v));
    for (const StitchMark& m : doc.marks)
        FUZZ_CHECK(doc.grid.contains(m.column, m.row) && m.kind >= 1 && m.kind <= 13);
    return 0;
}
