// brenmark-cli oxs-import and oxs-export: charts exchanged with other cross-stitch programs,
// as the editor's "导入OXS绣图" and "导出OXS绣图" make them. A refusal writes nothing.
#include "cli/cli_support.h"
#include "editor/document/fabric_colors.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"
#include "editor/output/oxs_file.h"
#include "interchange/code_page.h"

namespace brenmark::cli {

int oxsImport(Args& args, std::ostream& out, std::ostream& err)
{
    const auto target = args.option("-o");
    const std::string dir = programDirFrom(args);
    const std::string path = args.operands(1)[0];
    if (!target)
        throw UsageError{};
    const PaletteStore palettes = PaletteStore::forProgram(dir);
    OxsImport result = loadOxs(path, palettes);
    if (!result.pattern) {
        err << "brenmark-cli: " << gbkToUtf8(result.error) << '\n';
        return 1;
    }
    if (!savePattern(*target, *result.pattern)) {
        err << "brenmark-cli: cannot write " << *target << '\n';
        return 1;
    }
    out << gbkToUtf8(oxsImportSummary(result)) << '\n';
    return 0;
}

int oxsExport(Args& args, std::ostream& out, std::ostream& err)
{
    const auto target = args.option("-o");
    const std::string dir = programDirFrom(args);
    const std::string path = args.operands(1)[0];
    if (!target)
        throw UsageError{};
    const PaletteStore palettes = PaletteStore::forProgram(dir);
    StderrMessages messages(err);
    PatternDocument doc;
    if (loadPattern(path, LoadMode::Library, doc, {&palettes, &messages, nullptr}).result == LoadResult::Failed) {
        err << "brenmark-cli: cannot open " << path << pathProblem(path) << '\n';
        return 1;
    }
    Palette dmc;
    std::optional<FabricName> fabric;
    if (palettes.load("DMC", dmc))
        fabric = nameFabricColor(doc.fabric, dmc);
    std::vector<std::string> dropped;
    std::string error;
    if (!saveOxs(doc, *target, fabric, &dropped, &error, loadThreadNames(palettes, doc.brand))) {
        err << "brenmark-cli: " << gbkToUtf8(error) << '\n';
        return 1;
    }
    out << gbkToUtf8(oxsExportSummary(dropped)) << '\n';
    return 0;
}

}  // namespace brenmark::cli
