#include "editor/document/path_scramble.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

TEST(PathScramble, EveryByteBecomesTwoCapitalsFromAAToJVAndComesBack)
{
    std::string all;
    for (int b = 255; b >= 0; --b)  // every byte, including 0 and the GBK lead bytes
        all += static_cast<char>(b);
    const std::string letters = scramblePath(all);
    ASSERT_EQ(letters.size(), 2 * all.size());
    for (std::size_t i = 0; i < letters.size(); i += 2) {
        const int value = (letters[i] - 'A') * 26 + (letters[i + 1] - 'A');
        EXPECT_TRUE(letters[i] >= 'A' && letters[i] <= 'J') << i;
        EXPECT_TRUE(letters[i + 1] >= 'A' && letters[i + 1] <= 'Z') << i;
        EXPECT_LE(value, 255) << i;
    }
    EXPECT_EQ(unscramblePath(letters), all);

    const std::string path = "/home/用户/绣图/花.xiu";
    EXPECT_EQ(unscramblePath(scramblePath(path)), path);
}

TEST(PathScramble, TheKeyRunsOnSoEqualBytesScrambleDifferently)
{
    const std::string letters = scramblePath(std::string(8, 'a'));
    EXPECT_NE(letters.substr(0, 2), letters.substr(2, 2));
    EXPECT_EQ(scramblePath(""), "");
    EXPECT_EQ(unscramblePath(""), "");
}

TEST(PathScramble, TextThatIsNotPairsOfCapitalsIsRefused)
{
    EXPECT_FALSE(unscramblePath("ABC"));
    EXPECT_FALSE(unscramblePath("Ab"));
    EXPECT_FALSE(unscramblePath("A1"));
}

}  // namespace
}  // namespace brenmark
