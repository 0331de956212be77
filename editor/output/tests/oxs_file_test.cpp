// OXS charts in and out: round trips, files written by hand from the format's description,
// thread matching, and damaged or hostile files.
#include "editor/document/stitch_kind.h"
#include "editor/output/oxs_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace brenmark;

namespace {

const ColorRef kRed = rgb(200, 30, 40);
const ColorRef kBlue = rgb(20, 40, 180);
const ColorRef kBlack = rgb(0, 0, 0);

struct OxsFixture : ::testing::Test {
    std::string dir;
    PaletteStore palettes{""};

    void SetUp() override
    {
        std::string t = (std::filesystem::temp_directory_path() / "brenmark-oxs-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(t.data()));
        dir = t + "/";
        palettes = PaletteStore(dir);
        ASSERT_TRUE(palettes.ensurePaletteFolder());
        ASSERT_TRUE(palettes.save("DMC", std::vector<ColorRef>{kRed, kBlue, kBlack, rgb(255, 255, 255)},
                                  std::vector<std::string>{"321", "796", "310", "B5200"}));
        ASSERT_TRUE(palettes.save("Anchor", std::vector<ColorRef>{rgb(190, 20, 30), rgb(10, 10, 10)},
                                  std::vector<std::string>{"47", "403"}));
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    OxsImport read(const std::string& body, const char* size = "chartwidth=\"6\" chartheight=\"4\"")
    {
        return readOxs(std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<chart><properties oxsversion=\"1.0\" ") + size +
                           "/>" + body + "</chart>",
                       palettes);
    }
};

const char* kPalette =
    "<palette>"
    "<palette_item index=\"0\" number=\"cloth\" name=\"cloth\" color=\"F0EADA\"/>"
    "<palette_item index=\"1\" number=\"DMC    321\" name=\"Red\" color=\"C81E28\" symbol=\"88\"/>"
    "<palette_item index=\"2\" number=\"DMC 796\" name=\"Blue\" color=\"1428B4\" symbol=\"@\"/>"
    "<palette_item index=\"3\" number=\"Madeira 2400\" name=\"Black\" color=\"020202\" symbol=\"%\"/>"
    "</palette>";

PatternDocument sample()
{
    PatternDocument doc;
    doc.create(5, 4, "DMC");
    doc.addThread(kRed, "321");
    doc.addThread(kBlue, "796");
    doc.assignDefaultSymbols();
    doc.fabric = rgb(240, 234, 218);
    for (int c = 0; c < 5; ++c)
        doc.setCell(c, 0, 0);
    for (int c = 0; c < 4; ++c)
        doc.setCell(c, 2, 1);
    doc.placeMark(1, 0, 2);   // half "/"
    doc.placeMark(7, 1, 2);   // three-quarter, top left
    doc.placeMark(8, 2, 2);   // three-quarter, top right
    doc.placeMark(10, 3, 2);  // french knot on a full stitch
    doc.placeMark(5, 0, 0);   // quarter, bottom left
    BackstitchLine line;
    line.startColumn = 0, line.startRow = 0, line.startCorner = TopLeft;
    line.endColumn = 4, line.endRow = 3, line.endCorner = BottomRight;
    line.color = kBlack;  // a colour no thread has
    line.thread = "310";
    doc.lines.push_back(line);
    doc.layers.backgroundFromGrid(doc);
    return doc;
}

// A line's two grid points, whatever cell and corner name them.
std::array<int, 4> points(const BackstitchLine& l)
{
    auto x = [](int c, int k) { return c + (k == TopRight || k == BottomRight); };
    auto y = [](int r, int k) { return r + (k == BottomLeft || k == BottomRight); };
    return {x(l.startColumn, l.startCorner), y(l.startRow, l.startCorner), x(l.endColumn, l.endCorner), y(l.endRow, l.endCorner)};
}

}  // namespace

TEST_F(OxsFixture, ExportThenImportKeepsCellsThreadsMarksAndLines)
{
    const PatternDocument doc = sample();
    const OxsExport out = writeOxs(doc, "花", FabricName{"米色", "ECRU"});
    EXPECT_NE(out.xml.find("<palette_item index=\"0\" number=\"cloth\" name=\"\xE7\xB1\xB3\xE8\x89\xB2\" color=\"F0EADA\"/>"), std::string::npos);
    EXPECT_NE(out.xml.find("number=\"DMC 321\""), std::string::npos);
    EXPECT_NE(out.xml.find("objecttype=\"knot\""), std::string::npos);
    EXPECT_TRUE(out.dropped.empty());

    const OxsImport back = readOxs(out.xml, palettes);
    ASSERT_TRUE(back.pattern) << back.error;
    const PatternDocument& d = *back.pattern;
    EXPECT_EQ(d.width(), 5);
    EXPECT_EQ(d.height(), 4);
    EXPECT_EQ(d.fabric, doc.fabric);
    EXPECT_EQ(d.threads.numbers, (std::vector<std::string>{"321", "796", "310"}));  // the line's colour joins
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(d.cell(c, r), doc.cell(c, r)) << c << "," << r;
    auto sorted = [](std::vector<StitchMark> m) {
        std::sort(m.begin(), m.end(), [](auto& a, auto& b) { return std::tie(a.row, a.column) < std::tie(b.row, b.column); });
        return m;
    };
    EXPECT_EQ(sorted(d.marks), sorted(doc.marks));
    ASSERT_EQ(d.lines.size(), 1u);
    EXPECT_EQ(points(d.lines[0]), points(doc.lines[0]));
    EXPECT_EQ(d.lines[0].thread, "310");
    EXPECT_EQ(d.symbols[0].symbol, doc.symbols[0].symbol);
    EXPECT_EQ(back.byNumber, 3);
    EXPECT_EQ(back.byColour, 0);
    EXPECT_TRUE(back.changes.empty());
    EXPECT_EQ(d.layers.size(), 1);
}

TEST_F(OxsFixture, EveryStitchKindOfTheTableComesBackAsItself)
{
    // One marked cell per kind on a row of its own thread; a number past the table is written
    // as the full stitch under it.
    PatternDocument doc;
    doc.create(kStitchKindCount + 1, 1, "DMC");
    doc.addThread(kRed, "321");
    for (int c = 0; c <= kStitchKindCount; ++c)
        doc.setCell(c, 0, 0);
    for (const StitchKindInfo& info : kStitchKinds)
        if (info.shape != StitchShape::Full)
            doc.placeMark(kindNumber(info.kind), kindNumber(info.kind), 0);
    doc.placeMark(99, kStitchKindCount, 0);
    doc.layers.backgroundFromGrid(doc);
    const OxsImport back = readOxs(writeOxs(doc, "k").xml, palettes);
    ASSERT_TRUE(back.pattern) << back.error;
    std::vector<std::int32_t> kinds(static_cast<std::size_t>(kStitchKindCount) + 1, 0);
    for (const StitchMark& m : back.pattern->marks)
        kinds[static_cast<std::size_t>(m.column)] = m.kind;
    for (int c = 0; c < kStitchKindCount; ++c) {
        EXPECT_EQ(kinds[static_cast<std::size_t>(c)], c) << c;
        EXPECT_EQ(back.pattern->cell(c, 0), 0) << c;
    }
    EXPECT_EQ(kinds.back(), 0);
    EXPECT_EQ(back.pattern->cell(kStitchKindCount, 0), 0);
    // Every ornament's object name reads back as that ornament.
    for (const StitchKindInfo& info : kStitchKinds)
        if (info.oxsObject)
            EXPECT_EQ(ornamentNamed(info.oxsObject), info.kind) << info.oxsObject;
    EXPECT_EQ(ornamentNamed("bead3mm"), StitchKind::Bead);
    EXPECT_FALSE(ornamentNamed("button"));
}

TEST_F(OxsFixture, ExportSaysWhatItMergesAndLeavesOut)
{
    PatternDocument doc = sample();
    PatternLayer hidden = doc.layers[0];
    hidden.visible = false;
    doc.layers.layers.push_back(hidden);
    const OxsExport out = writeOxs(doc, "x");
    ASSERT_EQ(out.dropped.size(), 2u);
    EXPECT_EQ(out.dropped[0], "2个图层合并为一层");
    EXPECT_EQ(out.dropped[1], "1个隐藏的图层未导出");
}

TEST_F(OxsFixture, AHandWrittenChartWithHalfStitchesKnotsAndForeignThreads)
{
    const OxsImport r = read(std::string(kPalette) +
                             "<fullstitches><stitch x=\"0\" y=\"0\" palindex=\"1\"/><stitch x=\"5\" y=\"3\" palindex=\"2\"/>"
                             "<stitch x=\"1\" y=\"0\" palindex=\"0\"/></fullstitches>"
                             "<partstitches><partstitch x=\"2\" y=\"1\" palindex1=\"2\" palindex2=\"0\" direction=\"4\"/>"
                             "<partstitch x=\"3\" y=\"1\" palindex1=\"1\" palindex2=\"0\" direction=\"2\"/>"
                             "<partstitch x=\"4\" y=\"1\" palindex1=\"1\" palindex2=\"2\" direction=\"1\"/></partstitches>"
                             "<backstitches><backstitch x1=\"0\" y1=\"0\" x2=\"6\" y2=\"4\" palindex=\"3\" objecttype=\"backstitch\"/>"
                             "<backstitch x1=\"1.5\" y1=\"1\" x2=\"2\" y2=\"2.5\" palindex=\"3\"/></backstitches>"
                             "<ornaments_inc_knots_and_beads><object x1=\"1.5\" y1=\"3.5\" palindex=\"3\" objecttype=\"knot\"/>"
                             "<object x1=\"2\" y1=\"2\" palindex=\"1\" objecttype=\"button6mm\"/></ornaments_inc_knots_and_beads>");
    ASSERT_TRUE(r.pattern) << r.error;
    const PatternDocument& d = *r.pattern;
    EXPECT_EQ(r.brand, "DMC");
    EXPECT_EQ(r.byNumber, 2);  // DMC 321 and 796
    EXPECT_EQ(r.byColour, 1);  // Madeira 2400 became the nearest DMC colour, 310
    EXPECT_EQ(d.threads.numbers, (std::vector<std::string>{"321", "796", "310"}));
    EXPECT_EQ(d.fabric, rgb(0xF0, 0xEA, 0xDA));
    EXPECT_EQ(d.cell(0, 0), 0);
    EXPECT_EQ(d.cell(5, 3), 1);
    EXPECT_EQ(d.cell(1, 0), EmptyCell);  // the cloth is no stitch
    EXPECT_EQ(d.cell(2, 1), 1);
    EXPECT_EQ(d.cell(1, 3), 2);  // the knot brought its colour
    auto markAt = [&](int c, int row) {
        for (const StitchMark& m : d.marks)
            if (m.column == c && m.row == row)
                return m.kind;
        return 0;
    };
    EXPECT_EQ(markAt(2, 1), 2);   // "\"
    EXPECT_EQ(markAt(3, 1), 7);   // top-left three-quarter
    EXPECT_EQ(markAt(4, 1), 2);   // bottom-left three-quarter: only its long leg can be kept
    EXPECT_EQ(markAt(1, 3), 10);  // knot
    ASSERT_EQ(d.lines.size(), 2u);
    EXPECT_EQ(points(d.lines[0]), (std::array<int, 4>{0, 0, 6, 4}));  // the far corner of the last cell
    EXPECT_EQ(d.lines[0].color, kBlack);
    EXPECT_EQ(points(d.lines[1]), (std::array<int, 4>{2, 1, 2, 3}));  // ends moved to grid points
    EXPECT_EQ(d.symbols[0].symbol, "X");  // code point 88
    EXPECT_EQ(d.symbols[1].symbol, "@");
    EXPECT_EQ(d.symbols[2].symbol, "%");
    std::string all;
    for (const auto& c : r.changes)
        all += c + "|";
    EXPECT_EQ(all, "1个四分之三针迹改为半针|1个格子里的第二种颜色未导入|2个描边端点移到最近的格角|1个无法表示的装饰(珠子、纽扣等)未导入|");
    EXPECT_NE(oxsImportSummary(r).find("2种绣线按线号匹配DMC色库,1种按最接近的颜色匹配"), std::string::npos);
}

TEST_F(OxsFixture, TheBrandMostItemsNameWinsWhenItsPaletteIsHere)
{
    const OxsImport r = read("<palette><palette_item index=\"0\" color=\"FFFFFF\"/>"
                             "<palette_item index=\"1\" number=\"Anchor 47\" color=\"BE141E\"/>"
                             "<palette_item index=\"2\" number=\"Anchor 403\" color=\"0A0A0A\"/>"
                             "<palette_item index=\"3\" number=\"DMC 321\" color=\"C81E28\"/></palette>"
                             "<fullstitches><stitch x=\"0\" y=\"0\" palindex=\"1\"/><stitch x=\"1\" y=\"0\" palindex=\"2\"/>"
                             "<stitch x=\"2\" y=\"0\" palindex=\"3\"/></fullstitches><backstitches/>");
    ASSERT_TRUE(r.pattern) << r.error;
    EXPECT_EQ(r.brand, "Anchor");
    EXPECT_EQ(r.byNumber, 2);
    EXPECT_EQ(r.byColour, 1);
    EXPECT_EQ(r.pattern->threads.numbers, (std::vector<std::string>{"47", "403"}));  // DMC 321 is nearest to 47
    EXPECT_EQ(r.pattern->cell(2, 0), 0);
}

TEST_F(OxsFixture, DamagedAndHostileFilesAreRefusedWithAMessage)
{
    EXPECT_EQ(readOxs("", palettes).error, "OXS文件已损坏,不能导入");
    EXPECT_EQ(readOxs("<chart><palette>", palettes).error, "OXS文件已损坏,不能导入");
    EXPECT_EQ(readOxs("<pattern/>", palettes).error, "不是OXS绣图文件");
    EXPECT_EQ(read(kPalette, "chartwidth=\"0\" chartheight=\"4\"").error, "OXS绣图的宽高不正确(只能是1到3000)");
    EXPECT_EQ(read(kPalette, "chartwidth=\"3001\" chartheight=\"4\"").error, "OXS绣图的宽高不正确(只能是1到3000)");
    EXPECT_EQ(read(kPalette, "chartwidth=\"9e99\" chartheight=\"4\"").error, "OXS绣图的宽高不正确(只能是1到3000)");
    EXPECT_EQ(read("<fullstitches/>").error, "OXS绣图没有调色板");
    EXPECT_EQ(read("<palette><palette_item index=\"1\"/><palette_item index=\"1\"/></palette>").error, "OXS绣图的调色板序号重复");
    EXPECT_EQ(read("<palette><palette_item index=\"-4\"/></palette>").error, "OXS绣图的调色板序号不正确");
    // Nesting without end is refused before the parser descends into it.
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    EXPECT_EQ(readOxs("<chart>" + deep, palettes).error, "OXS文件已损坏,不能导入");
    EXPECT_FALSE(readOxs("<chart>" + deep, palettes).pattern);
    // Stitches outside the chart or naming no colour are left out and counted.
    const OxsImport r = read(std::string(kPalette) +
                             "<fullstitches><stitch x=\"6\" y=\"0\" palindex=\"1\"/><stitch x=\"-1\" y=\"0\" palindex=\"1\"/>"
                             "<stitch x=\"0\" y=\"0\" palindex=\"99\"/><stitch x=\"a\" y=\"0\" palindex=\"1\"/></fullstitches>");
    ASSERT_TRUE(r.pattern);
    EXPECT_EQ(r.pattern->threads.size(), 0);
    ASSERT_EQ(r.changes.size(), 2u);
    EXPECT_EQ(r.changes[0], "3个针迹超出绣图范围,未导入");
    EXPECT_EQ(r.changes[1], "1处引用了不存在的颜色,未导入");
}

TEST_F(OxsFixture, BytesThatAreNoUtf8AreReadAsLatin1)
{
    // A lead byte without its continuation at the end of a name made the XML parser read past
    // the text; such bytes now reach it as whole characters.
    const std::string cut = "<?xl><itchs>\xF1<'$" + std::string(28, '\xF1') + "\xF9\xF1";
    EXPECT_FALSE(readOxs(cut, palettes).pattern);
    const OxsImport r = read("<palette><palette_item index=\"0\" color=\"FFFFFF\"/>"
                             "<palette_item index=\"1\" number=\"DMC 321\" name=\"Rouge \xE9\" color=\"C81E28\"/></palette>"
                             "<fullstitches><stitch x=\"0\" y=\"0\" palindex=\"1\"/></fullstitches>");
    ASSERT_TRUE(r.pattern) << r.error;
    EXPECT_EQ(r.pattern->threads.numbers, std::vector<std::string>{"321"});
}

TEST_F(OxsFixture, SavingReplacesTheFileWholeAndLoadingReadsItBack)
{
    const std::string path = dir + "chart.oxs";
    std::vector<std::string> dropped{"stale"};
    std::string error;
    ASSERT_TRUE(saveOxs(sample(), path, std::nullopt, &dropped, &error));
    EXPECT_TRUE(dropped.empty());
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("charttitle=\"chart\""), std::string::npos);
    const OxsImport back = loadOxs(path, palettes);
    ASSERT_TRUE(back.pattern) << back.error;
    EXPECT_EQ(back.pattern->cell(4, 0), 0);

