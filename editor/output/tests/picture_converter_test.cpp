// The conversion of pixels into cells and threads: bins, the exchange sort, the bin palette,
// thread matching and grouping, on pictures made here.
#include "editor/output/picture_converter.h"

#include <gtest/gtest.h>

#include <vector>

namespace brenmark {
namespace {

class Progress final : public ProgressReport {
public:
    int low = -1, high = -1;
    std::vector<int> positions;
    void setRange(int l, int h) override { low = l, high = h; }
    void setPosition(int p) override { positions.push_back(p); }
};

// One pixel of each colour, count times, row after row.
std::vector<ColorRef> pixelsOf(const std::vector<std::pair<ColorRef, int>>& runs)
{
    std::vector<ColorRef> out;
    for (const auto& [colour, count] : runs)
        out.insert(out.end(), static_cast<std::size_t>(count), colour);
    return out;
}

TEST(BinKeys, HighNibblesBlueHighestAndTheLowEndStandsForTheBin)
{
    EXPECT_EQ(binKey(rgb(0x12, 0x34, 0x56)), 0x531);
    EXPECT_EQ(binColour(0x531), rgb(0x10, 0x30, 0x50));
    EXPECT_EQ(binColour(binKey(rgb(0xFF, 0xFF, 0xFF))), rgb(0xF0, 0xF0, 0xF0));
}

TEST(ExchangeSort, LargestFirstInTheSortsOwnOrderOnTies)
{
    // Pass 0 takes 2 to the front and leaves the first 1 where the 2 was: the two 1s change
    // places, which a stable sort would not do.
    std::vector<std::int32_t> counts = {1, 1, 2};
    std::vector<std::int32_t> keys = {10, 11, 12};
    exchangeSortByCount(counts, keys);
    EXPECT_EQ(counts, (std::vector<std::int32_t>{2, 1, 1}));
    EXPECT_EQ(keys, (std::vector<std::int32_t>{12, 11, 10}));

    std::vector<std::int32_t> equal = {3, 3, 3};
    std::vector<std::int32_t> equalKeys = {1, 2, 3};
    exchangeSortByCount(equal, equalKeys);
    EXPECT_EQ(equalKeys, (std::vector<std::int32_t>{1, 2, 3}));
}

TEST(Conversion, AFlatPictureIsOneThreadWithEveryCellZero)
{
    const std::vector<ColorRef> palette = {rgb(0, 0, 0), rgb(200, 30, 30), rgb(255, 255, 255)};
    const std::vector<ColorRef> pixels(12, rgb(205, 35, 20));
    const ConversionResult r = convertPixels(pixels, 4, 3, palette);
    EXPECT_EQ(r.width, 4);
    EXPECT_EQ(r.height, 3);
    EXPECT_EQ(r.colors, (std::vector<ColorRef>{rgb(200, 30, 30)}));
    EXPECT_EQ(r.cells, std::vector<std::int32_t>(12, 0));
}

TEST(Conversion, ThreadZeroIsTheMostFrequentBinsThread)
{
    const std::vector<ColorRef> palette = {rgb(0, 0, 250), rgb(250, 0, 0)};
    // 1 red pixel first, then 3 blue ones: blue is thread 0 although red comes first.
    const auto pixels = pixelsOf({{rgb(255, 0, 0), 1}, {rgb(0, 0, 255), 3}});
    const ConversionResult r = convertPixels(pixels, 4, 1, palette);
    EXPECT_EQ(r.colors, (std::vector<ColorRef>{rgb(0, 0, 250), rgb(250, 0, 0)}));
    EXPECT_EQ(r.cells, (std::vector<std::int32_t>{1, 0, 0, 0}));
}

TEST(Conversion, EqualDistancesTakeTheEarlierPaletteThread)
{
    // The bin of (0x85, 0x80, 0x80) stands for (0x80, 0x80, 0x80): both threads are 4 away.
    const std::vector<ColorRef> pixels(2, rgb(0x85, 0x80, 0x80));
    const ColorRef above = rgb(0x82, 0x80, 0x80), below = rgb(0x7E, 0x80, 0x80);
    EXPECT_EQ(convertPixels(pixels, 2, 1, std::vector<ColorRef>{above, below}).colors, std::vector<ColorRef>{above});
    EXPECT_EQ(convertPixels(pixels, 2, 1, std::vector<ColorRef>{below, above}).colors, std::vector<ColorRef>{below});
}

TEST(Conversion, TwoBinsMatchingOneThreadBecomeOneThread)
{
    const std::vector<ColorRef> palette = {rgb(0, 0, 0), rgb(0x48, 0x48, 0x48), rgb(255, 255, 255)};
    // Two grey bins (0x40 and 0x50) both nearest to 0x48, and white.
    const auto pixels = pixelsOf({{rgb(0x40, 0x40, 0x40), 3}, {rgb(0xF8, 0xF8, 0xF8), 2}, {rgb(0x50, 0x50, 0x50), 1}});
    ColorHistogram h;
    const ConversionResult r = convertPixels(pixels, 6, 1, palette, nullptr, &h);
    EXPECT_EQ(h.binPaletteSize, 3);
    EXPECT_EQ(r.colorCount(), 2);  // fewer threads than bin-palette entries
    EXPECT_EQ(r.colors, (std::vector<ColorRef>{rgb(0x48, 0x48, 0x48), rgb(255, 255, 255)}));
    EXPECT_EQ(r.cells, (std::vector<std::int32_t>{0, 0, 0, 1, 1, 0}));
    EXPECT_EQ(h.groupCells, (std::vector<std::int64_t>{4, 2}));
}

TEST(Conversion, BinsPastTheFirst256GoToTheNearestFrequentBin)
{
    // 256 bins of blue 0 (keys 0..255) three times each, then 20 bins of blue 0x10 once each:
    // each of those is nearest to the bin with the same red and green.
    std::vector<ColorRef> pixels;
    for (int round = 0; round < 3; ++round)
        for (int key = 0; key < 256; ++key)
            pixels.push_back(binColour(key));
    for (int x = 0; x < 20; ++x)
        pixels.push_back(binColour(256 + x));
    const int width = static_cast<int>(pixels.size());
    ColorHistogram h;
    // No palette: each bin-palette entry keeps its own colour, so every entry is a group.
    const ConversionResult r = convertPixels(pixels, width, 1, {}, nullptr, &h);
    ASSERT_EQ(h.keys.size(), 276u);
    EXPECT_EQ(h.binPaletteSize, 256);
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(h.keys[static_cast<std::size_t>(256 + x)], 256 + x);
        EXPECT_EQ(h.binToEntry[static_cast<std::size_t>(256 + x)], x);
        EXPECT_EQ(r.cells[static_cast<std::size_t>(3 * 256 + x)], r.cells[static_cast<std::size_t>(x)]);
    }
    // 256 groups do not fit a file: the least used (key 255, the last of the equal ones) went
    // into its nearest, key 239 (the earlier of two at the same distance).
    EXPECT_EQ(r.colorCount(), kMaxConvertedThreads);
    EXPECT_EQ(r.cells[255], r.cells[239]);
    EXPECT_EQ(std::count(r.colors.begin(), r.colors.end(), binColour(255)), 0);
    for (const std::int32_t v : r.cells)
        ASSERT_TRUE(v >= 0 && v < kMaxConvertedThreads);
}

TEST(Conversion, ProgressRunsInTenthsOverEachPass)
{
    Progress progress;
    const std::vector<ColorRef> pixels(100, rgb(1, 2, 3));
    convertPixels(pixels, 10, 10, std::vector<ColorRef>{rgb(0, 0, 0)}, &progress);
    EXPECT_EQ(progress.low, 0);
    EXPECT_EQ(progress.high, 10);
    const std::vector<int> pass = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::vector<int> both = pass;
    both.insert(both.end(), pass.begin(), pass.end());
    EXPECT_EQ(progress.positions, both);
}

TEST(Conversion, TooFewPixelsOrNoSizeGiveNothing)
{
    const std::vector<ColorRef> pixels(3, 0);
    EXPECT_TRUE(convertPixels(pixels, 2, 2, {}).empty());
    EXPECT_TRUE(convertPixels(pixels, 0, 1, {}).empty());
}

}  // namespace
}  // namespace brenmark
