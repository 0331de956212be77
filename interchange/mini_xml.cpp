#include "interchange/mini_xml.h"

#include <tinyxml.h>

#include <fstream>
#include <iterator>

namespace {

std::string str(std::string_view s)
{
    return std::string(s);
}

TiXmlElement* findFirst(TiXmlNode* node, const std::string& name)
{
    for (TiXmlElement* e = node->FirstChildElement(); e; e = e->NextSiblingElement()) {
        if (e->ValueStr() == name)
            return e;
        if (TiXmlElement* found = findFirst(e, name))
            return found;
    }
    return nullptr;
}

// TinyXML parses nested elements recursively: a document nested deeper than this is
// refused before it can exhaust the stack. The count is rough (a "<" inside a comment
// counts as an element too), which only ever errs towards refusing absurd documents.
constexpr long kMaxNesting = 5000;

bool nestingWithinLimit(std::string_view text)
{
    long depth = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '<') {
            const char next = text[i + 1];
            if (next == '/')
                --depth;
            else if (next != '!' && next != '?' && ++depth > kMaxNesting)
                return false;
        } else if (text[i] == '/' && text[i + 1] == '>') {
            --depth;
        }
    }
    return true;
}

}  // namespace

MiniXML::MiniXML() : document_(new TiXmlDocument) {}

MiniXML::~MiniXML()
{
    delete document_;
}

bool MiniXML::ParseXmlFile(const std::string& path)
{
    document_->Clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    return LoadXML(text) != 0;
}

int MiniXML::LoadXML(std::string_view text)
{
    document_->Clear();
    if (!nestingWithinLimit(text))
        return 0;
    const std::string copy(text);
    document_->Parse(copy.c_str(), nullptr, TIXML_ENCODING_LEGACY);
    return document_->Error() ? 0 : 1;
}

TiXmlElement* MiniXML::GetRootElement() const
{
    return document_->RootElement();
}

TiXmlElement* MiniXML::FindFirstElement(std::string_view name) const
{
    return findFirst(document_, str(name));
}

TiXmlElement* MiniXML::GetChildElement(const TiXmlElement* parent, std::string_view name)
{
    return parent ? const_cast<TiXmlElement*>(parent->FirstChildElement(str(name))) : nullptr;
}

TiXmlElement* MiniXML::GetFirstChildElement(const TiXmlElement* parent)
{
    return parent ? const_cast<TiXmlElement*>(parent->FirstChildElement()) : nullptr;
}

TiXmlElement* MiniXML::GetNextChildElement(const TiXmlElement* element)
{
    return element ? const_cast<TiXmlElement*>(element->NextSiblingElement()) : nullptr;
}

std::string MiniXML::GetElementValue(const TiXmlElement* element)
{
    const char* text = element ? element->GetText() : nullptr;
    return text ? text : "";
}

bool MiniXML::GetElementValue(const TiXmlElement* element, std::string& name, std::string& text)
{
    if (!element)
        return false;
    name = element->ValueStr();
    text = GetElementValue(element);
    return true;
}

std::string MiniXML::GetElementAttributeValue(const TiXmlElement* element, std::string_view attribute)
{
    const char* value = element ? element->Attribute(str(attribute).c_str()) : nullptr;
    return value ? value : "";
}

std::string MiniXML::GetChildElementValue(const TiXmlElement* parent, std::string_view child)
{
    return GetElementValue(GetChildElement(parent, child));
}

std::string MiniXML::GetChildElementAttributeValue(const TiXmlElement* parent, std::string_view child,
                                                   std::string_view attribute)
{
    return GetElementAttributeValue(GetChildElement(parent, child), attribute);
}

bool MiniXML::ReplaceElementValue(TiXmlElement* element, std::string_view text)
{
    if (!element)
        return false;
    if (TiXmlNode* first = element->FirstChild(); first && first->ToText()) {
        first->SetValue(str(text));
        return true;
    }
    return AddElementValue(element, text);
}

bool MiniXML::ReplaceElementAttribute(TiXmlElement* element, std::string_view attribute, std::string_view value)
{
    if (!element || !element->Attribute(str(attribute).c_str()))
        return false;
    element->SetAttribute(str(attribute), str(value));
    return true;
}

void MiniXML::AddXmlDeclaration(std::string_view version, std::string_view encoding, std::string_view standalone)
{
    TiXmlDeclaration declaration(str(version), str(encoding), str(standalone));
    if (TiXmlNode* first = document_->FirstChild())
        document_->InsertBeforeChild(first, declaration);
    else
        document_->InsertEndChild(declaration);
}

TiXmlElement* MiniXML::AddXmlRootElement(std::string_view name)
{
    if (document_->RootElement())
        return nullptr;
    return document_->LinkEndChild(new TiXmlElement(str(name)))->ToElement();
}

TiXmlElement* MiniXML::AddXmlChildElement(TiXmlElement* parent, std::string_view name, std::string_view value)
{
    if (!parent)
        return nullptr;
    auto* child = new TiXmlElement(str(name));
    if (!value.empty())
        child->LinkEndChild(new TiXmlText(str(value)));
    return parent->LinkEndChild(child)->ToElement();
}

bool MiniXML::AddElementValue(TiXmlElement* element, std::string_view text)
{
    if (!element)
        return false;
    element->LinkEndChild(new TiXmlText(str(text)));
    return true;
}

bool MiniXML::AddXmlAttribute(TiXmlElement* element, std::string_view name, std::string_view value)
{
    if (!element)
        return false;
    element->SetAttribute(str(name), str(value));
    return true;
}

void MiniXML::AddXmlComment(TiXmlElement* parent, std::string_view comment)
{
    auto* node = new TiXmlComment(str(comment).c_str());
    if (parent)
        parent->LinkEndChild(node);
    else
        document_->LinkEndChild(node);
}

bool MiniXML::SaveFile(const std::string& path) const
{
    return document_->SaveFile(path.c_str());
}

std::string MiniXML::ToText() const
{
    TiXmlPrinter printer;
    document_->Accept(&printer);
    return printer.Str();
}

void MiniXML::Clear()
{
    document_->Clear();
}
