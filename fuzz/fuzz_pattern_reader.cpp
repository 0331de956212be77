// Feeds arbitrary bytes to the pattern reader in each load mode. The reader must refuse what
// it cannot read with at most one message and without touching memory it does not own; what
// it accepts must survive a save and a second load unchanged.
#include "fuzz/fuzz_support.h"

#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace brenmark;
using brenmark::fuzz::CheckingProgress;
using brenmark::fuzz::CountingMessages;

namespace {

// A program folder of our own with small working palettes, so library mode has colours to
// refresh from. Removed when the fuzzer exits.
class PaletteFolder {
public:
    PaletteFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "brenmark-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        dir_ = pattern + "/";
        store_ = std::make_unique<PaletteStore>(dir_);
        const std::vector<std::string> dmcNumbers = {"310", "321", "816", "B5200", "3865", "ecru", "1234567890", "\xB0\xD7"};
        const std::vector<ColorRef> dmcColors = {rgb(0, 0, 0),     rgb(199, 43, 59), rgb(151, 11, 35),  rgb(255, 255, 255),
                                                 rgb(250, 246, 240), rgb(240, 234, 218), rgb(1, 2, 3), rgb(9, 9, 9)};
        const std::vector<std::string> anchorNumbers = {"1", "403", "310"};
        const std::vector<ColorRef> anchorColors = {rgb(255, 255, 255), rgb(0, 0, 0), rgb(7, 7, 7)};
        if (!store_->save("DMC", dmcColors, dmcNumbers) || !store_->save("ANCHOR", anchorColors, anchorNumbers))
            std::abort();
    }
    ~PaletteFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const PaletteStore& store() const { return *store_; }

private:
    std::string dir_;
    std::unique_ptr<PaletteStore> store_;
};

const PaletteFolder& paletteFolder()
{
    static const PaletteFolder folder;
    return folder;
}

// Every text field is written with its terminator, so what the reader keeps of one must fit
// in the field less a byte, and come back as it was.
void checkText(const std::string& first, const std::string& again, std::size_t field)
{
    FUZZ_CHECK(first.size() < field);
    FUZZ_CHECK(again == first);
}

void checkLines(const std::vector<BackstitchLine>& first, const std::vector<BackstitchLine>& again)
{
    FUZZ_CHECK(first.size() == again.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        BackstitchLine a = first[i];
        const BackstitchLine& b = again[i];
        FUZZ_CHECK(b.selected == 0);
        checkText(a.thread, b.thread, kLineThreadField);
        a.selected = 0;
        a.thread = b.thread;
        FUZZ_CHECK(a == b);
    }
}

void checkThreadNumbers(const std::vector<std::string>& first, const std::vector<std::string>& again)
{
    FUZZ_CHECK(first.size() == again.size());
    for (std::size_t i = 0; i < first.size(); ++i)
        checkText(first[i], again[i], kThreadNumberField);
}

void checkSame(const PatternDocument& a, const PatternDocument& b, [[maybe_unused]] bool layered)
{
    checkText(a.brand, b.brand, kBrandField);

    FUZZ_CHECK(a.threads.colors == b.threads.colors);
    checkThreadNumbers(a.threads.numbers, b.threads.numbers);
    FUZZ_CHECK(a.grid.colorValues == b.grid.colorValues);

    FUZZ_CHECK(a.grid.width == b.grid.width);
    FUZZ_CHECK(a.grid.height == b.grid.height);
    FUZZ_CHECK(a.grid.cells == b.grid.cells);
    FUZZ_CHECK(a.grid.cells.size() ==
               static_cast<std::size_t>(a.grid.width) * static_cast<std::size_t>(a.grid.height));

    checkLines(a.lines, b.lines);
    FUZZ_CHECK(a.marks == b.marks);
    for (const StitchMark& m : a.marks)
        FUZZ_CHECK(a.grid.contains(m.column, m.row));

    for (std::size_t i = 0; i < a.symbols.size(); ++i) {
        FUZZ_CHECK(a.symbols[i].color == b.symbols[i].color);
        checkText(a.symbols[i].symbol, b.symbols[i].symbol, kSymbolTextField);
    }
    FUZZ_CHECK(a.fabric == b.fabric);

    FUZZ_CHECK(a.layers.size() == b.layers.size());
    FUZZ_CHECK(a.layers.size() <= kMaxLayers);
    for (int k = 0; k < a.layers.size(); ++k) {
        const PatternLayer& la = a.layers[k];
        const PatternLayer& lb = b.layers[k];
        checkText(la.name, lb.name, kLayerNameField);
        FUZZ_CHECK(la.linked == lb.linked);
        FUZZ_CHECK(la.drawable == lb.drawable);
        FUZZ_CHECK(la.visible == lb.visible);
        FUZZ_CHECK(la.buttonState == lb.buttonState);
        FUZZ_CHECK(la.width == lb.width && la.height == lb.height);
        FUZZ_CHECK(la.width == a.grid.width && la.height == a.grid.height);
        FUZZ_CHECK(la.cells == lb.cells);
        FUZZ_CHECK(la.cells.size() == a.grid.cells.size());
        checkLines(la.lines, lb.lines);
        FUZZ_CHECK(la.marks == lb.marks);
        FUZZ_CHECK(la.threadColors == lb.threadColors);
        checkThreadNumbers(la.threadNumbers, lb.threadNumbers);
    }
}

void tryMode(std::span<const std::uint8_t> bytes, LoadMode mode, const PaletteStore* palettes)
{
    CountingMessages messages;
    CheckingProgress progress;
    const LoadContext ctx{palettes, &messages, &progress};

    PatternDocument first;
    const PatternReadOutcome outcome = decodePattern(bytes, mode, first, ctx);
    if (outcome.result == LoadResult::Failed) {
        FUZZ_CHECK(messages.shown <= 1);
        return;
    }
    FUZZ_CHECK(messages.shown == 0);
    FUZZ_CHECK(outcome.version >= 1 && outcome.version <= kPatternFileVersion);
    FUZZ_CHECK(outcome.result == (outcome.version < kVersionLayers ? LoadResult::WithoutLayers : LoadResult::WithLayers));
    FUZZ_CHECK(first.isOpen());
    FUZZ_CHECK(first.threads.size() <= kMaxThreads);
    FUZZ_CHECK(first.threads.colors.size() == first.threads.numbers.size());

    const std::vector<std::uint8_t> encoded = encodePattern(first);
    PatternDocument again;
    const PatternReadOutcome reread = decodePattern(encoded, mode, again, ctx);
    FUZZ_CHECK(reread.result == LoadResult::WithLayers);
    FUZZ_CHECK(reread.version == kPatternFileVersion);
    FUZZ_CHECK(messages.shown == 0);
    checkSame(first, again, outcome.result == LoadResult::WithLayers);
    // Saving is a fixed point after one round.
    FUZZ_CHECK(encodePattern(again) == encoded);

    // The rest of a real load.
    first.finishLoad();
    FUZZ_CHECK(!first.layers.empty());
    FUZZ_CHECK(first.lockFlags.size() == first.threads.colors.size());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    paletteFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    tryMode(bytes, LoadMode::Library, &paletteFolder().store());
    tryMode(bytes, LoadMode::Library, nullptr);
    tryMode(bytes, LoadMode::Plain, nullptr);
    return 0;
}
