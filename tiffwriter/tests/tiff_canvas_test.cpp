// The page file: header and directory bytes, the background, the black overprint, clipping,
// bands of rows, rows a drawing covers itself, the 4 GiB limit and what a page leaves behind
// when it is not finished.
#include "tiffwriter/tiff_canvas.h"

#include "interchange/file_bytes.h"
#include "editor/document/tests/test_support.h"

#include <tiffio.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

std::uint32_t u16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) { return static_cast<std::uint32_t>(test::int32At(b, at)); }

std::vector<std::string> statusOf(TiffCanvas& canvas, const std::string& path, int w, int h, CmykValue background,
                                  TiffCanvas::Result expected = TiffCanvas::Result::Created)
{
    std::vector<std::string> shown;
    EXPECT_EQ(canvas.create(path, w, h, background, [&](const std::string& t) { shown.push_back(t); }), expected);
    return shown;
}

CmykValue filePixel(const std::vector<std::uint8_t>& bytes, int w, int x, int y)
{
    const std::size_t at = 198 + (static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * w) * 4;
    return {bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]};
}

}  // namespace

TEST(TiffCanvas, APageOfHundredByFiftyHasTheHeaderFourteenEntriesAndItsResolution)
{
    test::TempDir dir;
    TiffCanvas canvas;
    const auto shown = statusOf(canvas, dir.file("p.tiff"), 100, 50, kPaperWhite);
    EXPECT_EQ(shown, (std::vector<std::string>{"初始化文件", "初始化文件完毕"}));
    ASSERT_TRUE(canvas.finish(false));
    const auto b = test::readBytes(dir.file("p.tiff"));
    ASSERT_EQ(b.size(), 198u + 20000u);
    EXPECT_EQ(b[0], 'I');
    EXPECT_EQ(b[1], 'I');
    EXPECT_EQ(u16(b, 2), 42u);
    EXPECT_EQ(u32(b, 4), 8u);
    EXPECT_EQ(u16(b, 8), 14u);
    struct Entry {
        std::uint32_t tag, type, value;
    };
    // Sorted by tag; NewSubfileType a LONG 0 (one image), the resolutions RATIONALs after
    // the directory, the pixels after them.
    const Entry expected[14] = {{254, 4, 0},   {256, 3, 100}, {257, 3, 50},    {258, 3, 8},   {259, 3, 1},
                                {262, 3, 5},   {273, 3, 198}, {274, 3, 1},     {277, 3, 4},   {279, 4, 20000},
                                {282, 5, 182}, {283, 5, 190}, {284, 3, 1},     {296, 3, 2}};
    for (int i = 0; i < 14; ++i) {
        const std::size_t at = 10 + static_cast<std::size_t>(i) * 12;
        EXPECT_EQ(u16(b, at), expected[i].tag) << i;
        EXPECT_EQ(u16(b, at + 2), expected[i].type) << i;
        EXPECT_EQ(u32(b, at + 4), 1u) << i;
        EXPECT_EQ(u32(b, at + 8), expected[i].value) << i;
    }
    EXPECT_EQ(u32(b, 178), 0u);  // no next directory
    for (std::size_t at : {182u, 190u}) {  // 300/1
        EXPECT_EQ(u32(b, at), 300u);
        EXPECT_EQ(u32(b, at + 4), 1u);
    }
    const auto header = TiffCanvas::headerBytes(100, 50);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), b.begin()));
}

TEST(TiffCanvas, LibtiffReadsThreeHundredPerInchAndOneImage)
{
    test::TempDir dir;
    TiffCanvas canvas;
    // 25 x 20 cm at 300 per inch.
    statusOf(canvas, dir.file("p.tif"), 2952, 2362, kPaperWhite);
    ASSERT_TRUE(canvas.finish(false));
    TIFF* tiff = TIFFOpen(dir.file("p.tif").c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    float x = 0, y = 0;
    std::uint16_t unit = 0;
    std::uint32_t subfile = 99;
    EXPECT_EQ(TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &x), 1);
    EXPECT_EQ(TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &y), 1);
    EXPECT_EQ(TIFFGetField(tiff, TIFFTAG_RESOLUTIONUNIT, &unit), 1);
    EXPECT_EQ(TIFFGetField(tiff, TIFFTAG_SUBFILETYPE, &subfile), 1);
    EXPECT_EQ(x, 300.0f);
    EXPECT_EQ(y, 300.0f);
    EXPECT_EQ(unit, RESUNIT_INCH);
    EXPECT_EQ(subfile, 0u);
    TIFFClose(tiff);
}

