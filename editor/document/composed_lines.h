#pragma once
// Edits of the document's composed outline lines that change the record in its layer at the
// same time. Each composed line knows where it is kept (PatternDocument::lineSources), so no
// edit has to look for it; these keep that knowledge in step.
#include "editor/document/pattern_document.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace brenmark {

// Works out again where each line is kept, for lines that did not come from composing (a
// file, an undo step): a line that stands where composing the visible layers puts it comes
// from there, any other from no layer. The lines themselves stay as they are.
void linkLineSources(PatternDocument& doc);
// The same, unless every line has its source already.
void ensureLineSources(PatternDocument& doc);

// The record composed line i is drawn from, or null when no layer holds it.
BackstitchLine* storedLine(PatternDocument& doc, std::size_t i);

// A new line, unpicked, at the end of the drawing layer's lines, and in the composed lines
// where composing would put it: after the lines of the layers from the drawing layer down.
// When the drawing layer is hidden it goes at the end; with no drawing layer it is in the
// composed lines only. Returns its place in the composed lines.
std::size_t addDrawnLine(PatternDocument& doc, const BackstitchLine& line);

// Takes composed line i out, with its record in its layer.
void removeComposedLine(PatternDocument& doc, std::size_t i);

// Takes out of each layer for which inLayer holds the lines for which goes holds, and out of
// the composed lines those that came from such a layer or from none. Returns, for each
// composed line as it was, its new place, or -1 where it went.
std::vector<std::int32_t> removeLines(PatternDocument& doc, const std::function<bool(const PatternLayer&)>& inLayer,
                                      const std::function<bool(const BackstitchLine&)>& goes);

}  // namespace brenmark
