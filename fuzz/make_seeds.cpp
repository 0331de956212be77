// Writes small starting inputs for the fuzz targets, all made by our own code: pattern files
// of every version the reader knows (the current one through savePattern, older layouts
// section by section), a few palettes and GIF files of the shapes the photo decoder knows.
//
//   fuzz_seeds OUTPUT_DIR      -> OUTPUT_DIR/pattern/*.xiu, OUTPUT_DIR/palette/*.pal,
//                                 OUTPUT_DIR/gif/*.gif, OUTPUT_DIR/{pmaker,pcstitch,kxstitch}/*
#include "editor/document/byte_io.h"
#include "editor/document/palette_file.h"
#include "editor/document/path_scramble.h"
#include "tiffwriter/cmyk_table.h"
#include "plugins/threadmap/thread_mapping_file.h"
#include "editor/document/pattern_file.h"
#include "interchange/file_bytes.h"
#include "photo/tests/gif_writer.h"
#include "interchange/compress.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
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

// Charts of other programs, written from their descriptions (see editor/output/*_chart.cpp).
void put16(ByteWriter& out, unsigned v)
{
    out.u8(static_cast<std::uint8_t>(v & 0xFF));
    out.u8(static_cast<std::uint8_t>(v >> 8 & 0xFF));
}

// A Pattern Maker chart whose scrambling seeds are all zero, so its cell words stand plain.
std::vector<std::uint8_t> patternMakerSeed()
{
    ByteWriter out;
    put16(out, 0x0510);
    out.zeros(739);
    put16(out, 3), put16(out, 2), out.u32(1), put16(out, 2), put16(out, 14), put16(out, 14), out.zeros(6);
    put16(out, 2);
    for (const char* number : {"310", "321"}) {
        out.zeros(2), out.u8(0), out.field(number, 11), out.field("", 41), out.u8(10), out.u8(20), out.u8(30), out.u8(0);
        put16(out, 0), out.zeros(48 + 4 + 4 + 4 + 2);
    }
    out.zeros(2 * 2 + 2 * 9 * 2 + 16 * 2);
    out.zeros(240 * 10 * 6 + 240 * 4 + 240 * 53 + 12 * 2 + 380 + 56);
    out.field("", 41), out.u8(255), out.u8(255), out.u8(255), out.zeros(65), out.field("seed", 41);
    out.zeros(2585 + 52 + 32 + 16412 + 512);
    out.zeros(16);  // the seeds
    out.u32(5);
    for (std::uint32_t w : {0x40030000u, 0x00000000u, 0x80000000u, 0x00010000u, 0x0F000000u})
        out.u32(w);
    for (const int b : {1, 0, 1, 0, 0, 0, 0, 0, 0, 0})
        out.u8(static_cast<std::uint8_t>(b));
    put16(out, 0), put16(out, 0);
    put16(out, 2), out.zeros(2), put16(out, 0), put16(out, 0), put16(out, 6), put16(out, 4), out.u8(1), out.u8(0);
    put16(out, 1), out.zeros(2), put16(out, 3), put16(out, 3), out.zeros(4), out.u8(0), out.u8(0);
    return out.take();
}

std::vector<std::uint8_t> pcStitchSeed(int version)
{
    ByteWriter out;
    out.field(version == 5 ? "PCStitch 5 Pattern File" : "PCStitch 7 Pattern File", 256);
    out.zeros(8);
    put16(out, 2), put16(out, 2), put16(out, 14), put16(out, 14);
    if (version == 7)
        out.u32(0xFFFFFFFFu);
    for (int i = 0; i < (version == 7 ? 7 : 5); ++i)
        put16(out, 1), out.u8('x');
    if (version == 7)
        out.zeros(4);
    if (version == 5) {
        out.bytes("PCStitch 5 Floss Palette!", 25);
        put16(out, 2), out.bytes("DMC       Anchor    Coates    ", 30), put16(out, 0), out.zeros(4);
        for (const char* number : {"310       ", "White     "})
            out.zeros(4), out.bytes(number, 10), out.zeros(20 + 50 + 1 + 4);
    } else {
        out.bytes("PCStitch Floss Palette!!!", 25);
        out.zeros(4), put16(out, 2);
        for (const char* number : {"310       ", "White     "}) {
            out.field("DMC", 33), out.bytes(number, 10), out.zeros(30 + 4 + 4 + 81 + 30 + 7 + 30 + 4);
            out.bytes(number, 10), out.zeros(7);
        }
    }
    for (const unsigned run : {0x0101u, 0x0207u, 0x020Au})
        put16(out, 1), out.u8(static_cast<std::uint8_t>(run >> 8)), out.u8(static_cast<std::uint8_t>(run));
    put16(out, 1), out.u8(0xFF), out.u8(0xFF);
    out.u32(1), put16(out, 2), put16(out, 2), out.u8(1), out.u8(9), out.zeros(6);
    out.u32(1), put16(out, 3), put16(out, 3);
    version == 7 ? put16(out, 2) : out.u8(2);
    out.u32(1);
    for (unsigned v : {1u, 1u, 1u, 2u, 2u, 9u})
        put16(out, v);
    version == 5 ? out.u8(1) : put16(out, 1);
    out.zeros(8);
    return out.take();
}

