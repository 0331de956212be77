#pragma once
// A thin layer over one TinyXML document: parse from a file or text, find and read elements,
// build a document and save it. Texts are the caller's bytes (GBK here), parsed without any
// encoding interpretation. Elements handed out stay owned by the document.
#include <string>
#include <string_view>

class TiXmlDocument;
class TiXmlElement;

class MiniXML {
public:
    MiniXML();
    ~MiniXML();
    MiniXML(const MiniXML&) = delete;
    MiniXML& operator=(const MiniXML&) = delete;

    bool ParseXmlFile(const std::string& path);
    // Non-zero when the text parsed.
    int LoadXML(std::string_view text);

    TiXmlElement* GetRootElement() const;
    // The first element of that name in document order (depth first), or null.
    TiXmlElement* FindFirstElement(std::string_view name) const;
    static TiXmlElement* GetChildElement(const TiXmlElement* parent, std::string_view name);
    static TiXmlElement* GetFirstChildElement(const TiXmlElement* parent);
    static TiXmlElement* GetNextChildElement(const TiXmlElement* element);
    // The element's own text; empty when it has none.
    static std::string GetElementValue(const TiXmlElement* element);
    static bool GetElementValue(const TiXmlElement* element, std::string& name, std::string& text);
    static std::string GetElementAttributeValue(const TiXmlElement* element, std::string_view attribute);
    static std::string GetChildElementValue(const TiXmlElement* parent, std::string_view child);
    static std::string GetChildElementAttributeValue(const TiXmlElement* parent, std::string_view child,
                                                     std::string_view attribute);
    static bool ReplaceElementValue(TiXmlElement* element, std::string_view text);
    static bool ReplaceElementAttribute(TiXmlElement* element, std::string_view attribute, std::string_view value);

    void AddXmlDeclaration(std::string_view version, std::string_view encoding, std::string_view standalone);
    // The new root element (it replaces none already there: a second root is refused, null).
    TiXmlElement* AddXmlRootElement(std::string_view name);
    static TiXmlElement* AddXmlChildElement(TiXmlElement* parent, std::string_view name, std::string_view value);
    static bool AddElementValue(TiXmlElement* element, std::string_view text);
    static bool AddXmlAttribute(TiXmlElement* element, std::string_view name, std::string_view value);
    void AddXmlComment(TiXmlElement* parent, std::string_view comment);
    bool SaveFile(const std::string& path) const;
    // The document as text.
    std::string ToText() const;
    void Clear();

private:
    TiXmlDocument* document_;
};
