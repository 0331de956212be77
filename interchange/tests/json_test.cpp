#include "interchange/zr_json_var.h"

#include <gtest/gtest.h>

namespace {

ZRJsonVar parsed(const std::string& text)
{
    ZRJsonVar json;
    EXPECT_TRUE(json.LoadJsonText(text)) << text;
    return json;
}

std::pair<std::string, std::string> query(const ZRJsonVar& json, const std::string& path)
{
    std::string value = "stale", type = "stale";
    EXPECT_TRUE(json.GetVarValue(path, value, type));
    return {value, type};
}

using Result = std::pair<std::string, std::string>;

}  // namespace

TEST(JsonAdd, RepeatedKeysCollectIntoAnArrayInCallOrder)
{
    ZRJsonVar json;
    json.AddOneParame("a", "1");
    EXPECT_EQ(json.GetJsonText(), "{\"a\":\"1\"}\n");
    json.AddOneParame("a", "2");
    EXPECT_EQ(json.GetJsonText(), "{\"a\":[\"1\",\"2\"]}\n");
    json.AddOneParame("a", std::int32_t{3});
    EXPECT_EQ(json.GetJsonText(), "{\"a\":[\"1\",\"2\",3]}\n");
    // An array added first is then appended to, not wrapped.
    ZRJsonVar list;
    list.AddOneParameArray("k", nullptr, 0);
    list.AddOneParame("k", true);
    EXPECT_EQ(list.GetJsonText(), "{\"k\":[true]}\n");
}

TEST(JsonText, CompactSortedWithOneLineFeedAndBytesAsTheyAre)
{
    ZRJsonVar empty;
    EXPECT_EQ(empty.GetJsonText(), "null\n");
    ZRJsonVar json;
    json.AddOneParame("sUUID", "x");
    json.AddOneParame("sAppName", "vm");
    json.AddOneParame("sName", "绣图");  // GBK bytes, no escaping
    json.AddOneParame("n", -7);
    json.AddOneParame("d", 0.5);
    json.AddOneParame("b", false);
    EXPECT_EQ(json.GetJsonText(),
              "{\"b\":false,\"d\":0.5,\"n\":-7,\"sAppName\":\"vm\",\"sName\":\"\xD0\xE5\xCD\xBC\",\"sUUID\":\"x\"}\n");
    ZRJsonVar outer;
    outer.AddOneParame("child", json);
    outer.AddOneParame("child", empty);
    EXPECT_EQ(outer.GetJsonText().substr(0, 14), "{\"child\":[{\"b\"");
    EXPECT_EQ(outer.GetJsonText().substr(outer.GetJsonText().size() - 9), "},null]}\n");
}

TEST(JsonParse, CommentsAllowedErrorsLeaveTheDocument)
{
    ZRJsonVar json = parsed("// reply\n{\"a\": 1 /* one */, \"b\": [true, null]}");
    EXPECT_EQ(json.GetJsonText(), "{\"a\":1,\"b\":[true,null]}\n");
    EXPECT_FALSE(json.LoadJsonText("{\"a\":"));
    EXPECT_FALSE(json.LoadJsonText(""));
    EXPECT_FALSE(json.LoadJsonText("{\"a\" 1}"));
    EXPECT_EQ(json.GetJsonText(), "{\"a\":1,\"b\":[true,null]}\n");
    // Nesting beyond the reader's depth limit is refused, not a crash.
    EXPECT_FALSE(json.LoadJsonText(std::string(5000, '[') + std::string(5000, ']')));
}

TEST(JsonQuery, DottedPathsWithIndices)
{
    const ZRJsonVar json = parsed(R"({"a":{"b":[{"c":"ok"}],"n":[1,2]},"t":true,"f":false,"u":18446744073709551615,
                                     "r":2.5,"i":-3,"s":"x","z":null})");
    EXPECT_EQ(query(json, "a.b[0].c"), Result("ok", "STR_TYPE"));
    EXPECT_EQ(query(json, "  a.b[0].c \n"), Result("ok", "STR_TYPE"));
    EXPECT_EQ(query(json, "a.b"), Result("[{\"c\":\"ok\"}]\n", "ARRAY_TYPE"));
    EXPECT_EQ(query(json, "a.b[0]"), Result("{\"c\":\"ok\"}\n", "OBJ_TYPE"));
    EXPECT_EQ(query(json, "t"), Result("TRUE", "BOOL_TYPE"));
    EXPECT_EQ(query(json, "f"), Result("FALSE", "BOOL_TYPE"));
    EXPECT_EQ(query(json, "u"), Result("18446744073709551615", "UINT_TYPE"));
    EXPECT_EQ(query(json, "i"), Result("-3", "INT_TYPE"));
    EXPECT_EQ(query(json, "r"), Result("2.5", "FLOAT_TYPE"));
    EXPECT_EQ(query(json, "z"), Result("", "NULL_TYPE"));
    EXPECT_EQ(query(json, "a.n[1]"), Result("2", "INT_TYPE"));
    // An index of the array's size, negative or unreadable indices.
    EXPECT_EQ(query(json, "a.n[2]"), Result("", "NULL_TYPE"));
    EXPECT_EQ(query(json, "a.n[-1]"), Result("", "NULL_TYPE"));
    EXPECT_EQ(query(json, "a.n[x]"), Result("1", "INT_TYPE"));  // non-digits read as 0
    EXPECT_EQ(query(json, "a.n[99999999999999999999]"), Result("", "NULL_TYPE"));
    // Missing members, steps through the wrong kind of value.
    EXPECT_EQ(query(json, "missing"), Result("", "NULL_TYPE"));
    EXPECT_EQ(query(json, "a.missing.deeper"), Result("", "NULL_TYPE"));
    EXPECT_EQ(query(json, "s.x"), Result("", "NULL_TYPE"));
    EXPECT_EQ(query(json, "s[0]"), Result("", "NULL_TYPE"));
    EXPECT_EQ(query(json, "a[0]"), Result("", "NULL_TYPE"));
    // A query never changes the document.
    const std::string before = json.GetJsonText();
    query(json, "new.member[3]");
    EXPECT_EQ(json.GetJsonText(), before);
    // An index alone applies to the value reached so far; the root when it comes first.
    const ZRJsonVar array = parsed("[[5,6]]");
    EXPECT_EQ(query(array, "[0].[1]"), Result("6", "INT_TYPE"));
    EXPECT_EQ(query(array, "[0]"), Result("[5,6]\n", "ARRAY_TYPE"));
    EXPECT_EQ(array.GetArraySize(""), 1);
}

