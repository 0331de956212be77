// The bytes the writer puts down, field by field.
#include "editor/document/tests/test_support.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace brenmark;
using namespace brenmark::test;

namespace {

PatternDocument smallPattern()
{
    PatternDocument doc;
    doc.create(3, 2, "DMC");
    doc.addThread(rgb(0x11, 0x22, 0x33), "310");
    doc.addThread(rgb(0xAA, 0xBB, 0xCC), "B5200");
    doc.setCell(0, 0, 0);
    doc.setCell(2, 0, 1);
    doc.setCell(1, 1, 1);
    return doc;
}

std::string textAt(const std::vector<std::uint8_t>& b, std::size_t offset, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(b.data() + offset), size);
}

constexpr std::size_t kSymbolsSize = 256 * kSymbolRecordSize;

}  // namespace

TEST(PatternFileLayout, HeaderFieldsSitAtTheirOffsets)
{
    PatternDocument doc = smallPattern();
    const auto b = encodePattern(doc);
    ASSERT_GE(b.size(), kHeaderSize);
    EXPECT_EQ(textAt(b, 0, 8), std::string("KOVRAN\0\0", 8));
    EXPECT_EQ(int32At(b, 8), 3);
    EXPECT_EQ(int32At(b, 12), 2);
    EXPECT_EQ(int32At(b, 16), 2);
    EXPECT_EQ(int32At(b, 20), 20101);
    EXPECT_EQ(textAt(b, 24, 8), std::string("DMC\0\0\0\0\0", 8));
    EXPECT_EQ(b[32], 0);  // no lines
    EXPECT_EQ(b[33], 1);  // current thread library
    EXPECT_EQ(b[34], 0);
    EXPECT_EQ(b[35], 0);
}

TEST(PatternFileLayout, SevenByteBrandEndsAtOffset31AndLeavesTheFlagsAlone)
{
    PatternDocument doc = smallPattern();
    doc.brand = "MADEIRA";
    doc.lines.push_back({});
    auto b = encodePattern(doc);
    EXPECT_EQ(textAt(b, 24, 7), "MADEIRA");
    EXPECT_EQ(b[31], 0);
    EXPECT_EQ(b[32], 1);
    EXPECT_EQ(b[33], 1);

    doc.brand = "LONGBRAND";  // cut to fit, still terminated
    b = encodePattern(doc);
    EXPECT_EQ(textAt(b, 24, 8), std::string("LONGBRA\0", 8));
    EXPECT_EQ(b[32], 1);
}

TEST(PatternFileLayout, ThreadsAreTwentyFourBytesAndCellsOneByteEach)
{
    PatternDocument doc = smallPattern();
    doc.threads.numbers[1] = "1234567890123456789";  // 19 bytes: the most a field holds
    const auto b = encodePattern(doc);
    std::size_t o = kHeaderSize;
    EXPECT_EQ(static_cast<std::uint32_t>(int32At(b, o)), 0x332211u);
    EXPECT_EQ(textAt(b, o + 4, 20), std::string("310").append(17, '\0'));
    o += 24;
    EXPECT_EQ(static_cast<std::uint32_t>(int32At(b, o)), 0xCCBBAAu);
    EXPECT_EQ(textAt(b, o + 4, 20), std::string("1234567890123456789\0", 20));
    o += 24;
    const std::vector<std::uint8_t> cells(b.begin() + static_cast<long>(o), b.begin() + static_cast<long>(o) + 6);
    EXPECT_EQ(cells, (std::vector<std::uint8_t>{0x00, 0xFF, 0x01, 0xFF, 0x01, 0xFF}));
}

TEST(PatternFileLayout, WithoutLinesThereIsNoLineSectionAtAll)
{
    PatternDocument doc = smallPattern();
    const auto b = encodePattern(doc);
    const std::size_t symbols = kHeaderSize + 2 * 24 + 6;
    // symbols, fabric, mark count, layer count, one layer record
    const std::size_t layer = 3 + 20 + 6 + 4 + 4;
    EXPECT_EQ(b.size(), symbols + kSymbolsSize + 4 + 4 + 4 + layer);
}

