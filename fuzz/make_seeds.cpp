// Writes small starting inputs for the fuzz targets, all made by our own code: pattern files
// of every version the reader knows (the current one through savePattern, older layouts
// section by section) and a few palettes.
//
//   fuzz_seeds OUTPUT_DIR      -> OUTPUT_DIR/pattern/*.xiu, OUTPUT_DIR/palette/*.pal
#include "editor/document/byte_io.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"
#include "editor/document/file_bytes.h"
#include "interchange/compress.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace brenmark;

namespace {

constexpr std::int32_t kVersions[] = {1, 2, 3, kVersionMarks, kVersionLayers, kPatternFileVersion};

struct Thread {
    ColorRef color;
    const char* number;
};
const Thread kThreads[] = {{rgb(0, 0, 0), "310"}, {rgb(199, 43, 59), "321"}, {rgb(255, 255, 255), "B5200"}};

constexpr std::int32_t kWidth = 3, kHeight = 2;
const std::uint8_t kCells[kWidth * kHeight] = {0, 1, 0xFF, 2, 0xFF, 0};

void putLine(ByteWriter& out, std::int32_t version, std::int32_t c0, std::int32_t r0, std::int32_t c1, std::int32_t r1)
{
    out.u8(0);
    if (version == 1) {
        out.zeros(3);
    } else {
        out.field("310", kLineThreadField);
        out.u32(rgb(0, 0, 0));
    }
    for (std::int32_t v : {c0, r0, std::int32_t(TopLeft), c1, r1, std::int32_t(BottomRight)})
        out.i32(v);
}

void putMarks(ByteWriter& out, std::initializer_list<StitchMark> marks)
{
    out.i32(static_cast<std::int32_t>(marks.size()));
    for (const StitchMark& m : marks) {
        out.i32(m.kind);
        out.i32(0);
        out.i32(m.column);
        out.i32(m.row);
        out.i32(0);
    }
}

// A file in the layout of the given version, written field by field.
std::vector<std::uint8_t> byHand(std::int32_t version, bool withLines, bool currentLibrary)
{
    ByteWriter out;
    out.bytes("KOVRAN", 6);
    out.zeros(2);
    out.i32(kWidth);
    out.i32(kHeight);
    out.i32(static_cast<std::int32_t>(std::size(kThreads)));
    out.i32(version);
    out.field("DMC", kBrandField);
    out.u8(withLines ? 1 : 0);
    out.u8(currentLibrary ? 1 : 0);
    out.zeros(2);

    for (const Thread& t : kThreads) {
        out.u32(t.color);
        out.field(t.number, kThreadNumberField);
    }
    out.bytes(kCells, sizeof kCells);
    if (withLines) {
        out.i32(2);
        putLine(out, version, 0, 0, 1, 0);
        putLine(out, version, 1, 0, 2, 1);
    }
    if (version >= kVersionSymbols) {
        const char* symbols[] = {"1", "2", "\xA1\xF6"};
        for (std::size_t i = 0; i < 256; ++i) {
            out.field(i < std::size(symbols) ? symbols[i] : "", kSymbolTextField);
            out.i32(i < std::size(kThreads) ? static_cast<std::int32_t>(kThreads[i].color) : 0);
        }
        out.u32(rgb(240, 234, 218));
    }
    if (version >= kVersionMarks)
        putMarks(out, {{3, 0, 0, 0}, {5, 0, 2, 1}});
    if (version >= kVersionLayers) {
        out.i32(2);
        // A drawing layer with a line and a mark, then the background.
        out.u8(0), out.u8(1), out.u8(1);
        out.field("A", kLayerNameField);
        const std::uint8_t top[kWidth * kHeight] = {0, 0xFF, 0xFF, 2, 0xFF, 0xFF};
        out.bytes(top, sizeof top);
        out.i32(1);
        putLine(out, version, 0, 0, 1, 1);
        putMarks(out, {{3, 0, 0, 0}});
        out.u8(1), out.u8(0), out.u8(1);
        out.field("\xB1\xB3\xBE\xB0", kLayerNameField);
        out.bytes(kCells, sizeof kCells);
        out.i32(0);
        putMarks(out, {});
    }
    return out.take();
}

// A pattern made the way the editor makes one, saved in the current version.
PatternDocument madeDocument()
{
    PatternDocument doc;
    doc.create(5, 4, "DMC");
    for (const Thread& t : kThreads)
        doc.addThread(t.color, t.number);
    doc.addThread(rgb(1, 2, 3), "1234567890123456789");
    for (int y = 0; y < doc.height(); ++y)
        for (int x = 0; x < doc.width(); ++x)
            doc.setCell(x, y, (x + y) % 5 == 4 ? EmptyCell : (x + y) % 5);
    BackstitchLine line;
    line.thread = "310";
    line.startColumn = 0, line.startRow = 0, line.startCorner = TopLeft;
    line.endColumn = 4, line.endRow = 3, line.endCorner = BottomRight;
    doc.lines = {line};
    doc.placeMark(2, 1, 1);
    doc.placeMark(6, 3, 2);
    doc.fabric = rgb(250, 246, 240);
    doc.assignDefaultSymbols();
    doc.layers.backgroundFromGrid(doc);
    PatternLayer top = doc.layers[0];
    top.name = "top";
    top.cells.assign(top.cells.size(), EmptyCell);
    top.cells[3] = 1;
    top.lines.clear();
    top.marks.clear();
    doc.layers.layers.insert(doc.layers.layers.begin(), top);
    doc.layers.layers[1].drawable = false;
    doc.layers.refreshButtonStates();
    return doc;
}

bool write(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    if (replaceFile(path, bytes))
        return true;
    std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const std::string patterns = dir + "pattern/";
    const std::string palettes = dir + "palette/";
    for (const std::string& d : {dir, patterns, palettes})
        ::mkdir(d.c_str(), 0777);

    bool ok = true;
    for (std::int32_t version : kVersions) {
        const std::string v = std::to_string(version);
        ok &= write(patterns + "v" + v + ".xiu", byHand(version, true, true));
        ok &= write(patterns + "v" + v + "-nolines.xiu", byHand(version, false, true));
    }
    ok &= write(patterns + "old-library.xiu", byHand(kPatternFileVersion, true, false));
    ok &= savePattern(patterns + "made.xiu", madeDocument());
    PatternDocument blank;
    blank.create(1, 1, "ANCHOR");
    ok &= savePattern(patterns + "blank.xiu", blank);

    const std::vector<ColorRef> colors = {rgb(0, 0, 0), rgb(199, 43, 59), rgb(255, 255, 255), rgb(1, 2, 3)};
    const std::vector<std::string> numbers = {"310", "321", "B5200", "1234567890"};
    ok &= write(palettes + "small.pal", encodePalette(colors, numbers));
    ok &= write(palettes + "one.pal", encodePalette(std::span(colors).first(1), std::span(numbers).first(1)));
    ok &= write(palettes + "empty.pal", encodePalette({}, {}));
    const std::vector<std::string> wide = {"\xB0\xD7\xC9\xAB", "ecru"};
    ok &= write(palettes + "wide.pal", encodePalette(std::span(colors).first(2), wide));

    // The interchange readers: JSON with paths, XML, Base64 and service replies.
    const auto text = [&](const std::string& folder, const std::string& name, std::string_view content) {
        ::mkdir((dir + folder).c_str(), 0777);
        ok &= write(dir + folder + "/" + name, std::vector<std::uint8_t>(content.begin(), content.end()));
    };
    text("json_path", "nested.txt", "a.b[0].c|a.b|x[1]|n\n{\"a\":{\"b\":[{\"c\":\"ok\"}]},\"x\":[1,2.5,true],\"n\":null}");
    text("json_path", "comments.txt", "k|[0]\n// c\n[{\"k\":\"v\"} /* d */]");
    text("xml_bridge", "reply.xml", "<?xml version=\"1.0\"?><R><StartAppResponse><Ver>5.0</Ver><P><N>a</N></P><P><N>b</N></P>"
                                    "</StartAppResponse><T a=\"1\">t<!-- c --></T></R>");
    text("base64", "text.txt", "YWJjZA==YQ==+/+/");
    const std::string reply = "{\"bOK\":true,\"command\":\"RUN\",\"sMsg\":\"\",\"m_ReturnOBJ\":{\"Ver\":\"5.0\"}}";
    text("reply_reader", "reply.txt", reply);
    if (const auto body = jolvane::compress(reply))
        text("reply_reader", "reply.z", *body);
    return ok ? 0 : 1;
}
