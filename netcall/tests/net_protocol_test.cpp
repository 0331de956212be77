#include "netcall/net_protocol.h"

#include "interchange/compress.h"

#include <gtest/gtest.h>

using namespace dunmere;

TEST(NetRequest, DocumentInSortedKeyOrder)
{
    EXPECT_EQ(requestText("key", "CoreSYS.SYS", "StartApp", R"({"sName":"绣","sAppName":"vm"})"),
              "{\"LGKey\":\"key\",\"command\":\"RUN\",\"m_Parame\":{\"ClassFullName\":\"CoreSYS.SYS\","
              "\"FunctionName\":\"StartApp\",\"m_Parame\":{\"sAppName\":\"vm\",\"sName\":\"\xD0\xE5\"}}}\n");
    EXPECT_EQ(requestText("", "C", "F", ""),
              "{\"LGKey\":\"\",\"command\":\"RUN\",\"m_Parame\":{\"ClassFullName\":\"C\",\"FunctionName\":\"F\","
              "\"m_Parame\":null}}\n");
    EXPECT_FALSE(requestText("", "C", "F", "{not json"));
    // On the wire: UTF-8, zlib.
    const auto body = requestBody("{\"a\":\"绣\"}\n");
    ASSERT_TRUE(body);
    EXPECT_EQ(jolvane::uncompress(*body, 100), reinterpret_cast<const char*>(u8"{\"a\":\"绣\"}\n"));
}

TEST(NetReply, SuccessMessageAndRawResult)
{
    auto reply = readReply(R"({"bOK":true,"command":"RUN","sMsg":"好","m_ReturnOBJ": {"Ver" : "5.0"}})");
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->ok);
    EXPECT_EQ(reply->message, "好");
    EXPECT_EQ(reply->command, "RUN");
    EXPECT_EQ(reply->result, " {\"Ver\" : \"5.0\"}");  // the server's own spacing
    // Not last: the later members come along. Trailing white space is not the brace.
    reply = readReply("{\"bOK\":true,\"m_ReturnOBJ\":[1,2],\"sMsg\":\"later\"}\r\n");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->result, "[1,2],\"sMsg\":\"later\"");
    // Without bOK, or with a bOK that is not true, the call failed.
    reply = readReply(R"({"sMsg":"no flag","m_ReturnOBJ":1})");
    ASSERT_TRUE(reply);
    EXPECT_FALSE(reply->ok);
    EXPECT_EQ(reply->message, "no flag");
    EXPECT_FALSE(readReply(R"({"bOK":"true"})")->ok);
    EXPECT_FALSE(readReply("{}")->hasResult);
    // White space before the colon: the value's compact text instead.
    reply = readReply(R"({"bOK":true,"m_ReturnOBJ" : {"a":1}})");
    EXPECT_EQ(reply->result, "{\"a\":1}");
    EXPECT_FALSE(readReply("<html>portal</html>"));
    EXPECT_FALSE(readReply("[1]"));
    EXPECT_FALSE(readReply(""));
}

TEST(NetReply, InflateBoundsAndCodePage)
{
    const auto packed = jolvane::compress(reinterpret_cast<const char*>(u8"{\"sMsg\":\"绣线\"}"));
    EXPECT_EQ(replyText(*packed), "{\"sMsg\":\"绣线\"}");
    EXPECT_FALSE(replyText("not zlib"));
    EXPECT_FALSE(replyText(""));
    // How far a reply inflates is no fault: a message of 600 bytes of one letter inflates
    // some thirty times over, and so does ordinary JSON.
    const std::string letters = "{\"bOK\":true,\"sMsg\":\"" + std::string(600, 'm') + "\"}";
    const auto packed600 = jolvane::compress(letters);
    EXPECT_GT(letters.size(), packed600->size() * 12);
    EXPECT_EQ(replyText(*packed600), letters);
    // Up to 10 MB inflated is taken; one byte more is refused however small the body.
    const auto full = jolvane::compress(std::string(kReplyLimit, ' '));
    EXPECT_LT(full->size(), 20000u);
    EXPECT_EQ(replyText(*full)->size(), kReplyLimit);
    const auto bomb = jolvane::compress(std::string(kReplyLimit + 1, ' '));
    EXPECT_FALSE(replyText(*bomb));
    EXPECT_FALSE(replyText(std::string(kReplyLimit + 1, 'x')));
    // The text ends at a NUL inside it.
    EXPECT_EQ(replyText(*jolvane::compress(std::string("{}\0junk", 7))), "{}");
}

TEST(NetReply, MessagesCutAt499BytesOnACharacterBoundary)
{
    EXPECT_EQ(cutMessage(std::string(600, 'm')), std::string(499, 'm'));
    std::string chinese;
    for (int i = 0; i < 300; ++i)
        chinese += "线";
    EXPECT_EQ(cutMessage(chinese).size(), 498u);
    EXPECT_EQ(cutMessage("short"), "short");
}
