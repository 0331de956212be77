// Charts of other programs: files written byte by byte from the formats' descriptions, read
// through the one import path; lying sizes and damaged files are refused whole.
#include "editor/output/foreign_chart.h"

#include "interchange/file_bytes.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QDataStream>
#include <QImage>
#include <QMap>
#include <QPolygon>
#include <QRect>
#include <QVariant>

#include <bit>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

using namespace brenmark;

namespace {

const ColorRef kRed = rgb(200, 30, 40);
const ColorRef kBlue = rgb(20, 40, 180);
const ColorRef kBlack = rgb(0, 0, 0);
const ColorRef kWhiteThread = rgb(252, 252, 255);

// Little-endian bytes, as the older Windows programs write them.
struct Bytes {
    std::vector<std::uint8_t> b;
    Bytes& u8(unsigned v) { b.push_back(static_cast<std::uint8_t>(v)); return *this; }
    Bytes& u16(unsigned v) { u8(v & 0xFF); return u8(v >> 8 & 0xFF); }
    Bytes& u32(std::uint32_t v) { u16(v & 0xFFFF); return u16(v >> 16); }
    Bytes& zeros(std::size_t n) { b.resize(b.size() + n, 0); return *this; }
    Bytes& raw(const char* text) { return raw(text, std::strlen(text)); }
    Bytes& raw(const char* text, std::size_t n) { b.insert(b.end(), text, text + n); return *this; }
    // A text in a fixed field, NUL-filled.
    Bytes& field(const char* text, std::size_t size)
    {
        const std::size_t n = std::min(std::strlen(text), size);
        raw(text, n);
        return zeros(size - n);
    }
    // A text in a field padded with spaces.
    Bytes& spaced(const char* text, std::size_t size)
    {
        const std::size_t n = std::min(std::strlen(text), size);
        raw(text, n);
        b.resize(b.size() + size - n, ' ');
        return *this;
    }
    Bytes& rgb3(ColorRef c) { return u8(redOf(c)).u8(greenOf(c)).u8(blueOf(c)); }
    Bytes& counted(const char* text) { u16(static_cast<unsigned>(std::strlen(text))); return raw(text); }
};

struct ForeignFixture : ::testing::Test {
    std::string dir;
    PaletteStore palettes{""};

