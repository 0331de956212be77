#include "editor/document/thread_table.h"

#include <algorithm>

namespace brenmark {

int findNumber(const std::vector<std::string>& numbers, std::string_view number)
{
    const auto it = std::find(numbers.begin(), numbers.end(), number);
    return it == numbers.end() ? -1 : static_cast<int>(it - numbers.begin());
}

void DistinctColors::addIfNew(ColorRef color, const std::string& number)
{
    if (std::find(colors.begin(), colors.end(), color) != colors.end())
        return;
    colors.push_back(color);
    numbers.push_back(number);
    locks.push_back(0);
}

void DistinctColors::rebuild(const ThreadTable& threads)
{
    clear();
    for (std::size_t i = 0; i < threads.colors.size(); ++i)
        addIfNew(threads.colors[i], threads.numbers[i]);
}

void DistinctColors::rebuild(const ThreadTable& threads, const std::vector<std::uint32_t>& lockFlags)
{
    clear();
    for (std::size_t i = 0; i < threads.colors.size(); ++i) {
        const std::size_t before = colors.size();
        addIfNew(threads.colors[i], threads.numbers[i]);
        if (colors.size() > before && i < lockFlags.size())
            locks.back() = lockFlags[i];
    }
}

}  // namespace brenmark
