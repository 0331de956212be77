#include "editor/view/undo_store.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace brenmark {

SharedBuffer SharedBuffer::pack(const void* data, std::size_t count, const SharedBuffer* like)
{
    SharedBuffer out;
    out.count_ = count;
    const auto* src = static_cast<const std::uint32_t*>(data);
    const bool comparable = like && like->count_ == count;
    for (std::size_t start = 0, k = 0; start < count; start += kChunk, ++k) {
        const std::size_t n = std::min(kChunk, count - start);
        if (comparable && std::memcmp(like->chunks_[k]->data(), src + start, n * 4) == 0) {
            out.chunks_.push_back(like->chunks_[k]);
            continue;
        }
        out.chunks_.push_back(std::make_shared<const Chunk>(src + start, src + start + n));
    }
    return out;
}

void SharedBuffer::unpack(void* out) const
{
    auto* dst = static_cast<std::uint32_t*>(out);
    for (const auto& chunk : chunks_) {
        std::memcpy(dst, chunk->data(), chunk->size() * 4);
        dst += chunk->size();
    }
}

namespace {

// The large buffers of a snapshot, in a fixed order, so that slot i of one step lines up
// with slot i of the next.
template <typename Visit>
void forEachBuffer(UndoSnapshot& s, Visit visit)
{
    visit(s.cells);
    visit(s.layers.workGrid);
    visit(s.layers.workImage.pixels);
    for (PatternLayer& layer : s.layers.layers) {
        visit(layer.cells);
        visit(layer.thumbnail.pixels);
    }
}

}  // namespace

StoredStep StoredStep::pack(UndoSnapshot snapshot, const StoredStep* like)
{
    StoredStep step;
    std::size_t slot = 0;
    auto take = [&](auto& vec) {
        const SharedBuffer* previous = like && slot < like->buffers.size() ? &like->buffers[slot] : nullptr;
        step.buffers.push_back(SharedBuffer::pack(vec.data(), vec.size(), previous));
        vec.clear();
        vec.shrink_to_fit();
        ++slot;
    };
    // The picture is a QImage: its pixels go through a buffer of their own.
    const QImage picture = snapshot.picture.convertToFormat(QImage::Format_RGB32);
    const SharedBuffer* likePicture = like && !like->buffers.empty() ? &like->buffers.back() : nullptr;
    forEachBuffer(snapshot, take);
    step.buffers.push_back(SharedBuffer::pack(picture.constBits(),
                                              static_cast<std::size_t>(picture.width()) * static_cast<std::size_t>(picture.height()),
                                              likePicture));
    step.pictureWidth = picture.width();
    step.pictureHeight = picture.height();
    snapshot.picture = QImage();
    step.meta = std::move(snapshot);
    return step;
}

StoredStep StoredStep::capture(PatternDocument& doc, const QImage& picture, UndoSnapshot meta, const StoredStep* like)
{
    StoredStep step;
    std::size_t slot = 0;
    auto take = [&](const auto& vec) {
        const SharedBuffer* previous = like && slot < like->buffers.size() - 1 ? &like->buffers[slot] : nullptr;
        step.buffers.push_back(SharedBuffer::pack(vec.data(), vec.size(), previous));
        ++slot;
    };
    take(doc.grid.cells);
    take(doc.layers.workGrid);
    take(doc.layers.workImage.pixels);
    for (const PatternLayer& layer : doc.layers.layers) {
        take(layer.cells);
        take(layer.thumbnail.pixels);
    }
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const SharedBuffer* likePicture = like && !like->buffers.empty() ? &like->buffers.back() : nullptr;
    step.buffers.push_back(SharedBuffer::pack(
        rgb.constBits(), static_cast<std::size_t>(rgb.width()) * static_cast<std::size_t>(rgb.height()), likePicture));
    step.pictureWidth = rgb.width();
    step.pictureHeight = rgb.height();

    // The layer list without its buffers: move them aside for the copy, then back.
    std::vector<std::vector<std::int32_t>> cells;
    std::vector<std::vector<std::uint32_t>> thumbs;
    for (PatternLayer& layer : doc.layers.layers) {
        cells.push_back(std::move(layer.cells));
        thumbs.push_back(std::move(layer.thumbnail.pixels));
    }
    auto workGrid = std::move(doc.layers.workGrid);
    auto workImage = std::move(doc.layers.workImage.pixels);
    auto putBack = [&] {
        for (std::size_t i = 0; i < doc.layers.layers.size(); ++i) {
            doc.layers.layers[i].cells = std::move(cells[i]);
            doc.layers.layers[i].thumbnail.pixels = std::move(thumbs[i]);
        }
        doc.layers.workGrid = std::move(workGrid);
        doc.layers.workImage.pixels = std::move(workImage);
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
    auto give = [&](auto& vec) {
        const SharedBuffer& b = buffers[slot++];
        vec.resize(b.count());
        b.unpack(vec.data());
    };
    forEachBuffer(s, give);
    if (pictureWidth > 0 && pictureHeight > 0) {
        s.picture = QImage(pictureWidth, pictureHeight, QImage::Format_RGB32);
        buffers.back().unpack(s.picture.bits());
    }
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
                    bytes += chunk->size() * 4;
    return bytes;
}

}  // namespace brenmark
