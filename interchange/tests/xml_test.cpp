#include "interchange/json_exports.h"
#include "interchange/mini_xml.h"
#include "interchange/zr_json_var.h"

#include <tinyxml.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr const char* kReply = R"(<?xml version="1.0" encoding="gbk"?>
<Envelope><Body>
  <StartAppResponse attr="dropped">
    <Ver>5.0</Ver>
    <!-- comments are dropped -->
    <Pane><Name>主页</Name><Url>http://a/</Url></Pane>
    <Pane><Name>b</Name><Url>http://b/</Url><Deep><X>1</X></Deep></Pane>
    <Empty/>
  </StartAppResponse>
  <Trailer>t</Trailer>
</Body></Envelope>)";

}  // namespace

TEST(XmlBridge, ElementsBecomeMembersRepeatsBecomeArrays)
{
    ZRJsonVar json;
    ASSERT_EQ(json.LoadWebXML(kReply, "StartApp"), 1);
    // The reply element and its following sibling; nested children as documents, all
    // values texts, attributes and comments gone.
    EXPECT_EQ(json.GetJsonText(),
              "{\"StartAppResponse\":{\"Empty\":\"\",\"Pane\":[{\"Name\":\"\xD6\xF7\xD2\xB3\",\"Url\":\"http://a/\"},"
              "{\"Deep\":{\"X\":\"1\"},\"Name\":\"b\",\"Url\":\"http://b/\"}],\"Ver\":\"5.0\"},"
              "\"Trailer\":\"t\"}\n");
    std::string value, type;
    json.GetVarValue("StartAppResponse.Pane[1].Deep.X", value, type);
    EXPECT_EQ(value, "1");
    EXPECT_EQ(type, "STR_TYPE");
}

TEST(XmlBridge, RootWhenNoNameEmptyWhenMissingUnchangedOnBadXml)
{
    ZRJsonVar json;
    ASSERT_EQ(json.LoadXML("<r><a>1</a><a>2</a>text</r>", ""), 1);
    EXPECT_EQ(json.GetJsonText(), "{\"r\":{\"a\":[\"1\",\"2\"]}}\n");
    EXPECT_EQ(json.LoadXML("<r><a/></r>", "nothing"), 1);
    EXPECT_EQ(json.GetJsonText(), "null\n");
    json.AddOneParame("k", "v");
    EXPECT_EQ(json.LoadXML("<r><a></r>", ""), 0);
    EXPECT_EQ(json.LoadXML("", ""), 0);
    EXPECT_EQ(json.GetJsonText(), "{\"k\":\"v\"}\n");
    void* h = XMLToJson("<x>1</x>", "x");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(MFCJsonToText(h), "{\"x\":\"1\"}\n");
    CloseJson(h);
    EXPECT_EQ(XMLToJson("<x>", "x"), nullptr);
}

TEST(XmlBridge, DeepNestingStopsInsteadOfOverflowing)
{
    std::string xml;
    for (int i = 0; i < 1000; ++i)
        xml += "<e>";
    xml += "v";
    for (int i = 0; i < 1000; ++i)
        xml += "</e>";
    ZRJsonVar json;
    EXPECT_EQ(json.LoadXML(xml, ""), 1);
    EXPECT_EQ(json.GetJsonText().substr(0, 6), "{\"e\":{");
    // Far deeper than any document needs: refused before the parser recurses into it.
    std::string deep;
    for (int i = 0; i < 200000; ++i)
        deep += "<e>";
    EXPECT_EQ(json.LoadXML(deep, ""), 0);
    MiniXML parser;
    EXPECT_EQ(parser.LoadXML(deep), 0);
}

TEST(MiniXml, BuildsSavesAndReadsBack)
{
    MiniXML xml;
    xml.AddXmlDeclaration("1.0", "gbk", "");
    TiXmlElement* root = xml.AddXmlRootElement("Pattern");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(xml.AddXmlRootElement("Second"), nullptr);
    TiXmlElement* thread = MiniXML::AddXmlChildElement(root, "Thread", "310");
    MiniXML::AddXmlAttribute(thread, "brand", "DMC");
    MiniXML::AddXmlChildElement(root, "Name", "十字绣");
    xml.AddXmlComment(root, " note ");
    EXPECT_TRUE(MiniXML::ReplaceElementValue(thread, "321"));
    EXPECT_TRUE(MiniXML::ReplaceElementAttribute(thread, "brand", "ANCHOR"));
    EXPECT_FALSE(MiniXML::ReplaceElementAttribute(thread, "missing", "x"));

    const auto path = std::filesystem::temp_directory_path() / "jolvane_minixml_test.xml";
    ASSERT_TRUE(xml.SaveFile(path.string()));
    MiniXML back;
    ASSERT_TRUE(back.ParseXmlFile(path.string()));
    std::filesystem::remove(path);
    EXPECT_EQ(MiniXML::GetChildElementValue(back.GetRootElement(), "Thread"), "321");
    EXPECT_EQ(MiniXML::GetChildElementAttributeValue(back.GetRootElement(), "Thread", "brand"), "ANCHOR");
    EXPECT_EQ(MiniXML::GetElementValue(back.FindFirstElement("Name")), "十字绣");
    std::string name, text;
    ASSERT_TRUE(MiniXML::GetElementValue(MiniXML::GetNextChildElement(MiniXML::GetFirstChildElement(back.GetRootElement())),
                                         name, text));
    EXPECT_EQ(name + "=" + text, "Name=十字绣");
    EXPECT_EQ(back.FindFirstElement("Nothing"), nullptr);
    EXPECT_EQ(MiniXML::GetChildElementValue(nullptr, "x"), "");
    back.Clear();
    EXPECT_EQ(back.GetRootElement(), nullptr);
    EXPECT_FALSE(back.ParseXmlFile("/nonexistent/file.xml"));
}

TEST(MiniXml, FindsDepthFirstInDocumentOrder)
{
    MiniXML xml;
    ASSERT_EQ(xml.LoadXML("<r><a><k>deep</k></a><k>shallow</k></r>"), 1);
    EXPECT_EQ(MiniXML::GetElementValue(xml.FindFirstElement("k")), "deep");
    EXPECT_EQ(xml.LoadXML("<r><unclosed></r>"), 0);
}
