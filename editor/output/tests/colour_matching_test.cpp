// The photo conversion options: CIEDE2000 matching, dithering and the thread limit, on
// pictures made here; and the plain options staying the histogram conversion.
#include "editor/output/colour_matching.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <random>
#include <set>
#include <sstream>
#include <string>

using namespace brenmark;

namespace {

std::vector<ColorRef> greyRamp(int w, int h, int from, int to)
{
    std::vector<ColorRef> px;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const auto v = static_cast<unsigned>(from + (to - from) * x / (w - 1));
            px.push_back(rgb(v, v, v));
        }
    return px;
}

std::vector<ColorRef> noisyGradient(int w, int h)
{
    std::mt19937 rng(7);
    std::vector<ColorRef> px;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px.push_back(rgb(static_cast<unsigned>(255 * x / w), static_cast<unsigned>(255 * y / h),
                             static_cast<unsigned>(rng() % 256)));
    return px;
}

Lab meanLab(const std::vector<ColorRef>& colours)
{
    Lab sum;
    for (const ColorRef c : colours) {
        const Lab l = labOf(c);
        sum.L += l.L, sum.a += l.a, sum.b += l.b;
    }
    const double n = static_cast<double>(colours.size());
    return {sum.L / n, sum.a / n, sum.b / n};
}

std::vector<ColorRef> cellColours(const ConversionResult& r)
{
    std::vector<ColorRef> out;
    for (const std::int32_t c : r.cells)
        out.push_back(r.colors[static_cast<std::size_t>(c)]);
    return out;
}

const std::vector<ColorRef> kGreys = {rgb(0, 0, 0), rgb(64, 64, 64), rgb(128, 128, 128), rgb(192, 192, 192),
                                      rgb(255, 255, 255), rgb(200, 30, 30), rgb(30, 160, 60)};

}  // namespace

TEST(ColourMatching, Ciede2000AndLabAreLittleCmsFigures)
{
    // The first pair of Sharma, Wu and Dalal's CIEDE2000 test data.
    EXPECT_NEAR(deltaE2000({50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}), 2.0425, 1e-4);
    const Lab white = labOf(rgb(255, 255, 255));
    EXPECT_NEAR(white.L, 100.0, 0.01);
    EXPECT_NEAR(white.a, 0.0, 0.01);
    EXPECT_NEAR(labOf(rgb(0, 0, 0)).L, 0.0, 0.01);
    EXPECT_EQ(metricNamed("lab"), ColourMetric::Lab);
    EXPECT_EQ(ditheringNamed("fs"), Dithering::FloydSteinberg);
    EXPECT_FALSE(ditheringNamed("FS"));
}

TEST(ColourMatching, PlainOptionsAreTheHistogramConversionByteForByte)
{
    const std::vector<ColorRef> px = noisyGradient(60, 40);
    EXPECT_EQ(convertPixelsWith(px, 60, 40, kGreys, ConversionOptions{}), convertPixels(px, 60, 40, kGreys));
}

TEST(ColourMatching, ADitheredGreyRampUsesMoreThreadsAndKeepsItsMeanColour)
{
    const int w = 96, h = 24;
    const std::vector<ColorRef> ramp = greyRamp(w, h, 100, 156);
    const Lab source = meanLab(ramp);
    const ConversionResult flat = convertPixelsWith(ramp, w, h, kGreys, {ColourMetric::Lab, Dithering::None, 0});
    const ConversionResult fs = convertPixelsWith(ramp, w, h, kGreys, {ColourMetric::Lab, Dithering::FloydSteinberg, 0});
    const ConversionResult ordered = convertPixelsWith(ramp, w, h, kGreys, {ColourMetric::Lab, Dithering::Ordered, 0});
    EXPECT_EQ(flat.colorCount(), 1);  // every grey of the ramp is nearest the middle grey
    EXPECT_GT(fs.colorCount(), flat.colorCount());
    EXPECT_GT(ordered.colorCount(), flat.colorCount());
    for (const ConversionResult* r : {&fs, &ordered}) {
        const Lab got = meanLab(cellColours(*r));
        EXPECT_LT(deltaE2000(got, source), 2.0) << got.L << " against " << source.L;
        // Greys only: the coloured threads are never mixed in.
        for (const ColorRef c : r->colors)
            EXPECT_TRUE(redOf(c) == greenOf(c) && greenOf(c) == blueOf(c));
    }
    EXPECT_GT(deltaE2000(meanLab(cellColours(flat)), source), deltaE2000(meanLab(cellColours(fs)), source));
}