// Qt's data stream is big-endian; strings are UTF-16.
struct BigEndian {
    ByteWriter out;
    void u32(std::uint32_t v)
    {
        for (int s = 24; s >= 0; s -= 8)
            out.u8(static_cast<std::uint8_t>(v >> s));
    }
    void text(const char* ascii)
    {
        u32(static_cast<std::uint32_t>(2 * std::strlen(ascii)));
        for (const char* p = ascii; *p; ++p)
            out.u8(0), out.u8(static_cast<std::uint8_t>(*p));
    }
};

std::vector<std::uint8_t> kxStitchSeed()
{
    BigEndian b;
    b.out.bytes("KXStitchDoc", 11);
    b.u32(104);
    b.u32(2);
    b.text("fabricColor"), b.u32(67), b.out.u8(1);
    for (unsigned v : {0xFFFFu, 0xFF00u, 0xEE00u, 0xDD00u, 0u})
        b.out.u8(static_cast<std::uint8_t>(v >> 8)), b.out.u8(static_cast<std::uint8_t>(v));
    b.text("title"), b.u32(10), b.text("seed");
    b.u32(100), b.u32(0);
    b.u32(100);
    b.u32(103), b.text("DMC"), b.text("kxstitch"), b.u32(0xFFFFFFFFu), b.u32(1);
    b.u32(0), b.u32(101), b.text("310"), b.out.u8(1), b.out.zeros(10), b.out.zeros(2), b.u32(1), b.u32(2), b.u32(1);
    b.u32(103), b.u32(2), b.u32(2), b.u32(2);
    b.u32(0), b.u32(0), b.u32(100), b.u32(1), b.u32(100), b.u32(15), b.u32(0);
    b.u32(1), b.u32(1), b.u32(100), b.u32(2), b.u32(100), b.u32(7), b.u32(0), b.u32(100), b.u32(129), b.u32(0);
    b.u32(1), b.u32(100), b.u32(0), b.u32(0), b.u32(4), b.u32(4), b.u32(0);
    b.u32(1), b.u32(100), b.u32(1), b.u32(3), b.u32(0);
    return b.out.take();
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
    const std::string tables = dir + "cmyk/";
    const std::string arguments = dir + "argument/";
    const std::string oxs = dir + "oxs/";
    const std::string gifs = dir + "gif/";
    const std::string pmaker = dir + "pmaker/", pcstitch = dir + "pcstitch/", kxstitch = dir + "kxstitch/";
    for (const std::string& d : {dir, patterns, palettes, tables, arguments, oxs, gifs, pmaker, pcstitch, kxstitch})
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

    const std::vector<CmykPercent> percents = {{0, 0, 0, 100}, {0, 90, 80, 10}, {0, 0, 0, 0}, {100, 100, 100, 100}};
    ok &= write(tables + "small.cmyk", encodeCmykTable(numbers, percents));
    ok &= write(tables + "empty.cmyk", encodeCmykTable({}, {}));
    ok &= write(tables + "wide.cmyk", encodeCmykTable(wide, std::span(percents).first(2)));

    auto letters = [](const std::string& path) {
        const std::string text = scramblePath(path);
        return std::vector<std::uint8_t>(text.begin(), text.end());
    };
    ok &= write(arguments + "plain", letters("/home/user/heart.xiu"));
    ok &= write(arguments + "gbk", letters("/home/\xD3\xC3\xBB\xA7/\xD0\xC4.XIU"));
    ok &= write(arguments + "other", letters("/home/user/heart.pal"));

    // An OXS chart with every section the reader knows.
    const std::string chart =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<chart><properties oxsversion=\"1.0\" chartwidth=\"4\" "
        "chartheight=\"3\"/><palette><palette_item index=\"0\" number=\"cloth\" color=\"FFFFFF\"/>"
        "<palette_item index=\"1\" number=\"DMC 321\" color=\"C81E28\" symbol=\"88\"/>"
        "<palette_item index=\"2\" number=\"Anchor 403\" color=\"0A0A0A\" symbol=\"@\"/></palette>"
        "<fullstitches><stitch x=\"0\" y=\"0\" palindex=\"1\"/><stitch x=\"3\" y=\"2\" palindex=\"2\"/></fullstitches>"
        "<partstitches><partstitch x=\"1\" y=\"1\" palindex1=\"1\" palindex2=\"2\" direction=\"2\"/></partstitches>"
        "<backstitches><backstitch x1=\"0\" y1=\"0\" x2=\"4\" y2=\"3.5\" palindex=\"2\" objecttype=\"backstitch\"/>"
        "</backstitches><ornaments_inc_knots_and_beads><object x1=\"1.5\" y1=\"2.5\" palindex=\"1\" objecttype=\"knot\"/>"
        "<object x1=\"0.25\" y1=\"2.75\" palindex=\"2\" objecttype=\"quarter\"/></ornaments_inc_knots_and_beads></chart>\n";
    ok &= write(oxs + "chart.oxs", std::vector<std::uint8_t>(chart.begin(), chart.end()));
    ok &= write(pmaker + "chart.xsd", patternMakerSeed());
    ok &= write(pcstitch + "v5.pat", pcStitchSeed(5));
    ok &= write(pcstitch + "v7.pat", pcStitchSeed(7));
    ok &= write(kxstitch + "chart.kxs", kxStitchSeed());
    // Small GIFs: both versions, a local table over a global one, interlaced, a clear code
    // mid-stream, a full table used on without a clear, extensions and a second frame.
    for (const int variant : {0, 1, 2, 3, 4, 5}) {
        test::GifFile g;
        g.version89a = variant != 0;
        g.globalTable = test::rampTable(variant == 5 ? 2 : 16);
        g.comment = variant == 2;
        g.application = variant == 3;
        test::GifFrame f;
        f.width = variant == 4 ? 70 : 9;
        f.height = variant == 4 ? 60 : 7;
        f.minCodeSize = variant == 5 ? 1 : 4;
        f.interlaced = variant == 1;
        f.clearEvery = variant == 2 ? 5 : 0;
        f.deferredClear = variant == 4;
        f.graphicControl = variant == 3;
        f.subBlockSize = variant == 3 ? 7 : 255;
        if (variant == 3)
            f.localTable = test::rampTable(8, 50);
        const unsigned colours = variant == 5 ? 2u : (variant == 3 ? 8u : 16u);
        unsigned state = static_cast<unsigned>(variant) + 1;
        for (int i = 0; i < f.width * f.height; ++i) {
            state = state * 1664525u + 1013904223u;
            f.pixels.push_back(static_cast<std::uint8_t>((variant == 4 ? state >> 13 : static_cast<unsigned>(i / 3)) % colours));
        }
        g.frames = {f};
        if (variant == 2)
            g.frames.push_back(f);
        ok &= write(gifs + "v" + std::to_string(variant) + ".gif", test::writeGif(g));
    }
    // The plug-in's mapping files: whole, with an empty pair, cut short, a count past the end.
    const std::string mappings = dir + "mapping/";
    ::mkdir(mappings.c_str(), 0777);
    const std::vector<MappingPair> pairs = {{"R1", "321"}, {"R2", "310"}, {"", ""}, {"ANC\xD0\xC4", "3865"}};
    ok &= write(mappings + "four.x2x", encodeMapping(pairs));
    ok &= write(mappings + "empty.x2x", encodeMapping({}));
    std::vector<std::uint8_t> cut = encodeMapping(pairs);
    cut.resize(cut.size() - 7);
    ok &= write(mappings + "cut.x2x", cut);
    std::vector<std::uint8_t> past = encodeMapping(std::span(pairs).first(1));
    past[0] = 9;
    ok &= write(mappings + "past.x2x", past);
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
