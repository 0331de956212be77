#pragma once
// A small two-thread chart for the page and export tests: a checkerboard of a dark blue and a
// yellow thread, symbols assigned.
#include "editor/document/pattern_document.h"

namespace brenmark::test {

inline PatternDocument checkerPattern(int w, int h)
{
    PatternDocument doc;
    doc.create(w, h, "DMC");
    doc.addThread(rgb(0, 0, 96), "310");
    doc.addThread(rgb(255, 255, 0), "307");
    doc.assignDefaultSymbols();
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            doc.setCell(c, r, (c + r) % 2);
    return doc;
}

}  // namespace brenmark::test
