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
    PixelIterator(const std::int32_t* cell, const ThreadPixels* pixels) : cell_(cell), pixels_(pixels) {}

    std::uint32_t operator*() const { return (*pixels_)(*cell_); }
    std::uint32_t operator[](difference_type n) const { return *(*this + n); }
    PixelIterator& operator++() { ++cell_; return *this; }
    PixelIterator operator++(int) { PixelIterator old = *this; ++cell_; return old; }
    PixelIterator& operator--() { --cell_; return *this; }
    PixelIterator operator--(int) { PixelIterator old = *this; --cell_; return old; }
    PixelIterator& operator+=(difference_type n) { cell_ += n; return *this; }
    PixelIterator& operator-=(difference_type n) { cell_ -= n; return *this; }
    PixelIterator operator+(difference_type n) const { return PixelIterator(cell_ + n, pixels_); }
    PixelIterator operator-(difference_type n) const { return PixelIterator(cell_ - n, pixels_); }
    difference_type operator-(const PixelIterator& other) const { return cell_ - other.cell_; }
    bool operator==(const PixelIterator& other) const { return cell_ == other.cell_; }
    auto operator<=>(const PixelIterator& other) const { return cell_ <=> other.cell_; }

private:
    const std::int32_t* cell_ = nullptr;
    const ThreadPixels* pixels_ = nullptr;
};

}  // namespace

ThreadPixels::ThreadPixels(const std::vector<ColorRef>& threadColors, std::uint32_t emptyPixel)
{
    table_.fill(emptyPixel);
    for (std::size_t i = 0; i < threadColors.size() && i + 1 < table_.size(); ++i)
        table_[i + 1] = pixelOf(threadColors[i]);
}

void paintCells(CellImage& image, int width, int height, const std::vector<std::int32_t>& cells,
                const std::vector<ColorRef>& threadColors, ColorRef fabric)
{
    image.width = width;
    image.height = height;
    const ThreadPixels pixel(threadColors, pixelOf(fabric));
    const std::int32_t* first = cells.data();
    image.pixels.assign(PixelIterator(first, &pixel), PixelIterator(first + cells.size(), &pixel));
}

}  // namespace brenmark
