// brenmark-cli convert, photo, stats and colours: the picture and photo imports, the
// statistics window and the colour operations of the editor, for scripts. A refusal writes
// nothing.
#include "cli/cli_support.h"
#include "cli/json_writer.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"
#include "editor/document/thread_operations.h"
#include "editor/output/colour_operations.h"
#include "editor/output/confetti_cleanup.h"
#include "editor/output/conversion_quality.h"
#include "editor/output/picture_import.h"
#include "editor/output/thread_statistics.h"
#include "interchange/code_page.h"
#include "photo/photo_panel.h"
#include "photo/photo_picture.h"

#include <algorithm>
#include <charconv>
#include <variant>

namespace brenmark::cli {

namespace {

// A whole decimal number, or nothing.
std::optional<int> wholeNumber(const std::string& text)
{
    int v = 0;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, v);
    if (text.empty() || r.ptr != end || r.ec != std::errc{})
        return std::nullopt;
    return v;
}

bool loadLibrary(const std::string& path, const PaletteStore& palettes, PatternDocument& doc, StderrMessages& messages,
                 std::ostream& err)
{
    if (loadPattern(path, LoadMode::Library, doc, {&palettes, &messages, nullptr}).result == LoadResult::Failed) {
        err << "brenmark-cli: cannot open " << path << pathProblem(path) << '\n';
        return false;
    }
    return true;
}

// The editor removes unused threads before every save; so does the command line.
bool saveAsTheEditorDoes(const std::string& path, PatternDocument& doc, std::ostream& err)
{
    deleteUnusedThreads(doc);
    if (!savePattern(path, doc)) {
        err << "brenmark-cli: cannot write " << path << '\n';
        return false;
    }
    return true;
}

// A thread for --replace: the brand's palette entry of that number, else the pattern's own.
std::optional<ThreadChoice> threadNamed(const std::string& number, const PatternDocument& doc,
                                        const PaletteStore& palettes)
{
    Palette palette;
    palettes.load(doc.brand, palette);
    if (const int at = palette.find(number); at >= 0)
        return ThreadChoice{palette.colors[static_cast<std::size_t>(at)], number};
    if (const int at = doc.findThread(number); at >= 0)
        return ThreadChoice{doc.threads.colors[static_cast<std::size_t>(at)], number};
    return std::nullopt;
}

// --match, --dither and --max-threads; nothing (after saying why) when one is unusable.
std::optional<ConversionOptions> conversionOptions(Args& args, std::ostream& err)
{
    const auto matchText = args.option("--match");
    const auto ditherText = args.option("--dither");
    const auto maxText = args.option("--max-threads");
    ConversionOptions options;
    if (matchText) {
        const auto metric = metricNamed(*matchText);
        if (!metric) {
            err << "brenmark-cli: --match is rgb or lab\n";
            return std::nullopt;
        }
        options.metric = *metric;
    }
    if (ditherText) {
        const auto dither = ditheringNamed(*ditherText);
        if (!dither) {
            err << "brenmark-cli: --dither is none, fs or ordered\n";
            return std::nullopt;
        }
        options.dither = *dither;
    }
    if (maxText) {
        const auto limit = wholeNumber(*maxText);
        if (!limit || *limit < 1 || *limit > kMaxConvertedThreads) {
            err << "brenmark-cli: --max-threads is a whole number from 1 to " << kMaxConvertedThreads << "\n";
            return std::nullopt;
        }
        options.maxThreads = *limit;
    }
    if (const auto confettiText = args.option("--confetti")) {
        const auto strength = wholeNumber(*confettiText);
        if (!strength || *strength < 0 || *strength > kMaxConfettiStrength) {
            err << "brenmark-cli: --confetti is a whole number from 0 to " << kMaxConfettiStrength << "\n";
            return std::nullopt;
        }
        options.confetti = *strength;
    }
    if (const auto minText = args.option("--min-stitches")) {
        const auto least = wholeNumber(*minText);
        if (!least || *least < 0) {
            err << "brenmark-cli: --min-stitches is a whole number from 0 up\n";
            return std::nullopt;
        }
        options.minStitches = *least;
    }
    if (const auto ignoreText = args.option("--ignore-colour")) {
        const auto rule = backgroundRuleNamed(*ignoreText);
        if (!rule) {
            err << "brenmark-cli: --ignore-colour is #RRGGBB or border, optionally followed by /TOLERANCE (0 to 100)\n";
            return std::nullopt;
        }
        options.background = *rule;
    }
    if (const auto cropText = args.option("--crop")) {
        const auto crop = cropNamed(*cropText);
        if (!crop) {
            err << "brenmark-cli: --crop is X,Y,W,H in picture pixels, W and H at least 1\n";
            return std::nullopt;
        }
        options.crop = *crop;
    }
    return options;
}

// --report: the conversion against its picture averaged over each cell, as JSON.
void writeReport(std::ostream& out, const ConversionResult& result, const std::vector<ColorRef>& reference)
{
    const ConversionQuality q = measureConversion(result, reference);
    JsonWriter json(out);
    json.beginObject();
    json.key("width").value(result.width);
    json.key("height").value(result.height);
    json.key("threads").value(q.threads);
    json.key("stitched").value(q.stitched);
    json.key("meanDeltaE").number(q.meanDeltaE, 3);
    json.key("p95DeltaE").number(q.p95DeltaE, 3);
    json.key("blurredMeanDeltaE").number(q.blurredMeanDeltaE, 3);
    json.key("confetti").number(q.confetti, 4);
    json.endObject();
    out << '\n';
}

// What convert and photo share: the options and operand, the size and the brand's palette,
// checked in that order. A refusal has said why and gives the exit status.
struct ConversionRequest {
    std::string input, out, brand;
    int width = 0, height = 0;
    ConversionOptions options;
    PaletteStore palettes{""};
    Palette palette;
};

std::variant<ConversionRequest, int> conversionRequest(Args& args, StderrMessages& messages, std::ostream& err)
{
    ConversionRequest r;
    const auto brandText = args.option("--brand");
    const auto widthText = args.option("--width");
    const auto heightText = args.option("--height");
    const auto out = args.option("-o");
    const auto options = conversionOptions(args, err);
    const std::string dir = programDirFrom(args);
    r.input = args.operands(1)[0];
    if (!options)
        return 2;
    if (!brandText || brandText->empty() || !widthText || !heightText || !out)
        throw UsageError{};
    r.out = *out;
    r.options = *options;
    // As the panel reads its edits: what is not a number is 0, and refused with the size.
    r.width = wholeNumber(*widthText).value_or(0);
    r.height = wholeNumber(*heightText).value_or(0);
    if (!acceptableSide(r.width) || !acceptableSide(r.height)) {
        messages.show(kMsgBadConvertSize, kTitleWarning, MessageIcon::Warning);
        return 1;
    }
    r.brand = utf8ToGbk(*brandText);
    r.palettes = PaletteStore::forProgram(dir);
    if (!r.palettes.load(r.brand, r.palette) || r.palette.size() == 0) {
        messages.show(paletteUnusableMessage(r.brand), kTitleInfo, MessageIcon::Information);
        return 1;
    }
    return r;
}

}  // namespace

