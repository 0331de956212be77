// Our GIF decoder against giflib on files the tests write: both versions, global and local
// tables, extensions, interlacing, every root code size, clear codes mid-stream, a full code
// table with and without the deferred clear, odd sub-block sizes and several frames.
#include "photo/gif_decoder.h"
#include "photo/tests/gif_writer.h"
#include "photo/tests/photo_test_support.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

using test::GifFile;
using test::GifFrame;

// Indices below colours: runs, stripes and noise, so the code table gets long and short
// strings alike.
std::vector<std::uint8_t> mixedPixels(int width, int height, unsigned colours, unsigned seed = 1)
{
    std::vector<std::uint8_t> p(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    unsigned state = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            const unsigned noise = (state >> 16) % colours;
            const unsigned stripe = static_cast<unsigned>((x / 5 + y / 3)) % colours;
            p[static_cast<std::size_t>(x + y * width)] = static_cast<std::uint8_t>((x + y) % 7 == 0 ? noise : stripe);
        }
    return p;
}

// Random indices: no string repeats for long, so the table fills quickly.
std::vector<std::uint8_t> noisePixels(int width, int height, unsigned colours, unsigned seed = 7)
{
    std::vector<std::uint8_t> p(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    unsigned state = seed;
    for (auto& v : p) {
        state = state * 1664525u + 1013904223u;
        v = static_cast<std::uint8_t>((state >> 13) % colours);
    }
    return p;
}

GifFrame frame(int width, int height, int minCodeSize, unsigned colours)
{
    GifFrame f;
    f.width = width;
    f.height = height;
    f.minCodeSize = minCodeSize;
    f.pixels = mixedPixels(width, height, colours, static_cast<unsigned>(width * 31 + height));
    return f;
}

GifFile oneFrame(GifFrame f, std::size_t globalEntries)
{
    GifFile g;
    g.globalTable = test::rampTable(globalEntries);
    g.frames.push_back(std::move(f));
    return g;
}

// Decodes bytes both ways and checks the first image pixel by pixel and its colour table.
void expectSameAsGiflib(const std::vector<std::uint8_t>& bytes, const GifFrame& expected,
                        const std::vector<std::uint8_t>& table)
{
    const GifReadResult ours = decodeGif(bytes);
    ASSERT_TRUE(ours.picture) << gifProblemText(ours.problem);
    const GifPicture& p = *ours.picture;
    EXPECT_EQ(p.width, expected.width);
    EXPECT_EQ(p.height, expected.height);
    ASSERT_EQ(p.pixels.size(), expected.pixels.size());
    EXPECT_EQ(p.pixels, expected.pixels);
    ASSERT_EQ(p.colours.size() * 3, table.size());
    for (std::size_t i = 0; i < p.colours.size(); ++i)
        ASSERT_EQ(p.colours[i], rgb(table[i * 3], table[i * 3 + 1], table[i * 3 + 2])) << i;

    const auto reference = test::giflibRead(bytes);
    ASSERT_TRUE(reference) << "giflib cannot read the file";
    EXPECT_EQ(reference->width, p.width);
    EXPECT_EQ(reference->height, p.height);
    EXPECT_EQ(reference->colours, p.colours);
    ASSERT_EQ(reference->pixels.size(), p.pixels.size());
    for (std::size_t i = 0; i < p.pixels.size(); ++i)
        ASSERT_EQ(reference->pixels[i], p.pixels[i]) << "pixel " << i % p.width << "," << i / p.width;
}

TEST(GifDecoding, BothVersionsWithTheGlobalOrALocalTable)
{
    for (const bool v89a : {false, true})
        for (const bool local : {false, true}) {
            SCOPED_TRACE(std::string(v89a ? "89a" : "87a") + (local ? " local" : " global"));
            GifFrame f = frame(37, 23, 4, 16);
            if (local)
                f.localTable = test::rampTable(16, 99);
            GifFile g = oneFrame(f, local ? 4 : 16);  // a smaller global table the local one replaces
            g.version89a = v89a;
            const auto bytes = test::writeGif(g);
            expectSameAsGiflib(bytes, f, local ? f.localTable : g.globalTable);
            EXPECT_EQ(decodeGif(bytes).picture->version89a, v89a);
        }
}

TEST(GifDecoding, ExtensionsBeforeAndBetweenImagesAreSkipped)
{
    GifFrame f = frame(20, 10, 3, 8);
    f.graphicControl = true;
    GifFile g = oneFrame(f, 8);
    g.comment = true;
    g.application = true;
    expectSameAsGiflib(test::writeGif(g), f, g.globalTable);
}

TEST(GifDecoding, InterlacedRowsComeBackInTheirPlaces)
{
    // Heights around the pass boundaries: 1 row, fewer rows than a pass step, and more.
    for (const int height : {1, 2, 3, 4, 5, 7, 8, 9, 12, 16, 17, 33}) {
        SCOPED_TRACE(height);
        GifFrame f = frame(13, height, 5, 32);
        f.interlaced = true;
        const GifFile g = oneFrame(f, 32);
        const auto bytes = test::writeGif(g);
        expectSameAsGiflib(bytes, f, g.globalTable);
        EXPECT_TRUE(decodeGif(bytes).picture->interlaced);
    }
}

TEST(GifDecoding, EveryRootCodeSizeFromOneToEightBits)
{
    for (int bits = 1; bits <= 8; ++bits) {
        SCOPED_TRACE(bits);
        const unsigned colours = 1u << bits;
        GifFrame f = frame(61, 29, bits, colours);
        const GifFile g = oneFrame(f, std::max(2u, colours));
        expectSameAsGiflib(test::writeGif(g), f, g.globalTable);
    }
}

TEST(GifDecoding, ClearCodesMidStreamAndNoLeadingClear)
{
    for (const int every : {1, 2, 7, 100, 1000}) {
        SCOPED_TRACE(every);
        GifFrame f = frame(64, 48, 6, 64);
        f.clearEvery = every;
        f.leadingClear = every % 2 == 0;
        const GifFile g = oneFrame(f, 64);
        expectSameAsGiflib(test::writeGif(g), f, g.globalTable);
    }
}

TEST(GifDecoding, AFullCodeTableClearedOrUsedOnAsItIs)
{
    for (const bool deferred : {false, true})
        for (const int bits : {2, 8}) {
            SCOPED_TRACE(std::string(deferred ? "deferred" : "cleared") + " " + std::to_string(bits));
            GifFrame f;
            f.width = 300;
            f.height = 200;
            f.minCodeSize = bits;
            f.pixels = noisePixels(f.width, f.height, 1u << bits);
            f.deferredClear = deferred;
            const GifFile g = oneFrame(f, 1u << bits);
            expectSameAsGiflib(test::writeGif(g), f, g.globalTable);
        }
}

TEST(GifDecoding, SubBlocksOfAnySize)
{
    for (const int size : {1, 2, 17, 254, 255}) {
        SCOPED_TRACE(size);
        GifFrame f = frame(40, 30, 7, 128);
        f.subBlockSize = size;
        const GifFile g = oneFrame(f, 128);
        expectSameAsGiflib(test::writeGif(g), f, g.globalTable);
    }
}

TEST(GifDecoding, OnlyTheFirstOfSeveralFramesIsTaken)
{
    GifFrame first = frame(30, 20, 4, 16);
    first.localTable = test::rampTable(16, 5);
    GifFrame second = frame(50, 40, 8, 256);
    second.localTable = test::rampTable(256, 9);
    GifFile g;
    g.screenWidth = 50;
    g.screenHeight = 40;
    g.globalTable = test::rampTable(256);
    g.frames = {first, second, frame(10, 10, 2, 4)};
    const auto bytes = test::writeGif(g);
    expectSameAsGiflib(bytes, first, first.localTable);
    EXPECT_EQ(test::giflibRead(bytes)->images, 3);
}

TEST(GifDecoding, AFileGiflibWroteReadsAsGiflibReadsIt)
{
    // giflib's own encoder: its clear at a full table and its code widths, not ours.
    test::ScratchDir dir;
    const std::string path = dir.file("giflib.gif");
    const int width = 257, height = 130;
    const auto pixels = noisePixels(width, height, 200, 3);
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    ASSERT_NE(gif, nullptr);
    std::vector<GifColorType> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[static_cast<std::size_t>(i)] = {static_cast<GifByteType>(i), static_cast<GifByteType>(255 - i),
                                                static_cast<GifByteType>(i / 2)};
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    ASSERT_EQ(EGifPutScreenDesc(gif, width, height, 8, 0, map), GIF_OK);
    ASSERT_EQ(EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr), GIF_OK);
    for (int y = 0; y < height; ++y)
        ASSERT_EQ(EGifPutLine(gif, const_cast<GifPixelType*>(pixels.data()) + y * width, width), GIF_OK);
    ASSERT_EQ(EGifCloseFile(gif, &error), GIF_OK);
    GifFreeMapObject(map);

    const GifReadResult ours = readGifFile(path);
    ASSERT_TRUE(ours.picture) << gifProblemText(ours.problem);
    EXPECT_EQ(ours.picture->pixels, pixels);
    EXPECT_EQ(ours.picture->colours[200], rgb(200, 55, 100));
}

TEST(GifDecoding, IndicesPastTheColourTableAreKeptAndShowBlack)
{
    // A 2-entry table with 3-bit codes holding index 6.
    GifFrame f = frame(4, 2, 3, 8);
    f.pixels = {0, 1, 6, 1, 1, 0, 7, 0};
    GifFile g = oneFrame(f, 2);
    const GifReadResult r = decodeGif(test::writeGif(g));
    ASSERT_TRUE(r.picture);
    EXPECT_EQ(r.picture->pixels, f.pixels);
    ASSERT_EQ(r.picture->colours.size(), 2u);
    EXPECT_EQ(r.picture->colourAt(2, 0), 0u);
    EXPECT_EQ(r.picture->colourAt(1, 0), r.picture->colours[1]);
}

}  // namespace
}  // namespace brenmark
