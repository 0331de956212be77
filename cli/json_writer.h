#pragma once
// A small streaming JSON writer that keeps keys in the order they are written.
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    JsonWriter& beginObject() { return open('{'); }
    JsonWriter& endObject() { return close('}'); }
    JsonWriter& beginArray() { return open('['); }
    JsonWriter& endArray() { return close(']'); }
    JsonWriter& key(std::string_view k);
    // UTF-8 text.
    JsonWriter& value(std::string_view utf8);
    JsonWriter& value(const char* utf8) { return value(std::string_view(utf8)); }
    JsonWriter& value(std::int64_t n);
    JsonWriter& value(int n) { return value(static_cast<std::int64_t>(n)); }
    JsonWriter& value(bool b);
    // A finite number with the given digits after the point.
    JsonWriter& number(double d, int decimals);
    // Writes many integers without per-value bookkeeping (cell arrays).
    JsonWriter& intArray(const std::int32_t* values, std::size_t count);

private:
    JsonWriter& open(char c);
    JsonWriter& close(char c);
    void separate();

    std::ostream& out_;
    std::vector<bool> first_;  // per open container: no element written yet
    bool afterKey_ = false;
};

std::string hexColor(std::uint32_t colorRef);

}  // namespace brenmark
