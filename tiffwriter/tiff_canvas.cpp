#include "tiffwriter/tiff_canvas.h"

#include "interchange/file_bytes.h"
#include "interchange/ui_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace brenmark {
namespace {

void put16(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t n)
{
    while (n > 0) {
        const ssize_t done = ::write(fd, data, n);
        if (done < 0 && errno == EINTR)
            continue;
        if (done == 0)
            errno = ENOSPC;
        if (done <= 0)
            return false;
        data += done;
        n -= static_cast<std::size_t>(done);
    }
    return true;
}

bool writeAllAt(int fd, const std::uint8_t* data, std::size_t n, std::uint64_t offset)
{
    while (n > 0) {
        const ssize_t done = ::pwrite(fd, data, n, static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR)
            continue;
        if (done == 0)
            errno = ENOSPC;
        if (done <= 0)
            return false;
        data += done;
        n -= static_cast<std::size_t>(done);
        offset += static_cast<std::uint64_t>(done);
    }
    return true;
}

bool readAllAt(int fd, std::uint8_t* data, std::size_t n, std::uint64_t offset)
{
    while (n > 0) {
        const ssize_t done = ::pread(fd, data, n, static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        n -= static_cast<std::size_t>(done);
        offset += static_cast<std::uint64_t>(done);
    }
    return true;
}

}  // namespace

std::array<std::uint8_t, TiffCanvas::kPixelOffset> TiffCanvas::headerBytes(std::uint32_t w, std::uint32_t h)
{
    std::array<std::uint8_t, kPixelOffset> b{};
    b[0] = 'I';
    b[1] = 'I';
    put16(&b[2], 42);
    put32(&b[4], 8);
    put16(&b[8], kEntries);
    struct Entry {
        std::uint16_t tag, type;
        std::uint32_t value;
    };
    // Sorted by tag, as readers expect; each with count 1.
    const Entry entries[kEntries] = {
        {254, 4, 0},                      // NewSubfileType (LONG): a single image
        {256, 3, w},                      // ImageWidth
        {257, 3, h},                      // ImageLength
        {258, 3, 8},                      // BitsPerSample
        {259, 3, 1},                      // Compression: none
        {262, 3, 5},                      // PhotometricInterpretation: separated (CMYK)
        {273, 3, kPixelOffset},           // StripOffsets
        {274, 3, 1},                      // Orientation: top left
        {277, 3, 4},                      // SamplesPerPixel
        {279, 4, w * h * 4},              // StripByteCounts
        {282, 5, kResolutionOffset},      // XResolution: RATIONAL at this offset
        {283, 5, kResolutionOffset + 8},  // YResolution
        {284, 3, 1},                      // PlanarConfiguration: chunky
        {296, 3, 2},                      // ResolutionUnit: inch
    };
    std::uint8_t* p = &b[10];
    for (const Entry& e : entries) {
        put16(p, e.tag);
        put16(p + 2, e.type);
        put32(p + 4, 1);
        put32(p + 8, e.value);
        p += 12;
    }
    put32(p, 0);  // no next directory
    p += 4;
    for (int i = 0; i < 2; ++i, p += 8) {  // 300/1 across and down
        put32(p, kPixelsPerInch);
        put32(p + 4, 1);
    }
    return b;
}

TiffCanvas::Limit TiffCanvas::limitPassed(std::int64_t w, std::int64_t h)
{
    if (w > kMaxSide || h > kMaxSide)
        return Limit::Side;
    if (w >= 1 && h >= 1 && fileSize(w, h) > 0xFFFFFFFFull)
        return Limit::FileSize;
    return Limit::None;
}

bool TiffCanvas::fits(std::int64_t w, std::int64_t h)
{
    return w >= 1 && h >= 1 && limitPassed(w, h) == Limit::None;
}

TiffCanvas::~TiffCanvas()
{
    abandon();
}

TiffCanvas::Result TiffCanvas::create(const std::string& path, int w, int h, CmykValue background, const StatusText& status)
{
    abandon();
    auto tell = [&](const char* text) {
        if (status)
            status(uiText(text));
    };
    tell(UI_TEXT_NOOP("初始化文件"));
    if (!fits(w, h)) {
        tell(UI_TEXT_NOOP("初始化文件失败"));
        return Result::TooLarge;
    }
    path_ = path;
    error_ = 0;
    // A name of its own beside the page, created exclusively: two runs on one output never
    // share it and a link standing in the folder is never followed.
    fd_ = createTemporaryBeside(path, working_);
    if (fd_ >= 0) {
        (void)::fchmod(fd_, 0666 & ~processUmask());
    }
    if (fd_ < 0) {
        error_ = errno;
        tell(UI_TEXT_NOOP("初始化文件失败"));
        return Result::CannotCreate;
    }
    w_ = w;
    h_ = h;
    background_ = background;
    rowBytes_ = static_cast<std::size_t>(w) * 4;
    failed_ = false;

    const auto header = headerBytes(static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h));
    // The fill buffer: 10000 pixels of the background. Every row is filled from it the first
    // time it is drawn on (the rows never drawn on when their band is written), so the
    // background costs no pass of its own over the file.
    fill_.reset(new (std::nothrow) std::uint8_t[kFillBufferBytes]);
    if (!fill_) {
        abandon();
        error_ = ENOMEM;
        tell(UI_TEXT_NOOP("初始化文件失败"));
        return Result::NoMemory;
    }
    const std::uint8_t bytes[4] = {background.c, background.m, background.y, background.k};
    for (std::size_t i = 0; i < kFillBufferBytes; i += 4)
        std::memcpy(&fill_[i], bytes, 4);
    // The whole file's blocks are claimed now, so a full disk is found here rather than
    // after the page has been drawn.
    bool ok = writeAll(fd_, header.data(), header.size());
    if (!ok)
        error_ = errno;
    if (ok) {
        const int claimed = ::posix_fallocate(fd_, 0, static_cast<off_t>(fileSize(w, h)));  // returns the error
        ok = claimed == 0;
        error_ = claimed;
    }
    if (!ok) {
        abandon();
        tell(UI_TEXT_NOOP("初始化文件失败"));
        return Result::CannotCreate;
    }
    bandRows_ = static_cast<int>(std::clamp<std::size_t>(bandBytes_ / rowBytes_, 1, static_cast<std::size_t>(h)));
    written_.assign(static_cast<std::size_t>((h + bandRows_ - 1) / bandRows_), false);
    try {
        buffer_.assign(static_cast<std::size_t>(bandRows_) * rowBytes_, 0);
        rowReady_.assign(static_cast<std::size_t>(bandRows_), 0);
    } catch (const std::bad_alloc&) {
        abandon();
        error_ = ENOMEM;
        tell(UI_TEXT_NOOP("初始化文件失败"));
        return Result::NoMemory;
    }
    band_ = -1;
    dirty_ = false;
    clearRowClip();
    tell(UI_TEXT_NOOP("初始化文件完毕"));
    return Result::Created;
}

