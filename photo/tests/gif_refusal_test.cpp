// Files the decoder must refuse, and say why: cut short anywhere, damaged codes and blocks,
// sizes past the limit (refused before anything is allocated for them), no image, no
// colour table, no GIF at all.
#include "photo/gif_decoder.h"
#include "photo/tests/gif_writer.h"
#include "photo/tests/photo_test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace brenmark {
namespace {

// A 2 x 2 image of 2-bit root codes (clear 4, end 5) whose data sub-block holds codes.
std::vector<std::uint8_t> handMade(std::vector<unsigned> codes, std::vector<unsigned> widths, int width = 2,
                                   int height = 2, int minCodeSize = 2)
{
    std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0x81, 0, 0};
    for (int i = 0; i < 4 * 3; ++i)
        out.push_back(static_cast<std::uint8_t>(i * 20));
    out.insert(out.end(), {0x2C, 0, 0, 0, 0});
    out.push_back(static_cast<std::uint8_t>(width & 0xFF));
    out.push_back(static_cast<std::uint8_t>(width >> 8));
    out.push_back(static_cast<std::uint8_t>(height & 0xFF));
    out.push_back(static_cast<std::uint8_t>(height >> 8));
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(minCodeSize));
    std::vector<std::uint8_t> data;
    std::uint64_t buffer = 0;
    unsigned bits = 0;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        buffer |= static_cast<std::uint64_t>(codes[i]) << bits;
        bits += widths[i];
        while (bits >= 8) {
            data.push_back(static_cast<std::uint8_t>(buffer));
            buffer >>= 8;
            bits -= 8;
        }
    }
    if (bits)
        data.push_back(static_cast<std::uint8_t>(buffer));
    out.push_back(static_cast<std::uint8_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    out.insert(out.end(), {0, 0x3B});
    return out;
}

GifProblem problemOf(const std::vector<std::uint8_t>& bytes, std::int64_t limit = kMaxGifPixels)
{
    const GifReadResult r = decodeGif(bytes, limit);
    EXPECT_EQ(r.picture.has_value(), r.problem == GifProblem::None);
    return r.problem;
}

test::GifFile sample(bool interlaced, int subBlock)
{
    test::GifFile g;
    g.comment = true;
    g.globalTable = test::rampTable(16);
    test::GifFrame f;
    f.width = 23;
    f.height = 19;
    f.minCodeSize = 4;
    f.interlaced = interlaced;
    f.subBlockSize = subBlock;
    f.graphicControl = true;
    for (int i = 0; i < f.width * f.height; ++i)
        f.pixels.push_back(static_cast<std::uint8_t>((i * 7 + i / 23) % 16));
    g.frames = {f, f};
    return g;
}

TEST(GifRefusals, AFileCutAnywhereIsRefusedOrHoldsTheWholeImage)
{
    for (const bool interlaced : {false, true})
        for (const int subBlock : {255, 5}) {
            const auto bytes = test::writeGif(sample(interlaced, subBlock));
            const GifPicture whole = *decodeGif(bytes).picture;
            int refusedCount = 0;
            for (std::size_t n = 0; n < bytes.size(); ++n) {
                const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
                const GifReadResult r = decodeGif(cut);
                if (r.picture) {
                    // Only the end code, block terminators or later frames were lost.
                    EXPECT_EQ(r.picture->pixels, whole.pixels) << n;
                    continue;
                }
                ++refusedCount;
                EXPECT_TRUE(r.problem == GifProblem::Truncated || (n == 0 && r.problem == GifProblem::NotGif))
                    << n << " " << static_cast<int>(r.problem);
                EXPECT_FALSE(gifProblemText(r.problem).empty());
            }
            EXPECT_GT(refusedCount, static_cast<int>(bytes.size()) / 2);
        }
}

TEST(GifRefusals, NoGifAtAll)
{
    EXPECT_EQ(problemOf({}), GifProblem::NotGif);
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13};
    EXPECT_EQ(problemOf(png), GifProblem::NotGif);
    auto other = test::writeGif(sample(false, 255));
    other[4] = '8';  // "GIF88a"
    EXPECT_EQ(problemOf(other), GifProblem::NotGif);
}

