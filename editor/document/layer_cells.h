#pragma once
// A layer's cells in one byte each. Thread indices are 0..254 (a pattern holds at most 255
// threads), so the byte's one spare value, 0xFF, stands for a transparent cell (-1): the
// same byte the pattern file stores, so layers read and write as plain copies.
//
// Reads and writes take and give the usual signed cell values; the bytes are reached only
// through bytes() and range(), for the composer, the file and the undo store.
#include "editor/document/thread_table.h"
#include "editor/document/tracked_buffer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

namespace brenmark {

using LayerByte = std::uint8_t;
constexpr LayerByte kTransparentByte = 0xFF;

// -1 becomes 0xFF, 0..254 stay; a value no byte can hold (255 and above, below -1) is
// transparent, so a cell never aliases another thread.
constexpr LayerByte layerByteOf(std::int32_t value)
{
    return (value >= 0 && value < kTransparentByte) ? static_cast<LayerByte>(value) : kTransparentByte;
}
constexpr std::int32_t cellOfLayerByte(LayerByte b) { return b == kTransparentByte ? EmptyCell : b; }

class LayerCells {
public:
    LayerCells() = default;
    LayerCells(std::size_t count, std::int32_t value) : bytes_(count, layerByteOf(value)) {}
    // From signed cell values (the composed grid, a piece, a test's cells).
    LayerCells(const std::vector<std::int32_t>& cells)  // NOLINT: reads as the vector it holds
    {
        assignCells(cells.data(), cells.size());
    }
    LayerCells& operator=(const std::vector<std::int32_t>& cells)
    {
        assignCells(cells.data(), cells.size());
        return *this;
    }

    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }
    std::int32_t operator[](std::size_t i) const { return cellOfLayerByte(bytes_[i]); }
    // One writable cell: reads as its signed value, takes a signed value.
    class CellRef {
    public:
        CellRef(LayerCells& cells, std::size_t i) : cells_(cells), i_(i) {}
        operator std::int32_t() const { return std::as_const(cells_)[i_]; }  // NOLINT: reads as the value
        CellRef& operator=(std::int32_t value)
        {
            cells_.set(i_, value);
            return *this;
        }
        CellRef& operator=(const CellRef& other) { return *this = static_cast<std::int32_t>(other); }

    private:
        LayerCells& cells_;
        std::size_t i_;
    };
    CellRef operator[](std::size_t i) { return CellRef(*this, i); }
    bool transparentAt(std::size_t i) const { return bytes_[i] == kTransparentByte; }
    void set(std::size_t i, std::int32_t value) { bytes_.set(i, layerByteOf(value)); }
    bool allTransparent() const
    {
        return std::all_of(bytes_.begin(), bytes_.end(), [](LayerByte b) { return b == kTransparentByte; });
    }

    void assign(std::size_t count, std::int32_t value) { bytes_.assign(count, layerByteOf(value)); }
    void assignCells(const std::int32_t* cells, std::size_t count)
    {
        std::vector<LayerByte> bytes(count);
        for (std::size_t i = 0; i < count; ++i)
            bytes[i] = layerByteOf(cells[i]);
        bytes_ = std::move(bytes);
    }
    void resize(std::size_t count) { bytes_.resize(count, kTransparentByte); }
    void clear() { bytes_.clear(); }
    void shrink_to_fit() { bytes_.shrink_to_fit(); }

    // Reading the signed values in order.
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::int32_t;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::int32_t;
        const_iterator() = default;
        explicit const_iterator(const LayerByte* p) : p_(p) {}
        std::int32_t operator*() const { return cellOfLayerByte(*p_); }
        const_iterator& operator++()
        {
            ++p_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator old = *this;
            ++p_;
            return old;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        const LayerByte* p_ = nullptr;
    };
    const_iterator begin() const { return const_iterator(bytes()); }
    const_iterator end() const { return const_iterator(bytes() + size()); }

    // The signed values, for callers that want a plain copy.
    std::vector<std::int32_t> toVector() const
    {
        std::vector<std::int32_t> out(size());
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = cellOfLayerByte(bytes_[i]);
        return out;
    }

    // The bytes themselves.
    const LayerByte* bytes() const { return bytes_.data(); }
    LayerByte* range(std::size_t first, std::size_t count) { return bytes_.range(first, count); }
    TrackedBuffer<LayerByte>& buffer() { return bytes_; }
    const TrackedBuffer<LayerByte>& buffer() const { return bytes_; }
    WriteTracker& writes() { return bytes_.writes(); }
    const WriteTracker& writes() const { return bytes_.writes(); }

    void swap(LayerCells& other) noexcept { bytes_.swap(other.bytes_); }

    friend bool operator==(const LayerCells& a, const LayerCells& b) { return a.bytes_ == b.bytes_; }
    friend bool operator==(const LayerCells& a, const std::vector<std::int32_t>& b)
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < b.size(); ++i)
            if (a[i] != b[i])
                return false;
        return true;
    }

private:
    TrackedBuffer<LayerByte> bytes_;
};

}  // namespace brenmark
