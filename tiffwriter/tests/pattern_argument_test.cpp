// The command line: every byte survives the scramble, the ".xiu" test, and the text after
// the program name.
#include "tiffwriter/pattern_argument.h"

#include "editor/document/path_scramble.h"

#include <gtest/gtest.h>

using namespace brenmark;

TEST(PatternArgument, EveryByteValueRoundTrips)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    all += '\0';
    // Each byte in every key state the path before it leads to.
    for (int start = 0; start < 256; start += 17) {
        const std::string path = all.substr(static_cast<std::size_t>(start)) + all.substr(0, static_cast<std::size_t>(start));
        const std::string letters = scramblePath(path);
        ASSERT_EQ(letters.size(), 2 * path.size());
        for (std::size_t i = 0; i < letters.size(); i += 2) {
            ASSERT_GE(letters[i], 'A');
            ASSERT_LE(letters[i], 'J');  // 255 = "JV"
            ASSERT_GE(letters[i + 1], 'A');
            ASSERT_LE(letters[i + 1], 'Z');
        }
        EXPECT_EQ(unscramblePath(letters), path);
    }
}

TEST(PatternArgument, GbkPathsDecodeToTheirBytes)
{
    const std::string gbk = "/home/用户/绣图/心形.xiu";  // GBK bytes at run time
    ASSERT_NE(gbk.find('\xD0'), std::string::npos);
    const auto decoded = decodePatternArgument(scramblePath(gbk));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, gbk);
    const std::string utf8 = "/home/\xE7\x94\xA8\xE6\x88\xB7/heart.XIU";
    EXPECT_EQ(decodePatternArgument(scramblePath(utf8)), utf8);  // ".XIU" counts in lower case
}

TEST(PatternArgument, OnlyPatternPathsAreAccepted)
{
    EXPECT_FALSE(decodePatternArgument(scramblePath("/home/a/heart.pal")));
    EXPECT_FALSE(decodePatternArgument(scramblePath("/home/a/heart.xi")));
    EXPECT_FALSE(decodePatternArgument(scramblePath("/home/a/heartxiu")));
    EXPECT_FALSE(decodePatternArgument(""));
    EXPECT_FALSE(decodePatternArgument("abc"));                                 // not capitals
    EXPECT_FALSE(decodePatternArgument(scramblePath("/a.xiu").substr(1)));    // odd length
    EXPECT_FALSE(decodePatternArgument(scramblePath("/a.xiu") + " "));        // a blank after
    EXPECT_TRUE(decodePatternArgument(scramblePath("/a.xiu.bak")));           // anywhere in the path
    // Pairs past "JV" wrap modulo 256 as they are read.
    const std::string letters = scramblePath("/a.xiu");
    std::string wrapped = letters;
    const int c = (letters[0] - 'A') * 26 + (letters[1] - 'A');
    if (c + 256 < 26 * 26) {
        wrapped[0] = static_cast<char>('A' + (c + 256) / 26);
        wrapped[1] = static_cast<char>('A' + (c + 256) % 26);
        EXPECT_EQ(decodePatternArgument(wrapped), std::string("/a.xiu"));
    }
}

TEST(PatternArgument, TheTextAfterTheProgramName)
{
    EXPECT_EQ(argumentText({}), "");
    EXPECT_EQ(argumentText({"ABCD"}), "ABCD");
    EXPECT_EQ(argumentText({"", "ABCD"}), "ABCD");  // two blanks after the name
    EXPECT_EQ(argumentText({"AB", "CD"}), "AB CD");  // not letters any more: refused later
    EXPECT_FALSE(decodePatternArgument(argumentText({"AB", "CD"})));
    const std::string letters = scramblePath("/p/x.xiu");
    EXPECT_EQ(decodePatternArgument(argumentText({" ", letters})), std::string("/p/x.xiu"));
}