int convert(Args& args, std::ostream& out, std::ostream& err)
{
    const bool report = args.flag("--report");
    StderrMessages messages(err);
    auto request = conversionRequest(args, messages, err);
    if (const int* status = std::get_if<int>(&request))
        return *status;
    const ConversionRequest& r = std::get<ConversionRequest>(request);
    PictureConverter converter;
    if (!converter.convert(r.input, r.width, r.height, r.palette.colors, nullptr, r.options)) {
        err << "brenmark-cli: cannot read the picture " << r.input << pathProblem(r.input) << '\n';
        return 1;
    }
    PatternDocument doc;
    if (!installConversion(doc, converter.result(), r.brand, r.palettes, ImportKind::Picture, &messages).installed)
        return 1;
    if (!saveAsTheEditorDoes(r.out, doc, err))
        return 1;
    if (report) {
        const auto reference = readPictureAveraged(r.input, r.width, r.height, r.options.crop);
        writeReport(out, converter.result(), reference.value_or(std::vector<ColorRef>()));
    }
    return 0;
}

int photo(Args& args, std::ostream& out, std::ostream& err)
{
    const bool report = args.flag("--report");
    StderrMessages messages(err);
    auto request = conversionRequest(args, messages, err);
    if (const int* status = std::get_if<int>(&request))
        return *status;
    const ConversionRequest& r = std::get<ConversionRequest>(request);
    const std::string& path = r.input;
    const GifReadResult read = readGifFile(path);
    if (!read.picture) {
        err << "brenmark-cli: cannot read the photo " << path << ": " << gbkToUtf8(gifProblemText(read.problem)) << '\n';
        return 1;
    }
    const ConversionResult result = convertPhoto(*read.picture, r.width, r.height, r.palette.colors, nullptr, nullptr, r.options);
    PatternDocument doc;
    if (!installConversion(doc, result, r.brand, r.palettes, ImportKind::Photo, &messages).installed)
        return 1;
    if (!saveAsTheEditorDoes(r.out, doc, err))
        return 1;
    if (report)
        writeReport(out, result, averagedPhotoPixels(*read.picture, r.width, r.height, r.options.crop));
    return 0;
}