TEST(TiffCanvas, LibtiffReadsThePageAsSeparatedInk)
{
    test::TempDir dir;
    TiffCanvas canvas;
    statusOf(canvas, dir.file("p.tiff"), 64, 48, CmykValue{10, 20, 30, 40});
    canvas.fillRect(8, 8, 4, 4, CmykValue{200, 0, 0, 0});
    ASSERT_TRUE(canvas.finish(false));
    TIFF* tiff = TIFFOpen(dir.file("p.tiff").c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    std::uint32_t w = 0, h = 0;
    std::uint16_t photometric = 0, samples = 0, bits = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &h);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    EXPECT_EQ(w, 64u);
    EXPECT_EQ(h, 48u);
    EXPECT_EQ(photometric, PHOTOMETRIC_SEPARATED);
    EXPECT_EQ(samples, 4);
    EXPECT_EQ(bits, 8);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(TIFFScanlineSize(tiff)));
    ASSERT_EQ(TIFFReadScanline(tiff, line.data(), 9, 0), 1);
    EXPECT_EQ(std::vector<std::uint8_t>(line.begin(), line.begin() + 4), (std::vector<std::uint8_t>{10, 20, 30, 40}));
    EXPECT_EQ(std::vector<std::uint8_t>(line.begin() + 36, line.begin() + 40), (std::vector<std::uint8_t>{200, 0, 0, 0}));
    std::vector<std::uint32_t> rgba(64 * 48);
    EXPECT_EQ(TIFFReadRGBAImage(tiff, 64, 48, rgba.data(), 0), 1);
    TIFFClose(tiff);
}

TEST(TiffCanvas, TheBackgroundFillsEveryPixel)
{
    test::TempDir dir;
    TiffCanvas canvas;
    // More pixels than one 40000-byte buffer, and a count that leaves a short last chunk.
    statusOf(canvas, dir.file("p.tiff"), 173, 101, CmykValue{1, 2, 3, 4});
    ASSERT_TRUE(canvas.finish(false));
    const auto b = test::readBytes(dir.file("p.tiff"));
    ASSERT_EQ(b.size(), 198u + 173u * 101u * 4u);
    for (std::size_t i = 198; i < b.size(); i += 4)
        ASSERT_EQ((std::vector<std::uint8_t>(b.begin() + i, b.begin() + i + 4)), (std::vector<std::uint8_t>{1, 2, 3, 4})) << i;
}

TEST(TiffCanvas, BlackPrintsOverTheColourUnderIt)
{
    test::TempDir dir;
    TiffCanvas canvas;
    statusOf(canvas, dir.file("p.tiff"), 20, 10, kPaperWhite);
    const CmykValue green{102, 0, 204, 0};  // C 40 %, M 0, Y 80 %
    canvas.fillRect(0, 0, 20, 10, green);
    canvas.setPixel(3, 4, kBlackInk);
    canvas.fillSpan(10, 15, 6, kBlackInk);
    canvas.setPixel(5, 5, CmykValue{0, 0, 0, 254});  // nearly black is a colour like any other
    canvas.setPixel(6, 5, CmykValue{1, 0, 0, 255});
    EXPECT_EQ(canvas.pixel(3, 4), (CmykValue{102, 0, 204, 255}));
    ASSERT_TRUE(canvas.finish(false));
    const auto b = test::readBytes(dir.file("p.tiff"));
    EXPECT_EQ(filePixel(b, 20, 3, 4), (CmykValue{102, 0, 204, 255}));
    for (int x = 10; x < 15; ++x)
        EXPECT_EQ(filePixel(b, 20, x, 6), (CmykValue{102, 0, 204, 255}));
    EXPECT_EQ(filePixel(b, 20, 15, 6), green);
    EXPECT_EQ(filePixel(b, 20, 5, 5), (CmykValue{0, 0, 0, 254}));
    EXPECT_EQ(filePixel(b, 20, 6, 5), (CmykValue{1, 0, 0, 255}));
}

