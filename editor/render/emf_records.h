#pragma once
// The bytes of an enhanced metafile: record numbers and constants of the GDI subset the
// metafile writer uses, a little-endian record builder that keeps every record a multiple of
// four bytes, and the file around the records (the header in front, EMR_EOF behind).
#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QStringView>

#include <cstdint>

namespace brenmark::emf {

// Record types.
enum RecordType : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETSTRETCHBLTMODE = 21,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_LINETO = 54,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_POLYPOLYLINE16 = 90,
    EMR_POLYPOLYGON16 = 91,
    EMR_EXTCREATEPEN = 95,
    EMR_ALPHABLEND = 114,
};

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x00010000;
constexpr int kHeaderSize = 108;  // with the pixel format fields and the micrometre size
constexpr int kEofSize = 20;

// Stock objects, selected by these numbers instead of a handle.
constexpr std::uint32_t NULL_BRUSH = 0x80000005;
constexpr std::uint32_t NULL_PEN = 0x80000008;

constexpr std::uint32_t MM_TEXT = 1;
constexpr std::uint32_t TRANSPARENT = 1;
constexpr std::uint32_t ALTERNATE = 1, WINDING = 2;
constexpr std::uint32_t COLORONCOLOR = 3, HALFTONE = 4;
constexpr std::uint32_t TA_BASELINE = 24;
constexpr std::uint32_t GM_COMPATIBLE = 1;
constexpr std::uint32_t BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2;
constexpr std::uint32_t PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5;
constexpr std::uint32_t PS_ENDCAP_ROUND = 0, PS_ENDCAP_SQUARE = 0x100, PS_ENDCAP_FLAT = 0x200;
constexpr std::uint32_t PS_JOIN_ROUND = 0, PS_JOIN_BEVEL = 0x1000, PS_JOIN_MITER = 0x2000;
constexpr std::uint32_t PS_GEOMETRIC = 0x10000;
constexpr std::uint32_t DIB_RGB_COLORS = 0;
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint8_t GB2312_CHARSET = 134;
constexpr std::uint8_t DEFAULT_CHARSET = 1;

// GDI's colour: 0x00BBGGRR.
constexpr std::uint32_t colorRef(int r, int g, int b)
{
    return static_cast<std::uint32_t>(r & 0xFF) | static_cast<std::uint32_t>(g & 0xFF) << 8 |
           static_cast<std::uint32_t>(b & 0xFF) << 16;
}

// Collects records. begin() opens one, the put calls append to it, end() pads it to four
// bytes and writes its size; records are counted as they close.
class RecordStream {
public:
    void begin(std::uint32_t type);
    void end();

    void u8(std::uint8_t v) { bytes_.append(static_cast<char>(v)); }
    void u16(std::uint16_t v);
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void u32(std::uint32_t v);
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f32(float v);
    void raw(const QByteArray& data) { bytes_.append(data); }
    void zeros(int count) { bytes_.append(count, '\0'); }
    // Inclusive rectangle (left, top, right, bottom) as four 32-bit values.
    void rectl(const QRect& r);
    // A UTF-16 string in exactly `units` code units, cut or padded with zeros.
    void utf16(QStringView text, int units);
    // Pads the open record to a multiple of four bytes.
    void align4();

    // Offset of the next byte from the start of the open record.
    int offsetInRecord() const { return static_cast<int>(bytes_.size()) - start_; }
    int records() const { return records_; }
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
    int start_ = -1;
    int records_ = 0;
};

struct FileInfo {
    QSize size;           // the drawing in logical units (96 a inch)
    QRect bounds;         // what was drawn, in logical units; empty for nothing
    int handles = 1;      // the handle table's size, slot 0 included
    QString description;  // application and picture name, or empty
};

// The whole file: header, the records, EMR_EOF.
QByteArray metafileBytes(const FileInfo& info, const RecordStream& records);

// The reference device of the header: a 96-per-inch screen at least as large as the
// drawing, in pixels and millimetres.
QSize referencePixels(QSize drawing);

}  // namespace brenmark::emf
