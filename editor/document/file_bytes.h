#pragma once
// Whole-file reads and crash-safe replacement writes.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace brenmark {

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

// Reads the whole file; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out);

// Writes the bytes to a temporary file beside path and renames it over path, so an old
// file survives any failure. The new file keeps the old one's permissions.
bool replaceFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace brenmark
