// The chart symbol font's set ("清晰符号"): its characters, its look-alike table, how new
// patterns take it, how threads are given its symbols and how a pattern file keeps it.
#include "editor/document/symbol_charset.h"
#include "editor/document/tests/test_support.h"
#include "editor/document/thread_mapping.h"
#include "interchange/code_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace brenmark;
using namespace brenmark::test;

namespace {

std::string utf8Of(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// Sets the setting for new patterns for one test and puts it back after.
class NewPatternsTake {
public:
    explicit NewPatternsTake(bool clear) : before_(clearSymbolsForNewPatterns()) { setClearSymbolsForNewPatterns(clear); }
    ~NewPatternsTake() { setClearSymbolsForNewPatterns(before_); }

private:
    bool before_;
};

PatternDocument patternWithThreads(int threads, bool clear)
{
    NewPatternsTake setting(clear);
    PatternDocument doc;
    doc.create(4, 3, "DMC");
    for (int i = 0; i < threads; ++i)
        doc.addThread(rgb(i, 255 - i, (i * 7) & 0xFF), std::to_string(100 + i));
    doc.setCell(0, 0, 0);
    doc.assignDefaultSymbols();
    return doc;
}

// Where slot i's 3-byte text field sits in a file of a pattern without backstitch lines.
std::size_t symbolField(const PatternDocument& doc, std::size_t slot)
{
    return kHeaderSize + doc.threads.colors.size() * kThreadRecordSize + doc.grid.cellCount() + slot * kSymbolRecordSize;
}

}  // namespace

TEST(ClearSymbolSet, HoldsOverTwoHundredAndFiftyTwoByteGbkCharactersOfTheirCodePoints)
{
    const auto& set = clearSymbolSet();
    const auto& codes = clearSymbolCodePoints();
    ASSERT_GE(set.size(), 250u);
    ASSERT_EQ(codes.size(), set.size());
    ASSERT_EQ(clearSymbolNames().size(), set.size());
    // Enough for every thread a pattern can have, each its own.
    EXPECT_GE(set.size(), 255u);
    EXPECT_EQ(std::set<std::string>(set.begin(), set.end()).size(), set.size());
    EXPECT_EQ(std::set<std::string>(clearSymbolNames().begin(), clearSymbolNames().end()).size(), set.size());
    for (std::size_t i = 0; i < set.size(); ++i) {
        // Two bytes, a lead byte and a trail byte, so the file's symbol field holds it and old
        // readers see one character.
        ASSERT_EQ(set[i].size(), 2u) << i;
        EXPECT_GE(static_cast<unsigned char>(set[i][0]), 0x81) << i;
        EXPECT_EQ(gbkCharLength(set[i], 0), 2u) << i;
        // The program's own code-page conversion agrees with the font's code point both ways.
        EXPECT_EQ(gbkToUtf8(set[i]), utf8Of(codes[i])) << clearSymbolNames()[i];
        EXPECT_EQ(utf8ToGbk(utf8Of(codes[i])), set[i]) << clearSymbolNames()[i];
    }
    // The shapes GBK already has keep their characters.
    EXPECT_EQ(set[0], "■");
    EXPECT_EQ(set[1], "□");
    EXPECT_NE(std::find(set.begin(), set.end(), "●"), set.end());
    EXPECT_NE(std::find(set.begin(), set.end(), "★"), set.end());
    EXPECT_NE(std::find(set.begin(), set.end(), "→"), set.end());
}

TEST(ClearSymbolSet, LookAlikeTableIsOrderedWithinTheSetAndTheFirstTwoHundredAreApart)
{
    const auto& set = clearSymbolSet();
    const auto& pairs = clearSymbolLookAlikePairs();
    ASSERT_FALSE(pairs.empty());
    EXPECT_TRUE(std::is_sorted(pairs.begin(), pairs.end()));
    EXPECT_EQ(std::adjacent_find(pairs.begin(), pairs.end()), pairs.end());
    std::size_t firstLookAlike = set.size();
    for (const auto& [a, b] : pairs) {
        ASSERT_LT(a, b);
        ASSERT_LT(static_cast<std::size_t>(b), set.size());
        firstLookAlike = std::min(firstLookAlike, static_cast<std::size_t>(b));
        // Both ways round, never a symbol with itself.
        EXPECT_TRUE(symbolsLookAlike(set[a], set[b]));
        EXPECT_TRUE(symbolsLookAlike(set[b], set[a]));
    }
    // Threads take the set in order, so a pattern of up to 200 threads gets no look-alikes.
    EXPECT_GE(firstLookAlike, 200u);
    EXPECT_FALSE(symbolsLookAlike(set[0], set[0]));
    EXPECT_FALSE(symbolsLookAlike(set[0], set[1]));  // filled and open square
    // Symbols outside the font never look alike by its table.
    EXPECT_FALSE(symbolsLookAlike("1", "l"));
    EXPECT_FALSE(symbolsLookAlike(set[pairs[0].first], "1"));
}

TEST(ClearSymbols, NewPatternsTakeTheSettingAndClosingDropsIt)
{
    {
        NewPatternsTake setting(true);
        PatternDocument doc;
        doc.create(2, 2, "DMC");
        EXPECT_TRUE(doc.clearSymbols);
        doc.close();
        EXPECT_FALSE(doc.clearSymbols);
    }
    NewPatternsTake setting(false);
    PatternDocument doc;
    doc.create(2, 2, "DMC");
    EXPECT_FALSE(doc.clearSymbols);
}

TEST(ClearSymbols, DefaultAssignmentGivesEveryThreadOfAFullPatternItsOwnGlyph)
{
    const PatternDocument clear = patternWithThreads(255, true);
    std::set<std::string> seen;
    for (std::size_t i = 0; i < 255; ++i) {
        EXPECT_EQ(clear.symbols[i].symbol, clearSymbolSet()[i]);
        EXPECT_EQ(clear.symbols[i].color, static_cast<std::int32_t>(clear.threads.colors[i]));
        seen.insert(clear.symbols[i].symbol);
    }
    EXPECT_EQ(seen.size(), 255u);
    // The old patterns' characters stay as they were.
    const PatternDocument old = patternWithThreads(3, false);
    EXPECT_EQ(old.symbols[0].symbol, "1");
    EXPECT_EQ(old.symbols[2].symbol, "3");
}

TEST(ClearSymbols, LookAlikeThreadsAndFreshSymbolsAvoidingThem)
{
    PatternDocument doc = patternWithThreads(3, true);
    EXPECT_TRUE(lookAlikeThreads(doc.symbols, 3).empty());
    const auto [a, b] = clearSymbolLookAlikePairs().front();
    doc.symbols[0].symbol = clearSymbolSet()[static_cast<std::size_t>(a)];
    doc.symbols[2].symbol = clearSymbolSet()[static_cast<std::size_t>(b)];
    EXPECT_EQ(lookAlikeThreads(doc.symbols, 3), (std::vector<std::pair<int, int>>{{0, 2}}));
    // Only the threads there are count.
    EXPECT_TRUE(lookAlikeThreads(doc.symbols, 2).empty());

    // A symbol for a new thread looks like none of the earlier ones: with the set taken in
    // order up to glyph a and glyph a's look-alike given to the next thread, glyph a, the
    // first unused one, is passed over.
    const auto& set = clearSymbolSet();
    PatternDocument fresh = patternWithThreads(a + 2, true);
    fresh.symbols[static_cast<std::size_t>(a)].symbol = set[static_cast<std::size_t>(b)];
    const std::string given = freshSymbol(fresh, static_cast<std::size_t>(a) + 1);
    EXPECT_NE(given, set[static_cast<std::size_t>(a)]);
    EXPECT_FALSE(symbolsLookAlike(given, set[static_cast<std::size_t>(b)]));
    for (int i = 0; i <= a; ++i)
        EXPECT_NE(given, fresh.symbols[static_cast<std::size_t>(i)].symbol);
}

TEST(ClearSymbols, PatternFileKeepsThemInTheUnownedLastSlotWhereOldReadersSeeAnEmptyText)
{
    const PatternDocument clear = patternWithThreads(3, true);
    std::vector<std::uint8_t> bytes = encodePattern(clear);
    const std::size_t mark = symbolField(clear, kClearSymbolsSlot);
    ASSERT_LE(mark + kSymbolRecordSize, bytes.size());
    EXPECT_EQ(bytes[mark], 0x00);  // an empty text to every reader
    EXPECT_EQ(bytes[mark + 1], 0xC7);
    EXPECT_EQ(bytes[mark + 2], 0xE5);
    // Thread 0's symbol is the font's GBK character itself.
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[symbolField(clear, 0)]), 2), clearSymbolSet()[0]);

    PatternDocument back;
    ASSERT_NE(decodePattern(bytes, LoadMode::Plain, back, {}).result, LoadResult::Failed);
    EXPECT_TRUE(back.clearSymbols);
    EXPECT_EQ(back.symbols, clear.symbols);
    EXPECT_TRUE(back.symbols[kClearSymbolsSlot].symbol.empty());
    EXPECT_EQ(encodePattern(back), bytes);

    // A writer that zeroes what follows the NUL leaves a pattern of characters, nothing lost.
    bytes[mark + 1] = bytes[mark + 2] = 0;
    PatternDocument zeroed;
    ASSERT_NE(decodePattern(bytes, LoadMode::Plain, zeroed, {}).result, LoadResult::Failed);
    EXPECT_FALSE(zeroed.clearSymbols);
    EXPECT_EQ(zeroed.symbols, clear.symbols);

    // A pattern of characters writes zeros there and reads back as characters.
    const PatternDocument old = patternWithThreads(3, false);
    const auto oldBytes = encodePattern(old);
    const std::size_t oldMark = symbolField(old, kClearSymbolsSlot);
    EXPECT_EQ(oldBytes[oldMark + 1], 0);
    EXPECT_EQ(oldBytes[oldMark + 2], 0);
    PatternDocument oldBack;
    ASSERT_NE(decodePattern(oldBytes, LoadMode::Plain, oldBack, {}).result, LoadResult::Failed);
    EXPECT_FALSE(oldBack.clearSymbols);

    // The mark counts only after an empty text: a symbol in the last slot is a symbol.
    PatternFileBuilder built;
    built.threads = {{rgb(1, 2, 3), "310"}};
    built.symbols.assign(256, {"", 0});
    built.symbols[0] = {"A", 0};
    built.symbols[255] = {"\xC7\xE5", 0};
    PatternDocument notMarked;
    ASSERT_NE(decodePattern(built.build(), LoadMode::Plain, notMarked, {}).result, LoadResult::Failed);
    EXPECT_FALSE(notMarked.clearSymbols);
    EXPECT_EQ(notMarked.symbols[255].symbol, "\xC7\xE5");
}
