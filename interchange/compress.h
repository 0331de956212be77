#pragma once
// Memory compression (zlib format, through zlib's compress2 / uncompress), folders to zip
// files and back (libzip), and the compressed-and-encrypted form of NETCompress.
//
// Every function that fills a caller's buffer takes its capacity in *outLength and puts the
// number of bytes written there; it returns 1 on success and 0 when the input is unusable
// or the result does not fit (the buffer's contents are then undefined).
#include "interchange/c_linkage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace jolvane {

// Room that compressing `length` bytes may need.
std::size_t compressedBound(std::size_t length);
std::optional<std::string> compress(std::string_view bytes);
// Refuses a stream that would inflate past maxLength bytes.
std::optional<std::string> uncompress(std::string_view bytes, std::size_t maxLength);

}  // namespace jolvane

JOLVANE_C_BEGIN
int MemZip(const unsigned char* in, std::int32_t inLength, unsigned char* out, std::int32_t* outLength);
int MemUnZip(const unsigned char* in, std::int32_t inLength, unsigned char* out, std::int32_t* outLength);
// Every regular file under folder (recursively, names relative to it) into a new zip file.
int ZipDir(const char* folder, const char* zipFile);
// Every entry of the zip file into folder (created when missing). An entry whose name is
// absolute or climbs out of the folder with ".." refuses the whole archive before anything
// is written.
int UnZipFile(const char* zipFile, const char* folder);
JOLVANE_C_END
