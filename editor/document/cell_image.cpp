#include "editor/document/cell_image.h"

#include <compare>
#include <cstddef>
#include <iterator>

namespace brenmark {
namespace {

// The pixels of a run of cells as an iterator, so the image is built in one pass instead of
// being zero-filled and then painted.
class PixelIterator {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::uint32_t;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::uint32_t;

    PixelIterator() = default;
    PixelIterator(const std::int32_t* cell, const std::uint32_t* lut, std::uint32_t fabricPixel)
        : cell_(cell), lut_(lut), fabric_(fabricPixel)
    {
    }

    std::uint32_t operator*() const
    {
        const std::int32_t v = *cell_;
        return (v >= -1 && v < 256) ? lut_[v + 1] : fabric_;
    }
    std::uint32_t operator[](difference_type n) const { return *(*this + n); }
    PixelIterator& operator++() { ++cell_; return *this; }
    PixelIterator operator++(int) { PixelIterator old = *this; ++cell_; return old; }
    PixelIterator& operator--() { --cell_; return *this; }
    PixelIterator operator--(int) { PixelIterator old = *this; --cell_; return old; }
    PixelIterator& operator+=(difference_type n) { cell_ += n; return *this; }
    PixelIterator& operator-=(difference_type n) { cell_ -= n; return *this; }
    PixelIterator operator+(difference_type n) const { return PixelIterator(cell_ + n, lut_, fabric_); }
    PixelIterator operator-(difference_type n) const { return PixelIterator(cell_ - n, lut_, fabric_); }
    difference_type operator-(const PixelIterator& other) const { return cell_ - other.cell_; }
    bool operator==(const PixelIterator& other) const { return cell_ == other.cell_; }
    auto operator<=>(const PixelIterator& other) const { return cell_ <=> other.cell_; }

private:
    const std::int32_t* cell_ = nullptr;
    const std::uint32_t* lut_ = nullptr;
    std::uint32_t fabric_ = 0;
};

}  // namespace

void paintCells(CellImage& image, int width, int height, const std::vector<std::int32_t>& cells,
                const std::vector<ColorRef>& threadColors, ColorRef fabric)
{
    image.width = width;
    image.height = height;
    // 256 entries: every byte-sized index, known or not, maps to a pixel without a branch.
    std::uint32_t lut[257];
    for (auto& p : lut)
        p = pixelOf(fabric);
    for (std::size_t i = 0; i < threadColors.size() && i < 256; ++i)
        lut[i + 1] = pixelOf(threadColors[i]);
    const std::uint32_t fabricPixel = pixelOf(fabric);
    const std::int32_t* first = cells.data();
    image.pixels.assign(PixelIterator(first, lut, fabricPixel), PixelIterator(first + cells.size(), lut, fabricPixel));
}

}  // namespace brenmark
