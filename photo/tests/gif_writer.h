#pragma once
// GIF files written by the tests, with every choice the decoder must cope with in the
// test's hands: either version, global and local colour tables, extensions, interlacing,
// root code sizes 1 to 11, clear codes wherever wanted, a full table used on without a clear,
// sub-blocks of any size and several frames.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace brenmark::test {

struct GifFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // row by row from the top
    std::vector<std::uint8_t> localTable;  // RGB triplets; empty: the global table
    bool interlaced = false;
    int minCodeSize = 8;
    // A clear code after every so many codes (0: only at the start).
    int clearEvery = 0;
    // When the table is full: true keeps coding with it as it is, false clears.
    bool deferredClear = false;
    bool leadingClear = true;
    int subBlockSize = 255;
    bool graphicControl = false;  // a graphic control extension before the image
};

struct GifFile {
    bool version89a = true;
    int screenWidth = 0;  // 0: the first frame's size
    int screenHeight = 0;
    std::vector<std::uint8_t> globalTable;  // RGB triplets, a power of two from 2 to 256
    bool comment = false;      // a comment extension before the first image
    bool application = false;  // a looping application extension
    std::vector<GifFrame> frames;
};

// The size field of a table of n entries: n = 2^(field + 1).
inline unsigned tableSizeField(std::size_t entries)
{
    unsigned field = 0;
    while ((std::size_t{2} << field) < entries)
        ++field;
    return field;
}

class LzwWriter {
public:
    explicit LzwWriter(const GifFrame& frame) : f_(frame), clear_(1u << frame.minCodeSize), end_(clear_ + 1) {}

    std::vector<std::uint8_t> encode(const std::vector<std::uint8_t>& stream)
    {
        table_.assign(std::size_t{4096} * 256, -1);
        reset();
        if (f_.leadingClear)
            put(clear_);
        if (!stream.empty()) {
            int prefix = stream[0];
            for (std::size_t i = 1; i < stream.size(); ++i) {
                const std::uint8_t k = stream[i];
                const int known = table_[static_cast<std::size_t>(prefix) * 256 + k];
                if (known >= 0) {
                    prefix = known;
                    continue;
                }
                writeCode(static_cast<unsigned>(prefix), static_cast<unsigned>(prefix), k);
                prefix = k;
            }
            writeCode(static_cast<unsigned>(prefix), 0, 0, false);
        }
        put(end_);
        if (bits_ > 0)
            bytes_.push_back(static_cast<std::uint8_t>(buffer_));
        return bytes_;
    }

private:
    void reset()
    {
        std::fill(table_.begin(), table_.end(), -1);
        next_ = clear_ + 2;
        width_ = static_cast<unsigned>(f_.minCodeSize) + 1;
        codes_ = 0;
    }
    void put(unsigned code)
    {
        buffer_ |= static_cast<std::uint64_t>(code) << bits_;
        bits_ += width_;
        while (bits_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(buffer_));
            buffer_ >>= 8;
            bits_ -= 8;
        }
    }
    // A data code, then the entry it defines (its string + k), then the clear it may need.
    void writeCode(unsigned code, unsigned prefix, std::uint8_t k, bool define = true)
    {
        put(code);
        ++codes_;
        if (next_ >= (1u << width_) && width_ < 12)
            ++width_;
        if (!define)
            return;
        if (next_ < 4096) {
            table_[static_cast<std::size_t>(prefix) * 256 + k] = static_cast<int>(next_);
            ++next_;
        }
        const bool full = next_ >= 4096;
        if ((full && !f_.deferredClear) || (f_.clearEvery > 0 && codes_ % f_.clearEvery == 0)) {
            put(clear_);
            reset();
        }
    }

    const GifFrame& f_;
    unsigned clear_, end_;
    unsigned next_ = 0, width_ = 0;
    long codes_ = 0;
    std::vector<int> table_;
    std::vector<std::uint8_t> bytes_;
    std::uint64_t buffer_ = 0;
    unsigned bits_ = 0;
};

// Rows in the order an interlaced image stores them.
inline std::vector<std::uint8_t> interlacedStream(const GifFrame& f)
{
    std::vector<std::uint8_t> out;
    const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < f.height; y += step[pass])
            out.insert(out.end(), f.pixels.begin() + y * f.width, f.pixels.begin() + (y + 1) * f.width);
    return out;
}

inline std::vector<std::uint8_t> writeGif(const GifFile& g)
{
    std::vector<std::uint8_t> out;
    auto word = [&out](int v) {
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    const std::string signature = g.version89a ? "GIF89a" : "GIF87a";
    out.insert(out.end(), signature.begin(), signature.end());
    word(g.screenWidth ? g.screenWidth : g.frames.at(0).width);
    word(g.screenHeight ? g.screenHeight : g.frames.at(0).height);
    const std::size_t globalEntries = g.globalTable.size() / 3;
    out.push_back(static_cast<std::uint8_t>(globalEntries ? 0x80 | 0x70 | tableSizeField(globalEntries) : 0));
    out.push_back(0);
    out.push_back(0);
    out.insert(out.end(), g.globalTable.begin(), g.globalTable.end());
    if (g.application) {
        const std::string id = "NETSCAPE2.0";
        out.push_back(0x21);
        out.push_back(0xFF);
        out.push_back(11);
        out.insert(out.end(), id.begin(), id.end());
        for (const int b : {3, 1, 0, 0, 0})
            out.push_back(static_cast<std::uint8_t>(b));
    }
    if (g.comment) {
        const std::string text = "made by the tests";
        out.push_back(0x21);
        out.push_back(0xFE);
        out.push_back(static_cast<std::uint8_t>(text.size()));
        out.insert(out.end(), text.begin(), text.end());
        out.push_back(0);
    }
    for (const GifFrame& f : g.frames) {
        if (f.graphicControl) {
            for (const int b : {0x21, 0xF9, 4, 0x05, 10, 0, 0, 0})
                out.push_back(static_cast<std::uint8_t>(b));
        }
        out.push_back(0x2C);
        word(0);
        word(0);
        word(f.width);
        word(f.height);
        const std::size_t localEntries = f.localTable.size() / 3;
        out.push_back(static_cast<std::uint8_t>((localEntries ? 0x80 | tableSizeField(localEntries) : 0) |
                                                (f.interlaced ? 0x40 : 0)));
        out.insert(out.end(), f.localTable.begin(), f.localTable.end());
        out.push_back(static_cast<std::uint8_t>(f.minCodeSize));
        LzwWriter lzw(f);
        const std::vector<std::uint8_t> data = lzw.encode(f.interlaced ? interlacedStream(f) : f.pixels);
        for (std::size_t at = 0; at < data.size();) {
            const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(f.subBlockSize), data.size() - at);
            out.push_back(static_cast<std::uint8_t>(n));
            out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + n));
            at += n;
        }
        out.push_back(0);
    }
    out.push_back(0x3B);
    return out;
}

// A table of n entries with distinct colours.
inline std::vector<std::uint8_t> rampTable(std::size_t entries, int seed = 0)
{
    std::vector<std::uint8_t> t;
    for (std::size_t i = 0; i < entries; ++i) {
        t.push_back(static_cast<std::uint8_t>((i * 37 + static_cast<std::size_t>(seed)) & 0xFF));
        t.push_back(static_cast<std::uint8_t>((i * 11 + 90) & 0xFF));
        t.push_back(static_cast<std::uint8_t>(255 - i));
    }
    return t;
}

}  // namespace brenmark::test
