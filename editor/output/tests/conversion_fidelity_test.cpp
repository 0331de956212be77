// The options modes beyond matching: averaging each cell's area in linear light, the thread
// choice under a limit, the confetti rules, the ignored background and the crop, and the
// figures of --report.
#include "editor/output/area_average.h"
#include "editor/output/background_colour.h"
#include "editor/output/colour_matching.h"
#include "editor/output/confetti.h"
#include "editor/output/conversion_quality.h"
#include "editor/output/thread_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

using namespace brenmark;

namespace {

// Twelve far-apart threads, as a small brand.
const std::vector<ColorRef> kThreads = {rgb(0, 0, 0),     rgb(255, 255, 255), rgb(200, 30, 30),  rgb(30, 160, 60),
                                        rgb(30, 60, 200), rgb(240, 220, 40),  rgb(128, 128, 128), rgb(120, 70, 30),
                                        rgb(250, 150, 190), rgb(40, 200, 210), rgb(150, 60, 170), rgb(250, 130, 20)};

std::vector<ColorRef> cellColours(const ConversionResult& r)
{
    std::vector<ColorRef> out;
    for (const std::int32_t c : r.cells)
        out.push_back(c >= 0 ? r.colors[static_cast<std::size_t>(c)] : 0xFFFFFFFFu);
    return out;
}

int isolatedStitches(const ConversionResult& r)
{
    int n = 0;
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            const std::int32_t v = r.cells[static_cast<std::size_t>(y * r.width + x)];
            if (v < 0)
                continue;
            bool same = false;
            if (x > 0 && r.cells[static_cast<std::size_t>(y * r.width + x - 1)] == v) same = true;
            if (x + 1 < r.width && r.cells[static_cast<std::size_t>(y * r.width + x + 1)] == v) same = true;
            if (y > 0 && r.cells[static_cast<std::size_t>((y - 1) * r.width + x)] == v) same = true;
            if (y + 1 < r.height && r.cells[static_cast<std::size_t>((y + 1) * r.width + x)] == v) same = true;
            n += !same;
        }
    return n;
}

std::vector<ColorRef> noise(int w, int h, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<ColorRef> px;
    for (int i = 0; i < w * h; ++i)
        px.push_back(rgb(rng() % 256, rng() % 256, rng() % 256));
    return px;
}

ConversionOptions labOptions(int limit, int confetti)
{
    ConversionOptions o;
    o.metric = ColourMetric::Lab;
    o.maxThreads = limit;
    o.confetti = confetti;
    return o;
}

}  // namespace

TEST(AreaAverage, EachCellIsTheLinearLightMeanOfItsArea)
{
    // 4 x 2 pixels into 2 x 1 cells: black and white average to the middle of linear light,
    // which is sRGB 188, not 128; equal pixels stay as they are.
    const std::vector<ColorRef> px = {rgb(0, 0, 0), rgb(255, 255, 255), rgb(10, 200, 30), rgb(10, 200, 30),
                                      rgb(255, 255, 255), rgb(0, 0, 0), rgb(10, 200, 30), rgb(10, 200, 30)};
    const auto out = areaAverage(px, 4, 2, {0, 0, 4, 2}, 2, 1);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], rgb(188, 188, 188));
    EXPECT_EQ(out[1], rgb(10, 200, 30));
    // Every level survives the way into linear light and back, so a flat area keeps its colour.
    for (unsigned v = 0; v < 256; ++v)
        EXPECT_EQ(encodedOf(linearOf(v)), v);
}

TEST(AreaAverage, PartlyCoveredPixelsCountByTheirShare)
{
    // Three pixels into two cells: the middle pixel is half in each cell.
    const std::vector<ColorRef> px = {rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255)};
    const auto out = areaAverage(px, 3, 1, {0, 0, 3, 1}, 2, 1);
    ASSERT_EQ(out.size(), 2u);
    // Cell 0: red over 1 of 1.5, green over 0.5 of 1.5, in linear light.
    auto expect = [](double share) { return encodedOf(share); };
    EXPECT_EQ(out[0], rgb(expect(2.0 / 3), expect(1.0 / 3), 0));
    EXPECT_EQ(out[1], rgb(0, expect(1.0 / 3), expect(2.0 / 3)));
}

