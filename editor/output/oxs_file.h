#pragma once
// OXS ("Open Cross Stitch"), the XML chart format other cross-stitch programs exchange: a
// palette whose item 0 is the cloth, full stitches, part stitches, back stitches and
// ornaments (knots, beads). Reading takes untrusted files: every size, index and coordinate
// is checked, and a file that cannot be read whole is refused with a message.
#include "editor/document/fabric_colors.h"
#include "editor/document/palette_file.h"
#include "editor/document/pattern_document.h"
#include "editor/document/thread_names.h"
#include "interchange/ui_text.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace brenmark {

inline constexpr const char* kOxsImportCaption = UI_TEXT_NOOP("导入OXS绣图");
inline constexpr const char* kOxsExportCaption = UI_TEXT_NOOP("导出OXS绣图");
inline constexpr const char* kOxsFilter = UI_TEXT_NOOP("OXS绣图 (.oxs)|*.oxs|");

// Files above this are refused unread; sides above this are refused.
inline constexpr std::size_t kMaxOxsBytes = 256u << 20;
inline constexpr int kMaxOxsSide = 3000;

struct OxsImport {
    std::optional<PatternDocument> pattern;  // nothing on a refusal
    std::string error;                       // GBK, the refusal's message
    std::string brand;                       // the brand the threads were matched to
    int byNumber = 0;                        // palette items matched by brand and thread number
    int byColour = 0;                        // matched by nearest colour
    // What the chart could not take, one GBK line each ("3个部分针迹改为半针", ...).
    std::vector<std::string> changes;
};

// The text of an OXS file to a new pattern (one background layer). Threads are matched to the
// brand most of the palette names, when its palette is here, else to DMC: by thread number
// where the brands agree, else by nearest colour.
OxsImport readOxs(const std::string& xml, const PaletteStore& palettes);
// The same from a file.
OxsImport loadOxs(const std::string& path, const PaletteStore& palettes);

struct OxsExport {
    std::string xml;  // UTF-8
    // What the file does not keep, one GBK line each (layers merged, hidden layers left out).
    std::vector<std::string> dropped;
};

// The visible chart as OXS: the cloth from the fabric colour (named when fabricName is
// given), one palette item per thread, the marks as part stitches and ornaments.
// Each palette item is named from names (thread number -> name, GBK) when it has the
// thread, else by its number.
OxsExport writeOxs(const PatternDocument& doc, const std::string& title,
                   const std::optional<FabricName>& fabricName = std::nullopt, const ThreadNames& names = {});
// Written beside the path and renamed over it; false with error (GBK) set when it fails.
bool saveOxs(const PatternDocument& doc, const std::string& path, const std::optional<FabricName>& fabricName,
             std::vector<std::string>* dropped, std::string* error, const ThreadNames& names = {});

// The result messages the editor and the command line show.
std::string oxsImportSummary(const OxsImport& result);

// For whoever writes OXS text: an attribute's text (the five XML escapes, control characters
// as spaces) and a number with at most places decimals and no trailing zeros ("3", "3.25").
std::string oxsAttributeText(const std::string& utf8);
std::string oxsDecimal(double v, int places);
std::string oxsExportSummary(const std::vector<std::string>& dropped);

}  // namespace brenmark
