#include "editor/view/undo_store.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>
#include <utility>

namespace brenmark {

SharedBuffer SharedBuffer::pack(const void* data, std::size_t count, const SharedBuffer* like,
                                const std::vector<std::uint8_t>* changed)
{
    SharedBuffer out;
    out.count_ = count;
    out.chunks_.reserve((count + kChunk - 1) / kChunk);
    const auto* src = static_cast<const std::uint32_t*>(data);
    const bool comparable = like && like->count_ == count;
    const bool tracked = comparable && changed && changed->size() == like->chunks_.size();
    for (std::size_t start = 0, k = 0; start < count; start += kChunk, ++k) {
        const std::size_t n = std::min(kChunk, count - start);
        if (tracked && (*changed)[k] == 0) {
            out.chunks_.push_back(like->chunks_[k]);
            continue;
        }
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

// The picture's slot for its tracker: its place in the list moves with the layer count.
constexpr std::size_t kPictureSlot = ~std::size_t{0};

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

StoredStep StoredStep::capture(PatternDocument& doc, const QImage& picture, WriteTracker* pictureWrites,
                               UndoSnapshot meta, const StoredStep* like)
{
    static std::uint64_t serials = 0;
    StoredStep step;
    step.serial = ++serials;
    const std::uint64_t likeSerial = like ? like->serial : 0;
    std::size_t slot = 0;
    auto take = [&](auto& buffer) {
        const SharedBuffer* previous = like && slot < like->buffers.size() - 1 ? &like->buffers[slot] : nullptr;
        const auto& cells = std::as_const(buffer);  // reading must not mark
        step.buffers.push_back(SharedBuffer::pack(cells.data(), cells.size(), previous,
                                                  buffer.writes().changesSince({likeSerial, slot}, cells.size())));
        buffer.writes().captured({step.serial, slot}, cells.size());
        ++slot;
    };
    take(doc.grid.cells);
    take(doc.layers.workGrid);
    take(doc.layers.workImage.pixels);
    for (PatternLayer& layer : doc.layers.layers) {
        take(layer.cells);
        take(layer.thumbnail.pixels);
    }
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const SharedBuffer* likePicture = like && !like->buffers.empty() ? &like->buffers.back() : nullptr;
    const std::size_t pixels = static_cast<std::size_t>(rgb.width()) * static_cast<std::size_t>(rgb.height());
    // The picture is tracked only as the view's own RGB32 image, rows without padding.
    const bool trackable = pictureWrites && rgb.constBits() == picture.constBits() &&
                           rgb.bytesPerLine() == rgb.width() * 4;
    step.buffers.push_back(SharedBuffer::pack(
        rgb.constBits(), pixels, likePicture,
        trackable ? pictureWrites->changesSince({likeSerial, kPictureSlot}, pixels) : nullptr));
    if (pictureWrites) {
        if (trackable)
            pictureWrites->captured({step.serial, kPictureSlot}, pixels);
        else
            pictureWrites->markAll();
    }
    step.pictureWidth = rgb.width();
    step.pictureHeight = rgb.height();

    // The layer list without its buffers: move them aside for the copy, then back.
    std::vector<TrackedBuffer<std::int32_t>> cells;
    std::vector<TrackedBuffer<std::uint32_t>> thumbs;
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