TEST(AreaAverage, AnAreaIsCutToThePictureAndACropKeepsItsPart)
{
    std::vector<ColorRef> px(8 * 8, rgb(0, 0, 255));
    for (int y = 2; y < 6; ++y)
        for (int x = 4; x < 8; ++x)
            px[static_cast<std::size_t>(y * 8 + x)] = rgb(255, 0, 0);
    const auto cropped = areaAverage(px, 8, 8, {4, 2, 4, 4}, 2, 2);
    EXPECT_EQ(cropped, std::vector<ColorRef>(4, rgb(255, 0, 0)));
    EXPECT_TRUE(areaAverage(px, 8, 8, {9, 9, 3, 3}, 2, 2).empty());
    EXPECT_EQ(clampCrop({6, 6, 10, 10}, 8, 8), (CropRect{6, 6, 2, 2}));
    EXPECT_FALSE(clampCrop({8, 0, 4, 4}, 8, 8));
}

TEST(FidelityModes, APicturePaintedInTheBrandsColoursComesBackThreadForThread)
{
    // Blocks of 3 x 3 cells, every thread of the brand, so no mode has confetti to remove.
    const int w = 36, h = 9;
    std::vector<ColorRef> px(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px[static_cast<std::size_t>(y * w + x)] = kThreads[static_cast<std::size_t>((x / 3 + (y / 3) * 5) % 12)];
    std::vector<ConversionOptions> modes;
    for (const ColourMetric m : {ColourMetric::Rgb, ColourMetric::Lab})
        for (const int limit : {0, 12, 40})
            for (const int confetti : {0, 5, 10})
                for (const int least : {0, 9}) {
                    ConversionOptions o;
                    o.metric = m, o.maxThreads = limit, o.confetti = confetti, o.minStitches = least;
                    modes.push_back(o);
                }
    for (const ConversionOptions& o : modes) {
        const ConversionResult r = convertPixelsWith(px, w, h, kThreads, o);
        EXPECT_EQ(cellColours(r), px) << int(o.metric) << " " << o.maxThreads << " " << o.confetti << " " << o.minStitches;
    }
}

TEST(FidelityModes, AThreadLimitKeepsASmallFarColourItsOwnThread)
{
    // A brown, grainy field with two small yellow-green eyes (12 of 2400 cells): under a
    // limit of 4 the eyes keep a yellow-green thread.
    std::vector<ColorRef> brand;
    for (unsigned v = 40; v <= 200; v += 8)
        brand.push_back(rgb(v, v * 4 / 5, v * 3 / 5));
    brand.push_back(rgb(170, 200, 40));
    const int w = 60, h = 40;
    std::mt19937 rng(3);
    std::vector<ColorRef> px;
    for (int i = 0; i < w * h; ++i) {
        const unsigned v = 80 + rng() % 100;
        px.push_back(rgb(v, v * 4 / 5, v * 3 / 5));
    }
    for (const int cx : {20, 40})
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 3; ++dx)
                px[static_cast<std::size_t>((15 + dy) * w + cx + dx)] = rgb(165, 205, 45);
    const ConversionResult r = convertPixelsWith(px, w, h, brand, labOptions(4, 0));
    EXPECT_LE(r.colorCount(), 4);
    EXPECT_EQ(cellColours(r)[static_cast<std::size_t>(15 * w + 20)], rgb(170, 200, 40));
    EXPECT_EQ(cellColours(r)[static_cast<std::size_t>(16 * w + 42)], rgb(170, 200, 40));
}

