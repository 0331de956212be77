#pragma once
// How the undo lists keep their steps: the large per-cell buffers (the grid and every layer's
// cells) are cut into fixed chunks of one byte a cell, and a chunk equal to the one the
// previous step holds is shared rather than copied. Small edits therefore cost a few chunks
// per step; every restore still yields the whole state. The picture of the cells is not
// kept: it follows from the grid and is drawn again on restore.
#include "editor/document/pattern_document.h"
#include "editor/document/tracked_buffer.h"
#include "editor/document/undo_recorder.h"
#include "editor/view/undo_snapshot.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace brenmark {

class SharedBuffer {
public:
    static constexpr std::size_t kChunk = WriteTracker::kChunk;  // cells: 16 KB of bytes

    // Packs count cells, given as layer bytes or as signed cell values (kept as the same
    // bytes: -1 as 0xFF, indices 0..254 as themselves). Chunks equal to like's are shared
    // with it. With changed (one byte per chunk, as WriteTracker keeps them) the data is
    // known to equal like's except where changed is set, and only those chunks are looked at.
    static SharedBuffer pack(const LayerByte* data, std::size_t count, const SharedBuffer* like,
                             const std::vector<std::uint8_t>* changed = nullptr);
    static SharedBuffer pack(const std::int32_t* data, std::size_t count, const SharedBuffer* like,
                             const std::vector<std::uint8_t>* changed = nullptr);
    void unpack(LayerByte* out) const;
    void unpack(std::int32_t* out) const;
    std::size_t count() const { return count_; }

    using Chunk = std::vector<LayerByte>;
    const std::vector<std::shared_ptr<const Chunk>>& chunks() const { return chunks_; }

private:
    template <class T>
    static SharedBuffer packAny(const T* data, std::size_t count, const SharedBuffer* like,
                                const std::vector<std::uint8_t>* changed);

    std::size_t count_ = 0;
    std::vector<std::shared_ptr<const Chunk>> chunks_;
};

// One step as the lists hold it.
struct StoredStep {
    // Tells steps apart for the buffers' write trackers (0: none).
    std::uint64_t serial = 0;
    // The document state the step puts back (UndoHistory::state()).
    std::uint64_t state = 0;
    // What the step puts back besides the document's contents, and the operation its
    // undo and redo labels name (UndoHistory::operationOf); the label itself is in meta.
    UndoKind kind = UndoKind::Edit;
    std::string operation;
    UndoSnapshot meta;  // everything but the large buffers
    std::vector<SharedBuffer> buffers;  // the grid, then each layer's cells (forEachBuffer)

    // Takes the large buffers straight from the live document, so recording a step copies
    // only the chunks that differ from like. Where a buffer's write tracker knows what
    // changed since like was captured, only those chunks are looked at; the trackers then
    // start over from the new step. meta holds the rest of the state (its cells, picture and
    // layers are ignored).
    static StoredStep capture(PatternDocument& doc, UndoSnapshot meta, const StoredStep* like);
    // The whole snapshot; its picture is left null (the view draws it from the cells).
    UndoSnapshot unpack() const;
};

// Bytes held by the chunks of all steps, each shared chunk counted once.
std::size_t storedChunkBytes(const std::vector<const StoredStep*>& steps);

}  // namespace brenmark