TEST(ColourMatching, TheThreadLimitHoldsInEveryMode)
{
    std::vector<ColorRef> palette;
    for (unsigned i = 0; i < 40; ++i)
        palette.push_back(rgb(i * 6, 255 - i * 6, (i * 37) % 256));
    const std::vector<ColorRef> px = noisyGradient(80, 60);
    for (const ConversionOptions& options : {ConversionOptions{ColourMetric::Lab, Dithering::None, 5},
                                            ConversionOptions{ColourMetric::Lab, Dithering::FloydSteinberg, 5},
                                            ConversionOptions{ColourMetric::Rgb, Dithering::Ordered, 5},
                                            ConversionOptions{ColourMetric::Rgb, Dithering::None, 5}}) {
        const ConversionResult r = convertPixelsWith(px, 80, 60, palette, options);
        EXPECT_LE(r.colorCount(), 5);
        EXPECT_GE(r.colorCount(), 2);
        ASSERT_EQ(r.cells.size(), px.size());
        std::set<std::int32_t> used(r.cells.begin(), r.cells.end());
        EXPECT_EQ(static_cast<int>(used.size()), r.colorCount());  // no colour without cells
        for (const ColorRef c : r.colors)
            EXPECT_NE(std::find(palette.begin(), palette.end(), c), palette.end());
    }
    // Without a limit the same picture uses many more.
    EXPECT_GT(convertPixelsWith(px, 80, 60, palette, {ColourMetric::Lab, Dithering::None, 0}).colorCount(), 10);
}

TEST(ColourMatching, ResultColoursAreInOrderOfFirstUse)
{
    const std::vector<ColorRef> px = {rgb(250, 250, 250), rgb(5, 5, 5), rgb(250, 250, 250), rgb(130, 130, 130)};
    const ConversionResult r = convertPixelsWith(px, 4, 1, kGreys, {ColourMetric::Lab, Dithering::None, 0});
    EXPECT_EQ(r.colors, (std::vector<ColorRef>{rgb(255, 255, 255), rgb(0, 0, 0), rgb(128, 128, 128)}));
    EXPECT_EQ(r.cells, (std::vector<std::int32_t>{0, 1, 0, 2}));
}

namespace {

struct Table {
    std::vector<ColorRef> colours;
    std::vector<std::string> numbers;
};

// The DMC table the palettes are built from: number,name,r,g,b.
const Table& dmcTable()
{
    static const Table table = [] {
        Table t;
        std::ifstream in(std::string(BRENMARK_THREAD_TABLES) + "dmc.csv");
        std::string line;
        std::getline(in, line);  // the header
        while (std::getline(in, line)) {
            std::vector<std::string> f;
            std::stringstream fields(line);
            for (std::string part; std::getline(fields, part, ',');)
                f.push_back(part);
            if (f.size() != 5)
                continue;
            t.numbers.push_back(f[0]);
            t.colours.push_back(rgb(static_cast<unsigned>(std::stoi(f[2])), static_cast<unsigned>(std::stoi(f[3])),
                                    static_cast<unsigned>(std::stoi(f[4]))));
        }
        return t;
    }();
    return table;
}

// The smallest CIEDE2000 from a colour to the table, by trying every entry.
double bruteForceNearest(ColorRef c, const std::vector<Lab>& table)
{
    const Lab l = labOf(c);
    double best = std::numeric_limits<double>::max();
    for (const Lab& t : table)
        best = std::min(best, deltaE2000(l, t));
    return best;
}

// Each pixel's thread colour, the pixels converted as pictures of 200 (a conversion keeps at
// most 255 threads).
std::vector<ColorRef> matchLabColours(const std::vector<ColorRef>& px)
{
    std::vector<ColorRef> out;
    for (std::size_t at = 0; at < px.size(); at += 200) {
        const std::vector<ColorRef> part(px.begin() + static_cast<std::ptrdiff_t>(at),
                                         px.begin() + static_cast<std::ptrdiff_t>(std::min(px.size(), at + 200)));
        const ConversionResult r = convertPixelsWith(part, static_cast<int>(part.size()), 1, dmcTable().colours,
                                                     ConversionOptions{ColourMetric::Lab, Dithering::None, 0});
        for (const std::int32_t c : r.cells)
            out.push_back(r.colors[static_cast<std::size_t>(c)]);
    }
    return out;
}

ConversionResult matchLab(const std::vector<ColorRef>& px)
{
    return convertPixelsWith(px, static_cast<int>(px.size()), 1, dmcTable().colours,
                             ConversionOptions{ColourMetric::Lab, Dithering::None, 0});
}

}  // namespace

