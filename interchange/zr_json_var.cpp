#include "interchange/zr_json_var.h"

#include "interchange/base64.h"
#include "interchange/compress.h"
#include "interchange/des.h"

#include <json/reader.h>
#include <json/writer.h>

#include <climits>
#include <cstring>
#include <memory>
#include <sstream>

namespace {

// The key NETCompress encrypts under: the first five letters of the word, zero-padded.
constexpr char kNetWord[] = "zirixm";

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// A decimal index the way atoi reads it: optional sign, digits, anything else ends it (and
// a text without digits is 0). Huge values saturate.
long long readIndex(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        v = v > LLONG_MAX / 20 ? LLONG_MAX / 20 : v * 10 + (text[i] - '0');
    return negative ? -v : v;
}

const Json::Value& nullValue()
{
    static const Json::Value null;
    return null;
}

const Json::Value& member(const Json::Value& value, std::string_view name)
{
    if (!value.isObject())
        return nullValue();
    const Json::Value* found = value.find(name.data(), name.data() + name.size());
    return found ? *found : nullValue();
}

const Json::Value& element(const Json::Value& value, long long index)
{
    if (!value.isArray() || index < 0 || index >= static_cast<long long>(value.size()))
        return nullValue();
    return value[static_cast<Json::ArrayIndex>(index)];
}

void listTree(const Json::Value& value, const std::string& path, std::vector<std::pair<std::string, std::string>>& out)
{
    if (value.isObject()) {
        for (const auto& name : value.getMemberNames()) {
            const Json::Value& child = value[name];
            const std::string childPath = path.empty() ? name : path + "." + name;
            if (child.isObject()) {
                out.emplace_back(childPath, kJsonType);
            } else if (child.isArray()) {
                const bool ofObjects = !child.empty() && child[0u].isObject();
                out.emplace_back(childPath, ofObjects ? kArrayJsonType : kArrayType);
            } else {
                out.emplace_back(childPath, describeJsonValue(child).second);
                continue;
            }
            listTree(child, childPath, out);
        }
    } else if (value.isArray()) {
        for (Json::ArrayIndex i = 0; i < value.size(); ++i) {
            const Json::Value& child = value[i];
            const std::string childPath = path + "[" + std::to_string(i) + "]";
            if (child.isObject() || child.isArray()) {
                out.emplace_back(childPath, child.isObject() ? kJsonType : kArrayType);
                listTree(child, childPath, out);
            } else {
                out.emplace_back(childPath, describeJsonValue(child).second);
            }
        }
    }
}

void listValues(const Json::Value& value, const std::string& path, std::string& out)
{
    if (value.isObject()) {
        for (const auto& name : value.getMemberNames())
            listValues(value[name], path.empty() ? name : path + "." + name, out);
    } else if (value.isArray()) {
        for (Json::ArrayIndex i = 0; i < value.size(); ++i)
            listValues(value[i], path + "[" + std::to_string(i) + "]", out);
    } else {
        out += path + "=" + describeJsonValue(value).first + "\r\n";
    }
}

}  // namespace

std::pair<std::string, std::string> describeJsonValue(const Json::Value& value)
{
    switch (value.type()) {
    case Json::nullValue:
        return {"", kNullType};
    case Json::intValue:
        return {Json::valueToString(value.asLargestInt()), kIntType};
    case Json::uintValue:
        return {Json::valueToString(value.asLargestUInt()), kUintType};
    case Json::realValue:
        return {Json::valueToString(value.asDouble()), kFloatType};
    case Json::stringValue:
        return {value.asString(), kStrType};
    case Json::booleanValue:
        return {value.asBool() ? "TRUE" : "FALSE", kBoolType};
    case Json::arrayValue:
        return {ZRJsonVar::GetJsonText(value), kArrayType};
    case Json::objectValue:
        return {ZRJsonVar::GetJsonText(value), kObjType};
    }
    return {"", kNullType};
}

