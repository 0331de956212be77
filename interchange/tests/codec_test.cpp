#include "interchange/base64.h"
#include "interchange/chinese_code.h"
#include "interchange/des.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> hex(const std::string& text)
{
    std::vector<unsigned char> out;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        out.push_back(static_cast<unsigned char>(std::stoi(text.substr(i, 2), nullptr, 16)));
    return out;
}

std::vector<unsigned char> des(const std::string& keyHex, const std::string& dataHex, bool decrypt)
{
    const auto key = hex(keyHex);
    const auto data = hex(dataHex);
    std::vector<unsigned char> out(data.size());
    EXPECT_TRUE(DES::Des_Go(out.data(), data.data(), static_cast<std::int32_t>(data.size()), key.data(),
                            static_cast<std::int32_t>(key.size()), decrypt));
    return out;
}

std::string gbkToUtf8(const std::string& s)
{
    std::unique_ptr<char[]> p(CChineseCodeLib::GB2312ToUTF_8(s.data(), static_cast<std::int32_t>(s.size())));
    return p.get();
}

std::string utf8ToGbk(const std::string& s)
{
    std::unique_ptr<char[]> p(CChineseCodeLib::UTF_8ToGB2312(s.data(), static_cast<std::int32_t>(s.size())));
    return p.get();
}

}  // namespace

TEST(Base64, EncodesWholeAndPaddedGroups)
{
    EXPECT_EQ(ZRBase64::encode("abc", 3), "YWJj");
    EXPECT_EQ(ZRBase64::encode("a", 1), "YQ==");
    EXPECT_EQ(ZRBase64::encode("ab", 2), "YWI=");
    EXPECT_EQ(ZRBase64::encode("", 0), "");
    const unsigned char high[] = {0xFB, 0xFF, 0xBF};
    EXPECT_EQ(ZRBase64::encode(high, 3), "+/+/");
    std::unique_ptr<char[]> text(ZRBase64::EncodeBase64(reinterpret_cast<const unsigned char*>("abcd"), 4));
    EXPECT_STREQ(text.get(), "YWJjZA==");
    EXPECT_EQ(BYTE2Base64(reinterpret_cast<const unsigned char*>("x"), 0), "");
    for (std::size_t n = 0; n < 10; ++n)
        EXPECT_EQ(ZRBase64::encode(std::string(n, 'q').data(), n).size(), (n + 2) / 3 * 4);
}

TEST(Base64, DecodesWholeGroupsDropsTrailingZerosAndNeverFails)
{
    EXPECT_EQ(ZRBase64::decode("YWJj"), "abc");
    EXPECT_EQ(ZRBase64::decode("YQ=="), "a");
    EXPECT_EQ(ZRBase64::decode("YWJjZA"), "abc");  // the short final group is ignored
    EXPECT_EQ(ZRBase64::decode("YWJjAAAA"), "abc");  // trailing zero bytes removed
    EXPECT_EQ(ZRBase64::decode(ZRBase64::encode(std::string("a\0b\0\0", 5).data(), 5)), std::string("a\0b", 3));
    EXPECT_EQ(ZRBase64::decode("!!!!"), "");  // invalid characters count as 0
    EXPECT_EQ(ZRBase64::decode("Y!Jj"), std::string("\x60\x02\x63", 3));
    std::int32_t length = -1;
    std::unique_ptr<unsigned char[]> bytes(Base642BYTE("YWJj", &length));
    EXPECT_EQ(length, 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes.get()), 3), "abc");
    std::unique_ptr<unsigned char[]> none(ZRBase64::DecodeBase64(nullptr, &length));
    EXPECT_EQ(length, 0);
}

TEST(Des, SingleDesMatchesThePublishedVector)
{
    EXPECT_EQ(des("133457799BBCDFF1", "0123456789ABCDEF", false), hex("85E813540F0AB405"));
    EXPECT_EQ(des("133457799BBCDFF1", "85E813540F0AB405", true), hex("0123456789ABCDEF"));
    // Electronic codebook: equal blocks give equal output.
    EXPECT_EQ(des("133457799BBCDFF1", "0123456789ABCDEF0123456789ABCDEF", false),
              hex("85E813540F0AB40585E813540F0AB405"));
    // A short key is zero-padded to 8 bytes, and a 16-byte key whose halves match is single DES.
    EXPECT_EQ(des("1334", "0123456789ABCDEF", false), des("1334000000000000", "0123456789ABCDEF", false));
    EXPECT_EQ(des("133457799BBCDFF1133457799BBCDFF1", "0123456789ABCDEF", false), hex("85E813540F0AB405"));
}

