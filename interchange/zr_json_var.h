#pragma once
// One JSON document that callers fill key by key, write as compact text, parse from text and
// query with dotted paths ("a.b[0].c"). The value tree, the reader and the writer are
// JsonCpp's. Texts are bytes in the caller's code page (GBK here); nothing is converted.
//
// Adding under a key that is already there collects the values into an array in call order.
// A query never changes the document; it reports the value's text and its type name
// ("NULL_TYPE" for anything missing).
#include <json/value.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr const char* kNullType = "NULL_TYPE";
inline constexpr const char* kIntType = "INT_TYPE";
inline constexpr const char* kUintType = "UINT_TYPE";
inline constexpr const char* kFloatType = "FLOAT_TYPE";
inline constexpr const char* kStrType = "STR_TYPE";
inline constexpr const char* kBoolType = "BOOL_TYPE";
inline constexpr const char* kArrayType = "ARRAY_TYPE";
inline constexpr const char* kObjType = "OBJ_TYPE";
// Member listing only: an object member, an array of objects.
inline constexpr const char* kJsonType = "JSON_TYPE";
inline constexpr const char* kArrayJsonType = "ARRAYJSON_TYPE";

class MiniXML;
class TiXmlElement;

class ZRJsonVar {
public:
    ZRJsonVar() = default;
    virtual ~ZRJsonVar() = default;
    ZRJsonVar(const ZRJsonVar&) = default;
    ZRJsonVar& operator=(const ZRJsonVar&) = default;

    void AddOneParame(std::string_view key, std::string_view text);
    void AddOneParame(std::string_view key, const char* text) { AddOneParame(key, std::string_view(text ? text : "")); }
    void AddOneParame(std::string_view key, std::int32_t value);
    void AddOneParame(std::string_view key, double value);
    void AddOneParame(std::string_view key, bool value);
    // The bytes as Base64 text.
    void AddOneParame(std::string_view key, const unsigned char* bytes, std::int32_t length);
    // A copy of the other document's root.
    void AddOneParame(std::string_view key, const ZRJsonVar& child);
    // The documents' roots as one array value, added under the key by the rule above.
    void AddOneParameArray(std::string_view key, const ZRJsonVar* items, std::int32_t count);

    // Compact text: no spaces or line breaks, members sorted, one line feed at the end;
    // "null\n" for an empty document.
    std::string GetJsonText() const;
    static std::string GetJsonText(const Json::Value& value);

    // Parses with comments collected; on failure the document is left as it was. A
    // document whose root is not an object (parsed from "[1]" or "5") takes no additions.
    bool LoadJsonText(std::string_view text);
    // The first element named `element` (the root element when empty) and its following
    // siblings, converted into this document; 1 when the XML parsed, else 0 and no change.
    // A named element that is missing gives an empty document.
    int LoadXML(std::string_view xml, std::string_view element);
    // As LoadXML with the reply element of a web-service method: method + "Response".
    int LoadWebXML(std::string_view xml, std::string_view method);
    // Adds element and each following sibling to target (children as nested documents).
    static void GetResultJson(const MiniXML& document, const TiXmlElement* element, ZRJsonVar& target);

    // The value at a path as its text and type name (arrays and objects as their compact
    // text, with its line feed). An empty path names the root. Always true.
    bool GetVarValue(std::string_view path, std::string& value, std::string& type) const;
    // The index-th member (sorted by name) of the object at the path, or the index-th element
    // of an array (its name is then the decimal index). False, outputs untouched, when the
    // index is out of range.
    bool GetVarValue(std::string_view path, std::int32_t index, std::string& value, std::string& name,
                     std::string& type) const;
    // The Base64 text at the path, decoded.
    std::string GetBytesValue(std::string_view path) const;
    std::int32_t GetArraySize(std::string_view path) const;
    std::int32_t GetMainVarSize() const;
    std::int32_t GetMainVarSize(std::string_view path) const;

    // Every path in the tree with its type name, parents before their members.
    std::vector<std::pair<std::string, std::string>> GetJsonInfo() const;
    // The root's member names, sorted; empty unless the root is an object.
    std::vector<std::string> GetJsonMainKey() const;
    // The member list as the message box shows it.
    std::string ListTypeText() const;
    void ListType(const std::function<void(const std::string& text)>& showMessage) const;
    // Each leaf as "path=value" on a line of its own.
    std::string ListValueTree() const;

    // Text split at each separator; empty parts are kept.
    static std::vector<std::string> SplitString(std::string_view text, char separator);
    // The elements of the array at the path as documents of their own.
    std::vector<ZRJsonVar> ToVarArray(std::string_view path) const;
    const Json::Value& ToJson() const { return root_; }
    Json::Value ToJson2() const { return root_; }
    void AttachJson(Json::Value value) { root_ = std::move(value); }

    // zlib compression into a caller's buffer: *outLength is its capacity on entry and the
    // count written on return; 1 on success.
    static int NETZip(const unsigned char* in, std::int32_t inLength, unsigned char* out, std::int32_t* outLength);
    static int NETUnZip(const unsigned char* in, std::int32_t inLength, unsigned char* out, std::int32_t* outLength);
    // Compressed, then encrypted with single DES under the library's own key, in whole blocks.
    static int NETCompress(const unsigned char* in, std::int32_t inLength, unsigned char* out, std::int32_t* outLength);
    static int NETUnCompress(const unsigned char* in, std::int32_t inLength, unsigned char* out,
                             std::int32_t* outLength);

private:
    void add(std::string_view key, Json::Value value);
    Json::Value find(std::string_view path) const;

    Json::Value root_;
};

// The text and type name a query reports for a value.
std::pair<std::string, std::string> describeJsonValue(const Json::Value& value);
