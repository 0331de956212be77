#pragma once
// How the undo lists keep their steps: the large per-cell buffers (grid, picture, every
// layer's cells and thumbnail) are cut into fixed chunks, and a chunk equal to the one the
// previous step holds is shared rather than copied. Small edits therefore cost a few chunks
// per step; every restore still yields the whole state.
#include "editor/document/pattern_document.h"
#include "editor/document/tracked_buffer.h"
#include "editor/view/undo_snapshot.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace brenmark {

class SharedBuffer {
public:
    static constexpr std::size_t kChunk = 16384;  // elements: 64 KB
    static_assert(kChunk == WriteTracker::kChunk, "the trackers mark the store's chunks");

    // Packs count 4-byte elements; chunks equal to like's are shared with it. With changed
    // (one byte per chunk, as WriteTracker keeps them) the data is known to equal like's
    // except where changed is set, and only those chunks are compared and copied.
    static SharedBuffer pack(const void* data, std::size_t count, const SharedBuffer* like,
                             const std::vector<std::uint8_t>* changed = nullptr);
    void unpack(void* out) const;
    std::size_t count() const { return count_; }

    using Chunk = std::vector<std::uint32_t>;
    const std::vector<std::shared_ptr<const Chunk>>& chunks() const { return chunks_; }

private:
    std::size_t count_ = 0;
    std::vector<std::shared_ptr<const Chunk>> chunks_;
};

// One step as the lists hold it.
struct StoredStep {
    // Tells steps apart for the buffers' write trackers; 0 for packed (not captured) steps.
    std::uint64_t serial = 0;
    UndoSnapshot meta;  // everything but the large buffers
    std::vector<SharedBuffer> buffers;  // the last one holds the picture
    int pictureWidth = 0, pictureHeight = 0;

    // Splits a full snapshot; buffers are shared with like where they are equal.
    static StoredStep pack(UndoSnapshot snapshot, const StoredStep* like);
    // Takes the large buffers straight from the live document and picture, so recording a
    // step copies only the chunks that differ from like. Where a buffer's write tracker
    // knows what changed since like was captured, only those chunks are looked at; the
    // trackers then start over from the new step. pictureWrites tracks the picture's pixels.
    // meta holds the rest of the state (its cells, picture and layers are ignored).
    static StoredStep capture(PatternDocument& doc, const QImage& picture, WriteTracker* pictureWrites,
                              UndoSnapshot meta, const StoredStep* like);
    UndoSnapshot unpack() const;
};

// Bytes held by the chunks of all steps, each shared chunk counted once.
std::size_t storedChunkBytes(const std::vector<const StoredStep*>& steps);

}  // namespace brenmark
