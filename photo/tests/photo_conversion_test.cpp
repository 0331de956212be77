// The two-pass conversion on pixels the tests choose: exact matches counting twice, the
// strict exchange sort, dropped candidates, library matching, ties, the order of first use,
// progress, the 255-thread limit; and the photo drawn at the pattern's size.
#include "photo/photo_conversion.h"
#include "photo/photo_picture.h"
#include "photo/tests/photo_test_support.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

constexpr ColorRef kRed = rgb(200, 0, 0);
constexpr ColorRef kGreen = rgb(0, 200, 0);
constexpr ColorRef kBlue = rgb(0, 0, 200);

TEST(PhotoConversion, ExactMatchesCountTwiceAndTheMostCountedComesFirst)
{
    // Three pixels near red (1 each) against two pixels exactly blue (2 each).
    const std::vector<ColorRef> pixels = {rgb(190, 0, 0), rgb(195, 5, 0), rgb(199, 0, 3), kBlue, kBlue};
    const std::vector<ColorRef> candidates = {kRed, kGreen, kBlue};
    PhotoConversionState s;
    const ConversionResult r = convertPhotoPixels(pixels, 5, 1, candidates, candidates, nullptr, &s);
    EXPECT_EQ(s.counts, (std::vector<std::int32_t>{3, 0, 4}));
    // Blue first, red second, green (counted 0) dropped.
    EXPECT_EQ(s.order, (std::vector<std::int32_t>{2, 0}));
    EXPECT_EQ(s.orderCounts, (std::vector<std::int32_t>{4, 3}));
    // The result numbers colours by first use, row by row, not by count.
    EXPECT_EQ(r.colors, (std::vector<ColorRef>{kRed, kBlue}));
    EXPECT_EQ(r.cells, (std::vector<std::int32_t>{0, 0, 0, 1, 1}));
}

TEST(PhotoConversion, TheExchangeSortSwapsOnlyForAStrictlyGreaterCount)
{
    // Counts 1, 2, 2 in table order: (0,1) swap, (0,2) no swap as 2 < 2 fails, then (1,2)
    // swap: the order is 1, 2, 0 and candidate 2 never passes candidate 1.
    const ColorRef a = rgb(10, 10, 10), b = rgb(100, 100, 100), c = rgb(250, 250, 250);
    const std::vector<ColorRef> pixels = {a, b, c};  // every pixel exact: 2 each...
    const std::vector<ColorRef> inexact = {rgb(11, 10, 10), b, rgb(101, 100, 100), c, rgb(251, 250, 250)};
    PhotoConversionState s;
    convertPhotoPixels(inexact, 5, 1, std::vector<ColorRef>{a, b, c}, std::vector<ColorRef>{a, b, c}, nullptr, &s);
    EXPECT_EQ(s.counts, (std::vector<std::int32_t>{1, 3, 3}));
    EXPECT_EQ(s.order, (std::vector<std::int32_t>{1, 2, 0}));
    convertPhotoPixels(pixels, 3, 1, std::vector<ColorRef>{a, b, c}, std::vector<ColorRef>{a, b, c}, nullptr, &s);
    EXPECT_EQ(s.order, (std::vector<std::int32_t>{0, 1, 2}));
}

TEST(PhotoConversion, TiesGoToTheEarlierCandidateInCountOrder)
{
    // Pass 1: (100,0,0) lies as far from black as from (200,0,0); the table's earlier entry
    // (black) takes it. Pass 2 searches the candidates in count order, where (200,0,0) now
    // comes first, so the same pixel goes to it.
    const ColorRef black = rgb(0, 0, 0), red = rgb(200, 0, 0), middle = rgb(100, 0, 0);
    const std::vector<ColorRef> pixels = {middle, red, red};
    PhotoConversionState s;
    const ConversionResult r =
        convertPhotoPixels(pixels, 3, 1, std::vector<ColorRef>{black, red}, std::vector<ColorRef>{black, red}, nullptr, &s);
    EXPECT_EQ(s.counts, (std::vector<std::int32_t>{1, 4}));
    EXPECT_EQ(s.order, (std::vector<std::int32_t>{1, 0}));
    EXPECT_EQ(r.colors, (std::vector<ColorRef>{red}));
    EXPECT_EQ(r.cells, (std::vector<std::int32_t>{0, 0, 0}));
}