TEST(GifRefusals, DamagedCodesAndBlocks)
{
    // A sound stream first: clear, 0, 1, 2 (3 bits), 3 and end.
    const std::vector<unsigned> w3 = {3, 3, 3, 3, 4, 4};
    ASSERT_EQ(problemOf(handMade({4, 0, 1, 2, 3, 5}, w3)), GifProblem::None);
    // A code past the next free entry.
    EXPECT_EQ(problemOf(handMade({4, 0, 7, 2, 3, 5}, w3)), GifProblem::Damaged);
    // A table entry straight after a clear, before any entry exists.
    EXPECT_EQ(problemOf(handMade({4, 6, 1, 2, 3, 5}, w3)), GifProblem::Damaged);
    // The end code before the last pixel.
    EXPECT_EQ(problemOf(handMade({4, 0, 1, 5}, {3, 3, 3, 3})), GifProblem::Truncated);
    // Root code sizes no table can hold.
    EXPECT_EQ(problemOf(handMade({4, 0, 1, 2, 3, 5}, w3, 2, 2, 0)), GifProblem::Damaged);
    EXPECT_EQ(problemOf(handMade({4, 0, 1, 2, 3, 5}, w3, 2, 2, 12)), GifProblem::Damaged);
    // An image of no pixels.
    EXPECT_EQ(problemOf(handMade({4, 5}, {3, 3}, 0, 2)), GifProblem::Damaged);
    // A block that is neither an extension, an image nor the trailer.
    auto bytes = test::writeGif(sample(false, 255));
    const std::size_t firstBlock = 13 + 16 * 3;
    bytes[firstBlock] = 0x00;
    EXPECT_EQ(problemOf(bytes), GifProblem::Damaged);
}

TEST(GifRefusals, TooManyPixelsAreRefusedBeforeDecoding)
{
    // 65535 x 65535 with almost no data: refused for its size, not for its missing codes.
    EXPECT_EQ(problemOf(handMade({4, 0, 5}, {3, 3, 3}, 65535, 65535)), GifProblem::TooLarge);
    EXPECT_EQ(problemOf(handMade({4, 0, 1, 2, 3, 5}, {3, 3, 3, 3, 4, 4}), 3), GifProblem::TooLarge);
    EXPECT_EQ(problemOf(handMade({4, 0, 1, 2, 3, 5}, {3, 3, 3, 3, 4, 4}), 4), GifProblem::None);
}

TEST(GifRefusals, NoImageOrNoColourTable)
{
    const std::vector<std::uint8_t> empty = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B};
    EXPECT_EQ(problemOf(empty), GifProblem::NoImage);
    // An image without a local table in a file without a global one.
    std::vector<std::uint8_t> bare = handMade({4, 0, 1, 2, 3, 5}, {3, 3, 3, 3, 4, 4});
    bare[10] = 0x00;
    bare.erase(bare.begin() + 13, bare.begin() + 13 + 12);
    EXPECT_EQ(problemOf(bare), GifProblem::NoColourTable);
}

TEST(GifRefusals, FilesThatCannotBeReadAndWhatTheUserIsTold)
{
    test::ScratchDir dir;
    EXPECT_EQ(readGifFile(dir.file("missing.gif")).problem, GifProblem::Unreadable);
    EXPECT_EQ(readGifFile(dir.path()).problem, GifProblem::Unreadable);
    EXPECT_EQ(readGifFile("").problem, GifProblem::Unreadable);
    const auto bytes = test::writeGif(sample(true, 255));
    EXPECT_TRUE(readGifFile(test::writeFile(dir.file("ok.gif"), bytes)).picture);

    std::set<std::string> texts;
    for (const GifProblem p : {GifProblem::Unreadable, GifProblem::NotGif, GifProblem::Truncated, GifProblem::Damaged,
                               GifProblem::NoImage, GifProblem::NoColourTable, GifProblem::TooLarge})
        texts.insert(gifProblemText(p));
    EXPECT_EQ(texts.size(), 7u);
    EXPECT_EQ(gifProblemText(GifProblem::Truncated), "GIF图片文件不完整,可能没有下载或复制完");
    EXPECT_TRUE(gifProblemText(GifProblem::None).empty());
}

}  // namespace
}  // namespace brenmark
