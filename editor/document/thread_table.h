#pragma once
#include "editor/document/color_ref.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

constexpr std::int32_t EmptyCell = -1;
// Cells are stored as bytes with 0xFF meaning empty, so a pattern holds at most 255 threads.
constexpr int kMaxThreads = 255;

// Thread numbers are compared as exact bytes; the first match wins.
int findNumber(const std::vector<std::string>& numbers, std::string_view number);

// The threads cells refer to, by position: two parallel lists of equal length.
struct ThreadTable {
    std::vector<ColorRef> colors;
    std::vector<std::string> numbers;

    int size() const { return static_cast<int>(colors.size()); }
    bool empty() const { return colors.empty(); }
    void add(ColorRef color, std::string number)
    {
        colors.push_back(color);
        numbers.push_back(std::move(number));
    }
    void clear()
    {
        colors.clear();
        numbers.clear();
    }
    int findByNumber(std::string_view number) const { return findNumber(numbers, number); }
    bool operator==(const ThreadTable&) const = default;
};

// Each colour of a thread table once, at its first occurrence, with that thread's number:
// the main window's colour list, with a lock mark per colour.
struct DistinctColors {
    std::vector<ColorRef> colors;
    std::vector<std::string> numbers;
    std::vector<std::uint32_t> locks;

    void addIfNew(ColorRef color, const std::string& number);
    void rebuild(const ThreadTable& threads);
    // The same, each colour taking the lock flag of its first table entry (flags parallel to
    // the table; missing ones are unlocked).
    void rebuild(const ThreadTable& threads, const std::vector<std::uint32_t>& lockFlags);
    void clear()
    {
        colors.clear();
        numbers.clear();
        locks.clear();
    }
};

}  // namespace brenmark