TEST(FidelityModes, ASmallFarColourTakesAThreadFromTheLeastNeededOne)
{
    // A smooth brown gradient over many threads, with one small patch of yellow-green (8 of
    // 4800 cells): under a limit of 10 a brown thread gives way to it.
    std::vector<ColorRef> brand;
    for (unsigned v = 40; v <= 220; v += 6)
        brand.push_back(rgb(v, v * 4 / 5, v * 3 / 5));
    brand.push_back(rgb(170, 200, 40));
    const int w = 80, h = 60;
    std::vector<ColorRef> px;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned v = static_cast<unsigned>(50 + x * 2);
            px.push_back(rgb(v, v * 4 / 5, v * 3 / 5));
        }
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 4; ++dx)
            px[static_cast<std::size_t>((30 + dy) * w + 40 + dx)] = rgb(165, 205, 45);
    const ConversionResult r = convertPixelsWith(px, w, h, brand, labOptions(10, 0));
    EXPECT_LE(r.colorCount(), 10);
    EXPECT_EQ(cellColours(r)[static_cast<std::size_t>(30 * w + 41)], rgb(170, 200, 40));
}

TEST(FidelityModes, ThreadChoiceUsesOnlyBrandThreadsWithinTheLimit)
{
    const std::vector<ColorRef> px = noise(50, 40, 4);
    for (const int limit : {1, 3, 8}) {
        const ConversionResult r = convertPixelsWith(px, 50, 40, kThreads, labOptions(limit, 0));
        EXPECT_LE(r.colorCount(), limit);
        EXPECT_GE(r.colorCount(), 1);
        for (const ColorRef c : r.colors)
            EXPECT_NE(std::find(kThreads.begin(), kThreads.end(), c), kThreads.end());
    }
}

TEST(Confetti, FullStrengthLeavesNoIsolatedStitchOnNoiseAndAddsNoThread)
{
    const std::vector<ColorRef> px = noise(70, 50, 8);
    for (const ColourMetric m : {ColourMetric::Rgb, ColourMetric::Lab}) {
        ConversionOptions plain = labOptions(0, 0);
        plain.metric = m;
        const ConversionResult before = convertPixelsWith(px, 70, 50, kThreads, plain);
        EXPECT_GT(isolatedStitches(before), 100);
        ConversionOptions full = plain;
        full.confetti = 10;
        const ConversionResult after = convertPixelsWith(px, 70, 50, kThreads, full);
        EXPECT_EQ(isolatedStitches(after), 0);
        EXPECT_EQ(confettiShare(after.cells, 70, 50), 0.0);
        for (const ColorRef c : after.colors)
            EXPECT_NE(std::find(before.colors.begin(), before.colors.end(), c), before.colors.end());
        // Dithered modes too: none of the diffusion's specks stays above strength 0.
        ConversionOptions dithered = plain;
        dithered.dither = Dithering::FloydSteinberg;
        dithered.confetti = 1;
        EXPECT_EQ(isolatedStitches(convertPixelsWith(px, 70, 50, kThreads, dithered)), 0);
    }
}

TEST(Confetti, AOneCellLineOfHighContrastSurvivesEveryStrength)
{
    // A grey field with a black line one cell wide, and a single white highlight.
    const int w = 30, h = 20;
    std::vector<ColorRef> px(static_cast<std::size_t>(w * h), rgb(128, 128, 128));
    for (int x = 0; x < w; ++x)
        px[static_cast<std::size_t>(10 * w + x)] = rgb(0, 0, 0);
    px[static_cast<std::size_t>(4 * w + 7)] = rgb(255, 255, 255);
    for (int strength = 1; strength <= 10; ++strength) {
        const ConversionResult r = convertPixelsWith(px, w, h, kThreads, labOptions(0, strength));
        const std::vector<ColorRef> got = cellColours(r);
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(got[static_cast<std::size_t>(10 * w + x)], rgb(0, 0, 0)) << strength;
        if (strength <= 5) {
            EXPECT_EQ(got[static_cast<std::size_t>(4 * w + 7)], rgb(255, 255, 255)) << strength;
        }
    }
}

