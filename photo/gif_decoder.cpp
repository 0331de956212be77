#include "photo/gif_decoder.h"

#include "interchange/file_bytes.h"
#include "interchange/ui_text.h"

#include <array>
#include <cstring>
#include <sys/stat.h>

namespace brenmark {

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kCodeTableSize = 1 << kMaxCodeBits;  // 4096 entries

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

// A cursor over the file that never reads past its end.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool has(std::size_t n) const { return bytes_.size() - at_ >= n; }
    bool atEnd() const { return at_ >= bytes_.size(); }
    std::size_t remaining() const { return bytes_.size() - at_; }
    std::uint8_t byte() { return bytes_[at_++]; }
    unsigned word()
    {
        const unsigned v = static_cast<unsigned>(bytes_[at_]) | static_cast<unsigned>(bytes_[at_ + 1]) << 8;
        at_ += 2;
        return v;
    }
    std::span<const std::uint8_t> take(std::size_t n)
    {
        const auto part = bytes_.subspan(at_, n);
        at_ += n;
        return part;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// A colour table of 2^(sizeField + 1) RGB triplets.
bool readColourTable(Reader& in, unsigned sizeField, std::vector<ColorRef>& out)
{
    const std::size_t entries = std::size_t{1} << (sizeField + 1);
    if (!in.has(entries * 3))
        return false;
    out.resize(entries);
    for (ColorRef& c : out) {
        const unsigned r = in.byte();
        const unsigned g = in.byte();
        const unsigned b = in.byte();
        c = rgb(r, g, b);
    }
    return true;
}

enum class Blocks { Complete, Cut };

// Data sub-blocks up to the zero-length terminator, appended to out when given.
Blocks readSubBlocks(Reader& in, std::vector<std::uint8_t>* out)
{
    for (;;) {
        if (!in.has(1))
            return Blocks::Cut;
        const std::size_t size = in.byte();
        if (size == 0)
            return Blocks::Complete;
        if (!in.has(size)) {
            // What there is of the cut block still holds codes.
            while (out && !in.atEnd())
                out->push_back(in.byte());
            return Blocks::Cut;
        }
        const auto data = in.take(size);
        if (out)
            out->insert(out->end(), data.begin(), data.end());
    }
}

// The LZW code stream of one image: variable-width codes packed from the lowest bit,
// a clear code that resets the table, an end code, and a table of 4096 entries that, once
// full, is used as it is until the next clear ("deferred clear").
class LzwDecoder {
public:
    LzwDecoder(std::span<const std::uint8_t> data, unsigned minCodeSize)
        : data_(data), minCodeSize_(minCodeSize), clear_(1u << minCodeSize), end_(clear_ + 1)
    {
        for (unsigned c = 0; c < clear_; ++c) {
            suffix_[c] = static_cast<std::uint8_t>(c);
            first_[c] = static_cast<std::uint8_t>(c);
            length_[c] = 1;
            prefix_[c] = 0;
        }
        reset();
    }

    // Fills out completely; Truncated when the codes run out first, Damaged for a code the
    // table cannot hold.
    GifProblem decode(std::span<std::uint8_t> out)
    {
        std::uint8_t* const base = out.data();
        const std::size_t total = out.size();
        std::size_t pos = 0;
        while (pos < total) {
            unsigned code = 0;
            if (!readCode(code))
                return GifProblem::Truncated;
            if (code == clear_) {
                reset();
                continue;
            }
            if (code == end_)
                return GifProblem::Truncated;  // the image ends before its last pixel
            unsigned written = code;
            if (previous_ < 0) {
                if (code >= clear_)
                    return GifProblem::Damaged;  // a table entry before any was made
            } else if (code < next_) {
                addEntry(static_cast<unsigned>(previous_), first_[code]);
            } else if (code == next_ && next_ < kCodeTableSize) {
                // The string being defined by this very code: previous + its own first byte.
                addEntry(static_cast<unsigned>(previous_), first_[previous_]);
            } else {
                return GifProblem::Damaged;
            }
            if (next_ >= (1u << width_) && width_ < kMaxCodeBits)
                ++width_;
            previous_ = static_cast<int>(written);
            pos += emit(written, base + pos, total - pos);
        }
        return GifProblem::None;
    }

private:
    void reset()
    {
        next_ = clear_ + 2;
        width_ = minCodeSize_ + 1;
        previous_ = -1;
    }

    void addEntry(unsigned prefix, std::uint8_t suffix)
    {
        if (next_ >= kCodeTableSize)
            return;  // the table is full: it stays as it is until a clear code
        prefix_[next_] = static_cast<std::uint16_t>(prefix);
        suffix_[next_] = suffix;
        first_[next_] = first_[prefix];
        length_[next_] = static_cast<std::uint16_t>(length_[prefix] + 1);
        ++next_;
    }

    bool readCode(unsigned& code)
    {
        while (bits_ < width_) {
            if (at_ >= data_.size())
                return false;
            buffer_ |= static_cast<std::uint64_t>(data_[at_++]) << bits_;
            bits_ += 8;
        }
        code = static_cast<unsigned>(buffer_ & ((1u << width_) - 1));
        buffer_ >>= width_;
        bits_ -= width_;
        return true;
    }

    // Writes the string of code, as much of it as room allows; returns how much was written.
    std::size_t emit(unsigned code, std::uint8_t* out, std::size_t room)
    {
        const std::size_t length = length_[code];
        if (length <= room) {
            std::uint8_t* p = out + length - 1;
            for (std::size_t i = 1; i < length; ++i) {
                *p-- = suffix_[code];
                code = prefix_[code];
            }
            *p = static_cast<std::uint8_t>(code);
            return length;
        }
        // The last string of a stream that holds more pixels than the image: its head only.
        for (std::size_t i = length; i-- > 0;) {
            if (i < room)
                out[i] = suffix_[code];
            code = prefix_[code];
        }
        return room;
    }

    std::span<const std::uint8_t> data_;
    std::size_t at_ = 0;
    std::uint64_t buffer_ = 0;
    unsigned bits_ = 0;

    unsigned minCodeSize_;
    unsigned clear_;
    unsigned end_;
    unsigned next_ = 0;
    unsigned width_ = 0;
    int previous_ = -1;
    std::array<std::uint16_t, kCodeTableSize> prefix_{};
    std::array<std::uint8_t, kCodeTableSize> suffix_{};
    std::array<std::uint8_t, kCodeTableSize> first_{};
    std::array<std::uint16_t, kCodeTableSize> length_{};
};

// Interlaced rows come in four passes: every 8th row from 0, every 8th from 4, every 4th
// from 2, every 2nd from 1.
std::vector<std::uint8_t> deinterlace(const std::vector<std::uint8_t>& stream, int width, int height)
{
    std::vector<std::uint8_t> rows(stream.size());
    const auto w = static_cast<std::size_t>(width);
    std::size_t source = 0;
    constexpr int kStart[] = {0, 4, 2, 1};
    constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < height; y += kStep[pass]) {
            std::memcpy(rows.data() + static_cast<std::size_t>(y) * w, stream.data() + source, w);
            source += w;
        }
    return rows;
}

GifReadResult refused(GifProblem problem)
{
    return {std::nullopt, problem};
}

}  // namespace