void ZRJsonVar::add(std::string_view key, Json::Value value)
{
    if (!root_.isNull() && !root_.isObject())
        return;
    Json::Value& slot = root_[Json::String(key)];
    if (slot.isNull()) {
        slot = std::move(value);
    } else if (slot.isArray()) {
        slot.append(std::move(value));
    } else {
        Json::Value pair(Json::arrayValue);
        pair.append(std::move(slot));
        pair.append(std::move(value));
        slot = std::move(pair);
    }
}

void ZRJsonVar::AddOneParame(std::string_view key, std::string_view text)
{
    add(key, Json::Value(text.data(), text.data() + text.size()));
}

void ZRJsonVar::AddOneParame(std::string_view key, std::int32_t value)
{
    add(key, Json::Value(value));
}

void ZRJsonVar::AddOneParame(std::string_view key, double value)
{
    add(key, Json::Value(value));
}

void ZRJsonVar::AddOneParame(std::string_view key, bool value)
{
    add(key, Json::Value(value));
}

void ZRJsonVar::AddOneParame(std::string_view key, const unsigned char* bytes, std::int32_t length)
{
    AddOneParame(key, std::string_view(BYTE2Base64(bytes, length)));
}

void ZRJsonVar::AddOneParame(std::string_view key, const ZRJsonVar& child)
{
    add(key, child.root_);
}

void ZRJsonVar::AddOneParameArray(std::string_view key, const ZRJsonVar* items, std::int32_t count)
{
    Json::Value array(Json::arrayValue);
    for (std::int32_t i = 0; items && i < count; ++i)
        array.append(items[i].root_);
    add(key, std::move(array));
}

std::string ZRJsonVar::GetJsonText() const
{
    return GetJsonText(root_);
}

std::string ZRJsonVar::GetJsonText(const Json::Value& value)
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["commentStyle"] = "None";
    builder["emitUTF8"] = true;  // bytes of 128 and above are written as they are
    return Json::writeString(builder, value) + "\n";
}

bool ZRJsonVar::LoadJsonText(std::string_view text)
{
    Json::CharReaderBuilder builder;
    builder["collectComments"] = true;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value parsed;
    std::string errors;
    bool ok = false;
    try {
        ok = reader->parse(text.data(), text.data() + text.size(), &parsed, &errors);
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok)
        return false;
    root_ = std::move(parsed);
    return true;
}

Json::Value ZRJsonVar::find(std::string_view path) const
{
    path = trim(path);
    if (path.empty())
        return root_;
    const Json::Value* current = &root_;
    for (const std::string& part : SplitString(path, '.')) {
        const std::size_t open = part.find('[');
        const std::size_t close = open == std::string::npos ? std::string::npos : part.find(']', open + 1);
        if (close == std::string::npos) {
            current = &member(*current, part);
            continue;
        }
        if (open > 0)
            current = &member(*current, std::string_view(part).substr(0, open));
        current = &element(*current, readIndex(std::string_view(part).substr(open + 1, close - open - 1)));
    }
    return *current;
}

bool ZRJsonVar::GetVarValue(std::string_view path, std::string& value, std::string& type) const
{
    auto [text, name] = describeJsonValue(find(path));
    value = std::move(text);
    type = std::move(name);
    return true;
}

bool ZRJsonVar::GetVarValue(std::string_view path, std::int32_t index, std::string& value, std::string& name,
                            std::string& type) const
{
    const Json::Value found = find(path);
    if (index < 0 || !(found.isObject() || found.isArray()) || static_cast<Json::ArrayIndex>(index) >= found.size())
        return false;
    const Json::Value* child = nullptr;
    if (found.isObject()) {
        name = found.getMemberNames()[static_cast<std::size_t>(index)];
        child = &found[name];
    } else {
        name = std::to_string(index);
        child = &found[static_cast<Json::ArrayIndex>(index)];
    }
    auto [text, typeName] = describeJsonValue(*child);
    value = std::move(text);
    type = std::move(typeName);
    return true;
}

std::string ZRJsonVar::GetBytesValue(std::string_view path) const
{
    const Json::Value found = find(path);
    return found.isString() ? ZRBase64::decode(found.asString()) : std::string();
}

std::int32_t ZRJsonVar::GetArraySize(std::string_view path) const
{
    const Json::Value found = find(path);
    return found.isArray() ? static_cast<std::int32_t>(found.size()) : 0;
}