    EXPECT_FALSE(saveOxs(sample(), dir + "missing/chart.oxs", std::nullopt, nullptr, &error));
    EXPECT_EQ(error, "不能写入文件 " + dir + "missing/chart.oxs");
    EXPECT_EQ(loadOxs(dir, palettes).error, "打不开文件 " + dir);
}

TEST_F(OxsFixture, NumbersWithoutABrandAreMatchedByNumberInTheChartsBrand)
{
    // The dialect of one widely used designer: numbers padded with blanks, no brand. The
    // colours are the designer's own, nearer to other threads than to their own numbers.
    const OxsImport r = read("<palette><palette_item index=\"0\" number=\"cloth\" color=\"FFFFFF\"/>"
                             "<palette_item index=\"1\" number=\"  310\" name=\"Black\" color=\"1428B4\"/>"
                             "<palette_item index=\"2\" number=\"  321\" name=\"Red\" color=\"000000\"/>"
                             "<palette_item index=\"3\" number=\" 0796\" name=\"Blue\" color=\"C81E28\"/></palette>"
                             "<fullstitches><stitch x=\"0\" y=\"0\" palindex=\"1\"/><stitch x=\"1\" y=\"0\" palindex=\"2\"/>"
                             "<stitch x=\"2\" y=\"0\" palindex=\"3\"/></fullstitches>");
    ASSERT_TRUE(r.pattern) << r.error;
    EXPECT_EQ(r.brand, "DMC");
    EXPECT_EQ(r.byNumber, 3);
    EXPECT_EQ(r.byColour, 0);
    EXPECT_EQ(r.pattern->threads.numbers, (std::vector<std::string>{"310", "321", "796"}));

    // The palette names its brand: the bare numbers are that brand's.
    const OxsImport anchor = read("<palette brand=\"Anchor\"><palette_item index=\"0\" color=\"FFFFFF\"/>"
                                  "<palette_item index=\"1\" number=\"403\" color=\"C81E28\"/>"
                                  "<palette_item index=\"2\" number=\"47\" color=\"0A0A0A\"/></palette>"
                                  "<fullstitches><stitch x=\"0\" y=\"0\" palindex=\"1\"/><stitch x=\"1\" y=\"0\" palindex=\"2\"/>"
                                  "</fullstitches>");
    ASSERT_TRUE(anchor.pattern) << anchor.error;
    EXPECT_EQ(anchor.brand, "Anchor");
    EXPECT_EQ(anchor.byNumber, 2);
    EXPECT_EQ(anchor.pattern->threads.numbers, (std::vector<std::string>{"403", "47"}));

    // Bare numbers beside branded ones belong to the brand the others name.
    const OxsImport mixed = read("<palette><palette_item index=\"0\" color=\"FFFFFF\"/>"
                                 "<palette_item index=\"1\" number=\"Anchor 47\" color=\"0A0A0A\"/>"
                                 "<palette_item index=\"2\" number=\"403\" color=\"C81E28\"/></palette>"
                                 "<fullstitches><stitch x=\"0\" y=\"0\" palindex=\"1\"/><stitch x=\"1\" y=\"0\" palindex=\"2\"/>"
                                 "</fullstitches>");
    ASSERT_TRUE(mixed.pattern) << mixed.error;
    EXPECT_EQ(mixed.brand, "Anchor");
    EXPECT_EQ(mixed.byNumber, 2);
}

