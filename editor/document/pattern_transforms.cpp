#include "editor/document/pattern_transforms.h"

#include "editor/document/layer_composer.h"

#include <cmath>

namespace brenmark {
namespace {

bool sizeAllowed(int w, int h)
{
    return w >= 1 && h >= 1 && w <= kMaxTransformSide && h <= kMaxTransformSide;
}

std::int32_t scaledValue(std::int32_t v, double f)
{
    return static_cast<std::int32_t>(std::trunc(v * f + 0.5));
}

// For each target column (or row) the source it takes, -1 when it lies outside.
std::vector<int> sourceIndex(int newSide, int oldSide, double f)
{
    std::vector<int> out(static_cast<std::size_t>(newSide));
    for (int i = 0; i < newSide; ++i) {
        const double s = std::trunc(i / f + 0.5);
        out[static_cast<std::size_t>(i)] = (s >= 0 && s < oldSide) ? static_cast<int>(s) : -1;
    }
    return out;
}

struct Scaler {
    int oldW, oldH, newW, newH;
    double f;
    std::vector<int> xs, ys;

    std::vector<std::int32_t> cells(const std::vector<std::int32_t>& src) const
    {
        std::vector<std::int32_t> out(static_cast<std::size_t>(newW) * static_cast<std::size_t>(newH), EmptyCell);
        if (src.size() != static_cast<std::size_t>(oldW) * static_cast<std::size_t>(oldH))
            return out;
        for (int y = 0; y < newH; ++y) {
            const int sy = ys[static_cast<std::size_t>(y)];
            if (sy < 0)
                continue;
            for (int x = 0; x < newW; ++x) {
                const int sx = xs[static_cast<std::size_t>(x)];
                if (sx >= 0)
                    out[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(newW)] =
                        src[static_cast<std::size_t>(sx) + static_cast<std::size_t>(sy) * static_cast<std::size_t>(oldW)];
            }
        }
        return out;
    }
    std::vector<StitchMark> marks(const std::vector<StitchMark>& src) const
    {
        // The mark of each source cell, looked up per target.
        std::vector<const StitchMark*> at(static_cast<std::size_t>(oldW) * static_cast<std::size_t>(oldH), nullptr);
        for (const StitchMark& m : src)
            if (m.column >= 0 && m.row >= 0 && m.column < oldW && m.row < oldH)
                at[static_cast<std::size_t>(m.column) + static_cast<std::size_t>(m.row) * static_cast<std::size_t>(oldW)] = &m;
        std::vector<StitchMark> out;
        for (int y = 0; y < newH; ++y) {
            const int sy = ys[static_cast<std::size_t>(y)];
            if (sy < 0)
                continue;
            for (int x = 0; x < newW; ++x) {
                const int sx = xs[static_cast<std::size_t>(x)];
                if (sx < 0)
                    continue;
                if (const StitchMark* m = at[static_cast<std::size_t>(sx) + static_cast<std::size_t>(sy) * static_cast<std::size_t>(oldW)]) {
                    StitchMark copy = *m;
                    copy.column = x;
                    copy.row = y;
                    out.push_back(copy);
                }
            }
        }
        return out;
    }
    std::vector<BackstitchLine> lines(std::vector<BackstitchLine> src) const
    {
        for (BackstitchLine& l : src) {
            l.startColumn = scaledValue(l.startColumn, f);
            l.startRow = scaledValue(l.startRow, f);
            l.endColumn = scaledValue(l.endColumn, f);
            l.endRow = scaledValue(l.endRow, f);
        }
        return src;
    }
};

std::vector<std::int32_t> cutCells(const std::vector<std::int32_t>& src, int oldW, int oldH, int w, int h)
{
    std::vector<std::int32_t> out(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), EmptyCell);
    if (src.size() != static_cast<std::size_t>(oldW) * static_cast<std::size_t>(oldH))
        return out;
    for (int y = 0; y < h && y < oldH; ++y)
        for (int x = 0; x < w && x < oldW; ++x)
            out[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(w)] =
                src[static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * static_cast<std::size_t>(oldW)];
    return out;
}

void cutLinesAndMarks(std::vector<BackstitchLine>& lines, std::vector<StitchMark>& marks, int w, int h)
{
    auto inside = [&](int c, int r) { return c >= 0 && r >= 0 && c < w && r < h; };
    std::erase_if(lines, [&](const BackstitchLine& l) { return !inside(l.startColumn, l.startRow) || !inside(l.endColumn, l.endRow); });
    std::erase_if(marks, [&](const StitchMark& m) { return !inside(m.column, m.row); });
}

void finish(PatternDocument& doc)
{
    LayerList& list = doc.layers;
    if (list.empty())
        return;
    recomposeDocument(doc);
}

}  // namespace

PatternSize scaledSize(int width, int height, double factor)
{
    if (!std::isfinite(factor) || factor <= 0)
        return {};
    const double w = std::trunc(width * factor + 0.5), h = std::trunc(height * factor + 0.5);
    if (w < 1 || h < 1 || w > kMaxTransformSide || h > kMaxTransformSide)
        return {};
    return {static_cast<int>(w), static_cast<int>(h)};
}

bool scalePattern(PatternDocument& doc, double factor)
{
    if (!doc.isOpen())
        return false;
    const PatternSize size = scaledSize(doc.width(), doc.height(), factor);
    if (size.width == 0)
        return false;
    Scaler s{doc.width(), doc.height(), size.width, size.height, factor,
             sourceIndex(size.width, doc.width(), factor), sourceIndex(size.height, doc.height(), factor)};
    doc.grid.cells = s.cells(doc.grid.cells);
    doc.grid.width = size.width;
    doc.grid.height = size.height;
    doc.marks = s.marks(doc.marks);
    doc.lines = s.lines(std::move(doc.lines));
    for (PatternLayer& layer : doc.layers.layers) {
        layer.cells = s.cells(layer.cells.toVector());
        layer.width = size.width;
        layer.height = size.height;
        layer.marks = s.marks(layer.marks);
        layer.lines = s.lines(std::move(layer.lines));
    }
    finish(doc);
    return true;
}

bool resizePattern(PatternDocument& doc, int width, int height)
{
    if (!doc.isOpen() || !sizeAllowed(width, height))
        return false;
    const int oldW = doc.width(), oldH = doc.height();
    doc.grid.cells = cutCells(doc.grid.cells, oldW, oldH, width, height);
    doc.grid.width = width;
    doc.grid.height = height;
    cutLinesAndMarks(doc.lines, doc.marks, width, height);
    for (PatternLayer& layer : doc.layers.layers) {
        layer.cells = cutCells(layer.cells.toVector(), oldW, oldH, width, height);
        layer.width = width;
        layer.height = height;
        cutLinesAndMarks(layer.lines, layer.marks, width, height);
    }
    finish(doc);
    return true;
}

}  // namespace brenmark