TEST(Confetti, ThePenaltyGrowsWithStrengthAndCutsConfettiOnAPhotoLikePicture)
{
    EXPECT_EQ(confettiPenalty(0), 0.0);
    for (int s = 1; s <= 10; ++s)
        EXPECT_GT(confettiPenalty(s), confettiPenalty(s - 1));
    // A soft gradient with grain.
    const int w = 80, h = 60;
    std::mt19937 rng(2);
    std::vector<ColorRef> px;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int g = static_cast<int>(rng() % 24) - 12;
            px.push_back(rgb(static_cast<unsigned>(std::clamp(60 + x * 2 + g, 0, 255)), static_cast<unsigned>(std::clamp(90 + y + g, 0, 255)),
                             static_cast<unsigned>(std::clamp(150 - x + g, 0, 255))));
        }
    std::vector<ColorRef> brand;
    for (unsigned r = 0; r < 256; r += 32)
        for (unsigned g = 0; g < 256; g += 32)
            for (unsigned b = 0; b < 256; b += 32)
                brand.push_back(rgb(r, g, b));
    double last = 2;
    for (const int s : {0, 3, 6, 10}) {
        const ConversionResult r = convertPixelsWith(px, w, h, brand, labOptions(0, s));
        const double share = confettiShare(r.cells, w, h);
        EXPECT_LE(share, last) << s;
        last = share;
    }
    EXPECT_EQ(last, 0.0);
}

TEST(Confetti, SmallThreadsJoinTheirNearest)
{
    std::vector<std::int32_t> cells = {0, 0, 0, 0, 1, 2, 2, 2, 2, 2};
    const std::vector<LabVec> threads = {labVecOf(labOf(rgb(0, 0, 0))), labVecOf(labOf(rgb(40, 40, 40))),
                                         labVecOf(labOf(rgb(255, 255, 255)))};
    EXPECT_EQ(mergeSmallThreads(cells, threads, 3), 1);
    EXPECT_EQ(cells, (std::vector<std::int32_t>{0, 0, 0, 0, 0, 2, 2, 2, 2, 2}));
    // The last thread never goes, however few its stitches.
    std::vector<std::int32_t> one = {1, 1};
    EXPECT_EQ(mergeSmallThreads(one, threads, 5), 0);
}

TEST(Background, TheBorderColourBecomesEmptyCellsWithinTheTolerance)
{
    const int w = 20, h = 12;
    std::vector<ColorRef> px(static_cast<std::size_t>(w * h), rgb(245, 245, 240));
    for (int y = 3; y < 9; ++y)
        for (int x = 5; x < 15; ++x)
            px[static_cast<std::size_t>(y * w + x)] = rgb(200, 30, 30);
    EXPECT_EQ(borderColour(px, w, h), rgb(245, 245, 240));
    ConversionOptions o = labOptions(0, 0);
    o.background = BackgroundRule{};
    const ConversionResult r = convertPixelsWith(px, w, h, kThreads, o);
    ASSERT_EQ(r.colorCount(), 1);
    EXPECT_EQ(r.colors[0], rgb(200, 30, 30));
    EXPECT_EQ(std::count(r.cells.begin(), r.cells.end(), -1), w * h - 60);
    // A colour named instead: the red goes and the light border stays.
    o.background = BackgroundRule{rgb(200, 30, 30), 5};
    const ConversionResult red = convertPixelsWith(px, w, h, kThreads, o);
    EXPECT_EQ(std::count(red.cells.begin(), red.cells.end(), -1), 60);
    EXPECT_EQ(red.colors, std::vector<ColorRef>{rgb(255, 255, 255)});
}

TEST(CommandWords, BackgroundAndCropWords)
{
    EXPECT_EQ(backgroundRuleNamed("#FF8000"), (BackgroundRule{rgb(255, 128, 0), kDefaultBackgroundTolerance}));
    EXPECT_EQ(backgroundRuleNamed("#ff8000/12.5"), (BackgroundRule{rgb(255, 128, 0), 12.5}));
    EXPECT_EQ(backgroundRuleNamed("border/3"), (BackgroundRule{std::nullopt, 3}));
    for (const char* bad : {"FF8000", "#FF80", "#GG8000", "border/", "border/-1", "#FF8000/101", "border/x"})
        EXPECT_FALSE(backgroundRuleNamed(bad)) << bad;
    EXPECT_EQ(cropNamed("10,20,30,40"), (CropRect{10, 20, 30, 40}));
    for (const char* bad : {"10,20,30", "10,20,0,40", "-1,0,5,5", "1,2,3,4,", "a,b,c,d", "1, 2,3,4"})
        EXPECT_FALSE(cropNamed(bad)) << bad;
}