TEST(TiffCanvas, NothingIsWrittenOutsideThePage)
{
    test::TempDir dir;
    TiffCanvas canvas;
    statusOf(canvas, dir.file("p.tiff"), 10, 8, kPaperWhite);
    const CmykValue ink{9, 9, 9, 9};
    canvas.setPixel(-1, 0, ink);
    canvas.setPixel(10, 0, ink);
    canvas.setPixel(0, -1, ink);
    canvas.setPixel(0, 8, ink);
    canvas.fillRect(-5, -5, 7, 7, ink);  // only 2 x 2 inside
    canvas.fillRect(8, 6, 50, 50, ink);  // only 2 x 2 inside
    const std::uint8_t mask[9] = {1, 1, 1, 1, 0, 1, 1, 1, 1};
    canvas.stamp(-1, 3, 3, 3, mask, 3, ink);  // its left column falls off the page
    ASSERT_TRUE(canvas.finish(false));
    const auto b = test::readBytes(dir.file("p.tiff"));
    ASSERT_EQ(b.size(), 198u + 320u);
    int inked = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            inked += filePixel(b, 10, x, y) == ink;
    EXPECT_EQ(inked, 4 + 4 + 5);
    EXPECT_EQ(filePixel(b, 10, 0, 4), kPaperWhite);  // the mask's hole
    EXPECT_EQ(filePixel(b, 10, 1, 4), ink);
}

TEST(TiffCanvas, DrawingAcrossBandsOfRowsGivesTheSameFile)
{
    test::TempDir dir;
    auto draw = [&](const std::string& name, std::size_t bandBytes) {
        TiffCanvas canvas;
        canvas.setBandBytes(bandBytes);
        statusOf(canvas, dir.file(name), 37, 53, CmykValue{5, 6, 7, 8});
        for (int i = 0; i < 53; i += 3)
            canvas.fillRect(i % 37, i, 11, 9, CmykValue{static_cast<std::uint8_t>(i), 1, 2, 3});
        for (int x = 0; x < 37; x += 4)
            canvas.fillRect(x, 0, 1, 53, kBlackInk);
        EXPECT_TRUE(canvas.finish(false));
        return test::readBytes(dir.file(name));
    };
    const auto whole = draw("whole.tiff", 1 << 20);
    const auto oneRow = draw("row.tiff", 1);
    const auto seven = draw("seven.tiff", 37 * 4 * 7);
    EXPECT_EQ(whole, oneRow);
    EXPECT_EQ(whole, seven);
}

TEST(TiffCanvas, PagesPastTheTiffLimitsAreRefusedBeforeAnythingIsWritten)
{
    EXPECT_TRUE(TiffCanvas::fits(32767, 32767));          // 4 294 705 354 bytes: just inside
    EXPECT_FALSE(TiffCanvas::fits(32768, 32768));         // every offset must fit 32 bits
    EXPECT_FALSE(TiffCanvas::fits(65536, 10));            // the width is a SHORT
    EXPECT_FALSE(TiffCanvas::fits(0, 10));
    // Which limit a page passes, so the refusal can say so.
    EXPECT_EQ(TiffCanvas::limitPassed(65536, 10), TiffCanvas::Limit::Side);
    EXPECT_EQ(TiffCanvas::limitPassed(10, 70000), TiffCanvas::Limit::Side);
    EXPECT_EQ(TiffCanvas::limitPassed(40000, 40000), TiffCanvas::Limit::FileSize);
    EXPECT_EQ(TiffCanvas::limitPassed(65535, 10), TiffCanvas::Limit::None);
    test::TempDir dir;
    TiffCanvas canvas;
    const auto shown = statusOf(canvas, dir.file("big.tiff"), 40000, 40000, kPaperWhite, TiffCanvas::Result::TooLarge);
    EXPECT_EQ(shown, (std::vector<std::string>{"初始化文件", "初始化文件失败"}));
    EXPECT_FALSE(fileExists(dir.file("big.tiff")));
    EXPECT_FALSE(fileExists(dir.file("big.tiff.part")));
}