TEST(PhotoConversion, LibraryMatchingTakesTheFirstExactColourElseTheNearest)
{
    const ColorRef orange = rgb(250, 120, 0);
    // The library holds red twice and something near orange: red takes its first entry,
    // orange the nearest; both candidates near the same thread become one colour.
    const std::vector<ColorRef> library = {rgb(0, 0, 0), kRed, kRed, rgb(240, 128, 8)};
    const std::vector<ColorRef> candidates = {kRed, orange, rgb(245, 125, 4)};
    const std::vector<ColorRef> pixels = {kRed, orange, rgb(245, 125, 4), orange};
    PhotoConversionState s;
    const ConversionResult r = convertPhotoPixels(pixels, 2, 2, candidates, library, nullptr, &s);
    EXPECT_EQ(s.order, (std::vector<std::int32_t>{1, 0, 2}));
    EXPECT_EQ(s.libraryColours, (std::vector<ColorRef>{rgb(240, 128, 8), kRed, rgb(240, 128, 8)}));
    EXPECT_EQ(r.colors, (std::vector<ColorRef>{kRed, rgb(240, 128, 8)}));
    EXPECT_EQ(r.cells, (std::vector<std::int32_t>{0, 1, 1, 1}));
    EXPECT_EQ(r.width, 2);
    EXPECT_EQ(r.height, 2);
}

TEST(PhotoConversion, ProgressRunsToTenInEachOfTheTwoPasses)
{
    const std::vector<ColorRef> pixels(100, kRed);
    test::RecordingProgress progress;
    convertPhotoPixels(pixels, 10, 10, std::vector<ColorRef>{kRed}, std::vector<ColorRef>{kRed}, &progress);
    EXPECT_EQ(progress.low, 0);
    EXPECT_EQ(progress.high, 10);
    std::vector<int> pass = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::vector<int> both = pass;
    both.insert(both.end(), pass.begin(), pass.end());
    EXPECT_EQ(progress.positions, both);
}

TEST(PhotoConversion, AFullTableOfDifferentThreadsIsCutTo255)
{
    // 256 candidates, each its own pixel and its own library colour.
    std::vector<ColorRef> colours;
    for (unsigned i = 0; i < 256; ++i)
        colours.push_back(rgb(i, (i * 7) & 0xFF, 255 - i));
    std::vector<ColorRef> pixels = colours;
    pixels.push_back(colours[0]);  // colour 0 used twice, so it is not the least used
    PhotoConversionState s;
    const ConversionResult r = convertPhotoPixels(pixels, 257, 1, colours, colours, nullptr, &s);
    EXPECT_EQ(s.merged, 1);
    ASSERT_EQ(r.colorCount(), kMaxConvertedThreads);
    // Every cell still points at a colour, numbered by first use.
    std::int32_t highest = -1;
    for (const std::int32_t v : r.cells) {
        ASSERT_GE(v, 0);
        ASSERT_LT(v, r.colorCount());
        ASSERT_LE(v, highest + 1);
        highest = std::max(highest, v);
    }
}

TEST(PhotoConversion, NothingToConvertGivesNoResult)
{
    const std::vector<ColorRef> one = {kRed};
    EXPECT_TRUE(convertPhotoPixels(one, 1, 1, {}, one).empty());
    EXPECT_TRUE(convertPhotoPixels(one, 1, 1, one, {}).empty());
    EXPECT_TRUE(convertPhotoPixels(one, 0, 1, one, one).empty());
    EXPECT_TRUE(convertPhotoPixels(one, 2, 1, one, one).empty());  // fewer pixels than cells
}

GifPicture checkerPhoto()
{
    GifPicture p;
    p.width = 4;
    p.height = 2;
    p.colours = {kRed, kBlue};
    p.pixels = {0, 1, 0, 1, 1, 0, 1, 0};
    return p;
}

TEST(PhotoPixels, AtItsOwnSizeThePixelsAreTakenAsTheyAre)
{
    const GifPicture p = checkerPhoto();
    EXPECT_EQ(photoPixels(p, 4, 2), (std::vector<ColorRef>{kRed, kBlue, kRed, kBlue, kBlue, kRed, kBlue, kRed}));
    const QImage image = photoImage(p);
    EXPECT_EQ(image.size(), QSize(4, 2));
    EXPECT_EQ(image.pixel(1, 0), pixelOf(kBlue));
}

TEST(PhotoPixels, AnyOtherSizeIsDrawnSmoothlyAtExactlyThatSize)
{
    GifPicture p;
    p.width = 8;
    p.height = 8;
    p.colours = {rgb(0, 0, 0), rgb(255, 255, 255)};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            p.pixels.push_back(static_cast<std::uint8_t>(x < 4 ? 0 : 1));
    const auto half = photoPixels(p, 4, 4);
    ASSERT_EQ(half.size(), 16u);
    EXPECT_EQ(redOf(half[0]), 0u);
    EXPECT_EQ(redOf(half[3]), 255u);
    // Shrinking an 8-pixel-wide pair of halves to 3 columns blends the middle one.
    const auto blended = photoPixels(p, 3, 2);
    ASSERT_EQ(blended.size(), 6u);
    EXPECT_GT(redOf(blended[1]), 0u);
    EXPECT_LT(redOf(blended[1]), 255u);
    EXPECT_EQ(photoPixels(p, 20, 10).size(), 200u);
    EXPECT_TRUE(photoPixels(p, 0, 10).empty());
}

}  // namespace
}  // namespace brenmark
