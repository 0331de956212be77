#include "editor/document/composed_lines.h"

#include "editor/document/layer_composer.h"

namespace brenmark {
namespace {

// The picked flag is no part of a line's record.
bool sameRecord(const BackstitchLine& a, const BackstitchLine& b)
{
    BackstitchLine x = a;
    x.selected = b.selected;
    return x == b;
}

bool holds(const PatternDocument& doc, const LineSource& s)
{
    return doc.layers.validIndex(s.layer) && s.index >= 0 &&
           static_cast<std::size_t>(s.index) < doc.layers[s.layer].lines.size();
}

}  // namespace

void linkLineSources(PatternDocument& doc)
{
    const std::vector<BackstitchLine> composed = composeLines(visibleBottomFirst(doc.layers.layers));
    const std::vector<LineSource> sources = composeLineSources(doc.layers.layers);
    doc.lineSources.assign(doc.lines.size(), LineSource{});
    for (std::size_t i = 0; i < doc.lines.size() && i < composed.size(); ++i)
        if (sameRecord(doc.lines[i], composed[i]))
            doc.lineSources[i] = sources[i];
}

void ensureLineSources(PatternDocument& doc)
{
    if (doc.lineSources.size() != doc.lines.size())
        linkLineSources(doc);
}

BackstitchLine* storedLine(PatternDocument& doc, std::size_t i)
{
    ensureLineSources(doc);
    if (i >= doc.lineSources.size() || !holds(doc, doc.lineSources[i]))
        return nullptr;
    const LineSource& s = doc.lineSources[i];
    return &doc.layers[s.layer].lines[static_cast<std::size_t>(s.index)];
}

std::size_t addDrawnLine(PatternDocument& doc, const BackstitchLine& line)
{
    ensureLineSources(doc);
    LayerList& list = doc.layers;
    std::size_t at = doc.lines.size();
    LineSource source;
    const int drawing = list.drawingLayer();
    if (drawing >= 0) {
        PatternLayer& layer = list[drawing];
        if (layer.visible) {
            // Before the first line of a layer above the drawing layer.
            for (std::size_t i = 0; i < doc.lineSources.size(); ++i)
                if (doc.lineSources[i].layer >= 0 && doc.lineSources[i].layer < drawing) {
                    at = i;
                    break;
                }
        }
        BackstitchLine stored = line;
        stored.selected = 0;
        layer.lines.push_back(stored);
        source = {drawing, static_cast<std::int32_t>(layer.lines.size() - 1)};
    }
    doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    doc.lineSources.insert(doc.lineSources.begin() + static_cast<std::ptrdiff_t>(at), source);
    return at;
}

void removeComposedLine(PatternDocument& doc, std::size_t i)
{
    ensureLineSources(doc);
    if (i >= doc.lines.size())
        return;
    const LineSource gone = doc.lineSources[i];
    if (holds(doc, gone)) {
        auto& lines = doc.layers[gone.layer].lines;
        lines.erase(lines.begin() + gone.index);
        // The layer's later lines move up one place.
        for (LineSource& s : doc.lineSources)
            if (s.layer == gone.layer && s.index > gone.index)
                --s.index;
    }
    doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(i));
    doc.lineSources.erase(doc.lineSources.begin() + static_cast<std::ptrdiff_t>(i));
}

std::vector<std::int32_t> removeLines(PatternDocument& doc, const std::function<bool(const PatternLayer&)>& inLayer,
                                      const std::function<bool(const BackstitchLine&)>& goes)
{
    ensureLineSources(doc);
    // Each affected layer's new place for each of its lines, -1 where the line goes.
    std::vector<std::vector<std::int32_t>> places(static_cast<std::size_t>(doc.layers.size()));
    for (int li = 0; li < doc.layers.size(); ++li) {
        PatternLayer& layer = doc.layers[li];
        if (!inLayer(layer))
            continue;
        std::vector<std::int32_t>& place = places[static_cast<std::size_t>(li)];
        std::vector<BackstitchLine> kept;
        for (const BackstitchLine& l : layer.lines) {
            place.push_back(goes(l) ? -1 : static_cast<std::int32_t>(kept.size()));
            if (place.back() >= 0)
                kept.push_back(l);
        }
        layer.lines = std::move(kept);
    }
    std::vector<std::int32_t> moved(doc.lines.size(), -1);
    std::vector<BackstitchLine> lines;
    std::vector<LineSource> sources;
    for (std::size_t i = 0; i < doc.lines.size(); ++i) {
        LineSource s = doc.lineSources[i];
        const bool known = doc.layers.validIndex(s.layer);
        if (goes(doc.lines[i]) && (!known || inLayer(doc.layers[s.layer])))
            continue;
        if (known && !places[static_cast<std::size_t>(s.layer)].empty()) {
            const auto& place = places[static_cast<std::size_t>(s.layer)];
            s.index = s.index >= 0 && static_cast<std::size_t>(s.index) < place.size() ? place[static_cast<std::size_t>(s.index)] : -1;
            if (s.index < 0)
                s.layer = -1;
        }
        moved[i] = static_cast<std::int32_t>(lines.size());
        lines.push_back(doc.lines[i]);
        sources.push_back(s);
    }
    doc.lines = std::move(lines);
    doc.lineSources = std::move(sources);
    return moved;
}

}  // namespace brenmark