std::string gifProblemText(GifProblem problem)
{
    switch (problem) {
    case GifProblem::None:
        return {};
    case GifProblem::Unreadable:
        return uiText("不能读取照片文件");
    case GifProblem::NotGif:
        return uiText("照片文件不是GIF图片");
    case GifProblem::Truncated:
        return uiText("GIF图片文件不完整,可能没有下载或复制完");
    case GifProblem::Damaged:
        return uiText("GIF图片文件已损坏");
    case GifProblem::NoImage:
        return uiText("GIF图片文件中没有图像");
    case GifProblem::NoColourTable:
        return uiText("GIF图片没有颜色表,不能转换");
    case GifProblem::TooLarge:
        return uiText("GIF图片太大,不能导入");
    }
    return {};
}

GifReadResult decodeGif(std::span<const std::uint8_t> bytes, std::int64_t maxPixels)
{
    Reader in(bytes);
    if (!in.has(6)) {
        // The start of a signature is a GIF cut short; anything else is no GIF.
        const std::size_t n = bytes.size();
        const bool start = n > 0 && (std::memcmp(bytes.data(), "GIF87a", n) == 0 || std::memcmp(bytes.data(), "GIF89a", n) == 0);
        return refused(start ? GifProblem::Truncated : GifProblem::NotGif);
    }
    const auto signature = in.take(6);
    GifPicture picture;
    if (std::memcmp(signature.data(), "GIF87a", 6) == 0)
        picture.version89a = false;
    else if (std::memcmp(signature.data(), "GIF89a", 6) == 0)
        picture.version89a = true;
    else
        return refused(GifProblem::NotGif);

    // The logical screen: its size plays no part in the bitmap, which is the image's own.
    if (!in.has(7))
        return refused(GifProblem::Truncated);
    in.word();
    in.word();
    const unsigned screenFlags = in.byte();
    in.byte();  // background colour
    in.byte();  // pixel aspect ratio
    std::vector<ColorRef> global;
    if ((screenFlags & 0x80u) && !readColourTable(in, screenFlags & 0x07u, global))
        return refused(GifProblem::Truncated);

    for (;;) {
        if (!in.has(1))
            return refused(GifProblem::Truncated);
        const std::uint8_t introducer = in.byte();
        if (introducer == kTrailer)
            return refused(GifProblem::NoImage);
        if (introducer == kExtensionIntroducer) {
            // Graphic control, comment, plain text, application: all skipped whole.
            if (!in.has(1))
                return refused(GifProblem::Truncated);
            in.byte();  // label
            if (readSubBlocks(in, nullptr) == Blocks::Cut)
                return refused(GifProblem::Truncated);
            continue;
        }
        if (introducer != kImageSeparator)
            return refused(GifProblem::Damaged);
        break;
    }

    if (!in.has(9))
        return refused(GifProblem::Truncated);
    in.word();  // left
    in.word();  // top
    picture.width = static_cast<int>(in.word());
    picture.height = static_cast<int>(in.word());
    const unsigned imageFlags = in.byte();
    picture.interlaced = (imageFlags & 0x40u) != 0;
    if (picture.width == 0 || picture.height == 0)
        return refused(GifProblem::Damaged);
    const std::int64_t count = std::int64_t{picture.width} * picture.height;
    if (count > maxPixels)
        return refused(GifProblem::TooLarge);
    if (imageFlags & 0x80u) {
        if (!readColourTable(in, imageFlags & 0x07u, picture.colours))
            return refused(GifProblem::Truncated);
    } else {
        picture.colours = std::move(global);
    }

    if (!in.has(1))
        return refused(GifProblem::Truncated);
    const unsigned minCodeSize = in.byte();
    // Root codes of 1 to 11 bits leave room in a 12-bit table for the clear and end codes.
    if (minCodeSize < 1 || minCodeSize > 11)
        return refused(GifProblem::Damaged);
    std::vector<std::uint8_t> data;
    data.reserve(in.remaining());  // the image's codes are at most the rest of the file
    // A file cut inside the last data blocks may still hold every pixel; what decides is
    // whether the codes fill the image.
    readSubBlocks(in, &data);
    if (picture.colours.empty())
        return refused(GifProblem::NoColourTable);

    std::vector<std::uint8_t> stream(static_cast<std::size_t>(count));
    LzwDecoder lzw(data, minCodeSize);
    if (const GifProblem problem = lzw.decode(stream); problem != GifProblem::None)
        return refused(problem);
    picture.pixels = picture.interlaced ? deinterlace(stream, picture.width, picture.height) : std::move(stream);
    return {std::move(picture), GifProblem::None};
}

GifReadResult readGifFile(const std::string& path, std::int64_t maxPixels)
{
    if (path.empty() || pathKind(path) != PathKind::RegularFile)
        return refused(GifProblem::Unreadable);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return refused(GifProblem::Unreadable);
    if (info.st_size > kMaxGifFileBytes)
        return refused(GifProblem::TooLarge);
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(path, bytes))
        return refused(GifProblem::Unreadable);
    return decodeGif(bytes, maxPixels);
}

}  // namespace brenmark
