#include "editor/render/emf_records.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace brenmark::emf {
namespace {

// 480 pixels at 96 an inch are exactly 127 mm, so a screen of such steps states the
// resolution without rounding in the header's whole millimetres.
constexpr int kScreenStep = 480;
constexpr int kStepMillimetres = 127;

void put32(QByteArray& out, std::uint32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void putRect(QByteArray& out, const QRect& r)
{
    put32(out, static_cast<std::uint32_t>(r.left()));
    put32(out, static_cast<std::uint32_t>(r.top()));
    put32(out, static_cast<std::uint32_t>(r.right()));
    put32(out, static_cast<std::uint32_t>(r.bottom()));
}

int hundredthsOfMillimetre(int pixels)
{
    return static_cast<int>((static_cast<long long>(pixels) * 2540 + 48) / 96);
}

}  // namespace

void RecordStream::begin(std::uint32_t type)
{
    Q_ASSERT(start_ < 0);
    start_ = static_cast<int>(bytes_.size());
    u32(type);
    u32(0);  // the size, written by end()
}

void RecordStream::end()
{
    Q_ASSERT(start_ >= 0);
    align4();
    const auto size = static_cast<std::uint32_t>(bytes_.size() - start_);
    qToLittleEndian(size, bytes_.data() + start_ + 4);
    start_ = -1;
    ++records_;
}

void RecordStream::u16(std::uint16_t v)
{
    char b[2];
    qToLittleEndian(v, b);
    bytes_.append(b, 2);
}

void RecordStream::u32(std::uint32_t v)
{
    put32(bytes_, v);
}

void RecordStream::f32(float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, 4);
    u32(bits);
}

void RecordStream::rectl(const QRect& r)
{
    putRect(bytes_, r);
}

void RecordStream::utf16(QStringView text, int units)
{
    for (int i = 0; i < units; ++i)
        u16(i < text.size() ? text[i].unicode() : 0);
}

void RecordStream::align4()
{
    while ((bytes_.size() - start_) % 4)
        bytes_.append('\0');
}

QSize referencePixels(QSize drawing)
{
    auto steps = [](int units) { return std::max(1, (units + kScreenStep - 1) / kScreenStep); };
    return QSize(steps(drawing.width()) * kScreenStep, steps(drawing.height()) * kScreenStep);
}

QByteArray metafileBytes(const FileInfo& info, const RecordStream& records)
{
    // The description: application and picture name, each ended by a zero, and one more zero.
    QString description = info.description;
    if (!description.isEmpty() && !description.endsWith(QChar(0)))
        description += QChar(0);
    if (!description.isEmpty())
        description += QChar(0);
    const int descriptionBytes = static_cast<int>(description.size()) * 2;
    const int headerSize = kHeaderSize + (descriptionBytes + 3) / 4 * 4;
    const QSize device = referencePixels(info.size);
    const QSize millimetres(device.width() / kScreenStep * kStepMillimetres, device.height() / kScreenStep * kStepMillimetres);

    QByteArray out;
    out.reserve(headerSize + static_cast<int>(records.bytes().size()) + kEofSize);
    put32(out, EMR_HEADER);
    put32(out, static_cast<std::uint32_t>(headerSize));
    putRect(out, info.bounds.isEmpty() ? QRect(0, 0, 0, 0) : info.bounds);  // an empty QRect is (0,0)-(-1,-1)
    // The frame: the whole drawing in hundredths of a millimetre, inclusive.
    putRect(out, QRect(QPoint(0, 0), QPoint(hundredthsOfMillimetre(info.size.width()) - 1,
                                            hundredthsOfMillimetre(info.size.height()) - 1)));
    put32(out, kSignature);
    put32(out, kVersion);
    put32(out, static_cast<std::uint32_t>(headerSize + records.bytes().size() + kEofSize));
    put32(out, static_cast<std::uint32_t>(records.records() + 2));  // the header and EMR_EOF
    char handles[4];
    qToLittleEndian(static_cast<std::uint16_t>(info.handles), handles);
    qToLittleEndian(static_cast<std::uint16_t>(0), handles + 2);
    out.append(handles, 4);
    put32(out, static_cast<std::uint32_t>(description.size()));
    put32(out, description.isEmpty() ? 0u : static_cast<std::uint32_t>(kHeaderSize));
    put32(out, 0);  // palette entries
    put32(out, static_cast<std::uint32_t>(device.width()));
    put32(out, static_cast<std::uint32_t>(device.height()));
    put32(out, static_cast<std::uint32_t>(millimetres.width()));
    put32(out, static_cast<std::uint32_t>(millimetres.height()));
    put32(out, 0);  // no pixel format
    put32(out, 0);
    put32(out, 0);  // not OpenGL
    put32(out, static_cast<std::uint32_t>(millimetres.width() * 1000));
    put32(out, static_cast<std::uint32_t>(millimetres.height() * 1000));
    for (QChar c : description) {
        char b[2];
        qToLittleEndian(c.unicode(), b);
        out.append(b, 2);
    }
    out.append(headerSize - static_cast<int>(out.size()), '\0');

    out.append(records.bytes());

    put32(out, EMR_EOF);
    put32(out, kEofSize);
    put32(out, 0);   // no palette
    put32(out, 16);  // where a palette would start
    put32(out, kEofSize);
    return out;
}

}  // namespace brenmark::emf