std::int32_t ZRJsonVar::GetMainVarSize() const
{
    return root_.isObject() || root_.isArray() ? static_cast<std::int32_t>(root_.size()) : 0;
}

std::int32_t ZRJsonVar::GetMainVarSize(std::string_view path) const
{
    const Json::Value found = find(path);
    return found.isObject() || found.isArray() ? static_cast<std::int32_t>(found.size()) : 0;
}

std::vector<std::pair<std::string, std::string>> ZRJsonVar::GetJsonInfo() const
{
    std::vector<std::pair<std::string, std::string>> out;
    listTree(root_, "", out);
    return out;
}

std::vector<std::string> ZRJsonVar::GetJsonMainKey() const
{
    return root_.isObject() ? root_.getMemberNames() : std::vector<std::string>();
}

std::string ZRJsonVar::ListTypeText() const
{
    std::string text = "\r\n元素:\r\n";  // untranslated: the library's listing, as its callers parse it
    for (const auto& [path, type] : GetJsonInfo())
        text += "VAR:" + path + " TYPE:" + type + "\r\n";
    return text;
}

void ZRJsonVar::ListType(const std::function<void(const std::string& text)>& showMessage) const
{
    if (showMessage)
        showMessage(ListTypeText());
}

std::string ZRJsonVar::ListValueTree() const
{
    std::string out;
    listValues(root_, "", out);
    return out;
}

std::vector<std::string> ZRJsonVar::SplitString(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.emplace_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos)
            return parts;
        start = at + 1;
    }
}

std::vector<ZRJsonVar> ZRJsonVar::ToVarArray(std::string_view path) const
{
    std::vector<ZRJsonVar> items;
    const Json::Value found = find(path);
    if (found.isArray())
        for (const auto& v : found) {
            items.emplace_back();
            items.back().root_ = v;
        }
    return items;
}

int ZRJsonVar::NETZip(const unsigned char* in, std::int32_t inLength, unsigned char* out, std::int32_t* outLength)
{
    return MemZip(in, inLength, out, outLength);
}

int ZRJsonVar::NETUnZip(const unsigned char* in, std::int32_t inLength, unsigned char* out, std::int32_t* outLength)
{
    return MemUnZip(in, inLength, out, outLength);
}

int ZRJsonVar::NETCompress(const unsigned char* in, std::int32_t inLength, unsigned char* out, std::int32_t* outLength)
{
    if (!in || inLength < 0 || !out || !outLength)
        return 0;
    auto packed = jolvane::compress({reinterpret_cast<const char*>(in), static_cast<std::size_t>(inLength)});
    if (!packed)
        return 0;
    packed->resize((packed->size() + 7) / 8 * 8, '\0');  // zlib ignores what follows its stream
    if (packed->size() > static_cast<std::size_t>(*outLength))
        return 0;
    const unsigned char key[5] = {kNetWord[0], kNetWord[1], kNetWord[2], kNetWord[3], kNetWord[4]};
    DES::Des_Go(out, reinterpret_cast<const unsigned char*>(packed->data()), static_cast<std::int32_t>(packed->size()),
                key, 5, false);
    *outLength = static_cast<std::int32_t>(packed->size());
    return 1;
}

int ZRJsonVar::NETUnCompress(const unsigned char* in, std::int32_t inLength, unsigned char* out,
                             std::int32_t* outLength)
{
    if (!in || inLength <= 0 || inLength % 8 != 0 || !out || !outLength || *outLength < 0)
        return 0;
    std::string plain(static_cast<std::size_t>(inLength), '\0');
    const unsigned char key[5] = {kNetWord[0], kNetWord[1], kNetWord[2], kNetWord[3], kNetWord[4]};
    DES::Des_Go(reinterpret_cast<unsigned char*>(plain.data()), in, inLength, key, 5, true);
    const auto result = jolvane::uncompress(plain, static_cast<std::size_t>(*outLength));
    if (!result)
        return 0;
    std::memcpy(out, result->data(), result->size());
    *outLength = static_cast<std::int32_t>(result->size());
    return 1;
}
