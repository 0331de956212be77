#include "interchange/code_page.h"

#include <gtest/gtest.h>

using namespace brenmark;

TEST(CodePage, SourceLiteralsAreGbkAtRunTime)
{
    EXPECT_EQ(std::string("提示"), std::string("\xCC\xE1\xCA\xBE"));
}

TEST(CodePage, RoundTripsChineseText)
{
    const std::string gbk = "被选文件不存在";
    const std::string utf8 = gbkToUtf8(gbk);
    EXPECT_EQ(utf8, reinterpret_cast<const char*>(u8"被选文件不存在"));
    EXPECT_EQ(utf8ToGbk(utf8), gbk);
}

TEST(CodePage, BadBytesAreReplacedNotFatal)
{
    EXPECT_EQ(gbkToUtf8("A\x81"), "A\xEF\xBF\xBD");
    EXPECT_EQ(utf8ToGbk("A\xFF"
                        "B"),
              "A?B");
}

TEST(CodePage, PrefixNeverSplitsADoubleByteCharacter)
{
    const std::string text = "a提示";  // 1 + 2 + 2 bytes
    EXPECT_EQ(gbkPrefix(text, 5), text);
    EXPECT_EQ(gbkPrefix(text, 4), "a提");
    EXPECT_EQ(gbkPrefix(text, 2), "a");
    EXPECT_EQ(gbkPrefix(text, 0), "");
    EXPECT_EQ(gbkPrefix("abc", 2), "ab");
}

TEST(CodePage, FindMatchesOnlyAtCharacterBoundaries)
{
    // "螺" is D0 DD and "莞" is DD B8: a naive byte search for DD B8 hits inside "螺".
    const std::string text = "\xD0\xDD\xB8\xA1";
    EXPECT_EQ(text.find("\xDD\xB8"), 1u);
    EXPECT_EQ(gbkFind(text, "\xDD\xB8"), std::string::npos);
    EXPECT_EQ(gbkFind("取消画线操作", "取消"), 0u);
    EXPECT_EQ(gbkFind("Redo画线操作", "Redo"), 0u);
    EXPECT_EQ(gbkFind("取消DMC绣线转ANCHOR绣线", "转"), 11u);
    EXPECT_EQ(gbkFind("abc", ""), 0u);
}
