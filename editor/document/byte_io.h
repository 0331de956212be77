#pragma once
// Little-endian field access for the binary files. The reader never reads past its span:
// a short read sets ok() false and yields zeros.
#include "interchange/code_page.h"

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

// The fields of our binary files, over a reader's take(n): a pointer to the next n bytes, or
// null (and the reader failed) when fewer remain.
template <class Self>
class FieldReader {
public:
    std::uint8_t u8()
    {
        const std::uint8_t* p = self().take(1);
        return p ? *p : 0;
    }
    std::uint32_t u32()
    {
        const std::uint8_t* p = self().take(4);
        if (!p)
            return 0;
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    // A text field: the bytes up to the first NUL, or the whole field when it has none.
    std::string text(std::size_t field)
    {
        const std::uint8_t* p = self().take(field);
        if (!p)
            return {};
        const void* nul = std::memchr(p, 0, field);
        const std::size_t len = nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - p) : field;
        return std::string(reinterpret_cast<const char*>(p), len);
    }
    void skip(std::size_t n) { self().take(n); }

private:
    Self& self() { return static_cast<Self&>(*this); }
};

class ByteReader : public FieldReader<ByteReader> {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : data_(bytes) {}

    bool ok() const { return ok_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return data_.size() - pos_; }
    // Claims n bytes; false (and the reader fails) when fewer remain.
    bool need(std::size_t n)
    {
        if (!ok_ || n > remaining()) {
            ok_ = false;
            return false;
        }
        return true;
    }
    // The next n bytes without moving past them; null when fewer remain.
    const std::uint8_t* peek(std::size_t n) const { return ok_ && n <= remaining() ? data_.data() + pos_ : nullptr; }
    const std::uint8_t* take(std::size_t n)
    {
        if (!need(n))
            return nullptr;
        const std::uint8_t* p = data_.data() + pos_;
        pos_ += n;
        return p;
    }
    // Copies the next n bytes out; false (and the reader fails) when fewer remain.
    bool readInto(std::uint8_t* out, std::size_t n)
    {
        const std::uint8_t* p = take(n);
        if (p && n)
            std::memcpy(out, p, n);
        return p != nullptr;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

class ByteWriter {
public:
    explicit ByteWriter(std::size_t reserve = 0) { buf_.reserve(reserve); }

    void u8(std::uint8_t v) { buf_.push_back(v); }
    void u32(std::uint32_t v)
    {
        const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
        buf_.insert(buf_.end(), b, b + 4);
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void zeros(std::size_t n) { buf_.resize(buf_.size() + n, 0); }
    void bytes(const void* p, std::size_t n)
    {
        const auto* b = static_cast<const std::uint8_t*>(p);
        buf_.insert(buf_.end(), b, b + n);
    }
    // A fixed text field, zero-filled. Text longer than the field is cut at a character
    // boundary, leaving room for the terminator when the field needs one.
    void field(std::string_view text, std::size_t size, bool terminated = true)
    {
        const std::string_view fit = gbkPrefix(text, terminated ? size - 1 : size);
        bytes(fit.data(), fit.size());
        zeros(size - fit.size());
    }
    // Direct access for bulk sections.
    std::uint8_t* grow(std::size_t n)
    {
        const std::size_t at = buf_.size();
        buf_.resize(at + n);
        return buf_.data() + at;
    }
    std::size_t size() const { return buf_.size(); }
    // Forgets the bytes but keeps the storage, for writers that pass their bytes on in pieces.
    void clear() { buf_.clear(); }
    std::vector<std::uint8_t> take() { return std::move(buf_); }
    const std::vector<std::uint8_t>& buffer() const { return buf_; }

private:
    std::vector<std::uint8_t> buf_;
};

}  // namespace brenmark