std::pair<int, int> TiffCanvas::bandRows(int band) const
{
    return {band * bandRows_, std::min(h_, (band + 1) * bandRows_)};
}

void TiffCanvas::beginBand(int band)
{
    if (fd_ >= 0 && !failed_ && band >= 0 && band < bandCount() && band != band_)
        load(band);
}

void TiffCanvas::clipRows(int top, int bottom)
{
    clipTop_ = std::clamp(top, 0, h_);
    clipBottom_ = std::clamp(bottom, clipTop_, h_);
}

bool TiffCanvas::flush()
{
    if (band_ < 0 || !dirty_)
        return !failed_;
    for (int y = bandFirst_; y < bandEnd_; ++y)
        if (!rowReady_[static_cast<std::size_t>(y - bandFirst_)])
            fillBackground(buffer_.data() + static_cast<std::size_t>(y - bandFirst_) * rowBytes_, 0, w_);
    const std::uint64_t offset = kPixelOffset + static_cast<std::uint64_t>(bandFirst_) * rowBytes_;
    if (!writeAllAt(fd_, buffer_.data(), static_cast<std::size_t>(bandEnd_ - bandFirst_) * rowBytes_, offset)) {
        failed_ = true;
        error_ = errno ? errno : EIO;
    }
    written_[static_cast<std::size_t>(band_)] = true;
    dirty_ = false;
    return !failed_;
}

bool TiffCanvas::load(int band)
{
    if (!flush())
        return false;
    const auto [first, end] = bandRows(band);
    const std::size_t bytes = static_cast<std::size_t>(end - first) * rowBytes_;
    const bool written = written_[static_cast<std::size_t>(band)];
    if (written && !readAllAt(fd_, buffer_.data(), bytes, kPixelOffset + static_cast<std::uint64_t>(first) * rowBytes_)) {
        failed_ = true;
        error_ = errno ? errno : EIO;
        return false;
    }
    // A band not yet in the file gets its background row by row as the rows are drawn on.
    std::fill(rowReady_.begin(), rowReady_.end(), written ? 1 : 0);
    band_ = band;
    bandFirst_ = first;
    bandEnd_ = end;
    return true;
}

void TiffCanvas::fillBackground(std::uint8_t* line, int x0, int x1) const
{
    // From the fill buffer, in chunks of at most 40000 bytes (whole pixels).
    std::uint8_t* p = line + static_cast<std::size_t>(x0) * 4;
    for (std::size_t left = static_cast<std::size_t>(std::max(0, x1 - x0)) * 4; left > 0;) {
        const std::size_t n = std::min(kFillBufferBytes, left);
        std::memcpy(p, fill_.get(), n);
        p += n;
        left -= n;
    }
}