TEST(TiffCanvas, AnUnfinishedPageLeavesNothingUnderItsName)
{
    test::TempDir dir;
    test::writeBytes(dir.file("old.tiff"), {1, 2, 3});
    {
        TiffCanvas canvas;
        statusOf(canvas, dir.file("old.tiff"), 10, 10, kPaperWhite);
        EXPECT_TRUE(fileExists(canvas.workingPath()));
        canvas.fillRect(0, 0, 5, 5, kBlackInk);
    }  // dropped without finish()
    EXPECT_EQ(test::readBytes(dir.file("old.tiff")), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(fileExists(dir.file("old.tiff.part")));

    TiffCanvas missing;
    const auto shown = statusOf(missing, dir.file("no/such/folder.tiff"), 10, 10, kPaperWhite, TiffCanvas::Result::CannotCreate);
    EXPECT_EQ(shown.back(), "初始化文件失败");
    EXPECT_FALSE(missing.finish(false));
}

TEST(TiffCanvas, ClippedRowsKeepEveryOtherRowAsItWas)
{
    test::TempDir dir;
    TiffCanvas canvas;
    canvas.setBandBytes(10 * 4 * 3);  // bands of three rows
    statusOf(canvas, dir.file("p.tiff"), 10, 10, kPaperWhite);
    EXPECT_EQ(canvas.bandCount(), 4);
    EXPECT_EQ(canvas.bandRows(3), (std::pair<int, int>(9, 10)));
    canvas.clipRows(3, 6);
    canvas.fillRect(0, 0, 10, 10, kBlackInk);
    canvas.clearRowClip();
    ASSERT_TRUE(canvas.finish(false));
    const auto b = test::readBytes(dir.file("p.tiff"));
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(filePixel(b, 10, 4, y), y >= 3 && y < 6 ? kBlackInk : kPaperWhite) << y;
}

TEST(TiffCanvas, TwoRunsOnOneOutputNeverShareAWorkingFileNorFollowALink)
{
    test::TempDir dir;
    test::writeBytes(dir.file("victim.txt"), {'v'});
    // The name a fixed scheme would use, planted as a link.
    ASSERT_EQ(::symlink(dir.file("victim.txt").c_str(), dir.file("t.tiff.part").c_str()), 0);
    TiffCanvas a, b;
    ASSERT_EQ(a.create(dir.file("t.tiff"), 10, 10, kPaperWhite), TiffCanvas::Result::Created);
    ASSERT_EQ(b.create(dir.file("t.tiff"), 20, 20, kPaperWhite), TiffCanvas::Result::Created);
    EXPECT_NE(a.workingPath(), b.workingPath());
    EXPECT_NE(a.workingPath().find(kTemporaryMark), std::string::npos);
    a.fillRect(0, 0, 10, 10, kBlackInk);
    b.fillRect(0, 0, 20, 20, kBlackInk);
    EXPECT_TRUE(a.finish(false));
    const auto first = test::readBytes(dir.file("t.tiff"));
    EXPECT_TRUE(b.finish(false));
    const auto second = test::readBytes(dir.file("t.tiff"));
    EXPECT_EQ(second.size(), TiffCanvas::fileSize(20, 20));  // the whole of one run's page
    EXPECT_NE(first, second);
    EXPECT_EQ(test::readBytes(dir.file("victim.txt")), std::vector<std::uint8_t>{'v'});
}

TEST(TiffCanvas, ARowCoveredByItsDrawingGetsTheBackgroundOnlyAroundIt)
{
    test::TempDir dir;
    TiffCanvas canvas;
    canvas.setBandBytes(10 * 4 * 2);  // bands of two rows
    const CmykValue ground{1, 2, 3, 4}, ink{9, 9, 9, 9};
    statusOf(canvas, dir.file("p.tiff"), 10, 6, ground);
    bool fresh = false;
    // A new row: the background left and right of the part asked for, which is the caller's.
    std::uint8_t* line = canvas.rowToCover(1, 3, 7, fresh);
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(fresh);
    TiffCanvas::put(line, 3, 7, ink);
    EXPECT_EQ(canvas.pixel(2, 1), ground);
    EXPECT_EQ(canvas.pixel(7, 1), ground);
    // Asked again, or after other drawing on it, the row is as drawn so far.
    EXPECT_EQ(canvas.rowToCover(1, 0, 10, fresh), line);
    EXPECT_FALSE(fresh);
    canvas.fillSpan(0, 2, 4, kBlackInk);
    ASSERT_NE(canvas.rowToCover(4, 0, 10, fresh), nullptr);
    EXPECT_FALSE(fresh);
    // A band read back from the file is drawn on as it is.
    EXPECT_EQ(canvas.pixel(3, 1), ink);
    ASSERT_NE(canvas.rowToCover(0, 0, 10, fresh), nullptr);
    EXPECT_FALSE(fresh);
    canvas.fillSpan(0, 2, 4, kBlackInk);
    // Outside the clipped rows there is no row, and none is started.
    canvas.clipRows(0, 3);
    EXPECT_EQ(canvas.rowToCover(3, 0, 10, fresh), nullptr);
    canvas.clearRowClip();
    // Out and read back: the parts stay, the black prints over the background, and every row
    // never drawn on is background.
    canvas.beginBand(2);
    ASSERT_TRUE(canvas.finish(false));
    const auto b = test::readBytes(dir.file("p.tiff"));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) {
            CmykValue expected = ground;
            if (y == 1 && x >= 3 && x < 7)
                expected = ink;
            if (y == 4 && x < 2)
                expected = CmykValue{1, 2, 3, 255};
            EXPECT_EQ(filePixel(b, 10, x, y), expected) << x << ", " << y;
        }
}