TEST(PatternFileLayout, LineRecordsAreFortyBytesWithTheSelectionCleared)
{
    PatternDocument doc = smallPattern();
    BackstitchLine line;
    line.selected = 1;
    line.thread = "3865ABCDEFGH";  // 12 bytes: cut to the 10 that fit before the terminator
    line.color = rgb(1, 2, 3);
    line.startColumn = 1, line.startRow = 2, line.startCorner = BottomRight;
    line.endColumn = 3, line.endRow = -1, line.endCorner = TopRight;
    doc.lines.push_back(line);
    const auto b = encodePattern(doc);
    const std::size_t o = kHeaderSize + 2 * 24 + 6;
    EXPECT_EQ(int32At(b, o), 1);
    EXPECT_EQ(b[o + 4], 0);
    EXPECT_EQ(textAt(b, o + 5, 11), std::string("3865ABCDEF\0", 11));
    EXPECT_EQ(static_cast<std::uint32_t>(int32At(b, o + 16)), rgb(1, 2, 3));
    const std::int32_t expected[] = {1, 2, 3, 3, -1, 1};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(int32At(b, o + 20 + 4 * static_cast<std::size_t>(i)), expected[i]) << i;
    EXPECT_EQ(b.size(), o + 4 + 40 + kSymbolsSize + 4 + 4 + 4 + (3 + 20 + 6 + 4 + 4));  // the layer predates the line
}

TEST(PatternFileLayout, SymbolsFabricMarksAndLayerRecords)
{
    PatternDocument doc = smallPattern();
    doc.symbols[0] = {static_cast<std::int32_t>(rgb(0x11, 0x22, 0x33)), "■"};
    doc.symbols[1] = {-1, "ABC"};  // three bytes: cut to two
    doc.fabric = rgb(0x10, 0x20, 0x30);
    doc.placeMark(12, 2, 1);
    doc.layers[0].name = "背景";
    doc.layers[0].linked = true;
    doc.layers[0].drawable = true;
    doc.layers[0].visible = false;
    doc.layers[0].cells = {1, -1, -1, 0, -1, 254};
    doc.layers[0].marks.push_back({13, 0, 0, 1});
    const auto b = encodePattern(doc);

    std::size_t o = kHeaderSize + 2 * 24 + 6;
    EXPECT_EQ(textAt(b, o, 3), std::string("\xA1\xF6\0", 3));
    EXPECT_EQ(static_cast<std::uint32_t>(int32At(b, o + 3)), rgb(0x11, 0x22, 0x33));
    EXPECT_EQ(textAt(b, o + 7, 3), std::string("AB\0", 3));
    EXPECT_EQ(int32At(b, o + 10), -1);
    o += kSymbolsSize;
    EXPECT_EQ(static_cast<std::uint32_t>(int32At(b, o)), rgb(0x10, 0x20, 0x30));
    o += 4;
    EXPECT_EQ(int32At(b, o), 1);
    const std::int32_t mark[] = {12, 0, 2, 1, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(int32At(b, o + 4 + 4 * static_cast<std::size_t>(i)), mark[i]);
    o += 4 + 20;
    EXPECT_EQ(int32At(b, o), 1);  // layer count
    o += 4;
    EXPECT_EQ(b[o], 1);      // linked
    EXPECT_EQ(b[o + 1], 1);  // drawable
    EXPECT_EQ(b[o + 2], 0);  // visible
    EXPECT_EQ(textAt(b, o + 3, 20), std::string("\xB1\xB3\xBE\xB0").append(16, '\0'));
    o += 23;
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + static_cast<long>(o), b.begin() + static_cast<long>(o) + 6),
              (std::vector<std::uint8_t>{1, 0xFF, 0xFF, 0, 0xFF, 0xFE}));
    o += 6;
    EXPECT_EQ(int32At(b, o), 0);  // layer lines
    EXPECT_EQ(int32At(b, o + 4), 1);
    EXPECT_EQ(int32At(b, o + 8), 13);
    EXPECT_EQ(b.size(), o + 8 + 20);
}

TEST(PatternFileLayout, LongTextsAreCutAtACharacterBoundary)
{
    PatternDocument doc = smallPattern();
    // Ten double-byte characters: 20 bytes, one more than the field holds.
    doc.layers[0].name = "一二三四五六七八九十";
    doc.threads.numbers[0] = "a一二三四五六七八九十";  // 21 bytes
    doc.symbols[0].symbol = "a一";
    const auto b = encodePattern(doc);
    EXPECT_EQ(textAt(b, kHeaderSize + 4, 20), std::string("a一二三四五六七八九").append(1, '\0'));
    const std::size_t symbols = kHeaderSize + 2 * 24 + 6;
    EXPECT_EQ(textAt(b, symbols, 3), std::string("a\0\0", 3));
    const std::size_t layer = symbols + kSymbolsSize + 4 + 4 + 4;
    EXPECT_EQ(textAt(b, layer + 3, 20), std::string("一二三四五六七八九").append(2, '\0'));
}
