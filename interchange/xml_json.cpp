// The XML-to-JSON bridge of ZRJsonVar: elements become members named after them, elements
// with children become nested documents, repeated names become arrays. Attributes, comments
// and the text of elements that have children are dropped; every value is text.
#include "interchange/mini_xml.h"
#include "interchange/zr_json_var.h"

#include <tinyxml.h>

namespace {

// Deep enough for any real reply; deeper documents stop nesting instead of exhausting the
// stack.
constexpr int kMaxDepth = 200;

void convert(const TiXmlElement* element, ZRJsonVar& target, int depth)
{
    for (const TiXmlElement* e = element; e; e = e->NextSiblingElement()) {
        const TiXmlElement* child = e->FirstChildElement();
        if (!child || depth >= kMaxDepth) {
            target.AddOneParame(e->ValueStr(), std::string_view(MiniXML::GetElementValue(e)));
            continue;
        }
        ZRJsonVar members;
        for (const TiXmlElement* k = child; k; k = k->NextSiblingElement()) {
            if (const TiXmlElement* grandchild = k->FirstChildElement(); grandchild && depth + 1 < kMaxDepth) {
                ZRJsonVar nested;
                convert(grandchild, nested, depth + 2);
                members.AddOneParame(k->ValueStr(), nested);
            } else {
                members.AddOneParame(k->ValueStr(), std::string_view(MiniXML::GetElementValue(k)));
            }
        }
        target.AddOneParame(e->ValueStr(), members);
    }
}

}  // namespace

void ZRJsonVar::GetResultJson(const MiniXML&, const TiXmlElement* element, ZRJsonVar& target)
{
    convert(element, target, 0);
}

int ZRJsonVar::LoadXML(std::string_view xml, std::string_view element)
{
    try {
        MiniXML document;
        if (!document.LoadXML(xml))
            return 0;
        const TiXmlElement* start = element.empty() ? document.GetRootElement() : document.FindFirstElement(element);
        ZRJsonVar converted;
        if (start)
            GetResultJson(document, start, converted);
        root_ = std::move(converted.root_);
        return 1;
    } catch (const std::exception&) {
        return 0;
    }
}

int ZRJsonVar::LoadWebXML(std::string_view xml, std::string_view method)
{
    return LoadXML(xml, std::string(method) + "Response");
}