TEST(ColourMatching, EveryColourOfAGridGetsTheNearestThreadByCiede2000)
{
    const Table& dmc = dmcTable();
    ASSERT_GT(dmc.colours.size(), 400u);
    std::vector<Lab> labs;
    for (const ColorRef c : dmc.colours)
        labs.push_back(labOf(c));
    // Every 15th value of each channel: 18 x 18 x 18 colours, all in one picture.
    std::vector<ColorRef> px;
    for (unsigned r = 0; r < 256; r += 15)
        for (unsigned g = 0; g < 256; g += 15)
            for (unsigned b = 0; b < 256; b += 15)
                px.push_back(rgb(r, g, b));
    const std::vector<ColorRef> result = matchLabColours(px);
    ASSERT_EQ(result.size(), px.size());
    int missed = 0;
    for (std::size_t i = 0; i < px.size(); ++i) {
        const double got = deltaE2000(labOf(px[i]), labOf(result[i]));
        const double best = bruteForceNearest(px[i], labs);
        if (got > best) {
            ++missed;
            ADD_FAILURE() << "rgb(" << redOf(px[i]) << "," << greenOf(px[i]) << "," << blueOf(px[i]) << "): ΔE " << got
                          << " where " << best << " was there";
            if (missed > 10)
                return;
        }
    }
}

TEST(ColourMatching, AColourGetsTheSameThreadAloneAndInsideAPicture)
{
    // Close colours side by side, in both orders: each must come out as it does alone.
    std::mt19937 rng(11);
    std::vector<ColorRef> px;
    for (int i = 0; i < 300; ++i) {
        const unsigned r = rng() % 250, g = rng() % 250, b = rng() % 250;
        px.push_back(rgb(r, g, b));
        px.push_back(rgb(r + 1, g, b + 1));
        px.push_back(rgb(r, g + 1, b));
    }
    px.push_back(rgb(12, 10, 9));
    px.push_back(rgb(13, 10, 9));
    const ConversionResult together = matchLab(px);
    std::vector<ColorRef> reversed(px.rbegin(), px.rend());
    const ConversionResult backwards = matchLab(reversed);
    for (std::size_t i = 0; i < px.size(); ++i) {
        const ColorRef alone = matchLab({px[i]}).colors.front();
        EXPECT_EQ(together.colors[static_cast<std::size_t>(together.cells[i])], alone) << i;
        EXPECT_EQ(backwards.colors[static_cast<std::size_t>(backwards.cells[px.size() - 1 - i])], alone) << i;
    }
}

TEST(ColourMatching, ThreadsNearestByCiede2000BeyondTheNearestByLabDistance)
{
    const Table& dmc = dmcTable();
    auto numberOf = [&](ColorRef c) {
        const auto it = std::find(dmc.colours.begin(), dmc.colours.end(), c);
        return it == dmc.colours.end() ? std::string() : dmc.numbers[static_cast<std::size_t>(it - dmc.colours.begin())];
    };
    EXPECT_EQ(numberOf(matchLab({rgb(157, 47, 46)}).colors.front()), "498");
    EXPECT_EQ(numberOf(matchLab({rgb(170, 133, 109)}).colors.front()), "407");
}

TEST(ColourMatching, APicturePaintedInDmcColoursComesBackThreadForThread)
{
    const Table& dmc = dmcTable();
    const std::vector<ColorRef> r = matchLabColours(dmc.colours);
    ASSERT_EQ(r.size(), dmc.colours.size());
    for (std::size_t i = 0; i < dmc.colours.size(); ++i)
        EXPECT_EQ(r[i], dmc.colours[i]) << dmc.numbers[i];
}
