#include "cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace brenmark {

void JsonWriter::separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back())
            out_.put(',');
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::open(char c)
{
    separate();
    out_.put(c);
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::close(char c)
{
    first_.pop_back();
    out_.put(c);
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view k)
{
    value(k);
    out_.put(':');
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view s)
{
    separate();
    out_.put('"');
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out_ << "\\\""; break;
        case '\\': out_ << "\\\\"; break;
        case '\n': out_ << "\\n"; break;
        case '\r': out_ << "\\r"; break;
        case '\t': out_ << "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out_ << buf;
            } else {
                out_.put(ch);
            }
        }
    }
    out_.put('"');
    return *this;
}

JsonWriter& JsonWriter::number(double d, int decimals)
{
    separate();
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::isfinite(d) ? d : 0.0, std::chars_format::fixed, decimals);
    out_.write(buf, r.ptr - buf);
    return *this;
}

JsonWriter& JsonWriter::value(std::int64_t n)
{
    separate();
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, n);
    out_.write(buf, r.ptr - buf);
    return *this;
}

JsonWriter& JsonWriter::value(bool b)
{
    separate();
    out_ << (b ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::intArray(const std::int32_t* values, std::size_t count)
{
    separate();
    std::string text;
    text.reserve(count * 3 + 2);
    text.push_back('[');
    char buf[12];
    for (std::size_t i = 0; i < count; ++i) {
        if (i)
            text.push_back(',');
        const auto r = std::to_chars(buf, buf + sizeof buf, values[i]);
        text.append(buf, r.ptr);
    }
    text.push_back(']');
    out_ << text;
    return *this;
}

std::string hexColor(std::uint32_t c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFFu, (c >> 8) & 0xFFu, (c >> 16) & 0xFFu);
    return buf;
}

}  // namespace brenmark