TEST(Des, NineToSixteenBytesSelectTwoKeyTripleDes)
{
    // Reference values from OpenSSL's des-ede (two-key EDE, ECB).
    EXPECT_EQ(des("0123456789ABCDEFFEDCBA9876543210", "0123456789ABCDEF", false), hex("1A4D672DCA6CB335"));
    EXPECT_EQ(des("0123456789ABCDEFFEDCBA9876543210", "1A4D672DCA6CB335", true), hex("0123456789ABCDEF"));
    EXPECT_EQ(des("0123456789ABCDEF23456789ABCDEF01", "4E6F772069732074", false), hex("B7835779EE26ACB7"));
    // Nine bytes: the ninth starts the zero-padded second key.
    EXPECT_EQ(des("0123456789ABCDEF01", "0123456789ABCDEF", false), hex("562A50C3046A38A5"));
    // Bytes past the sixteenth are ignored.
    EXPECT_EQ(des("0123456789ABCDEFFEDCBA9876543210AABBCC", "0123456789ABCDEF", false), hex("1A4D672DCA6CB335"));
}

TEST(Des, RefusesNullsAndEmptyDataWorksInPlace)
{
    unsigned char block[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    const auto key = hex("133457799BBCDFF1");
    EXPECT_FALSE(DES::Des_Go(nullptr, block, 8, key.data(), 8, false));
    EXPECT_FALSE(DES::Des_Go(block, nullptr, 8, key.data(), 8, false));
    EXPECT_FALSE(DES::Des_Go(block, block, 8, nullptr, 8, false));
    EXPECT_FALSE(DES::Des_Go(block, block, 0, key.data(), 8, false));
    EXPECT_FALSE(DES::Des_Go(block, block, -8, key.data(), 8, false));
    ASSERT_TRUE(DES::Des_Go(block, block, 8, key.data(), 8, false));
    EXPECT_EQ(std::vector<unsigned char>(block, block + 8), hex("85E813540F0AB405"));
    // A partial block counts as a whole one.
    unsigned char two[16] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    ASSERT_TRUE(DES::Des_Go(two, two, 9, key.data(), 8, false));
    EXPECT_EQ(std::vector<unsigned char>(two + 8, two + 16), hex("85E813540F0AB405"));
}

TEST(ChineseCode, GbkAndUtf8CharacterByCharacter)
{
    const std::string thread = "绣线";  // 4 GBK bytes
    ASSERT_EQ(thread.size(), 4u);
    const std::string utf8 = gbkToUtf8(thread);
    EXPECT_EQ(utf8.size(), 6u);
    EXPECT_EQ(utf8, reinterpret_cast<const char*>(u8"绣线"));
    EXPECT_EQ(utf8ToGbk(utf8), thread);
    EXPECT_EQ(gbkToUtf8("a绣b"), reinterpret_cast<const char*>(u8"a绣b"));
    // A lead byte at the very end, and a pair GBK does not define.
    EXPECT_EQ(gbkToUtf8("a\xD0"), "a\xEF\xBF\xBD");
    EXPECT_EQ(gbkToUtf8("\xFF\xFF"), "\xEF\xBF\xBD");
    // Stray continuation bytes, a cut sequence, a four-byte sequence and a character GBK
    // lacks all become "?".
    EXPECT_EQ(utf8ToGbk("\x80x"), "?x");
    EXPECT_EQ(utf8ToGbk("x\xE7\xBB"), "x??");  // each byte of it
    EXPECT_EQ(utf8ToGbk("\xF0\x9F\x98\x80!"), "?!");
    EXPECT_EQ(utf8ToGbk(reinterpret_cast<const char*>(u8"\u0E01")), "?");
    char16_t unit = CChineseCodeLib::Gb2312ToUnicode("\xCF\xDF");
    EXPECT_EQ(unit, u'线');
    char out[3];
    EXPECT_EQ(CChineseCodeLib::UnicodeToUTF_8(u'线', out), 3);
    EXPECT_EQ(CChineseCodeLib::UTF_8ToUnicode(out, 3), u'线');
    EXPECT_EQ(CChineseCodeLib::UTF_8ToUnicode("\xC0\x80", 2), 0xFFFD);  // overlong
    char gbk[2];
    EXPECT_EQ(CChineseCodeLib::UnicodeToGB2312(u'线', gbk), 2);
    EXPECT_EQ(std::string(gbk, 2), "\xCF\xDF");
    std::unique_ptr<char[]> empty(CChineseCodeLib::GB2312ToUTF_8(nullptr, 5));
    EXPECT_STREQ(empty.get(), "");
}
