// Writes the bundled sample pattern: a red heart with a darker rim, a white highlight and a
// black backstitch outline on its own layer, inside a green border on the background layer.
//
//   make_sample PROGRAM_DIR OUTPUT.xiu
#include "editor/document/palette_file.h"
#include "editor/document/pattern_file.h"

#include <cmath>
#include <cstdio>

using namespace brenmark;

namespace {

constexpr int kSize = 31;

bool insideHeart(int x, int y)
{
    // (u² + v² - 1)³ - u² v³ <= 0, centred and scaled to the grid, v pointing up.
    const double u = (x + 0.5 - kSize / 2.0) / (kSize * 0.32);
    const double v = -(y + 0.5 - kSize / 2.0) / (kSize * 0.32);
    const double a = u * u + v * v - 1.0;
    return a * a * a - u * u * v * v * v <= 0.0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_sample PROGRAM_DIR OUTPUT.xiu\n");
        return 2;
    }
    const PaletteStore store(argv[1]);
    Palette dmc;
    store.load("DMC", dmc);
    auto thread = [&](const char* number, ColorRef fallback) {
        const int i = dmc.find(number);
        return i >= 0 ? dmc.colors[static_cast<std::size_t>(i)] : fallback;
    };

    PatternDocument doc;
    doc.create(kSize, kSize, "DMC");
    doc.addThread(thread("321", rgb(199, 43, 59)), "321");    // 0 heart
    doc.addThread(thread("816", rgb(151, 11, 35)), "816");    // 1 rim
    doc.addThread(thread("B5200", rgb(255, 255, 255)), "B5200");  // 2 highlight
    doc.addThread(thread("704", rgb(123, 181, 71)), "704");   // 3 border
    doc.addThread(thread("310", rgb(0, 0, 0)), "310");        // 4 outline

    const std::size_t cells = static_cast<std::size_t>(kSize) * kSize;
    PatternLayer heart;
    heart.name = "心";
    heart.visible = heart.drawable = true;
    heart.width = heart.height = kSize;
    heart.cells.assign(cells, EmptyCell);
    PatternLayer background = doc.layers[0];
    background.drawable = false;
    background.cells.assign(cells, EmptyCell);

    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const std::size_t i = doc.grid.indexOf(x, y);
            if (x == 1 || y == 1 || x == kSize - 2 || y == kSize - 2)
                background.cells[i] = 3;
            if (!insideHeart(x, y))
                continue;
            const bool rim = !insideHeart(x - 1, y) || !insideHeart(x + 1, y) || !insideHeart(x, y - 1) ||
                             !insideHeart(x, y + 1);
            heart.cells[i] = rim ? 1 : 0;
        }
    for (auto [x, y] : {std::pair{9, 10}, {10, 9}, {10, 10}, {11, 9}, {9, 11}})
        heart.cells[doc.grid.indexOf(x, y)] = 2;

    // The outline runs along every edge between a heart cell and a cell outside it.
    auto edge = [&](int c0, int r0, int k0, int c1, int r1, int k1) {
        BackstitchLine line;
        line.thread = "310";
        line.color = doc.threads.colors[4];
        line.startColumn = c0, line.startRow = r0, line.startCorner = k0;
        line.endColumn = c1, line.endRow = r1, line.endCorner = k1;
        heart.lines.push_back(line);
    };
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (!insideHeart(x, y))
                continue;
            if (!insideHeart(x, y - 1)) edge(x, y, TopLeft, x, y, TopRight);
            if (!insideHeart(x, y + 1)) edge(x, y, BottomLeft, x, y, BottomRight);
            if (!insideHeart(x - 1, y)) edge(x, y, TopLeft, x, y, BottomLeft);
            if (!insideHeart(x + 1, y)) edge(x, y, TopRight, x, y, BottomRight);
        }
    // French knots on the highlight.
    for (auto [x, y] : {std::pair{10, 9}, {9, 11}})
        placeMarkIn(heart.marks, StitchMark{10, 0, x, y});

    // Compose by hand: the heart sits over the border.
    for (std::size_t i = 0; i < cells; ++i)
        doc.grid.cells[i] = heart.cells[i] != EmptyCell ? heart.cells[i] : background.cells[i];
    doc.lines = heart.lines;
    doc.marks = heart.marks;
    for (PatternLayer* layer : {&heart, &background}) {
        layer->threadColors = doc.threads.colors;
        layer->threadNumbers = doc.threads.numbers;
    }
    doc.layers.layers = {heart, background};
    doc.layers.refreshButtonStates();
    doc.assignDefaultSymbols();

    if (!savePattern(argv[2], doc)) {
        std::fprintf(stderr, "make_sample: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