TEST(JsonQuery, IndexedMembersInSortedOrder)
{
    const ZRJsonVar json = parsed(R"({"o":{"zeta":1,"alpha":"a","mid":[1]},"l":[7,8]})");
    std::string value = "v", name = "n", type = "t";
    ASSERT_TRUE(json.GetVarValue("o", 0, value, name, type));
    EXPECT_EQ(name, "alpha");
    EXPECT_EQ(value, "a");
    EXPECT_EQ(type, "STR_TYPE");
    ASSERT_TRUE(json.GetVarValue("o", 2, value, name, type));
    EXPECT_EQ(name, "zeta");
    EXPECT_EQ(type, "INT_TYPE");
    ASSERT_TRUE(json.GetVarValue("l", 1, value, name, type));
    EXPECT_EQ(name, "1");
    EXPECT_EQ(value, "8");
    value = name = type = "untouched";
    EXPECT_FALSE(json.GetVarValue("o", 3, value, name, type));
    EXPECT_FALSE(json.GetVarValue("o", -1, value, name, type));
    EXPECT_FALSE(json.GetVarValue("o.zeta", 0, value, name, type));
    EXPECT_EQ(value + name + type, "untoucheduntoucheduntouched");
    EXPECT_EQ(json.GetMainVarSize(), 2);
    EXPECT_EQ(json.GetMainVarSize("o"), 3);
    EXPECT_EQ(json.GetMainVarSize("o.zeta"), 0);
    EXPECT_EQ(json.GetArraySize("l"), 2);
    EXPECT_EQ(json.GetArraySize("o"), 0);
    EXPECT_EQ(json.GetJsonMainKey(), (std::vector<std::string>{"l", "o"}));
}

TEST(JsonInfo, ListsEveryPathWithItsTypeName)
{
    const ZRJsonVar json = parsed(R"({"a":{"b":1},"c":[{"d":true}],"e":[1,"x"],"f":null})");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"a", "JSON_TYPE"},          {"a.b", "INT_TYPE"},       {"c", "ARRAYJSON_TYPE"}, {"c[0]", "JSON_TYPE"},
        {"c[0].d", "BOOL_TYPE"},     {"e", "ARRAY_TYPE"},       {"e[0]", "INT_TYPE"},    {"e[1]", "STR_TYPE"},
        {"f", "NULL_TYPE"}};
    EXPECT_EQ(json.GetJsonInfo(), expected);
    std::string shown;
    json.ListType([&](const std::string& text) { shown = text; });
    EXPECT_EQ(shown.substr(0, 9), "\r\n元素:\r\n");
    EXPECT_NE(shown.find("VAR:c[0].d TYPE:BOOL_TYPE\r\n"), std::string::npos);
    EXPECT_EQ(json.ListValueTree(), "a.b=1\r\nc[0].d=TRUE\r\ne[0]=1\r\ne[1]=x\r\nf=\r\n");
}

TEST(JsonBytes, StoredAsBase64AndDecodedBack)
{
    ZRJsonVar json;
    const unsigned char bytes[] = {'a', 'b', 'c', 0xFF, 0x00, 0x01};
    json.AddOneParame("blob", bytes, 6);
    EXPECT_EQ(json.GetJsonText(), "{\"blob\":\"YWJj/wAB\"}\n");
    EXPECT_EQ(json.GetBytesValue("blob"), std::string("abc\xFF\x00\x01", 6));
    EXPECT_EQ(json.GetBytesValue("missing"), "");
}

TEST(JsonAdd, ARootThatIsNotAnObjectTakesNoMembers)
{
    ZRJsonVar json = parsed("[1]");
    json.AddOneParame("a", "x");
    EXPECT_EQ(json.GetJsonText(), "[1]\n");
    const auto items = json.ToVarArray("");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].GetJsonText(), "1\n");
}

TEST(JsonSplit, KeepsEmptyParts)
{
    EXPECT_EQ(ZRJsonVar::SplitString("a..b", '.'), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(ZRJsonVar::SplitString("", '.'), (std::vector<std::string>{""}));
}
