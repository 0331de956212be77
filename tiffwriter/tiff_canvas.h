#pragma once
// The page as a file: an uncompressed CMYK TIFF whose one strip of pixels is the drawing
// surface. The header and the 14-entry directory (with the page's 300 per inch) are written and the file's blocks claimed
// at once. The pixels are drawn into one band of rows held in memory: each row of a band is
// filled with the background when it is first drawn on (or, for a drawing that covers part of
// the row itself, only the rest of it), and the band is written to the file when drawing moves
// on to another band (read back should it be needed again). Drawn band after band, each band is
// written once, in order, and memory stays at one band however large the page; no pixel
// needs a seek and a write of its own. The file is written beside its name and renamed over
// it once finished, so a failed or abandoned page leaves nothing under the name.
#include "tiffwriter/cmyk_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace brenmark {

class TiffCanvas {
public:
    static constexpr std::uint32_t kEntries = 14;
    // The two resolutions (RATIONAL, 8 bytes each) follow the directory; then the pixels.
    static constexpr std::uint32_t kResolutionOffset = 8 + 2 + kEntries * 12 + 4;  // 182
    static constexpr std::uint32_t kPixelOffset = kResolutionOffset + 16;           // 198
    static constexpr std::uint32_t kPixelsPerInch = 300;
    static constexpr std::size_t kFillBufferBytes = 40000;
    static constexpr int kMaxSide = 65535;  // width and length are SHORT fields

    enum class Result { Created, TooLarge, CannotCreate, NoMemory };
    // Which of the format's limits a page passes: a side beyond 65535 pixels, or a file
    // whose offsets no longer fit 32 bits.
    enum class Limit { None, Side, FileSize };
    static Limit limitPassed(std::int64_t w, std::int64_t h);
    using StatusText = std::function<void(const std::string&)>;

