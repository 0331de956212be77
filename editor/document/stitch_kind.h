#pragma once
// The stitch kinds a StitchMark carries, one row each: the number the file and the stitch-kind
// window use, what the kind is, and what the OXS charts call it. A new kind is one row here
// (and its glyph in the render layer's stitchMarkGlyph).
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace brenmark {

// The numbers are the file's and the "针法" window's: its fourteen buttons send 0 to 13.
enum class StitchKind : std::int32_t {
    Full = 0,  // the plain full stitch: no mark
    HalfForward = 1,   // "/"
    HalfBackward = 2,  // "\"
    QuarterTopLeft = 3,
    QuarterTopRight = 4,
    QuarterBottomLeft = 5,
    QuarterBottomRight = 6,
    ThreeQuarterTopLeft = 7,   // "/" and the top-left quarter
    ThreeQuarterTopRight = 8,  // "\" and the top-right quarter
    Petite = 9,
    Knot = 10,
    Bead = 11,
    Star = 12,
    UprightCross = 13,
};

enum class StitchShape : std::uint8_t {
    Full,          // the cell's own stitch
    Half,          // a diagonal across the cell
    Quarter,       // from a corner to the centre
    ThreeQuarter,  // a half and a quarter
    Ornament,      // sits on the cell with its full stitch; part stitches replace it
};

struct StitchKindInfo {
    StitchKind kind;
    StitchShape shape;
    // The OXS object type of an ornament; null for the stitches OXS writes in its own lists.
    const char* oxsObject = nullptr;
    // The corner a quarter stitch (or a three-quarter's quarter) starts from, as fractions of
    // the cell: 0.25 or 0.75. 0 for the other shapes.
    double cornerX = 0, cornerY = 0;
};

inline constexpr std::array<StitchKindInfo, 14> kStitchKinds{{
    {StitchKind::Full, StitchShape::Full},
    {StitchKind::HalfForward, StitchShape::Half},
    {StitchKind::HalfBackward, StitchShape::Half},
    {StitchKind::QuarterTopLeft, StitchShape::Quarter, nullptr, 0.25, 0.25},
    {StitchKind::QuarterTopRight, StitchShape::Quarter, nullptr, 0.75, 0.25},
    {StitchKind::QuarterBottomLeft, StitchShape::Quarter, nullptr, 0.25, 0.75},
    {StitchKind::QuarterBottomRight, StitchShape::Quarter, nullptr, 0.75, 0.75},
    {StitchKind::ThreeQuarterTopLeft, StitchShape::ThreeQuarter, nullptr, 0.25, 0.25},
    {StitchKind::ThreeQuarterTopRight, StitchShape::ThreeQuarter, nullptr, 0.75, 0.25},
    {StitchKind::Petite, StitchShape::Ornament, "petite"},
    {StitchKind::Knot, StitchShape::Ornament, "knot"},
    {StitchKind::Bead, StitchShape::Ornament, "bead"},
    {StitchKind::Star, StitchShape::Ornament, "star"},
    {StitchKind::UprightCross, StitchShape::Ornament, "uprightcross"},
}};

inline constexpr int kStitchKindCount = static_cast<int>(kStitchKinds.size());

// The row of a kind number as a mark holds it; nothing for numbers past the table (a file
// may hold any number: such marks are kept and not drawn).
constexpr const StitchKindInfo* stitchKindInfo(std::int32_t kind)
{
    return kind >= 0 && kind < kStitchKindCount ? &kStitchKinds[static_cast<std::size_t>(kind)] : nullptr;
}
constexpr std::int32_t kindNumber(StitchKind kind) { return static_cast<std::int32_t>(kind); }
constexpr bool isShape(std::int32_t kind, StitchShape shape)
{
    const StitchKindInfo* info = stitchKindInfo(kind);
    return info && info->shape == shape;
}
// Ornaments sit on a cell with its full stitch.
constexpr bool isOrnament(std::int32_t kind) { return isShape(kind, StitchShape::Ornament); }

// The ornament an OXS object type names (the bead sizes are beads).
inline std::optional<StitchKind> ornamentNamed(std::string_view name)
{
    for (const StitchKindInfo& info : kStitchKinds)
        if (info.oxsObject && name == info.oxsObject)
            return info.kind;
    if (name == "bead2mm" || name == "bead3mm" || name == "bead5mm")
        return StitchKind::Bead;
    return std::nullopt;
}

}  // namespace brenmark
