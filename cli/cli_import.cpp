// brenmark-cli import: a chart of another program (Pattern Maker, PCStitch, KXStitch, OXS),
// the reader chosen by the file's content, saved as a pattern; the report goes to standard
// output as JSON. brenmark-cli palette-import: a palette of another program (Ursa ".threads",
// Pattern Maker ".master"/".user") saved as a working palette. A refusal writes nothing.
#include "cli/cli_support.h"
#include "cli/json_writer.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"
#include "editor/output/foreign_chart.h"
#include "editor/output/palette_import.h"
#include "interchange/code_page.h"

namespace brenmark::cli {

namespace {

void writeTexts(JsonWriter& json, const std::vector<std::string>& gbk)
{
    json.beginArray();
    for (const std::string& text : gbk)
        json.value(gbkToUtf8(text));
    json.endArray();
}

}  // namespace

int importChart(Args& args, std::ostream& out, std::ostream& err)
{
    const auto target = args.option("-o");
    const std::string dir = programDirFrom(args);
    const std::string path = args.operands(1)[0];
    if (!target)
        throw UsageError{};
    const PaletteStore palettes = PaletteStore::forProgram(dir);
    const ChartImport result = importChartFile(path, palettes);
    if (!result.pattern) {
        err << "brenmark-cli: " << gbkToUtf8(result.error) << '\n';
        return 1;
    }
    if (!savePattern(*target, *result.pattern)) {
        err << "brenmark-cli: cannot write " << *target << '\n';
        return 1;
    }
    const PatternDocument& doc = *result.pattern;
    JsonWriter json(out);
    json.beginObject();
    json.key("format").value(chartFormatName(result.format));
    json.key("title").value(gbkToUtf8(result.title));
    json.key("width").value(doc.width());
    json.key("height").value(doc.height());
    json.key("brand").value(gbkToUtf8(result.brand));
    json.key("threads").value(doc.threads.size());
    json.key("byNumber").value(result.byNumber);
    json.key("byColour").value(result.byColour);
    json.key("lines").value(static_cast<int>(doc.lines.size()));
    json.key("marks").value(static_cast<int>(doc.marks.size()));
    json.key("changes");
    writeTexts(json, result.changes);
    json.key("assumptions");
    writeTexts(json, result.assumptions);
    json.key("summary").value(gbkToUtf8(chartImportSummary(result)));
    json.endObject();
    out << '\n';
    return 0;
}

int importPalette(Args& args, std::ostream& out, std::ostream& err)
{
    const bool replace = args.flag("--replace");
    const std::string brand = utf8ToGbk(args.option("--brand").value_or(""));
    const std::string dir = programDirFrom(args);
    const std::string path = args.operands(1)[0];
    const PaletteStore palettes = PaletteStore::forProgram(dir);
    const PaletteImport result = importPaletteFile(path, palettes, brand, replace);
    if (!result.palette) {
        err << "brenmark-cli: " << gbkToUtf8(result.error) << '\n';
        return 1;
    }
    JsonWriter json(out);
    json.beginObject();
    json.key("format").value(result.format);
    json.key("brand").value(gbkToUtf8(result.brand));
    json.key("threads").value(result.palette->size());
    json.key("skipped").value(result.skipped);
    json.key("path").value(palettes.palettePath(result.brand));
    json.endObject();
    out << '\n';
    return 0;
}

}  // namespace brenmark::cli