int stats(Args& args, std::ostream& out, std::ostream& err)
{
    const std::string fabric = args.option("--fabric").value_or(kDefaultFabric);
    const auto strandsText = args.option("--strands");
    const bool byUsage = args.flag("--by-usage");
    const std::string dir = programDirFrom(args);
    const std::string path = args.operands(1)[0];
    const auto& fabrics = fabricCounts();
    if (std::find(fabrics.begin(), fabrics.end(), fabric) == fabrics.end()) {
        err << "brenmark-cli: the fabric is one of 8CT, 9CT, 11CT, 14CT, 16CT, 18CT, 24CT, 28CT, 32CT\n";
        return 2;
    }
    const int strands = strandsText ? wholeNumber(*strandsText).value_or(0) : kDefaultStrands;
    if (strands < 1 || strands > 6) {
        err << "brenmark-cli: strands is a whole number from 1 to 6\n";
        return 2;
    }
    const PaletteStore palettes = PaletteStore::forProgram(dir);
    StderrMessages messages(err);
    PatternDocument doc;
    if (!loadLibrary(path, palettes, doc, messages, err))
        return 1;
    std::vector<ThreadStatisticsRow> rows = threadStatistics(doc, fabric, strands);
    if (byUsage)
        sortByUsage(rows);
    JsonWriter json(out);
    json.beginObject();
    json.key("brand").value(gbkToUtf8(doc.brand));
    json.key("width").value(doc.width());
    json.key("height").value(doc.height());
    json.key("fabric").value(fabric);
    json.key("strands").value(strands);
    json.key("threads").beginArray();
    for (const ThreadStatisticsRow& row : rows) {
        json.beginObject();
        json.key("number").value(gbkToUtf8(row.number));
        json.key("color").value(hexColor(row.colour));
        json.key("symbol").value(gbkToUtf8(row.symbol));
        json.key("cells").value(row.cells);
        json.key("outline").value(row.outline);
        json.key("metres").value(row.metresLabel);
        json.endObject();
    }
    json.endArray();
    json.endObject();
    out << '\n';
    return 0;
}

int colours(Args& args, std::ostream& err)
{
    const auto toBrand = args.option("--to-brand");
    const auto reduceText = args.option("--reduce");
    const auto subtractNumber = args.option("--subtract");
    const auto replaceText = args.option("--replace");
    const auto cleanText = args.option("--clean-confetti");
    const std::string dir = programDirFrom(args);
    const auto files = args.operands(2);
    const int chosen = int(toBrand.has_value()) + int(reduceText.has_value()) + int(subtractNumber.has_value()) +
                       int(replaceText.has_value()) + int(cleanText.has_value());
    if (chosen != 1)
        throw UsageError{};
    std::optional<int> cleanStrength;
    if (cleanText && (!(cleanStrength = wholeNumber(*cleanText)) || *cleanStrength < 1 || *cleanStrength > kMaxConfettiStrength)) {
        err << "brenmark-cli: --clean-confetti takes a whole number from 1 to " << kMaxConfettiStrength << "\n";
        return 2;
    }
    std::optional<int> reduceCount;
    if (reduceText && (!(reduceCount = wholeNumber(*reduceText)) || *reduceCount < 1)) {
        err << "brenmark-cli: --reduce takes a whole number from 1 up\n";
        return 2;
    }
    std::string oldNumber, newNumber;
    if (replaceText) {
        const auto eq = replaceText->find('=');
        if (eq == std::string::npos || eq == 0 || eq + 1 == replaceText->size())
            throw UsageError{};
        oldNumber = utf8ToGbk(replaceText->substr(0, eq));
        newNumber = utf8ToGbk(replaceText->substr(eq + 1));
    }

    const PaletteStore palettes = PaletteStore::forProgram(dir);
    StderrMessages messages(err);
    PatternDocument doc;
    if (!loadLibrary(files[0], palettes, doc, messages, err))
        return 1;
    NoUndo undo;
    ColourOperations operations(doc, undo, &messages);
    ColourChange change;
    if (toBrand) {
        const std::string brand = utf8ToGbk(*toBrand);
        change = operations.convertBrand(brand, palettes);
        if (!change.done && brand == doc.brand && messages.shown() == 0)
            change.done = true;  // already of that brand: nothing to convert, nothing refused
    } else if (reduceCount) {
        change = operations.reduce(*reduceCount, operations.threadsInColourList());
    } else if (subtractNumber) {
        change = operations.subtract(utf8ToGbk(*subtractNumber));
    } else if (cleanStrength) {
        change = cleanConfetti(doc, undo, *cleanStrength);
    } else {
        if (doc.findThread(oldNumber) < 0) {
            err << "brenmark-cli: the pattern has no thread " << gbkToUtf8(oldNumber) << '\n';
            return 1;
        }
        const auto replacement = threadNamed(newNumber, doc, palettes);
        if (!replacement) {
            err << "brenmark-cli: thread " << gbkToUtf8(newNumber) << " is neither in the " << gbkToUtf8(doc.brand)
                << " palette nor in the pattern\n";
            return 1;
        }
        change = operations.replaceEverywhere(oldNumber, *replacement);
    }
    if (!change.done) {
        if (messages.shown() == 0)
            err << "brenmark-cli: nothing to change\n";
        return 1;
    }
    return saveAsTheEditorDoes(files[1], doc, err) ? 0 : 1;
}

}  // namespace brenmark::cli
