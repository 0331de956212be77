#pragma once
// The pictures of the tool window's buttons and the tool cursors, drawn in code so they
// scale to any size and need no image files.
#include "editor/view/tools/tool_types.h"

#include <QImage>

namespace brenmark {

// A size x size picture of the tool on a transparent background.
QImage toolIconImage(Tool tool, int size = 24);
// The stitch-kind window's picture of a kind: the mark's glyph, or for kind 0 (the plain
// full stitch) a cross.
QImage stitchKindIconImage(int kind, int size = 24);

}  // namespace brenmark