TEST_F(OxsFixture, PositionsWithADecimalCommaAreReadAndEachDroppedObjectSaysWhy)
{
    const OxsImport r = read(std::string(kPalette) +
                             "<fullstitches><stitch x=\"0\" y=\"0\" palindex=\"1\"/></fullstitches>"
                             "<backstitches><backstitch x1=\"0,0\" y1=\"1\" x2=\"3\" y2=\"1,0\" palindex=\"2\"/>"
                             "<backstitch x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\" palindex=\"0\"/></backstitches>"
                             "<ornaments_inc_knots_and_beads>"
                             "<object x1=\"2,5\" y1=\"1,5\" palindex=\"3\" objecttype=\"knot\"/>"
                             "<object x1=\"3,5\" y1=\"2,5\" palindex=\"1\" objecttype=\"bead\"/>"
                             "<object x1=\"1\" y1=\"1\" palindex=\"1\" objecttype=\"button6mm\"/>"
                             "<object x1=\"a\" y1=\"1\" palindex=\"1\" objecttype=\"knot\"/>"
                             "<object x1=\"40,5\" y1=\"1,5\" palindex=\"1\" objecttype=\"knot\"/>"
                             "<object x1=\"4,5\" y1=\"0,5\" objecttype=\"knot\"/>"
                             "</ornaments_inc_knots_and_beads>");
    ASSERT_TRUE(r.pattern) << r.error;
    const PatternDocument& d = *r.pattern;
    auto markAt = [&](int c, int row) {
        for (const StitchMark& m : d.marks)
            if (m.column == c && m.row == row)
                return m.kind;
        return 0;
    };
    EXPECT_EQ(markAt(2, 1), 10);  // knot
    EXPECT_EQ(markAt(3, 2), 11);  // bead
    ASSERT_EQ(d.lines.size(), 1u);
    EXPECT_EQ(points(d.lines[0]), (std::array<int, 4>{0, 1, 3, 1}));
    std::string all;
    for (const auto& c : r.changes)
        all += c + "|";
    EXPECT_EQ(all, "1条描边没有颜色,未导入|1个无法表示的装饰(珠子、纽扣等)未导入|1个装饰的位置不可读,未导入|"
                   "1个装饰超出绣图范围,未导入|1个装饰没有颜色,未导入|");
}

