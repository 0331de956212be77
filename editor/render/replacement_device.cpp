#include "editor/render/replacement_device.h"

#include <cerrno>
#include <span>

namespace brenmark {

namespace {

// The length of the UTF-8 sequence starting at s[i], 0 when the bytes there are not one.
std::size_t utf8Length(const std::string& s, std::size_t i)
{
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t n = 0;
    std::uint32_t min = 0;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    std::uint32_t cp = c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

}  // namespace

QString fileNameFromBytes(const std::string& bytes)
{
    QString name;
    name.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t n = utf8Length(bytes, i);
        if (n == 0) {
            name += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[i])));
            ++i;
        } else {
            name += QString::fromUtf8(bytes.data() + i, static_cast<qsizetype>(n));
            i += n;
        }
    }
    return name;
}

std::string fileNameBytes(const QString& name)
{
    std::string bytes;
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = name.at(i).unicode();
        if (u >= 0xDC80 && u <= 0xDCFF) {
            // An escaped byte, unless it is the low half of a pair (which UTF-16 never
            // starts with, so a lone low half is ours).
            const bool paired = i > 0 && QChar::isHighSurrogate(name.at(i - 1).unicode());
            if (!paired) {
                bytes += static_cast<char>(u - 0xDC00);
                continue;
            }
        }
        if (QChar::isHighSurrogate(u) && i + 1 < size && QChar::isLowSurrogate(name.at(i + 1).unicode())) {
            bytes += name.mid(i, 2).toUtf8().toStdString();
            ++i;
            continue;
        }
        bytes += QString(QChar(u)).toUtf8().toStdString();
    }
    return bytes;
}

ReplacementDevice::ReplacementDevice(const QString& path) : path_(fileNameBytes(path)) {}

ReplacementDevice::~ReplacementDevice() = default;  // an uncommitted file is removed

bool ReplacementDevice::begin()
{
    file_ = std::make_unique<ReplacementFile>(path_);
    if (!file_->ok()) {
        error_ = file_->error();
        return false;
    }
    return open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 ReplacementDevice::writeData(const char* data, qint64 size)
{
    if (!file_)
        return -1;
    // After a failure or a stop the bytes are dropped but taken: Qt's PNG and JPEG writers
    // leave their encoders by a long jump when a write is refused, leaking their row
    // buffers, so they are let run to their end instead. commit() then fails with the
    // first error, and the temporary file goes.
    if (error_ == 0 && cancelled_ && cancelled_())
        error_ = ECANCELED;
    if (error_ == 0 && file_->ok())
        file_->write(std::span(reinterpret_cast<const std::uint8_t*>(data), static_cast<std::size_t>(size)));
    return size;
}

bool ReplacementDevice::commit()
{
    if (!file_)
        return false;
    if (isOpen())
        close();
    if (error_ == ECANCELED || (error_ == 0 && file_->ok() && cancelled_ && cancelled_())) {
        error_ = ECANCELED;
        file_.reset();  // removes the temporary file
        return false;
    }
    const bool done = file_->commit();
    if (!done)
        error_ = file_->error() ? file_->error() : EIO;
    return done;
}

std::string ReplacementDevice::failure() const
{
    if (error_ == 0 && file_ && file_->error() != 0)
        return writeFailureReason(file_->error());
    return error_ ? writeFailureReason(error_) : std::string();
}

}  // namespace brenmark