TEST(Quality, FiguresOfAKnownConversion)
{
    // Two threads in stripes, compared with themselves: no error; one cell wrong by a known
    // CIEDE2000; confetti counted over stitched cells only.
    ConversionResult r;
    r.width = 4, r.height = 1;
    r.colors = {rgb(0, 0, 0), rgb(255, 255, 255)};
    r.cells = {0, 0, 1, -1};
    const std::vector<ColorRef> ref = {rgb(0, 0, 0), rgb(0, 0, 0), rgb(255, 255, 255), rgb(9, 9, 9)};
    const ConversionQuality q = measureConversion(r, ref);
    EXPECT_EQ(q.stitched, 3);
    EXPECT_EQ(q.threads, 2);
    EXPECT_NEAR(q.meanDeltaE, 0.0, 1e-9);
    EXPECT_NEAR(q.confetti, 1.0 / 3, 1e-9);
    r.cells = {0, 1, 1, 1};
    const ConversionQuality wrong = measureConversion(r, ref);
    EXPECT_NEAR(wrong.meanDeltaE, (deltaE2000(labOf(rgb(255, 255, 255)), labOf(rgb(0, 0, 0))) +
                                   deltaE2000(labOf(rgb(255, 255, 255)), labOf(rgb(9, 9, 9)))) / 4, 1e-9);
}

TEST(Dithering, ErrorIsDiffusedOnlyInsideSmoothGradients)
{
    // Noise has no smooth neighbourhood anywhere: Floyd-Steinberg leaves it as plain matching.
    const std::vector<ColorRef> px = noise(40, 30, 12);
    ConversionOptions plain = labOptions(0, 0);
    ConversionOptions fs = plain;
    fs.dither = Dithering::FloydSteinberg;
    EXPECT_EQ(cellColours(convertPixelsWith(px, 40, 30, kThreads, fs)), cellColours(convertPixelsWith(px, 40, 30, kThreads, plain)));
}

TEST(Dithering, TheOrderedMatrixMovesLightnessOnly)
{
    // A mid grey between grey threads, with a warm and a cool grey of the same lightness
    // beside them: only greys come out.
    const std::vector<ColorRef> brand = {rgb(96, 96, 96),   rgb(112, 112, 112), rgb(128, 128, 128), rgb(144, 144, 144),
                                         rgb(160, 160, 160), rgb(140, 128, 108), rgb(116, 128, 150)};
    std::vector<ColorRef> px;
    for (int i = 0; i < 32 * 16; ++i)
        px.push_back(rgb(121, 121, 121));
    ConversionOptions ordered = labOptions(0, 0);
    ordered.dither = Dithering::Ordered;
    const ConversionResult r = convertPixelsWith(px, 32, 16, brand, ordered);
    EXPECT_GT(r.colorCount(), 1);
    for (const ColorRef c : r.colors)
        EXPECT_TRUE(redOf(c) == greenOf(c) && greenOf(c) == blueOf(c)) << std::hex << c;
}

TEST(CropWithin, ADragOnThePreviewPicksWholePixelsOfTheArea)
{
    const CropRect area{10, 20, 40, 20};
    EXPECT_EQ(cropWithin(area, 0.25, 0, 0.75, 1), (CropRect{20, 20, 20, 20}));
    EXPECT_EQ(cropWithin(area, 0.75, 1, 0.25, 0), (CropRect{20, 20, 20, 20}));  // dragged backwards
    EXPECT_EQ(cropWithin(area, -1, -1, 0.01, 0.01), (CropRect{10, 20, 1, 1}));  // past the edge, at least a pixel
    EXPECT_FALSE(cropWithin(area, 0.5, 0, 0.5, 1));
}
