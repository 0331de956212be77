#pragma once
// One undo step: a whole copy of the editing state. Plug-ins receive and return the same
// record, so it stays one plain type.
#include "editor/document/backstitch_line.h"
#include "editor/document/color_ref.h"
#include "editor/document/layer_list.h"
#include "editor/document/symbol_table.h"

#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

namespace brenmark {

// The thread chosen for drawing.
struct CurrentColourBlock {
    std::int32_t index = -1;
    ColorRef colour = 0;
    std::string number;  // at most 11 bytes
    bool operator==(const CurrentColourBlock&) const = default;
};

// A stitch mark's glyph in the render cache: its kind and the colour it was drawn for.
struct MarkGlyph {
    std::int32_t kind = 0;
    ColorRef colour = 0;
    QImage image;  // null: the renderer makes it again
};

constexpr std::size_t kUndoLabelBytes = 31;

struct UndoSnapshot {
    std::string libraryName;
    std::vector<std::string> threadNumbers;
    std::vector<ColorRef> threadColours;
    std::vector<std::string> colourListNumbers;
    std::vector<ColorRef> colourListColours;
    std::vector<std::uint32_t> threadLocks;
    std::vector<std::uint32_t> colourListLocks;
    std::int32_t width = 0, height = 0;  // the cell buffer's shape
    CurrentColourBlock currentColour;
    std::vector<std::int32_t> cells;
    QImage picture;  // the cell image, one pixel per cell; a restore draws it again from cells
    std::string label;
    std::int32_t tileIndex = -1;  // -1: rebuild every stitch tile on restore
    ColorRef tileColour = 0;
    std::vector<BackstitchLine> lines;
    std::vector<StitchMark> marks;
    std::vector<MarkGlyph> glyphs;
    SymbolTable symbols;
    LayerList layers;
};

}  // namespace brenmark