    // The 198 bytes before the pixels of a w × h page.
    static std::array<std::uint8_t, kPixelOffset> headerBytes(std::uint32_t w, std::uint32_t h);
    // Whether a w × h page can be written: sides 1 … 65535 and every offset of the file
    // within the 32 bits TIFF has.
    static bool fits(std::int64_t w, std::int64_t h);
    static std::uint64_t fileSize(std::int64_t w, std::int64_t h) { return kPixelOffset + static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) * 4; }

    TiffCanvas() = default;
    ~TiffCanvas();
    TiffCanvas(const TiffCanvas&) = delete;
    TiffCanvas& operator=(const TiffCanvas&) = delete;

    // Shows "初始化文件", writes the header, claims the file's blocks and readies the
    // 40000-byte background buffer the bands are filled from, and shows "初始化文件完毕", or
    // "初始化文件失败" when it cannot (no memory, no room on the disk, no file).
    Result create(const std::string& path, int w, int h, CmykValue background, const StatusText& status = {});
    bool isOpen() const { return fd_ >= 0; }
    int width() const { return w_; }
    int height() const { return h_; }
    const std::string& path() const { return path_; }
    // Where the page is written until finish() renames it.
    const std::string& workingPath() const { return working_; }

    // Drawing; everything outside the page is left out. Pure black keeps the C, M and Y
    // under it and sets K to 255.
    void setPixel(int x, int y, CmykValue v) { fillSpan(x, x + 1, y, v); }
    void fillSpan(int x0, int x1, int y, CmykValue v);
    // Many spans of one row at once, in order (the grid's column lines along a canvas row).
    struct Span {
        int x0, x1;
        CmykValue ink;
    };
    void fillSpans(int y, const std::vector<Span>& spans);
    void fillRect(int x, int y, int w, int h, CmykValue v);
    // Writes v where a one-byte-per-pixel mask of w × h at (x, y) is nonzero.
    void stamp(int x, int y, int w, int h, const std::uint8_t* mask, std::size_t stride, CmykValue v);
    CmykValue pixel(int x, int y);

    // Row y for a drawing that writes every pixel of [x0, x1) itself (a chart's cells): nullptr
    // outside the clipped rows or when the page cannot be drawn. When `fresh` comes back true
    // the row had not been drawn on: the rest of it now holds the background, but [x0, x1)
    // holds nothing yet, and the caller writes each of its pixels before anything else uses
    // the row, as drawing over the background would leave them (pure black with the
    // background's C, M and Y). Otherwise the row is as drawn so far. The row stays valid
    // until drawing moves to another band.
    std::uint8_t* rowToCover(int y, int x0, int x1, bool& fresh);
    CmykValue background() const { return background_; }
    // Pixels x0 .. x1 - 1 of a row, already within the page: paint() the way every drawing
    // call writes (pure black keeps the C, M and Y under it), put() the value as it is.
    static void paint(std::uint8_t* line, int x0, int x1, CmykValue v)
    {
        if (!v.isBlack()) {
            put(line, x0, x1, v);
            return;
        }
        std::uint8_t* p = line + static_cast<std::size_t>(x0) * 4;
        for (std::ptrdiff_t i = 0, n = x1 - x0; i < n; ++i)
            p[i * 4 + 3] = 255;
    }
    static void put(std::uint8_t* line, int x0, int x1, CmykValue v)
    {
        // One four-byte store a pixel, which the compiler turns into wide stores of the value.
        const std::uint8_t pixel[4] = {v.c, v.m, v.y, v.k};
        std::uint32_t value;
        std::memcpy(&value, pixel, 4);
        std::uint8_t* p = line + static_cast<std::size_t>(x0) * 4;
        for (std::ptrdiff_t i = 0, n = x1 - x0; i < n; ++i)
            std::memcpy(p + i * 4, &value, 4);
    }

    // Rows per band; set before create() (tests use small bands to cross them).
    void setBandBytes(std::size_t bytes) { bandBytes_ = bytes; }
    int bandCount() const { return static_cast<int>(written_.size()); }
    // The rows [first, end) of band i.
    std::pair<int, int> bandRows(int band) const;
    // Brings band i into memory (writing the one there before): drawing band after band
    // from the first writes the file in order.
    void beginBand(int band);
    // Drawing outside rows [top, bottom) is left out, so a pass over one band touches no
    // other; clearRowClip() allows every row again.
    void clipRows(int top, int bottom);
    void clearRowClip() { clipTop_ = 0, clipBottom_ = h_; }
    int clipTop() const { return clipTop_; }
    int clipBottom() const { return clipBottom_; }

    // Writes the band in memory and every band never drawn on (as background), optionally
    // syncs, closes and renames over the chosen name. False (and nothing under the name) when
    // a write failed.
    bool finish(bool sync = true);
    // Closes and removes the working file.
    void abandon();
    // The errno of the first failure of create or finish (0 when there was none), for the
    // message that says why.
    int error() const { return error_; }

private:
    std::uint8_t* row(int y);
    // The row's pixels in the band in memory, loading its band if need be; nullptr on failure.
    std::uint8_t* bandRow(int y);
    void fillBackground(std::uint8_t* line, int x0, int x1) const;
    bool load(int band);
    bool flush();

    std::string path_, working_;
    int fd_ = -1;
    int w_ = 0, h_ = 0;
    std::size_t rowBytes_ = 0;
    // 2 MiB: a band drawn and then copied into the file's pages stays in the processor's
    // cache, where 4 MiB bands were seen to fall out of it on a shared machine.
    std::size_t bandBytes_ = 2u << 20;
    int bandRows_ = 1;
    int band_ = -1;  // the band in memory
    int bandFirst_ = 0, bandEnd_ = 0;
    bool dirty_ = false;
    int clipTop_ = 0, clipBottom_ = 0;
    std::unique_ptr<std::uint8_t[]> fill_;
    std::vector<std::uint8_t> buffer_;
    std::vector<std::uint8_t> rowReady_;  // per row of the band in memory: it holds its pixels
    CmykValue background_;
    std::vector<bool> written_;  // per band: its pixels are in the file
    bool failed_ = false;
    int error_ = 0;
};

}  // namespace brenmark
