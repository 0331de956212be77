#include "cli/cli.h"

#include "cli/cli_support.h"
#include "cli/json_writer.h"
#include "interchange/file_bytes.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"
#include "editor/document/program_directory.h"
#include "editor/document/program_folders.h"
#include "editor/document/symbol_charset.h"
#include "interchange/code_page.h"

#include <charconv>
#include <new>
#include <optional>
#include <string>

namespace brenmark {
namespace {

using cli::Args;
using cli::StderrMessages;
using cli::UsageError;
using cli::pathProblem;
using cli::programDirFrom;

constexpr const char* kUsage =
    "usage:\n"
    "  brenmark-cli info FILE [--plain] [--no-cells] [--program-dir DIR]\n"
    "  brenmark-cli new --brand B --width W --height H [--program-dir DIR] -o FILE\n"
    "  brenmark-cli brands [--program-dir DIR]\n"
    "  brenmark-cli resave IN OUT\n"
    "  brenmark-cli palette BRAND [--program-dir DIR]\n"
    "  brenmark-cli convert PICTURE --brand B --width W --height H [--match rgb|lab]\n"
    "                      [--dither none|fs|ordered] [--max-threads N] [--confetti 0..10] [--min-stitches N]\n"
    "                      [--ignore-colour #RRGGBB[/TOL]|border[/TOL]] [--crop X,Y,W,H] [--report]\n"
    "                      [--program-dir DIR] -o OUT.xiu\n"
    "  brenmark-cli photo GIF --brand B --width W --height H [same options as convert] -o OUT.xiu\n"
    "  brenmark-cli stats FILE [--fabric 14CT] [--strands 2] [--by-usage] [--program-dir DIR]\n"
    "  brenmark-cli colours IN OUT (--to-brand B | --reduce K | --subtract NUMBER | --replace OLD=NEW |\n"
    "                      --clean-confetti STRENGTH)\n"
    "                      [--program-dir DIR]\n"
    "  brenmark-cli oxs-import IN.oxs [--program-dir DIR] -o OUT.xiu\n"
    "  brenmark-cli oxs-export IN.xiu [--program-dir DIR] -o OUT.oxs\n"
    "  brenmark-cli import FILE [--program-dir DIR] -o OUT.xiu\n"
    "  brenmark-cli palette-import FILE [--brand B] [--replace] [--program-dir DIR]\n"
    "  (new, convert, photo and the imports also take --clear-symbols: the chart symbol font's symbols)\n"
    "  brenmark-cli export FILE --format bmp|jpg|png|emf|svg|pdf|sim [--pages] [--bw] [--coloured-symbols]\n"
    "                      [--cell-mm MM] [--paper A4|LETTER|WxHmm] [--dpi 96|150|300] [--overlap 0-5]\n"
    "                      [--english-key] [--chart-app] [--program-dir DIR] -o OUT\n"
    "  brenmark-cli scramble PATH\n"
    "  brenmark-cli netcall URL CLASS FUNCTION PARAMS\n"
    "  brenmark-cli checkin [--program-dir DIR]\n"
    "  brenmark-cli des [--decrypt] KEYHEX DATAHEX\n"
    "  brenmark-cli plugins [--program-dir DIR]\n"
    "  brenmark-cli threadmap MAP.x2x --name NEW [--program-dir DIR]\n";

// Largest pattern the command line creates: the editor's grids hold 4 bytes a cell per layer.
constexpr long kMaxCells = 100'000'000;

// A size given but unusable; the message says what is wrong with it.
struct SizeError {
    std::string message;
};

// A pattern side: a whole number from 1 up (files hold any positive size); more than
// kMaxCells could never fit the cell limit.
int parseSize(const std::string& name, const std::optional<std::string>& text)
{
    if (!text)
        throw UsageError{};
    long long v = 0;
    const char* end = text->data() + text->size();
    const auto r = std::from_chars(text->data(), end, v);
    if (r.ptr != end || r.ec == std::errc::invalid_argument)
        throw SizeError{name + " must be a whole number, not \"" + *text + "\""};
    if (r.ec == std::errc::result_out_of_range)
        v = text->front() == '-' ? 0 : kMaxCells + 1;
    if (v < 1)
        throw SizeError{name + " must be at least 1"};
    if (v > kMaxCells)
        throw SizeError{name + " may be at most " + std::to_string(kMaxCells)};
    return static_cast<int>(v);
}

void writeThreads(JsonWriter& json, const std::vector<ColorRef>& colors, const std::vector<std::string>& numbers)
{
    json.beginArray();
    for (std::size_t i = 0; i < colors.size(); ++i)
        json.beginObject().key("number").value(gbkToUtf8(numbers[i])).key("color").value(hexColor(colors[i])).endObject();
    json.endArray();
}

void writeDocument(JsonWriter& json, const PatternDocument& doc, const PatternReadOutcome& outcome, bool cells)
{
    json.beginObject();
    json.key("result").value(static_cast<int>(outcome.result));
    json.key("version").value(outcome.version);
    json.key("width").value(doc.width());
    json.key("height").value(doc.height());
    json.key("brand").value(gbkToUtf8(doc.brand));
    json.key("fabric").value(hexColor(doc.fabric));
    json.key("threads");
    writeThreads(json, doc.threads.colors, doc.threads.numbers);
    json.key("distinct");
    writeThreads(json, doc.distinct.colors, doc.distinct.numbers);
    json.key("symbols").beginArray();
    for (std::size_t i = 0; i < doc.threads.colors.size() && i < doc.symbols.size(); ++i)
        json.value(gbkToUtf8(doc.symbols[i].symbol));
    json.endArray();
    if (cells)
        json.key("cells").intArray(doc.grid.cells.data(), doc.grid.cells.size());
    json.key("lines").beginArray();
    for (const BackstitchLine& line : doc.lines) {
        json.beginObject();
        json.key("thread").value(gbkToUtf8(line.thread));
        json.key("color").value(hexColor(line.color));
        json.key("selected").value(line.selected != 0);
        json.key("start").beginArray().value(line.startColumn).value(line.startRow).value(line.startCorner).endArray();
        json.key("end").beginArray().value(line.endColumn).value(line.endRow).value(line.endCorner).endArray();
        json.endObject();
    }
    json.endArray();
    json.key("marks").beginArray();
    for (const StitchMark& m : doc.marks)
        json.beginObject().key("kind").value(m.kind).key("col").value(m.column).key("row").value(m.row).endObject();
    json.endArray();
    json.key("layers").beginArray();
    for (const PatternLayer& layer : doc.layers.layers) {
        json.beginObject();
        json.key("name").value(gbkToUtf8(layer.name));
        json.key("linked").value(layer.linked);
        json.key("drawable").value(layer.drawable);
        json.key("visible").value(layer.visible);
        if (cells)
            {
            const std::vector<std::int32_t> values = layer.cells.toVector();
            json.key("cells").intArray(values.data(), values.size());
        }
        json.key("lines").value(static_cast<std::int64_t>(layer.lines.size()));
        json.key("marks").value(static_cast<std::int64_t>(layer.marks.size()));
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

int info(Args& args, std::ostream& out, std::ostream& err)
{
    const bool plain = args.flag("--plain");
    const bool noCells = args.flag("--no-cells");
    const PaletteStore palettes = PaletteStore::forProgram(programDirFrom(args));
    const std::string path = args.operands(1)[0];
    StderrMessages messages(err);
    PatternDocument doc;
    const PatternReadOutcome outcome =
        loadPattern(path, plain ? LoadMode::Plain : LoadMode::Library, doc, {&palettes, &messages, nullptr});
    if (outcome.result == LoadResult::Failed) {
        err << "brenmark-cli: cannot open " << path << pathProblem(path) << '\n';
        return 1;
    }
    JsonWriter json(out);
    writeDocument(json, doc, outcome, !noCells);
    out << '\n';
    return 0;
}

int create(Args& args, std::ostream& err)
{
    const auto brand = args.option("--brand");
    const auto widthText = args.option("--width");
    const auto heightText = args.option("--height");
    const auto path = args.option("-o");
    const PaletteStore palettes = PaletteStore::forProgram(programDirFrom(args));
    args.operands(0);
    if (!brand || !path || brand->empty() || !widthText || !heightText)
        throw UsageError{};
    // The same brands the editor's new-pattern dialog offers: those with a palette.
    if (brandIndex(palettes.threadKindList(), utf8ToGbk(*brand)) < 0) {
        err << "brenmark-cli: no palette for the brand " << *brand << " (see brenmark-cli brands)\n";
        return 2;
    }
    int width = 0, height = 0;
    try {
        width = parseSize("width", widthText);
        height = parseSize("height", heightText);
    } catch (const SizeError& e) {
        err << "brenmark-cli: " << e.message << '\n';
        return 2;
    }
    if (static_cast<long long>(width) * height > kMaxCells) {
        err << "brenmark-cli: a pattern may have at most " << kMaxCells << " cells\n";
        return 2;
    }
    PatternDocument doc;
    doc.create(width, height, utf8ToGbk(*brand));
    if (!savePattern(*path, doc)) {
        err << "brenmark-cli: cannot write " << *path << '\n';
        return 1;
    }
    return 0;
}

int resave(Args& args, std::ostream& err)
{
    const auto files = args.operands(2);
    const PaletteStore palettes = PaletteStore::forProgram(programFolders().shipped);
    StderrMessages messages(err);
    PatternDocument doc;
    if (loadPattern(files[0], LoadMode::Library, doc, {&palettes, &messages, nullptr}).result == LoadResult::Failed) {
        err << "brenmark-cli: cannot open " << files[0] << pathProblem(files[0]) << '\n';
        return 1;
    }
    if (!savePattern(files[1], doc)) {
        err << "brenmark-cli: cannot write " << files[1] << '\n';
        return 1;
    }
    return 0;
}

// The program's one brand list, as every dialog shows it.
int brands(Args& args, std::ostream& out)
{
    const PaletteStore palettes = PaletteStore::forProgram(programDirFrom(args));
    args.operands(0);
    JsonWriter json(out);
    json.beginArray();
    for (const std::string& brand : palettes.threadKindList())
        json.value(gbkToUtf8(brand));
    json.endArray();
    out << '\n';
    return 0;
}

int palette(Args& args, std::ostream& out, std::ostream& err)
{
    const PaletteStore palettes = PaletteStore::forProgram(programDirFrom(args));
    const std::string brand = utf8ToGbk(args.operands(1)[0]);
    Palette p;
    if (!palettes.load(brand, p)) {
        err << "brenmark-cli: cannot read " << gbkToUtf8(palettes.palettePath(brand)) << '\n';
        return 1;
    }
    JsonWriter json(out);
    writeThreads(json, p.colors, p.numbers);
    out << '\n';
    return 0;
}

}  // namespace

int runCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err)
{
    try {
        if (argv.empty())
            throw UsageError{};
        Args args(argv);
        const std::string& command = argv[0];
        // Patterns this command makes (new, convert, photo, imports) take the chart symbol
        // font's symbols, for this command only.
        const bool before = clearSymbolsForNewPatterns();
        struct PutBack {
            bool value;
            ~PutBack() { setClearSymbolsForNewPatterns(value); }
        } putBack{before};
        if (args.flag("--clear-symbols"))
            setClearSymbolsForNewPatterns(true);
        if (command == "info")
            return info(args, out, err);
        if (command == "new")
            return create(args, err);
        if (command == "resave")
            return resave(args, err);
        if (command == "brands")
            return brands(args, out);
        if (command == "palette")
            return palette(args, out, err);
        if (command == "convert")
            return cli::convert(args, out, err);
        if (command == "photo")
            return cli::photo(args, out, err);
        if (command == "stats")
            return cli::stats(args, out, err);
        if (command == "colours")
            return cli::colours(args, err);
        if (command == "oxs-import")
            return cli::oxsImport(args, out, err);
        if (command == "oxs-export")
            return cli::oxsExport(args, out, err);
        if (command == "import")
            return cli::importChart(args, out, err);
        if (command == "palette-import")
            return cli::importPalette(args, out, err);
        if (command == "export")
            return cli::exportChart(args, out, err);
        if (command == "plugins")
            return cli::plugins(args, out);
        if (command == "threadmap")
            return cli::threadmap(args, err);
        if (command == "scramble")
            return cli::scramble(args, out);
        if (command == "netcall")
            return cli::netcall(args, out);
        if (command == "checkin")
            return cli::checkin(args, out, err);
        if (command == "des")
            return cli::des(args, out, err);
        if (command == "--help" || command == "-h") {
            out << kUsage;
            return 0;
        }
        throw UsageError{};
    } catch (const UsageError&) {
        err << kUsage;
        return 2;
    } catch (const std::bad_alloc&) {
        // A file or an output bigger than memory: the command stops, nothing half-written.
        err << "brenmark-cli: not enough memory for this file\n";
        return 1;
    }
}

}  // namespace brenmark
