#pragma once
// The large pattern the benchmarks share: 2000 x 2000 cells, 200 threads, 10 layers. The
// layers split the pattern into horizontal bands of 200 rows, each band worked in one layer
// (a few cells left empty); the document's grid is the union of the bands. There are 10 000
// backstitch lines and 10 000 stitch marks, 1000 of each in every layer, inside that layer's
// band and every mark on its own painted cell. The document's own lines and marks are the
// composed view of all layers.
#include "bench/bench_support.h"
#include "editor/document/pattern_document.h"

#include <algorithm>
#include <string>

namespace brenmark::bench {

constexpr int kWidth = 2000;
constexpr int kHeight = 2000;
constexpr int kThreads = 200;
constexpr int kLayers = 10;
constexpr int kLinesPerLayer = 1000;
constexpr int kMarksPerLayer = 1000;
constexpr int kBandRows = kHeight / kLayers;

// The thread a cell of the picture shows: large patches of colour with some noise, the way
// a converted photograph comes out.
inline std::int32_t pictureThread(int x, int y)
{
    const std::uint32_t patch = mix(static_cast<std::uint32_t>((x / 23) + (y / 17) * 1000));
    const std::uint32_t noise = mix(static_cast<std::uint32_t>(x + y * kWidth) ^ 0x9e3779b9U);
    const std::uint32_t t = (noise & 7U) == 0 ? noise >> 8 : patch;
    return static_cast<std::int32_t>(t % kThreads);
}

inline void buildPattern(PatternDocument& doc)
{
    doc.create(kWidth, kHeight, "DMC");
    for (int i = 0; i < kThreads; ++i) {
        const auto h = mix(static_cast<std::uint32_t>(i) + 77U);
        doc.addThread(rgb(h & 0xFFU, (h >> 8) & 0xFFU, (h >> 16) & 0xFFU), std::to_string(150 + i * 3));
    }
    doc.assignDefaultSymbols();
    doc.fabric = rgb(250, 246, 232);

    doc.layers.reset();
    for (int k = 0; k < kLayers; ++k) {
        PatternLayer layer;
        layer.name = "图层" + std::to_string(k + 1);
        layer.visible = true;
        layer.linked = k % 3 == 1;
        layer.drawable = k == 0;
        layer.width = kWidth;
        layer.height = kHeight;
        layer.cells.assign(static_cast<std::size_t>(kWidth) * kHeight, EmptyCell);
        layer.threadColors = doc.threads.colors;
        layer.threadNumbers = doc.threads.numbers;
        const int top = k * kBandRows;
        for (int y = top; y < top + kBandRows; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                // About one cell in forty left unstitched.
                if (mix(static_cast<std::uint32_t>(x * 31 + y * 7919)) % 40 == 0)
                    continue;
                layer.cells[doc.grid.indexOf(x, y)] = pictureThread(x, y);
            }
        }

        // Marks at distinct cells of the band: a stride coprime to the band's cell count
        // never visits a cell twice.
        const std::size_t bandCells = static_cast<std::size_t>(kBandRows) * kWidth;
        for (int j = 0; j < kMarksPerLayer; ++j) {
            const std::size_t at = (static_cast<std::size_t>(j) * 3989U + static_cast<std::size_t>(k) * 101U) % bandCells;
            const int x = static_cast<int>(at % kWidth);
            const int y = top + static_cast<int>(at / kWidth);
            const std::size_t cell = doc.grid.indexOf(x, y);
            if (layer.cells[cell] < 0)
                layer.cells.set(cell, pictureThread(x, y));  // a mark on an empty cell would not survive a load
            layer.marks.push_back(StitchMark{1 + j % 6, 0, x, y});
        }

        for (int j = 0; j < kLinesPerLayer; ++j) {
            const auto h = mix(static_cast<std::uint32_t>(j * kLayers + k) ^ 0xabcdef01U);
            BackstitchLine line;
            const int t = static_cast<int>(h % kThreads);
            line.thread = doc.threads.numbers[static_cast<std::size_t>(t)];
            line.color = doc.threads.colors[static_cast<std::size_t>(t)];
            line.startColumn = static_cast<int>((h >> 8) % kWidth);
            line.startRow = top + static_cast<int>((h >> 4) % kBandRows);
            line.startCorner = static_cast<std::int32_t>(h & 3U);
            line.endColumn = std::min(kWidth - 1, line.startColumn + static_cast<int>((h >> 20) % 4));
            line.endRow = std::min(top + kBandRows - 1, line.startRow + static_cast<int>((h >> 24) % 4));
            line.endCorner = static_cast<std::int32_t>((h >> 2) & 3U);
            layer.lines.push_back(std::move(line));
        }

        doc.layers.layers.push_back(std::move(layer));
    }
    doc.layers.refreshButtonStates();

    // The composed view: the bands do not overlap, so each cell comes from one layer.
    doc.lines.clear();
    doc.marks.clear();
    for (const PatternLayer& layer : doc.layers.layers) {
        for (std::size_t i = 0; i < layer.cells.size(); ++i)
            if (layer.cells[i] >= 0)
                doc.grid.cells[i] = layer.cells[i];
        doc.lines.insert(doc.lines.end(), layer.lines.begin(), layer.lines.end());
        doc.marks.insert(doc.marks.end(), layer.marks.begin(), layer.marks.end());
    }
}

}  // namespace brenmark::bench
