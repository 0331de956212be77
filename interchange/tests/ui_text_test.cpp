// The interface's language: which one a start chooses, and the catalogue's texts.

#include "interchange/ui_text.h"

#include <gtest/gtest.h>

using namespace brenmark;

TEST(UiLanguage, NamesAndLocales)
{
    EXPECT_EQ(parseUiLanguage("zh"), UiLanguage::Chinese);
    EXPECT_EQ(parseUiLanguage("zh_TW.UTF-8"), UiLanguage::Chinese);
    EXPECT_EQ(parseUiLanguage("EN"), UiLanguage::English);
    EXPECT_EQ(parseUiLanguage("en-GB"), UiLanguage::English);
    EXPECT_EQ(parseUiLanguage("de"), std::nullopt);
    EXPECT_EQ(parseUiLanguage("english"), std::nullopt);
    EXPECT_EQ(parseUiLanguage(""), std::nullopt);

    EXPECT_EQ(languageOfLocale("zh_CN.UTF-8"), UiLanguage::Chinese);
    EXPECT_EQ(languageOfLocale("zh_HK"), UiLanguage::Chinese);
    EXPECT_EQ(languageOfLocale("en_US.UTF-8"), UiLanguage::English);
    EXPECT_EQ(languageOfLocale("C.UTF-8"), UiLanguage::English);
    EXPECT_EQ(languageOfLocale("ja_JP"), UiLanguage::English);
}

TEST(UiLanguage, CommandLineBeatsEnvironmentBeatsSettingBeatsLocale)
{
    using enum UiLanguage;
    EXPECT_EQ(chooseUiLanguage(English, "zh", Chinese, "zh_CN"), English);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, "en", Chinese, "zh_CN"), English);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, nullptr, English, "zh_CN"), English);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, nullptr, std::nullopt, "zh_CN.GBK"), Chinese);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, nullptr, std::nullopt, "fr_FR"), English);
    // A value that names no language is passed over, not taken for English.
    EXPECT_EQ(chooseUiLanguage(std::nullopt, "klingon", Chinese, "en_US"), Chinese);
    EXPECT_EQ(chooseUiLanguage(std::nullopt, "", std::nullopt, "zh_CN"), Chinese);
}

TEST(UiLanguage, TheOptionLeavesTheOtherArgumentsInTheirOrder)
{
    std::vector<std::string> args{"brenmark", "--lang", "en", "a.xiu", "--screenshot", "s.png"};
    EXPECT_EQ(takeLanguageOption(args, 1), "en");
    EXPECT_EQ(args, (std::vector<std::string>{"brenmark", "a.xiu", "--screenshot", "s.png"}));

    args = {"export", "--lang=zh", "a.xiu"};
    EXPECT_EQ(takeLanguageOption(args), "zh");
    EXPECT_EQ(args, (std::vector<std::string>{"export", "a.xiu"}));

    // After "--" everything is a name, and the program's own name is never an option.
    args = {"--lang", "--", "--lang", "en"};
    EXPECT_EQ(takeLanguageOption(args, 1), std::nullopt);
    EXPECT_EQ(args.size(), 4u);
    // A last "--lang" without its value stays for the program to refuse.
    args = {"info", "--lang"};
    EXPECT_EQ(takeLanguageOption(args), std::nullopt);
    EXPECT_EQ(args.size(), 2u);
}

TEST(UiText, TheCatalogueTranslatesAndChineseStaysByteForByte)
{
    ASSERT_EQ(currentUiLanguage(), UiLanguage::Chinese);
    EXPECT_EQ(uiText("提示"), "提示");
    EXPECT_EQ(uiTextOf("警告"), "\xBE\xAF\xB8\xE6");

    // A missing catalogue leaves the texts Chinese.
    EXPECT_FALSE(loadUiCatalogue("/nonexistent/brenmark_en.qm"));
    EXPECT_EQ(currentUiLanguage(), UiLanguage::Chinese);
    EXPECT_EQ(uiText("提示"), "提示");

    ASSERT_TRUE(loadUiCatalogue(BRENMARK_CATALOGUE));
    EXPECT_EQ(currentUiLanguage(), UiLanguage::English);
    EXPECT_EQ(uiText("提示"), "Note");
    EXPECT_EQ(uiTextOf("警告"), "Warning");
    // Texts the catalogue does not hold, and the empty text, come back as they were.
    EXPECT_EQ(uiText("这句不在目录里"), "这句不在目录里");
    EXPECT_EQ(uiText(""), "");
    EXPECT_EQ(uiText(nullptr), "");

    ASSERT_TRUE(loadUiCatalogue(""));
    EXPECT_EQ(uiText("提示"), "提示");
    EXPECT_EQ(currentUiLanguage(), UiLanguage::Chinese);
}

TEST(UiText, TheCatalogueIsFoundBesideWhatShips)
{
    EXPECT_EQ(uiCatalogueFile("/usr/share/brenmark/", UiLanguage::English), "/usr/share/brenmark/translations/brenmark_en.qm");
    EXPECT_EQ(uiCatalogueFile("/usr/share/brenmark/", UiLanguage::Chinese), "");
    const std::string build = BRENMARK_BUILD_DIR "/";
    ASSERT_TRUE(setUiLanguage(UiLanguage::English, build));
    EXPECT_EQ(uiText("警告"), "Warning");
    ASSERT_TRUE(setUiLanguage(UiLanguage::Chinese, build));
    EXPECT_EQ(uiText("警告"), "警告");
}
