#pragma once
// Per-cell buffers that know which parts of them were written since the undo history last
// captured them, so the next undo step copies only those parts and shares the rest with the
// step before.
//
// WriteTracker holds the marks: the buffer is seen as fixed-size chunks, and every write
// marks the chunk it touches, or the whole buffer when the writer takes it as a whole.
// TrackedBuffer is a std::vector with such a tracker, whose every way to change it marks:
// reading is unmarked, single elements mark their chunk, anything that hands out the storage
// (non-const data(), begin(), the vector itself) or replaces it marks everything. A pointer
// taken from data() must not be kept across an undo step; write through the buffer instead.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace brenmark {

class WriteTracker {
public:
    static constexpr std::size_t kChunkShift = 14;
    static constexpr std::size_t kChunk = std::size_t{1} << kChunkShift;  // elements

    // Where the buffer was last captured: the undo step's serial number and the buffer's
    // slot in it. Step 0 is none.
    struct Capture {
        std::uint64_t step = 0;
        std::size_t slot = 0;
        bool operator==(const Capture&) const = default;
    };

    void mark(std::size_t i)
    {
        if (!all_)
            chunks_[i >> kChunkShift] = 1;
    }
    void markRange(std::size_t first, std::size_t count)
    {
        if (all_ || count == 0)
            return;
        for (std::size_t c = first >> kChunkShift, last = (first + count - 1) >> kChunkShift; c <= last; ++c)
            chunks_[c] = 1;
    }
    void markAll() { all_ = true; }

    // The chunks written since the buffer of count elements was captured as `at`, one byte
    // each; null when that is unknown (captured elsewhere, never, or written as a whole).
    const std::vector<std::uint8_t>* changesSince(Capture at, std::size_t count) const
    {
        if (all_ || at.step == 0 || !(at == capture_) || count != count_)
            return nullptr;
        return &chunks_;
    }
    // The buffer of count elements now equals what the step holds in its slot.
    void captured(Capture at, std::size_t count)
    {
        capture_ = at;
        count_ = count;
        chunks_.assign((count + kChunk - 1) >> kChunkShift, 0);
        all_ = false;
    }

private:
    bool all_ = true;
    Capture capture_;
    std::size_t count_ = 0;
    std::vector<std::uint8_t> chunks_;
};

template <class T>
class TrackedBuffer {
public:
    using value_type = T;
    using size_type = std::size_t;
    using iterator = typename std::vector<T>::iterator;
    using const_iterator = typename std::vector<T>::const_iterator;

    TrackedBuffer() = default;
    TrackedBuffer(std::size_t count, const T& value) : data_(count, value) {}
    TrackedBuffer(std::vector<T> data) : data_(std::move(data)) {}  // NOLINT: as a vector would
    TrackedBuffer(std::initializer_list<T> values) : data_(values) {}
    // A copy has the same cells but no capture of its own.
    TrackedBuffer(const TrackedBuffer& other) : data_(other.data_) {}
    TrackedBuffer& operator=(const TrackedBuffer& other)
    {
        data_ = other.data_;
        writes_.markAll();
        return *this;
    }
    // A move carries the marks along; what is left behind knows nothing.
    TrackedBuffer(TrackedBuffer&& other) noexcept
        : data_(std::move(other.data_)), writes_(std::exchange(other.writes_, WriteTracker{}))
    {
    }
    TrackedBuffer& operator=(TrackedBuffer&& other) noexcept
    {
        data_ = std::move(other.data_);
        writes_ = std::exchange(other.writes_, WriteTracker{});
        return *this;
    }
    TrackedBuffer& operator=(std::initializer_list<T> values)
    {
        data_.assign(values);
        writes_.markAll();
        return *this;
    }
    TrackedBuffer& operator=(std::vector<T> data)
    {
        data_ = std::move(data);
        writes_.markAll();
        return *this;
    }

    // Reading.
    std::size_t size() const { return data_.size(); }
    bool empty() const { return data_.empty(); }
    const T& operator[](std::size_t i) const { return data_[i]; }
    const T* data() const { return data_.data(); }
    const_iterator begin() const { return data_.begin(); }
    const_iterator end() const { return data_.end(); }
    const std::vector<T>& vector() const { return data_; }
    operator const std::vector<T>&() const& { return data_; }  // NOLINT: reads as a vector
    // Moving one into a plain vector would copy it silently; move TrackedBuffers instead.
    operator const std::vector<T>&() && = delete;

    // Writing one element marks its chunk.
    T& operator[](std::size_t i)
    {
        writes_.mark(i);
        return data_[i];
    }
    void set(std::size_t i, const T& value)
    {
        writes_.mark(i);
        data_[i] = value;
    }
    // Elements first .. first + count - 1, marked, for a run of writes.
    T* range(std::size_t first, std::size_t count)
    {
        writes_.markRange(first, count);
        return data_.data() + first;
    }

    // Anything that may change the whole buffer marks it whole.
    T* data()
    {
        writes_.markAll();
        return data_.data();
    }
    iterator begin()
    {
        writes_.markAll();
        return data_.begin();
    }
    iterator end()
    {
        writes_.markAll();
        return data_.end();
    }
    std::vector<T>& vector()
    {
        writes_.markAll();
        return data_;
    }
    void assign(std::size_t count, const T& value)
    {
        writes_.markAll();
        data_.assign(count, value);
    }
    template <class It>
    void assign(It first, It last)
    {
        writes_.markAll();
        data_.assign(first, last);
    }
    void resize(std::size_t count)
    {
        writes_.markAll();
        data_.resize(count);
    }
    void resize(std::size_t count, const T& value)
    {
        writes_.markAll();
        data_.resize(count, value);
    }
    void clear()
    {
        writes_.markAll();
        data_.clear();
    }
    void shrink_to_fit() { data_.shrink_to_fit(); }
    void swap(TrackedBuffer& other) noexcept
    {
        data_.swap(other.data_);
        std::swap(writes_, other.writes_);
    }

    // For the undo store.
    WriteTracker& writes() { return writes_; }
    const WriteTracker& writes() const { return writes_; }

    friend bool operator==(const TrackedBuffer& a, const TrackedBuffer& b) { return a.data_ == b.data_; }
    friend bool operator==(const TrackedBuffer& a, const std::vector<T>& b) { return a.data_ == b; }

private:
    std::vector<T> data_;
    WriteTracker writes_;
};

}  // namespace brenmark
