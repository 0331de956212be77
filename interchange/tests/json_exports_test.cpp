#include "interchange/json_exports.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(JsonExports, NullHandleDoesNothing)
{
    char buffer[8] = "keep";
    AddOneStr(nullptr, "a", "b");
    AddOneInt(nullptr, "a", 1);
    AddOneJson(nullptr, "a", nullptr);
    CloseJson(nullptr);
    EXPECT_EQ(JsonToText(nullptr, buffer), 0);
    EXPECT_EQ(MFCJsonToText(nullptr), "");
    EXPECT_EQ(GetJsonVar(nullptr, "a", buffer, buffer), 0);
    EXPECT_EQ(GetJsonVarIndex(nullptr, "", 0, buffer, buffer, buffer), 0);
    std::string v, t;
    EXPECT_EQ(GetMFCJsonVar(nullptr, "a", v, t), 0);
    EXPECT_EQ(GetJsonArraySize(nullptr, "a"), 0);
    EXPECT_EQ(GetJsonMainDotCnt(nullptr), 0);
    EXPECT_STREQ(buffer, "keep");
}

TEST(JsonExports, TextIsCopiedWithoutTerminator)
{
    void* h = CreateJson();
    EXPECT_EQ(JsonToText(h, nullptr), 5);  // "null" and a line feed
    char five[6];
    std::memset(five, '#', sizeof five);
    EXPECT_EQ(JsonToText(h, five), 5);
    EXPECT_EQ(std::string(five, 6), "null\n#");
    AddOneStr(h, "k", "v");
    AddOneBOOL(h, "b", true);
    AddOneDouble(h, "d", 1.25);
    const std::int32_t n = JsonToText(h, nullptr);
    std::vector<char> text(static_cast<std::size_t>(n) + 1, '\0');
    EXPECT_EQ(JsonToText(h, text.data()), n);
    EXPECT_STREQ(text.data(), "{\"b\":true,\"d\":1.25,\"k\":\"v\"}\n");
    EXPECT_EQ(MFCJsonToText(h), text.data());
    // The sized form refuses a buffer one byte short and terminates when there is room.
    std::vector<char> small(static_cast<std::size_t>(n) - 1, '#');
    EXPECT_EQ(JsonToTextN(h, small.data(), n - 1), n);
    EXPECT_EQ(small.front(), '#');
    std::vector<char> exact(static_cast<std::size_t>(n) + 1, '#');
    EXPECT_EQ(JsonToTextN(h, exact.data(), n + 1), n);
    EXPECT_STREQ(exact.data(), text.data());
    CloseJson(h);
}

TEST(JsonExports, QueriesThroughHandles)
{
    void* h = TextToJson(R"({"a":{"b":[{"c":"ok"}]},"x":"提示文字"})");
    ASSERT_NE(h, nullptr);
    char value[64], type[16], name[16];
    EXPECT_EQ(GetJsonVar(h, "a.b[0].c", value, type), 1);
    EXPECT_STREQ(value, "ok");
    EXPECT_STREQ(type, "STR_TYPE");
    EXPECT_EQ(GetJsonVar(h, "nothing", value, type), 1);
    EXPECT_STREQ(value, "");
    EXPECT_STREQ(type, "NULL_TYPE");
    EXPECT_EQ(GetJsonVarIndex(h, "", 1, value, name, type), 1);
    EXPECT_STREQ(name, "x");
    EXPECT_EQ(GetJsonVarIndex(h, "", 2, value, name, type), 0);
    EXPECT_EQ(GetJsonArraySize(h, "a.b"), 1);
    EXPECT_EQ(GetJsonMainDotCnt(h), 2);
    EXPECT_EQ(GetJsonChildMainDotCnt(h, "a"), 1);
    // Sized buffers: a cut never splits a GBK character and says it was cut.
    char six[6], wide[16];
    EXPECT_EQ(GetJsonVarN(h, "x", six, 6, wide, 16), -1);
    EXPECT_STREQ(six, "提示");
    EXPECT_EQ(GetJsonVarN(h, "x", value, 64, wide, 16), 1);
    EXPECT_STREQ(value, "提示文字");
    std::string v, n, t;
    EXPECT_EQ(GetMFCJsonVarIndex(h, "a.b[0]", 0, v, n, t), 1);
    EXPECT_EQ(n + "=" + v + ":" + t, "c=ok:STR_TYPE");
    CloseJson(h);
    EXPECT_EQ(TextToJson("{broken"), nullptr);
    EXPECT_EQ(TextToJson(nullptr), nullptr);
}

TEST(JsonExports, ChildDocumentsAndBytes)
{
    void* child = CreateJson();
    AddOneInt(child, "n", 1);
    void* h = CreateJson();
    AddOneJson(h, "c", child);
    AddOneInt(child, "n", 2);  // a copy was taken
    AddOneJson(h, "c", child);
    EXPECT_EQ(MFCJsonToText(h), "{\"c\":[{\"n\":1},{\"n\":[1,2]}]}\n");
    const unsigned char bytes[] = {1, 2, 3, 4, 0, 0};
    AddJsonBytes(h, "bin", bytes, 6);
    unsigned char out[8] = {};
    std::int32_t length = -1;
    EXPECT_EQ(GetJsonBytes(h, "bin", out, &length), 1);
    EXPECT_EQ(length, 4);  // the trailing zero bytes do not come back
    EXPECT_EQ(std::memcmp(out, bytes, 4), 0);
    unsigned char two[2] = {};
    EXPECT_EQ(GetJsonBytesN(h, "bin", two, 2, &length), -1);
    EXPECT_EQ(length, 4);
    EXPECT_EQ(two[1], 2);
    CloseJson(child);
    CloseJson(h);
}
