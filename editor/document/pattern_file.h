#pragma once
// The ".xiu" pattern file: a 36-byte header and sections whose presence depends on the
// version. Loading reads into a fresh document and replaces the open one only on success.
#include "editor/document/pattern_document.h"
#include "editor/document/user_prompts.h"
#include "interchange/file_bytes.h"
#include "interchange/ui_text.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace brenmark {

class PaletteStore;

constexpr std::int32_t kPatternFileVersion = 20101;
constexpr std::size_t kHeaderSize = 36;
constexpr std::size_t kThreadRecordSize = 24;
constexpr std::size_t kThreadNumberField = 20;
constexpr std::size_t kLineRecordSize = 40;
constexpr std::size_t kLineRecordSizeV1 = 28;
constexpr std::size_t kLineThreadField = 11;
constexpr std::size_t kSymbolRecordSize = 7;
constexpr std::size_t kSymbolTextField = 3;
// A pattern whose symbols are glyphs of the chart symbol font says so in the text field of the
// last symbol slot, which no thread owns (a pattern has at most 255 threads): an empty text
// followed by the two bytes of "清". Readers ignore the bytes after a symbol's NUL, so the
// file stays readable everywhere; a writer that zeroes them leaves the symbols as characters.
constexpr std::size_t kClearSymbolsSlot = 255;
constexpr std::array<std::uint8_t, 3> kClearSymbolsMark{0x00, 0xC7, 0xE5};
constexpr std::size_t kMarkRecordSize = 20;
constexpr std::size_t kBrandField = 8;
constexpr std::size_t kLayerNameField = 20;

// First version with each section.
constexpr std::int32_t kVersionLongLines = 2;
constexpr std::int32_t kVersionSymbols = 3;
constexpr std::int32_t kVersionMarks = 2004;
constexpr std::int32_t kVersionLayers = 20050;

enum class LoadMode { Library, Plain };
enum class LoadResult : int { Failed = 0, WithLayers = 2, WithoutLayers = 3 };

inline constexpr const char* kMsgFileMissing = UI_TEXT_NOOP("被选文件不存在");
// A path that is there but is no regular file is refused before it is opened.
inline constexpr const char* kMsgPathIsFolder = UI_TEXT_NOOP("被选路径是一个文件夹,不是绣图文件");
inline constexpr const char* kMsgPathIsPipe = UI_TEXT_NOOP("被选路径是一个管道,不是绣图文件");
inline constexpr const char* kMsgPathIsDevice = UI_TEXT_NOOP("被选路径是一个设备,不是绣图文件");
inline constexpr const char* kMsgPathIsSocket = UI_TEXT_NOOP("被选路径是一个套接字,不是绣图文件");
inline constexpr const char* kMsgPathNotRegular = UI_TEXT_NOOP("被选路径不是普通文件,不是绣图文件");
inline constexpr const char* kMsgNewerVersion = UI_TEXT_NOOP("不能打开高版本制作的绣图");
inline constexpr const char* kMsgOldLibrary = UI_TEXT_NOOP("不能打开旧色库制作的绣图,请用Velmora工具转换后再打开");
inline constexpr const char* kMsgDamaged = UI_TEXT_NOOP("绣图文件已损坏或不完整,不能打开");

// The message for a path the reader refuses before opening it, null for a regular file.
const char* pathRefusal(PathKind kind);

struct LoadContext {
    const PaletteStore* palettes = nullptr;  // library mode refreshes colours from these
    MessageBoxes* messages = nullptr;
    ProgressReport* progress = nullptr;
};

struct PatternReadOutcome {
    LoadResult result = LoadResult::Failed;
    std::int32_t version = 0;
};

// Decodes file bytes into doc (which should be fresh); the document is whole only when the
// result is not Failed. Shows the refusal messages.
PatternReadOutcome decodePattern(std::span<const std::uint8_t> bytes, LoadMode mode, PatternDocument& doc,
                                 const LoadContext& ctx);

// Reads a pattern file into a fresh document (library mode for insertion and page export).
PatternReadOutcome readPatternFile(const std::string& path, LoadMode mode, PatternDocument& doc,
                                   const LoadContext& ctx);

// Opens a pattern into doc: on success doc is replaced and its after-load steps run; on
// failure doc is untouched.
PatternReadOutcome loadPattern(const std::string& path, LoadMode mode, PatternDocument& doc, const LoadContext& ctx);

// The whole file in one buffer: the bytes savePattern writes.
std::vector<std::uint8_t> encodePattern(const PatternDocument& doc);
// Writes the current version. The encoding is not built whole: it goes to a temporary file
// beside path in pieces of a megabyte or two as it is encoded, and that file is synced and
// renamed over path once complete (ReplacementFile). False when the file cannot be written,
// in which case an existing file at path is left as it was.
bool savePattern(const std::string& path, const PatternDocument& doc);

}  // namespace brenmark