std::uint8_t* TiffCanvas::bandRow(int y)
{
    if (fd_ < 0 || failed_)
        return nullptr;
    if (band_ < 0 || y < bandFirst_ || y >= bandEnd_) {
        if (!load(y / bandRows_))
            return nullptr;
    }
    dirty_ = true;
    return buffer_.data() + static_cast<std::size_t>(y - bandFirst_) * rowBytes_;
}

std::uint8_t* TiffCanvas::row(int y)
{
    std::uint8_t* line = bandRow(y);
    if (line) {
        std::uint8_t& ready = rowReady_[static_cast<std::size_t>(y - bandFirst_)];
        if (!ready) {
            fillBackground(line, 0, w_);
            ready = 1;
        }
    }
    return line;
}

std::uint8_t* TiffCanvas::rowToCover(int y, int x0, int x1, bool& fresh)
{
    fresh = false;
    if (y < clipTop_ || y >= clipBottom_)
        return nullptr;
    std::uint8_t* line = bandRow(y);
    if (!line)
        return nullptr;
    std::uint8_t& ready = rowReady_[static_cast<std::size_t>(y - bandFirst_)];
    if (!ready) {
        x0 = std::clamp(x0, 0, w_);
        x1 = std::clamp(x1, x0, w_);
        fillBackground(line, 0, x0);
        fillBackground(line, x1, w_);
        ready = 1;
        fresh = true;
    }
    return line;
}

void TiffCanvas::fillSpan(int x0, int x1, int y, CmykValue v)
{
    if (y < clipTop_ || y >= clipBottom_)
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, w_);
    if (x0 >= x1)
        return;
    if (std::uint8_t* line = row(y))
        paint(line, x0, x1, v);
}

void TiffCanvas::fillSpans(int y, const std::vector<Span>& spans)
{
    if (y < clipTop_ || y >= clipBottom_ || spans.empty())
        return;
    std::uint8_t* line = row(y);
    if (!line)
        return;
    for (const Span& s : spans) {
        const int x0 = std::max(s.x0, 0), x1 = std::min(s.x1, w_);
        if (x0 < x1)
            paint(line, x0, x1, s.ink);
    }
}

void TiffCanvas::fillRect(int x, int y, int w, int h, CmykValue v)
{
    const int y0 = std::max(y, clipTop_), y1 = std::min(y + h, clipBottom_);
    const int x0 = std::max(x, 0), x1 = std::min(x + w, w_);
    if (x0 >= x1)
        return;
    for (int r = y0; r < y1; ++r)
        if (std::uint8_t* line = row(r))
            paint(line, x0, x1, v);
}

void TiffCanvas::stamp(int x, int y, int w, int h, const std::uint8_t* mask, std::size_t stride, CmykValue v)
{
    const int r0 = std::max(0, clipTop_ - y), r1 = std::min(h, clipBottom_ - y);
    const int c0 = std::max(0, -x), c1 = std::min(w, w_ - x);
    for (int r = r0; r < r1; ++r) {
        const std::uint8_t* bits = mask + static_cast<std::size_t>(r) * stride;
        int c = c0;
        while (c < c1) {
            while (c < c1 && !bits[c])
                ++c;
            const int start = c;
            while (c < c1 && bits[c])
                ++c;
            if (c > start)
                fillSpan(x + start, x + c, y + r, v);
        }
    }
}

CmykValue TiffCanvas::pixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= w_ || y >= h_)
        return {};
    const std::uint8_t* line = row(y);
    if (!line)
        return {};
    const std::uint8_t* p = line + static_cast<std::size_t>(x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

bool TiffCanvas::finish(bool sync)
{
    if (fd_ < 0)
        return false;
    flush();
    for (std::size_t band = 0; band < written_.size() && !failed_; ++band)
        if (!written_[band] && load(static_cast<int>(band))) {
            dirty_ = true;
            flush();
        }
    bool ok = !failed_;
    const auto note = [&] {
        if (error_ == 0)
            error_ = errno ? errno : EIO;
    };
    if (ok && sync && ::fdatasync(fd_) != 0) {
        ok = false;
        note();
    }
    if (::close(fd_) != 0 && ok) {
        ok = false;
        note();
    }
    fd_ = -1;
    band_ = -1;
    if (ok && std::rename(working_.c_str(), path_.c_str()) != 0) {
        ok = false;
        note();
    }
    if (!ok)
        std::remove(working_.c_str());
    working_.clear();
    return ok;
}

void TiffCanvas::abandon()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
    band_ = -1;
    std::remove(working_.c_str());
    working_.clear();
}

}  // namespace brenmark