TEST_F(OxsFixture, APaletteOfColorElementsKeepsEveryStitchAndLine)
{
    const OxsImport r = read("<palette><color index=\"0\" number=\"cloth\" color=\"FFFFFF\"/>"
                             "<color index=\"1\" number=\"DMC 321\" color=\"C81E28\"/>"
                             "<color index=\"2\" number=\"DMC 310\" color=\"000000\"/></palette>"
                             "<fullstitches><stitch x=\"0\" y=\"0\" palindex=\"1\"/><stitch x=\"5\" y=\"3\" palindex=\"2\"/>"
                             "</fullstitches>"
                             "<backstitches><backstitch x1=\"0\" y1=\"0\" x2=\"2\" y2=\"2\" palindex=\"2\"/></backstitches>");
    ASSERT_TRUE(r.pattern) << r.error;
    EXPECT_EQ(r.byNumber, 2);
    EXPECT_EQ(r.pattern->threads.numbers, (std::vector<std::string>{"321", "310"}));
    EXPECT_EQ(r.pattern->cell(0, 0), 0);
    EXPECT_EQ(r.pattern->cell(5, 3), 1);
    ASSERT_EQ(r.pattern->lines.size(), 1u);
    EXPECT_TRUE(r.changes.empty()) << r.changes.front();
}

TEST_F(OxsFixture, ExportNamesEachThreadFromItsBrandsTable)
{
    std::filesystem::create_directories(dir + "SysPAL");
    std::ofstream(dir + "SysPAL/DMC.names") << "321\tRed\n796\tRoyal Blue Dark\nB5200\tSnow White\n";
    const ThreadNames names = loadThreadNames(palettes, "DMC");
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names.at("796"), "Royal Blue Dark");
    EXPECT_TRUE(loadThreadNames(palettes, "Anchor").empty());  // no table: numbers stay
    const std::string xml = writeOxs(sample(), "x", std::nullopt, names).xml;
    EXPECT_NE(xml.find("number=\"DMC 321\" name=\"Red\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("number=\"DMC 796\" name=\"Royal Blue Dark\""), std::string::npos);
    EXPECT_NE(xml.find("number=\"DMC 310\" name=\"310\""), std::string::npos);  // not in the table
    // And the names come back in: the threads still match by number.
    const OxsImport back = readOxs(xml, palettes);
    ASSERT_TRUE(back.pattern) << back.error;
    EXPECT_EQ(back.pattern->threads.numbers[0], "321");
}
