// Feeds arbitrary text to the OXS reader. A refusal must carry a message and no pattern; an
// accepted chart must stay inside its limits, and writing it out and reading it again must
// give the same cells.
#include "fuzz/fuzz_support.h"

#include "editor/output/oxs_file.h"

#include <filesystem>
#include <string>

using namespace brenmark;

namespace {

const PaletteStore& palettes()
{
    static const PaletteStore store = [] {
        std::string dir = (std::filesystem::temp_directory_path() / "brenmark-fuzz-oxs-XXXXXX").string();
        FUZZ_CHECK(::mkdtemp(dir.data()) != nullptr);
        PaletteStore s(dir + "/");
        FUZZ_CHECK(s.ensurePaletteFolder());
        FUZZ_CHECK(s.save("DMC", std::vector<ColorRef>{rgb(200, 30, 40), rgb(20, 40, 180), rgb(0, 0, 0)},
                          std::vector<std::string>{"321", "796", "310"}));
        return s;
    }();
    return store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const OxsImport r = readOxs(text, palettes());
    if (!r.pattern) {
        FUZZ_CHECK(!r.error.empty());
        return 0;
    }
    const PatternDocument& doc = *r.pattern;
    FUZZ_CHECK(doc.width() >= 1 && doc.width() <= kMaxOxsSide && doc.height() >= 1 && doc.height() <= kMaxOxsSide);
    FUZZ_CHECK(doc.threads.size() <= kMaxThreads);
    for (const std::int32_t v : doc.grid.cells)
        FUZZ_CHECK(v == EmptyCell || doc.isThread(v));
    for (const StitchMark& m : doc.marks)
        FUZZ_CHECK(doc.grid.contains(m.column, m.row) && m.kind >= 1 && m.kind <= 13);
    if (doc.grid.cells.size() > 250000)
        return 0;
    const OxsImport again = readOxs(writeOxs(doc, "x").xml, palettes());
    FUZZ_CHECK(again.pattern.has_value());
    FUZZ_CHECK(again.pattern->grid.cells.vector() == doc.grid.cells.vector());
    return 0;
}
