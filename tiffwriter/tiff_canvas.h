#pragma once
// The page as a file: an uncompressed CMYK TIFF whose one strip of pixels is the drawing
// surface. The header, the 11-entry directory and the background are written first, in
// order; drawing then goes into the file through a memory map of a band of rows at a time,
// so a page of hundreds of megabytes costs a band of address space, never a page in memory,
// and no pixel needs a seek and a write of its own. The file is written beside its name and
// renamed over it once finished, so a failed or abandoned page leaves nothing under the name.
#include "tiffwriter/cmyk_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace brenmark {

class TiffCanvas {
public:
    static constexpr std::uint32_t kPixelOffset = 146;  // 8 + 2 + 11 × 12 + 4
    static constexpr std::size_t kFillBufferBytes = 40000;
    static constexpr int kMaxSide = 65535;  // width and length are SHORT fields

    enum class Result { Created, TooLarge, CannotCreate, NoMemory };
    using StatusText = std::function<void(const std::string&)>;

    // The 146 bytes before the pixels of a w × h page.
    static std::array<std::uint8_t, kPixelOffset> headerBytes(std::uint32_t w, std::uint32_t h);
    // Whether a w × h page can be written: sides 1 … 65535 and every offset of the file
    // within the 32 bits TIFF has.
    static bool fits(std::int64_t w, std::int64_t h);
    static std::uint64_t fileSize(std::int64_t w, std::int64_t h) { return kPixelOffset + static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) * 4; }

    TiffCanvas() = default;
    ~TiffCanvas();
    TiffCanvas(const TiffCanvas&) = delete;
    TiffCanvas& operator=(const TiffCanvas&) = delete;

    // Shows "初始化文件", writes the header and fills the page with the background from a
    // 40000-byte buffer, and shows "初始化文件完毕", or "初始化文件失败" when it cannot.
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
    void fillRect(int x, int y, int w, int h, CmykValue v);
    // Writes v where a one-byte-per-pixel mask of w × h at (x, y) is nonzero.
    void stamp(int x, int y, int w, int h, const std::uint8_t* mask, std::size_t stride, CmykValue v);
    CmykValue pixel(int x, int y);

    // Rows per mapped band; set before drawing (tests use small bands to cross them).
    void setBandBytes(std::size_t bytes) { bandBytes_ = bytes; }
    std::size_t bandRows() const { return static_cast<std::size_t>(bandRows_); }

    // Unmaps, optionally syncs, closes and renames over the chosen name. False (and nothing
    // under the name) when a write failed.
    bool finish(bool sync = true);
    // Closes and removes the working file.
    void abandon();

private:
    std::uint8_t* row(int y);
    bool mapBand(int band);
    void unmap();

    std::string path_, working_;
    int fd_ = -1;
    int w_ = 0, h_ = 0;
    std::size_t rowBytes_ = 0;
    std::size_t bandBytes_ = 8u << 20;
    int bandRows_ = 1;
    int bandFirst_ = 0, bandEnd_ = 0;  // rows of the mapped band
    std::uint8_t* map_ = nullptr;
    std::size_t mapLength_ = 0;
    std::uint64_t mapStart_ = 0;  // file offset of map_[0]
    bool failed_ = false;
};

}  // namespace brenmark
