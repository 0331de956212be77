#include "editor/view/undo_store.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>
#include <utility>

namespace brenmark {

namespace {

// The large buffers of one state, in the order a step keeps them: the grid's cells, then
// each layer's, top layer first. Taking a step and unpacking it both go through here, so the
// two cannot disagree.
template <class GridCells, class Layers, class Visit>
void forEachBuffer(GridCells& grid, Layers& layers, Visit&& visit)
{
    visit(grid);
    for (auto& layer : layers)
        visit(layer.cells.buffer());
}

void encode(const LayerByte* src, std::size_t n, LayerByte* out) { std::memcpy(out, src, n); }
void encode(const std::int32_t* src, std::size_t n, LayerByte* out)
{
    for (std::size_t i = 0; i < n; ++i)
        out[i] = layerByteOf(src[i]);
}

}  // namespace

template <class T>
SharedBuffer SharedBuffer::packAny(const T* src, std::size_t count, const SharedBuffer* like,
                                   const std::vector<std::uint8_t>* changed)
{
    SharedBuffer out;
    out.count_ = count;
    out.chunks_.reserve((count + kChunk - 1) / kChunk);
    const bool comparable = like && like->count_ == count;
    const bool tracked = comparable && changed && changed->size() == like->chunks_.size();
    Chunk bytes;
    for (std::size_t start = 0, k = 0; start < count; start += kChunk, ++k) {
        const std::size_t n = std::min(kChunk, count - start);
        if (tracked && (*changed)[k] == 0) {
            out.chunks_.push_back(like->chunks_[k]);
            continue;
        }
        bytes.resize(n);
        encode(src + start, n, bytes.data());
        if (comparable && std::memcmp(like->chunks_[k]->data(), bytes.data(), n) == 0)
            out.chunks_.push_back(like->chunks_[k]);
        else
            out.chunks_.push_back(std::make_shared<const Chunk>(bytes));
    }
    return out;
}

SharedBuffer SharedBuffer::pack(const LayerByte* data, std::size_t count, const SharedBuffer* like,
                                const std::vector<std::uint8_t>* changed)
{
    return packAny(data, count, like, changed);
}

SharedBuffer SharedBuffer::pack(const std::int32_t* data, std::size_t count, const SharedBuffer* like,
                                const std::vector<std::uint8_t>* changed)
{
    return packAny(data, count, like, changed);
}

void SharedBuffer::unpack(LayerByte* out) const
{
    for (const auto& chunk : chunks_) {
        std::memcpy(out, chunk->data(), chunk->size());
        out += chunk->size();
    }
}

void SharedBuffer::unpack(std::int32_t* out) const
{
    for (const auto& chunk : chunks_)
        for (const LayerByte b : *chunk)
            *out++ = cellOfLayerByte(b);
}

StoredStep StoredStep::capture(PatternDocument& doc, UndoSnapshot meta, const StoredStep* like)
{
    static std::uint64_t serials = 0;
    StoredStep step;
    step.serial = ++serials;
    const std::uint64_t likeSerial = like ? like->serial : 0;
    auto take = [&](const auto* data, std::size_t count, WriteTracker& writes) {
        const std::size_t slot = step.buffers.size();
        const SharedBuffer* previous = like && slot < like->buffers.size() ? &like->buffers[slot] : nullptr;
        step.buffers.push_back(SharedBuffer::pack(data, count, previous, writes.changesSince({likeSerial, slot}, count)));
        writes.captured({step.serial, slot}, count);
    };
    // Reading through const references, so taking the data marks nothing.
    forEachBuffer(doc.grid.cells, doc.layers.layers,
                  [&](auto& buffer) { take(std::as_const(buffer).data(), buffer.size(), buffer.writes()); });

    // The layer list without its cells: move them aside for the copy, then back.
    std::vector<LayerCells> cells;
    cells.reserve(doc.layers.layers.size());
    for (PatternLayer& layer : doc.layers.layers)
        cells.push_back(std::move(layer.cells));
    auto putBack = [&] {
        for (std::size_t i = 0; i < doc.layers.layers.size(); ++i)
            doc.layers.layers[i].cells = std::move(cells[i]);
    };
    try {
        meta.layers = doc.layers;
    } catch (...) {
        putBack();
        throw;
    }
    putBack();
    meta.cells.clear();
    meta.picture = QImage();
    step.meta = std::move(meta);
    return step;
}

UndoSnapshot StoredStep::unpack() const
{
    UndoSnapshot s = meta;
    std::size_t slot = 0;
    forEachBuffer(s.cells, s.layers.layers, [&](auto& buffer) {
        if (slot < buffers.size()) {
            buffer.resize(buffers[slot].count());
            buffers[slot].unpack(buffer.data());
        }
        ++slot;
    });
    return s;
}

std::size_t storedChunkBytes(const std::vector<const StoredStep*>& steps)
{
    std::unordered_set<const void*> seen;
    std::size_t bytes = 0;
    for (const StoredStep* step : steps)
        for (const SharedBuffer& b : step->buffers)
            for (const auto& chunk : b.chunks())
                if (seen.insert(chunk.get()).second)
                    bytes += chunk->size();
    return bytes;
}

}  // namespace brenmark
