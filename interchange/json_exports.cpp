#include "interchange/json_exports.h"

#include "interchange/code_page.h"
#include "interchange/zr_json_var.h"

#include <cstring>

namespace {

ZRJsonVar* doc(void* handle)
{
    return static_cast<ZRJsonVar*>(handle);
}

const char* orEmpty(const char* text)
{
    return text ? text : "";
}

void copyWhole(const std::string& text, char* out)
{
    if (out)
        std::memcpy(out, text.c_str(), text.size() + 1);
}

// Copies with a terminator into size bytes, cutting at a GBK character boundary; false when cut.
bool copyFitting(const std::string& text, char* out, std::int32_t size)
{
    if (!out || size <= 0)
        return text.empty() && size > 0;
    const std::string_view fit = brenmark::gbkPrefix(text, static_cast<std::size_t>(size - 1));
    std::memcpy(out, fit.data(), fit.size());
    out[fit.size()] = '\0';
    return fit.size() == text.size();
}

}  // namespace

void* CreateJson()
{
    return new ZRJsonVar;
}

void CloseJson(void* handle)
{
    delete doc(handle);
}

void AddOneStr(void* handle, const char* key, const char* value)
{
    if (handle)
        doc(handle)->AddOneParame(orEmpty(key), std::string_view(orEmpty(value)));
}

void AddOneInt(void* handle, const char* key, std::int32_t value)
{
    if (handle)
        doc(handle)->AddOneParame(orEmpty(key), value);
}

void AddOneDouble(void* handle, const char* key, double value)
{
    if (handle)
        doc(handle)->AddOneParame(orEmpty(key), value);
}

void AddOneBOOL(void* handle, const char* key, bool value)
{
    if (handle)
        doc(handle)->AddOneParame(orEmpty(key), value);
}

void AddJsonBytes(void* handle, const char* key, const unsigned char* bytes, std::int32_t length)
{
    if (handle)
        doc(handle)->AddOneParame(orEmpty(key), bytes, length);
}

void AddOneJson(void* handle, const char* key, void* child)
{
    if (handle && child)
        doc(handle)->AddOneParame(orEmpty(key), *doc(child));
}

std::int32_t JsonToText(void* handle, char* buffer)
{
    if (!handle)
        return 0;
    const std::string text = doc(handle)->GetJsonText();
    if (buffer)
        std::memcpy(buffer, text.data(), text.size());
    return static_cast<std::int32_t>(text.size());
}

std::int32_t JsonToTextN(void* handle, char* buffer, std::int32_t size)
{
    if (!handle)
        return 0;
    const std::string text = doc(handle)->GetJsonText();
    if (buffer && size >= 0 && text.size() <= static_cast<std::size_t>(size)) {
        std::memcpy(buffer, text.data(), text.size());
        if (text.size() < static_cast<std::size_t>(size))
            buffer[text.size()] = '\0';
    }
    return static_cast<std::int32_t>(text.size());
}

std::string MFCJsonToText(void* handle)
{
    return handle ? doc(handle)->GetJsonText() : std::string();
}

void* TextToJson(const char* text)
{
    auto* json = new ZRJsonVar;
    if (!json->LoadJsonText(orEmpty(text))) {
        delete json;
        return nullptr;
    }
    return json;
}

void* XMLToJson(const char* xml, const char* element)
{
    auto* json = new ZRJsonVar;
    if (!json->LoadXML(orEmpty(xml), orEmpty(element))) {
        delete json;
        return nullptr;
    }
    return json;
}

std::int32_t GetJsonVar(void* handle, const char* path, char* value, char* type)
{
    if (!handle)
        return 0;
    std::string v, t;
    doc(handle)->GetVarValue(orEmpty(path), v, t);
    copyWhole(v, value);
    copyWhole(t, type);
    return 1;
}

std::int32_t GetJsonVarN(void* handle, const char* path, char* value, std::int32_t valueSize, char* type,
                         std::int32_t typeSize)
{
    if (!handle)
        return 0;
    std::string v, t;
    doc(handle)->GetVarValue(orEmpty(path), v, t);
    const bool fitted = copyFitting(v, value, valueSize);
    return copyFitting(t, type, typeSize) && fitted ? 1 : -1;
}

std::int32_t GetMFCJsonVar(void* handle, const std::string& path, std::string& value, std::string& type)
{
    if (!handle)
        return 0;
    doc(handle)->GetVarValue(path, value, type);
    return 1;
}

std::int32_t GetJsonVarIndex(void* handle, const char* path, std::int32_t index, char* value, char* name, char* type)
{
    if (!handle)
        return 0;
    std::string v, n, t;
    if (!doc(handle)->GetVarValue(orEmpty(path), index, v, n, t))
        return 0;
    copyWhole(v, value);
    copyWhole(n, name);
    copyWhole(t, type);
    return 1;
}

std::int32_t GetJsonVarIndexN(void* handle, const char* path, std::int32_t index, char* value, std::int32_t valueSize,
                              char* name, std::int32_t nameSize, char* type, std::int32_t typeSize)
{
    if (!handle)
        return 0;
    std::string v, n, t;
    if (!doc(handle)->GetVarValue(orEmpty(path), index, v, n, t))
        return 0;
    const bool a = copyFitting(v, value, valueSize);
    const bool b = copyFitting(n, name, nameSize);
    const bool c = copyFitting(t, type, typeSize);
    return a && b && c ? 1 : -1;
}

std::int32_t GetMFCJsonVarIndex(void* handle, const std::string& path, std::int32_t index, std::string& value,
                                std::string& name, std::string& type)
{
    if (!handle)
        return 0;
    return doc(handle)->GetVarValue(path, index, value, name, type) ? 1 : 0;
}

std::int32_t GetJsonBytes(void* handle, const char* path, unsigned char* bytes, std::int32_t* length)
{
    if (!handle)
        return 0;
    const std::string decoded = doc(handle)->GetBytesValue(orEmpty(path));
    if (bytes)
        std::memcpy(bytes, decoded.data(), decoded.size());
    if (length)
        *length = static_cast<std::int32_t>(decoded.size());
    return 1;
}

std::int32_t GetJsonBytesN(void* handle, const char* path, unsigned char* bytes, std::int32_t capacity,
                           std::int32_t* length)
{
    if (!handle)
        return 0;
    const std::string decoded = doc(handle)->GetBytesValue(orEmpty(path));
    const std::size_t fit = capacity > 0 ? std::min(decoded.size(), static_cast<std::size_t>(capacity)) : 0;
    if (bytes)
        std::memcpy(bytes, decoded.data(), fit);
    if (length)
        *length = static_cast<std::int32_t>(decoded.size());
    return fit == decoded.size() ? 1 : -1;
}

std::int32_t GetJsonArraySize(void* handle, const char* path)
{
    return handle ? doc(handle)->GetArraySize(orEmpty(path)) : 0;
}

std::int32_t GetJsonMainDotCnt(void* handle)
{
    return handle ? doc(handle)->GetMainVarSize() : 0;
}

std::int32_t GetJsonChildMainDotCnt(void* handle, const char* path)
{
    return handle ? doc(handle)->GetMainVarSize(orEmpty(path)) : 0;
}