    void SetUp() override
    {
        std::string t = (std::filesystem::temp_directory_path() / "brenmark-foreign-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
        palettes = PaletteStore(dir);
        ASSERT_TRUE(palettes.ensurePaletteFolder());
        ASSERT_TRUE(palettes.save("DMC", std::vector<ColorRef>{kRed, kBlue, kBlack, kWhiteThread},
                                  std::vector<std::string>{"321", "796", "310", "BLANC"}));
        ASSERT_TRUE(palettes.save("ANCHOR", std::vector<ColorRef>{rgb(190, 20, 30), rgb(10, 10, 10)},
                                  std::vector<std::string>{"47", "403"}));
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

int markAt(const PatternDocument& doc, int x, int y)
{
    for (const StitchMark& m : doc.marks)
        if (m.column == x && m.row == y)
            return m.kind;
    return 0;
}

bool hasChange(const ChartImport& r, const std::string& text)
{
    for (const std::string& c : r.changes)
        if (c == text)
            return true;
    return false;
}

// --- Pattern Maker --------------------------------------------------------------------------

struct XsdItem {
    unsigned brand;
    const char* number;
    ColorRef colour;
    std::vector<std::pair<unsigned, const char*>> blend;
};

struct XsdJoint {
    unsigned kind;
    std::vector<unsigned> v;  // half-cell coordinates
    unsigned thread;
};

// The cells' words scrambled as the description says: every word XORed with a key that turns
// left by one of sixteen amounts after each word and with a running sum of the first two seeds.
std::vector<std::uint32_t> scramble(const std::vector<std::uint32_t>& plain, const std::uint32_t seed[4])
{
    auto byte = [](std::uint32_t v, int n) { return v >> (8 * n) & 0xFF; };
    std::uint32_t key = byte(seed[0], 0) << 24 | byte(seed[1], 1) << 16 | byte(seed[2], 2) << 8 | byte(seed[3], 0);
    std::uint32_t running = seed[0];
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        out.push_back(plain[i] ^ key ^ running);
        const int n = static_cast<int>(i % 16);
        key = std::rotl(key, static_cast<int>((seed[n / 4] >> (n % 4)) % 32));
        running += seed[1];
    }
    return out;
}

Bytes xsdFile(int width, int height, const std::vector<XsdItem>& items, const std::vector<std::uint32_t>& cellWords,
              const std::vector<std::array<std::uint8_t, 10>>& small, const std::vector<XsdJoint>& joints,
              const char* title = "Piggy", ColorRef fabric = rgb(240, 234, 218))
{
    Bytes f;
    f.u16(0x0510).zeros(4).u16(5).u16(4).u16(0).u16(0).zeros(727);
    EXPECT_EQ(f.b.size(), 741u);
    f.u16(static_cast<unsigned>(width)).u16(static_cast<unsigned>(height));
    f.u32(static_cast<std::uint32_t>(small.size())).u16(static_cast<unsigned>(joints.size()));
    f.u16(14).u16(14).zeros(6);
    f.u16(static_cast<unsigned>(items.size()));
    for (const XsdItem& it : items) {
        const std::size_t at = f.b.size();
        f.zeros(2).u8(it.brand).field(it.number, 11).field("name", 41).rgb3(it.colour).u8(0);
        f.u16(static_cast<unsigned>(it.blend.size()));
        for (std::size_t k = 0; k < 4; ++k) {
            if (k < it.blend.size())
                f.u8(it.blend[k].first).field(it.blend[k].second, 11);
            else
                f.zeros(12);
        }
        f.zeros(4).u32(0).zeros(4).zeros(2);
        EXPECT_EQ(f.b.size() - at, 123u);
    }
    f.zeros(2 * items.size());
    for (std::size_t i = 0; i < items.size() * 9; ++i)
        f.u16(i % 2 ? 3 : 0).zeros(i % 2 ? 3 : 0);  // some notes have text
    f.zeros(16 * items.size());
    f.zeros(240 * 10 * 6 + 240 * 4 + 240 * 53);
    for (std::size_t i = 0; i < items.size() * 6; ++i)
        f.u16(0xFFFF);
    f.zeros(380 + 56).field("Linen", 41).rgb3(fabric).zeros(65).field(title, 41);
    f.zeros(41 + 41 + 201 + 2049 + 6 + 41 + 206 + 52 + 32 + 16412 + 512);
    const std::uint32_t seed[4] = {0x12345678u, 0x0BADF00Du, 0x7F00FF01u, 0x00000042u};
    for (std::uint32_t s : seed)
        f.u32(s);
    // Two blocks, to show the key runs on from one block to the next.
    const std::vector<std::uint32_t> words = scramble(cellWords, seed);
    const std::size_t half = words.size() >= 10 ? 5 : words.size();
    f.u32(static_cast<std::uint32_t>(half));
    for (std::size_t i = 0; i < half; ++i)
        f.u32(words[i]);
    if (half < words.size()) {
        f.u32(static_cast<std::uint32_t>(words.size() - half));
        for (std::size_t i = half; i < words.size(); ++i)
            f.u32(words[i]);
    }
    for (const auto& rec : small)
        f.b.insert(f.b.end(), rec.begin(), rec.end());
    f.u16(0).u16(0);  // no special-stitch models
    for (const XsdJoint& j : joints) {
        f.u16(j.kind);
        if (j.kind == 1)
            f.zeros(2).u16(j.v[0]).u16(j.v[1]).zeros(4).u8(j.thread).u8(0);
        else if (j.kind == 2 || j.kind == 5)
            f.zeros(2).u16(j.v[0]).u16(j.v[1]).u16(j.v[2]).u16(j.v[3]).u8(j.thread).u8(0);
        else if (j.kind == 3)
            f.zeros(3).u16(2).u16(0).u16(0).u16(30).u16(30);
        else if (j.kind == 4)
            f.zeros(2).u8(j.thread).zeros(4).u16(2).u16(2).u16(0).u16(0).u16(0).u16(0).zeros(2).u16(0);
        else if (j.kind == 6)
            f.zeros(2).u16(j.v[0]).u16(j.v[1]).u8(j.thread).u8(0).u16(0);
    }
    return f;
}

constexpr std::uint32_t kEmpty = 0x0F000000u;
std::uint32_t full(unsigned thread) { return thread << 16; }
std::uint32_t smallAt(unsigned record) { return 0x80000000u | record << 16; }
std::uint32_t repeat(unsigned n) { return 0x40000000u | n << 16; }

// 4 x 3: row 0 red by a run of four, (0,1) the Anchor thread, (1,1) a "/" half and a "\"
// half (the second is dropped), (2,1) a top-right quarter, (0,2) a three-quarter stitch
// with its short leg bottom left, (3,2) the blend; a backstitch
// along the top, a straight stitch, a knot at a grid point, a bead, a curve and a special stitch.
Bytes sampleXsd()
{
    std::vector<XsdItem> items = {
        {0, "321", rgb(201, 31, 41), {}},
        {1, "403", rgb(12, 12, 12), {}},
        {0, "", rgb(30, 45, 170), {{0, "321"}, {0, "796"}}},
        {0, "White", rgb(250, 250, 250), {}},
    };
    std::vector<std::uint32_t> cells = {repeat(4), full(0),
                                        full(1), smallAt(0), smallAt(1), kEmpty,
                                        smallAt(2), kEmpty, full(3), full(2)};
    std::vector<std::array<std::uint8_t, 10>> small = {
        {3, 0, 0, 0, 0, 0, 0, 0, 0, 0},   // both halves: "\" (bit 1) in thread 0, "/" (bit 2) in thread 0
        {16, 0, 0, 0, 0, 0, 1, 0, 0, 0},  // top-right quarter, thread 1
        {64 | 8, 0, 0, 0, 0, 3, 0, 0, 0, 0},  // three-quarter with the bottom-left leg, thread 3
    };
    std::vector<XsdJoint> joints = {
        {2, {0, 0, 8, 0}, 1},  // backstitch along the top edge
        {5, {0, 6, 3, 6}, 0},  // straight stitch, ending at the middle of a cell edge
        {1, {2, 2}, 0},        // knot at the grid point (1, 1)
        {6, {7, 5}, 1},        // bead in the middle of cell (3, 2)
        {3, {}, 0},
        {4, {}, 0},
    };
    return xsdFile(4, 3, items, cells, small, joints);
}

TEST_F(ForeignFixture, PatternMakerChartLandsWhereTheFileSays)
{
    const Bytes f = sampleXsd();
    ASSERT_EQ(sniffChartFormat(f.b), ChartFormat::PatternMaker);
    const ChartImport r = importChartBytes(f.b, palettes);
    ASSERT_TRUE(r.pattern) << r.error;
    const PatternDocument& doc = *r.pattern;
    EXPECT_EQ(r.format, ChartFormat::PatternMaker);
    EXPECT_EQ(r.title, "Piggy");
    EXPECT_EQ(r.brand, "DMC");
    EXPECT_EQ(doc.width(), 4);
    EXPECT_EQ(doc.height(), 3);
    EXPECT_EQ(doc.fabric, rgb(240, 234, 218));
    auto number = [&](int x, int y) {
        const int v = doc.cell(x, y);
        return v < 0 ? std::string("-") : doc.threads.numbers[static_cast<std::size_t>(v)];
    };
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(number(x, 0), "321") << x;
    // The Anchor thread is matched by colour into the DMC chart.
    EXPECT_EQ(number(0, 1), "310");
    EXPECT_EQ(number(1, 1), "321");
    EXPECT_EQ(markAt(doc, 1, 1), 2);  // "\" half, the first of the cell's two
    EXPECT_EQ(number(2, 1), "310");
    EXPECT_EQ(markAt(doc, 2, 1), 4);  // top-right quarter
    EXPECT_EQ(number(3, 1), "-");
    EXPECT_EQ(number(0, 2), "BLANC");
    EXPECT_EQ(markAt(doc, 0, 2), 2);  // "\" kept, the bottom-left leg lost (reported)
    EXPECT_TRUE(hasChange(r, "1个四分之三针迹改为半针"));
    EXPECT_EQ(number(2, 2), "BLANC");  // "White" is DMC's BLANC
    EXPECT_EQ(number(3, 2), "796");    // the blend keeps its nearer thread
    EXPECT_EQ(markAt(doc, 3, 2), 11);  // the bead
    EXPECT_EQ(markAt(doc, 1, 1), 2);   // the knot does not replace the part stitch
    ASSERT_EQ(doc.lines.size(), 2u);
    EXPECT_EQ(doc.lines[0].startColumn, 0);
    EXPECT_EQ(doc.lines[0].startCorner, TopLeft);
    EXPECT_EQ(doc.lines[0].endColumn, 3);
    EXPECT_EQ(doc.lines[0].endCorner, TopRight);
    EXPECT_EQ(doc.lines[0].thread, "310");
    EXPECT_EQ(r.byNumber, 3);  // 321, 796 (from the blend), BLANC
    EXPECT_EQ(r.byColour, 1);  // the Anchor thread
    EXPECT_TRUE(hasChange(r, "1种混色线按其中与混色较接近的一种绣线导入"));
    EXPECT_TRUE(hasChange(r, "1个同一格里的第二个部分针迹未导入"));
    EXPECT_TRUE(hasChange(r, "1个直线针迹按描边导入"));
    EXPECT_TRUE(hasChange(r, "1个曲线针迹未导入"));
    EXPECT_TRUE(hasChange(r, "1个特殊针迹未导入"));
    EXPECT_TRUE(hasChange(r, "1个位于格角的法式结或珠子放进了右下方的格子"));
    EXPECT_TRUE(hasChange(r, "1个描边端点移到最近的格角"));
    EXPECT_FALSE(r.assumptions.empty());
    EXPECT_EQ(doc.layers.size(), 1);
}

TEST_F(ForeignFixture, PatternMakerRefusesLyingSizesAndTruncation)
{
    const Bytes good = sampleXsd();
    // Every cut of the file is refused, never half read.
    for (std::size_t cut : {std::size_t(1), std::size_t(700), std::size_t(760), good.b.size() - 60, good.b.size() - 1}) {
        std::vector<std::uint8_t> b(good.b.begin(), good.b.begin() + static_cast<std::ptrdiff_t>(cut));
        const ChartImport r = importChartBytes(b, palettes);
        EXPECT_FALSE(r.pattern) << cut;
        EXPECT_FALSE(r.error.empty()) << cut;
    }
    // A small-stitch count the file cannot hold.
    Bytes lie = good;
    lie.b[745] = 0xFF, lie.b[746] = 0xFF, lie.b[747] = 0xFF, lie.b[748] = 0x7F;
    EXPECT_FALSE(importChartBytes(lie.b, palettes).pattern);
    // A palette larger than the format's tables.
    Bytes big = good;
    big.b[761] = 241, big.b[762] = 0;
    EXPECT_FALSE(importChartBytes(big.b, palettes).pattern);
    // A side beyond what a chart may have.
    Bytes wide = good;
    wide.b[741] = 0xFF, wide.b[742] = 0xFF;
    const ChartImport r = importChartBytes(wide.b, palettes);
    EXPECT_FALSE(r.pattern);
    EXPECT_EQ(r.error, "Pattern Maker绣图的宽高不正确");
}

TEST_F(ForeignFixture, PatternMakerRunPastTheGridAndUnknownJointsAreRefusedOrCut)
{
    // A run longer than the grid fills the grid and stops.
    std::vector<XsdItem> items = {{0, "310", kBlack, {}}};
    const Bytes f = xsdFile(2, 2, items, {repeat(60000 & 0x3FFF), full(0)}, {}, {});
    const ChartImport r = importChartBytes(f.b, palettes);
    ASSERT_TRUE(r.pattern) << r.error;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(r.pattern->cell(i % 2, i / 2), 0);
    // A joint of a kind the description does not have.
    Bytes g = xsdFile(2, 2, items, {repeat(4), full(0)}, {}, {{2, {0, 0, 2, 2}, 0}});
    g.b[g.b.size() - 14] = 9;
    EXPECT_FALSE(importChartBytes(g.b, palettes).pattern);
}

// --- PCStitch -------------------------------------------------------------------------------

struct PatStitch {
    unsigned count, colour, kind;
};

Bytes patFile(int version, int width, int height, const std::vector<std::pair<const char*, ColorRef>>& threads,
              const std::vector<PatStitch>& runs, const std::vector<std::vector<unsigned>>& extras,
              const std::vector<std::vector<unsigned>>& knots, const std::vector<std::vector<unsigned>>& backstitches)
{
    Bytes f;
    f.field(version == 5 ? "PCStitch 5 Pattern File" : version == 6 ? "PCStitch 6 Pattern File" : "PCStitch 7 Pattern File", 256);
    f.u32(0x01020304).u32(0xDEADBEEF);
    f.u16(static_cast<unsigned>(width)).u16(static_cast<unsigned>(height)).u16(14).u16(14);
    if (version == 7)
        f.u8(10).u8(20).u8(30).u8(255);
    f.counted("Ann").counted("(c) Ann").counted("Roses").counted("Aida").counted("");
    if (version == 7)
        f.counted("flowers").counted("example.org").u16(2).u16(1);
    if (version == 5) {
        f.raw("PCStitch 5 Floss Palette!").u16(static_cast<unsigned>(threads.size()));
        f.raw("DMC       Anchor    Coates    ").counted("PCStitch Symbols").zeros(4);
        for (const auto& [number, c] : threads)
            f.rgb3(c).u8(0).spaced(number, 10).spaced("", 10).spaced("", 10).field("a colour", 50).u8('A').u16(2).u16(1);
    } else if (version == 6) {
        f.raw("PCStitch 6 Floss Palette!").u16(0).spaced("DMC", 30).spaced("", 10).u16(static_cast<unsigned>(threads.size()));
        f.counted("PCStitch Symbols").zeros(4);
        for (const auto& [number, c] : threads)
            f.field("a colour", 30).rgb3(c).u8(0).spaced(number, 10).zeros(59).u16(2).u16(1).u16(1).field("a colour", 30).zeros(5).spaced("Black", 25);
    } else {
        f.raw("PCStitch Floss Palette!!!").zeros(4).u16(static_cast<unsigned>(threads.size()));
        for (const auto& [number, c] : threads)
            f.field("DMC", 33).spaced(number, 10).field("a colour", 30).zeros(4).rgb3(c).u8(0).zeros(81).field("PCStitch Symbols", 30)
                .zeros(7).field("a colour", 30).rgb3(c).u8(0).spaced(number, 10).zeros(7);
    }
    for (const PatStitch& s : runs)
        f.u16(s.count).u8(s.colour).u8(s.kind);
    f.u32(static_cast<std::uint32_t>(extras.size()));
    for (const auto& e : extras) {
        f.u16(e[0]).u16(e[1]);
        for (std::size_t q = 0; q < 4; ++q)
            f.u8(e[2 + 2 * q]).u8(e[3 + 2 * q]);
    }
    f.u32(static_cast<std::uint32_t>(knots.size()));
    for (const auto& k : knots) {
        f.u16(k[0]).u16(k[1]);
        version == 7 ? f.u16(k[2]) : f.u8(k[2]);
    }
    f.u32(static_cast<std::uint32_t>(backstitches.size()));
    for (const auto& b : backstitches) {
        for (int i = 0; i < 6; ++i)
            f.u16(b[static_cast<std::size_t>(i)]);
        version == 5 ? f.u8(b[6]) : f.u16(b[6]);
    }
    f.zeros(8);
    return f;
}

// 3 x 2, cells down the columns: column 0 red, (1,0) "/", (1,1) empty, column 2 a top-left
// three-quarter and a bottom-right quarter; (1,1) gets a full stitch from the extras; a knot
// in the middle of cell (2,0); a backstitch from the top-left of (1,1) to the middle of the
// right edge of (3,2).
Bytes samplePat(int version)
{
    return patFile(version, 3, 2, {{"321", rgb(199, 29, 39)}, {"White", rgb(255, 255, 255)}, {"310", rgb(1, 1, 1)}},
                   {{2, 1, 1}, {1, 1, 7}, {1, 0xFF, 0xFF}, {1, 3, 2}, {1, 2, 12}},
                   {{2, 2, 1, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}, {{6, 2, 2}},
                   {{1, 1, 1, 3, 2, 6, 3}});
}

void expectSamplePat(const ChartImport& r)
{
    ASSERT_TRUE(r.pattern) << r.error;
    const PatternDocument& doc = *r.pattern;
    EXPECT_EQ(r.format, ChartFormat::PcStitch);
    EXPECT_EQ(r.title, "Roses");
    EXPECT_EQ(r.brand, "DMC");
    EXPECT_EQ(r.byNumber, 3);
    auto number = [&](int x, int y) {
        const int v = doc.cell(x, y);
        return v < 0 ? std::string("-") : doc.threads.numbers[static_cast<std::size_t>(v)];
    };
    EXPECT_EQ(number(0, 0), "321");
    EXPECT_EQ(number(0, 1), "321");
    EXPECT_EQ(number(1, 0), "321");
    EXPECT_EQ(markAt(doc, 1, 0), 1);  // "/"
    EXPECT_EQ(number(1, 1), "321");   // the extra's full stitch
    EXPECT_EQ(markAt(doc, 1, 1), 0);
    EXPECT_EQ(number(2, 0), "310");
    EXPECT_EQ(markAt(doc, 2, 0), 7);  // three-quarter, top left; the knot does not replace it
    EXPECT_EQ(number(2, 1), "BLANC");
    EXPECT_EQ(markAt(doc, 2, 1), 6);  // bottom-right quarter
    ASSERT_EQ(doc.lines.size(), 1u);
    EXPECT_EQ(doc.lines[0].startColumn, 0);
    EXPECT_EQ(doc.lines[0].startRow, 0);
    EXPECT_EQ(doc.lines[0].startCorner, TopLeft);
    EXPECT_EQ(doc.lines[0].thread, "310");
}

TEST_F(ForeignFixture, PcStitchVersionsFiveSixSeven)
{
    for (int version : {5, 6, 7}) {
        SCOPED_TRACE(version);
        const Bytes f = samplePat(version);
        ASSERT_EQ(sniffChartFormat(f.b), ChartFormat::PcStitch);
        const ChartImport r = importChartBytes(f.b, palettes);
        expectSamplePat(r);
        if (r.pattern) {
            EXPECT_EQ(r.pattern->fabric, version == 7 ? rgb(10, 20, 30) : kWhite);
        }
    }
}

TEST_F(ForeignFixture, PcStitchRefusesLyingCountsAndRunsPastTheGrid)
{
    const Bytes good = samplePat(5);
    for (std::size_t cut = 1; cut < good.b.size() - 8; cut += 37) {
        std::vector<std::uint8_t> b(good.b.begin(), good.b.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(importChartBytes(b, palettes).pattern) << cut;
    }
    // A run longer than the grid.
    const Bytes over = patFile(5, 2, 2, {{"310", kBlack}}, {{5, 1, 1}}, {}, {}, {});
    EXPECT_FALSE(importChartBytes(over.b, palettes).pattern);
    // A run of nothing would never end.
    const Bytes zero = patFile(5, 2, 2, {{"310", kBlack}}, {{0, 1, 1}, {4, 1, 1}}, {}, {}, {});
    EXPECT_FALSE(importChartBytes(zero.b, palettes).pattern);
    // An extras count the file cannot hold.
    Bytes lie = patFile(5, 1, 1, {{"310", kBlack}}, {{1, 1, 1}}, {}, {}, {});
    const std::size_t extrasAt = lie.b.size() - 8 - 4 - 4 - 4;
    lie.b[extrasAt + 3] = 0x40;
    EXPECT_FALSE(importChartBytes(lie.b, palettes).pattern);
}

TEST_F(ForeignFixture, PcStitchReportsUnknownStitchesAndColours)
{
    const Bytes f = patFile(5, 2, 1, {{"310", kBlack}}, {{1, 1, 13}, {1, 4, 1}}, {}, {{1, 1, 9}}, {{1, 1, 1, 1, 1, 12, 1}});
    const ChartImport r = importChartBytes(f.b, palettes);
    ASSERT_TRUE(r.pattern) << r.error;
    EXPECT_TRUE(hasChange(r, "1个不认识的针迹未导入"));
    EXPECT_TRUE(hasChange(r, "2个针迹引用了不存在的颜色,未导入"));
    EXPECT_TRUE(hasChange(r, "1条描边的端点不正确,未导入"));
    EXPECT_EQ(r.pattern->cell(0, 0), -1);
}


// --- KXStitch -------------------------------------------------------------------------------

// A KXStitch document as its own program streams it: Qt's data stream at version 7 writes the
// strings, variants and colours, so the reader is checked against Qt's encoding of them.
struct KxsStitch {
    int x, y;
    std::vector<std::pair<int, int>> queue;  // type, palette key
};

QByteArray kxsFile(const QMap<QString, QVariant>& properties, int pictures, const std::vector<KxsStitch>& cells,
                   int width = 3, int height = 2)
{
    QByteArray data;
    QDataStream s(&data, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_0);
    s.writeRawData("KXStitchDoc", 11);
    s << qint32(104) << properties;
    s << qint32(100) << qint32(pictures);
    for (int i = 0; i < pictures; ++i) {
        QImage picture(2, 2, QImage::Format_RGB32);
        picture.fill(Qt::red);
        s << qint32(101) << QByteArray("file:///tmp/p.png") << QRect(0, 0, 3, 2) << true << true << picture;
    }
    s << qint32(100);                                               // pattern
    s << qint32(103) << QString("DMC") << QString("kxstitch") << qint32(-1) << qint32(3);
    const struct { int key; const char* name; QColor colour; } flosses[] = {
        {0, "310", QColor(0, 0, 0)}, {5, "Blanc", QColor(252, 251, 248)}, {7, "321", QColor(199, 43, 59)}};
    for (const auto& f : flosses)
        s << qint32(f.key) << qint32(101) << QString(f.name) << f.colour << qint16(33) << qint32(1) << qint32(2) << qint32(1);
    s << qint32(103) << qint32(width) << qint32(height) << qint32(static_cast<int>(cells.size()));
    for (const KxsStitch& c : cells) {
        s << qint32(c.x) << qint32(c.y) << qint32(100) << qint32(static_cast<int>(c.queue.size()));
        for (const auto& [type, key] : c.queue)
            s << qint32(100) << qint32(type) << qint32(key);
    }
    s << qint32(1) << qint32(100) << QPoint(0, 0) << QPoint(6, 4) << qint32(0);  // one backstitch, corner to corner
    s << qint32(1) << qint32(100) << QPoint(5, 1) << qint32(5);                  // a knot inside cell (2, 0)
    s << qint32(100) << QString("printer configuration, not read");
    return data;
}

std::vector<std::uint8_t> bytesOf(const QByteArray& a) { return {a.begin(), a.end()}; }

QMap<QString, QVariant> kxsProperties()
{
    QMap<QString, QVariant> p;
    p["title"] = QString::fromUtf16(u"Tulpen \u00e9");
    p["fabricColor"] = QColor(250, 240, 230);
    p["horizontalClothCount"] = 14.0;
    p["clothCountLink"] = true;
    p["unitsFormat"] = 0;
    p["thickLineColor"] = QColor(10, 10, 10);
    p["instructions"] = QString();
    return p;
}

const std::vector<KxsStitch> kKxsCells = {
    {0, 0, {{15, 7}}},             // full, 321
    {1, 0, {{1, 0}, {8, 5}}},      // top-left quarter 310, then a bottom-right quarter (dropped)
    {2, 1, {{9, 0}}},              // "\" half, 310
    {0, 1, {{129, 5}}},            // petite, Blanc
    {1, 1, {{99, 0}, {15, 42}}},   // a kind KXStitch has not, a key its palette has not
};

TEST_F(ForeignFixture, KXStitchChartLandsWhereTheFileSays)
{
    const std::vector<std::uint8_t> b = bytesOf(kxsFile(kxsProperties(), 1, kKxsCells));
    ASSERT_EQ(sniffChartFormat(b), ChartFormat::KXStitch);
    const ChartImport r = importChartBytes(b, palettes);
    ASSERT_TRUE(r.pattern) << r.error;
    const PatternDocument& doc = *r.pattern;
    EXPECT_EQ(r.title, "Tulpen \xA8\xA6");
    EXPECT_EQ(doc.fabric, rgb(250, 240, 230));
    EXPECT_EQ(r.brand, "DMC");
    EXPECT_EQ(r.byNumber, 3);
    auto number = [&](int x, int y) {
        const int v = doc.cell(x, y);
        return v < 0 ? std::string("-") : doc.threads.numbers[static_cast<std::size_t>(v)];
    };
    EXPECT_EQ(number(0, 0), "321");
    EXPECT_EQ(markAt(doc, 0, 0), 0);
    EXPECT_EQ(number(1, 0), "310");
    EXPECT_EQ(markAt(doc, 1, 0), 3);
    EXPECT_EQ(number(2, 1), "310");
    EXPECT_EQ(markAt(doc, 2, 1), 2);
    EXPECT_EQ(number(0, 1), "BLANC");
    EXPECT_EQ(markAt(doc, 0, 1), 9);
    EXPECT_EQ(number(1, 1), "-");
    EXPECT_EQ(number(2, 0), "BLANC");  // the knot brings its thread to an empty cell
    EXPECT_EQ(markAt(doc, 2, 0), 10);
    ASSERT_EQ(doc.lines.size(), 1u);
    EXPECT_EQ(doc.lines[0].endColumn, 2);
    EXPECT_EQ(doc.lines[0].endRow, 1);
    EXPECT_EQ(doc.lines[0].endCorner, BottomRight);
    EXPECT_TRUE(hasChange(r, "1张背景图片未导入"));
    EXPECT_TRUE(hasChange(r, "1个同一格里的第二个部分针迹未导入"));
    EXPECT_TRUE(hasChange(r, "1个不认识的针迹未导入"));
    EXPECT_TRUE(hasChange(r, "1个针迹引用了不存在的颜色,未导入"));
}

TEST_F(ForeignFixture, KXStitchRefusesDamageLiesAndWhatItCannotRead)
{
    const std::vector<std::uint8_t> good = bytesOf(kxsFile(kxsProperties(), 1, kKxsCells));
    // Everything up to the printer configuration is needed.
    const std::size_t needed = good.size() - 4 - 4 - 2 * 31;
    for (std::size_t cut = 12; cut < needed; cut += 23) {
        const std::vector<std::uint8_t> b(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(importChartBytes(b, palettes).pattern) << cut;
    }
    // A property count the file cannot hold.
    std::vector<std::uint8_t> lie = good;
    lie[15] = 0x7F;
    EXPECT_FALSE(importChartBytes(lie, palettes).pattern);
    // A grid larger than a chart may be.
    const ChartImport wide = importChartBytes(bytesOf(kxsFile(kxsProperties(), 0, {}, 100000, 2)), palettes);
    EXPECT_FALSE(wide.pattern);
    EXPECT_EQ(wide.error, "KXStitch绣图的宽高不正确");
    // A variant of a type this reader does not know.
    QMap<QString, QVariant> odd;
    odd["when"] = QVariant::fromValue(QPolygon{QPoint(1, 1)});
    const ChartImport r = importChartBytes(bytesOf(kxsFile(odd, 0, {})), palettes);
    EXPECT_FALSE(r.pattern);
    EXPECT_EQ(r.error, "KXStitch绣图的属性有不认识的类型,不能导入");
    // The streams of KXStitch before 1.0.
    QByteArray old;
    QDataStream s(&old, QIODevice::WriteOnly);
    s << QString("KXStitch") << qint16(7);
    const std::vector<std::uint8_t> ob = bytesOf(old);
    EXPECT_EQ(sniffChartFormat(ob), ChartFormat::KXStitch);
    EXPECT_FALSE(importChartBytes(ob, palettes).pattern);
}

// --- the entry point ------------------------------------------------------------------------

TEST_F(ForeignFixture, FormatIsChosenByContentNotName)
{
    const Bytes xsd = sampleXsd();
    const std::string path = dir + "chart.oxs";  // a Pattern Maker chart under another name
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(xsd.b.data()), static_cast<std::streamsize>(xsd.b.size()));
    }
    const ChartImport r = importChartFile(path, palettes);
    ASSERT_TRUE(r.pattern) << r.error;
    EXPECT_EQ(r.format, ChartFormat::PatternMaker);

    const std::string oxs = "\xEF\xBB\xBF\n<?xml version=\"1.0\"?><chart><properties chartwidth=\"2\" chartheight=\"2\"/>"
                            "<palette><palette_item index=\"0\" number=\"cloth\" color=\"FFFFFF\"/>"
                            "<palette_item index=\"1\" number=\"DMC 310\" color=\"000000\"/></palette>"
                            "<fullstitches><stitch x=\"1\" y=\"1\" palindex=\"1\"/></fullstitches></chart>";
    const std::vector<std::uint8_t> ob(oxs.begin(), oxs.end());
    EXPECT_EQ(sniffChartFormat(ob), ChartFormat::Oxs);
    const ChartImport o = importChartBytes(ob, palettes);
    ASSERT_TRUE(o.pattern) << o.error;
    EXPECT_EQ(o.pattern->threads.numbers[static_cast<std::size_t>(o.pattern->cell(1, 1))], "310");

    const std::vector<std::uint8_t> junk = {'G', 'I', 'F', '8', '9', 'a'};
    const ChartImport u = importChartBytes(junk, palettes);
    EXPECT_FALSE(u.pattern);
    EXPECT_EQ(u.error, "不能识别的绣图文件,不能导入");
    EXPECT_FALSE(importChartFile(dir + "missing.xsd", palettes).pattern);
}

TEST_F(ForeignFixture, SummaryCountsEveryChange)
{
    const ChartImport r = importChartBytes(sampleXsd().b, palettes);
    ASSERT_TRUE(r.pattern);
    const std::string s = chartImportSummary(r);
    EXPECT_EQ(s.rfind("Pattern Maker绣图导入完毕:3种绣线按线号匹配DMC色库,1种按最接近的颜色匹配", 0), 0u) << s;
    for (const std::string& c : r.changes)
        EXPECT_NE(s.find(c), std::string::npos) << c;
}

TEST_F(ForeignFixture, TextsThatNeedEscapingAndEdgesOfTheGridGoThroughWhole)
{
    ForeignChart c;
    c.format = ChartFormat::PcStitch;
    c.title = "A&B <\"x\"> 'y'";
    c.resize(2, 2);
    c.threads.push_back({"Kreinik \"fine\"", "0<1 &2", rgb(0, 0, 1), {}});
    c.threads.push_back({"DMC", " 321 ", rgb(1, 2, 3), {}});
    c.parts.push_back({0, 0, PartStitch::ThreeQuarterBottomLeft, 1});
    c.parts.push_back({1, 0, PartStitch::ThreeQuarterBottomRight, 0});
    c.nodes.push_back({2.0, 2.0, 0, false});  // the far corner: into the last cell
    c.lines.push_back({0, 0, 2, 2, 0});
    const ChartImport r = importForeignChart(c, palettes);
    ASSERT_TRUE(r.pattern) << r.error;
    const PatternDocument& doc = *r.pattern;
    EXPECT_EQ(r.title, c.title);
    EXPECT_EQ(doc.threads.numbers[static_cast<std::size_t>(doc.cell(0, 0))], "321");
    EXPECT_EQ(markAt(doc, 0, 0), 2);  // "\" kept, the bottom-left quarter lost
    EXPECT_EQ(doc.threads.numbers[static_cast<std::size_t>(doc.cell(1, 1))], "310");
    EXPECT_EQ(markAt(doc, 1, 1), 10);
    EXPECT_TRUE(hasChange(r, "2个四分之三针迹改为半针"));
    EXPECT_EQ(r.byNumber, 1);
    EXPECT_EQ(r.byColour, 1);
    // A chart of no size is refused before anything is built.
    ForeignChart empty;
    EXPECT_FALSE(importForeignChart(empty, palettes).pattern);
}

TEST(ForeignBrands, NamesOfOtherProgramsBecomeOurs)
{
    EXPECT_EQ(ourBrandName("Anchor"), "ANCHOR");
    EXPECT_EQ(ourBrandName(" DMC "), "DMC");
    EXPECT_EQ(ourBrandName("J&P Coats"), "J&P");
    EXPECT_EQ(ourBrandName("Lecien Cosmo"), "COSMO");
    EXPECT_EQ(ourBrandName("Kreinik"), "Kreinik");
    EXPECT_EQ(latin1ToGbk("Caf\xE9"), "Caf\xA8\xA6");
}

}  // namespace
