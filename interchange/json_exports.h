#pragma once
// The flat functions over ZRJsonVar: the document travels as an opaque handle (a ZRJsonVar*
// made by CreateJson, TextToJson or XMLToJson and released with CloseJson), texts as GBK
// bytes. Every function does nothing and returns 0, null or an empty text for a null handle.
//
// The buffer forms without a size (JsonToText, GetJsonVar, GetJsonVarIndex, GetJsonBytes)
// trust the caller's buffer to be large enough; the ...N forms take its size, write nothing
// past it and say when it was too small.
#include "interchange/base64.h"
#include "interchange/c_linkage.h"
#include "interchange/compress.h"

#include <cstdint>
#include <string>

JOLVANE_C_BEGIN

void* CreateJson();
void CloseJson(void* handle);
void AddOneStr(void* handle, const char* key, const char* value);
void AddOneInt(void* handle, const char* key, std::int32_t value);
void AddOneDouble(void* handle, const char* key, double value);
void AddOneBOOL(void* handle, const char* key, bool value);
void AddJsonBytes(void* handle, const char* key, const unsigned char* bytes, std::int32_t length);
void AddOneJson(void* handle, const char* key, void* child);

// The text's length in bytes (with its final line feed); with a buffer, exactly that many
// bytes are copied and no terminator.
std::int32_t JsonToText(void* handle, char* buffer);
// As JsonToText, but copies only when the text fits in size bytes (a terminator is added
// when there is room for it); always returns the text's length.
std::int32_t JsonToTextN(void* handle, char* buffer, std::int32_t size);
std::string MFCJsonToText(void* handle);
void* TextToJson(const char* text);
void* XMLToJson(const char* xml, const char* element);

// 1 for a valid handle; value and type are copied with a terminator.
std::int32_t GetJsonVar(void* handle, const char* path, char* value, char* type);
// 1 when both fitted, -1 when a text was cut (at a character boundary, still terminated),
// 0 for a null handle.
std::int32_t GetJsonVarN(void* handle, const char* path, char* value, std::int32_t valueSize, char* type,
                         std::int32_t typeSize);
std::int32_t GetMFCJsonVar(void* handle, const std::string& path, std::string& value, std::string& type);
std::int32_t GetJsonVarIndex(void* handle, const char* path, std::int32_t index, char* value, char* name, char* type);
std::int32_t GetJsonVarIndexN(void* handle, const char* path, std::int32_t index, char* value, std::int32_t valueSize,
                              char* name, std::int32_t nameSize, char* type, std::int32_t typeSize);
std::int32_t GetMFCJsonVarIndex(void* handle, const std::string& path, std::int32_t index, std::string& value,
                                std::string& name, std::string& type);
// The Base64 text at the path decoded into bytes; 1 for a valid handle.
std::int32_t GetJsonBytes(void* handle, const char* path, unsigned char* bytes, std::int32_t* length);
// *length is the full decoded length; at most capacity bytes are copied; -1 when cut.
std::int32_t GetJsonBytesN(void* handle, const char* path, unsigned char* bytes, std::int32_t capacity,
                           std::int32_t* length);
std::int32_t GetJsonArraySize(void* handle, const char* path);
std::int32_t GetJsonMainDotCnt(void* handle);
std::int32_t GetJsonChildMainDotCnt(void* handle, const char* path);

JOLVANE_C_END
