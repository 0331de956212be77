#include "editor/document/thread_operations.h"

#include "editor/document/thread_usage.h"

#include <algorithm>

namespace brenmark {

namespace {

bool namedBy(const std::vector<BackstitchLine>& lines, std::string_view number)
{
    return std::any_of(lines.begin(), lines.end(), [&](const BackstitchLine& l) { return l.thread == number; });
}

std::int64_t squaredDistance(ColorRef a, ColorRef b)
{
    const auto d = [](unsigned x, unsigned y) {
        const std::int64_t v = static_cast<std::int64_t>(x) - static_cast<std::int64_t>(y);
        return v * v;
    };
    return d(redOf(a), redOf(b)) + d(greenOf(a), greenOf(b)) + d(blueOf(a), blueOf(b));
}

}  // namespace

std::vector<std::int64_t> cellUsage(const PatternDocument& doc)
{
    return ThreadUsage::withLayers(doc).cells();
}

void setThreadLocked(PatternDocument& doc, std::string_view number, bool locked)
{
    if (doc.lockFlags.size() < doc.threads.colors.size())
        doc.lockFlags.resize(doc.threads.colors.size(), 0);
    for (std::size_t i = 0; i < doc.threads.numbers.size(); ++i)
        if (doc.threads.numbers[i] == number)
            doc.lockFlags[i] = locked ? 1 : 0;
    DistinctColors& list = doc.distinct;
    if (list.locks.size() < list.numbers.size())
        list.locks.resize(list.numbers.size(), 0);
    for (std::size_t i = 0; i < list.numbers.size(); ++i)
        if (list.numbers[i] == number)
            list.locks[i] = locked ? 1 : 0;
}

bool linesUseThread(const PatternDocument& doc, std::string_view number)
{
    if (namedBy(doc.lines, number))
        return true;
    for (const PatternLayer& layer : doc.layers.layers)
        if (namedBy(layer.lines, number) || (layer.floating && namedBy(layer.floating->lines, number)))
            return true;
    return false;
}

int firstUnusedThread(const PatternDocument& doc)
{
    const std::vector<std::int64_t> usage = cellUsage(doc);
    for (std::size_t d = 0; d < doc.distinct.numbers.size(); ++d) {
        const std::string& number = doc.distinct.numbers[d];
        std::int64_t count = 0;
        for (std::size_t i = 0; i < doc.threads.numbers.size(); ++i)
            if (doc.threads.numbers[i] == number)
                count += usage[i];
        if (count == 0 && !linesUseThread(doc, number))
            return static_cast<int>(d);
    }
    return -1;
}

int nearestRemainingThread(const ThreadTable& threads, std::string_view number, ColorRef colour)
{
    // The colour bar as it would be without the thread: each colour once, first occurrence.
    std::vector<ColorRef> seen;
    std::int64_t best = 1000000000;
    int bestPosition = -1;
    for (std::size_t i = 0; i < threads.colors.size(); ++i) {
        if (threads.numbers[i] == number)
            continue;
        const ColorRef c = threads.colors[i];
        if (std::find(seen.begin(), seen.end(), c) != seen.end())
            continue;
        seen.push_back(c);
        const std::int64_t distance = squaredDistance(c, colour);
        if (distance < best) {
            best = distance;
            bestPosition = static_cast<int>(i);
        }
    }
    return bestPosition;
}

bool hasRemovableUnusedThread(const PatternDocument& doc)
{
    const int d = firstUnusedThread(doc);
    if (d < 0)
        return false;
    const std::string& number = doc.distinct.numbers[static_cast<std::size_t>(d)];
    return nearestRemainingThread(doc.threads, number, doc.distinct.colors[static_cast<std::size_t>(d)]) >= 0;
}

bool removeThread(PatternDocument& doc, std::string_view number, ThreadChange* change)
{
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < doc.threads.numbers.size(); ++i)
        if (doc.threads.numbers[i] == number)
            positions.push_back(i);
    if (positions.empty())
        return false;
    const ColorRef oldColour = doc.threads.colors[positions.back()];
    const int r = nearestRemainingThread(doc.threads, number, oldColour);
    if (r < 0)
        return false;
    const auto rp = static_cast<std::size_t>(r);
    const ColorRef newColour = doc.threads.colors[rp];
    const std::string newNumber = doc.threads.numbers[rp];
    if (doc.lockFlags.size() < doc.threads.colors.size())
        doc.lockFlags.resize(doc.threads.colors.size(), 0);
    const std::uint32_t newLock = doc.lockFlags[rp];
    const bool symbols = symbolsAssigned(doc.symbols);

    // Lines naming the thread follow it too, so the same call serves threads in use.
    for (BackstitchLine& line : doc.lines)
        if (line.thread == number) {
            line.thread = newNumber;
            line.color = newColour;
        }
    for (const std::size_t i : positions) {
        doc.threads.colors[i] = newColour;
        doc.threads.numbers[i] = newNumber;
        doc.lockFlags[i] = newLock;
        if (i < doc.grid.colorValues.size())
            doc.grid.colorValues[i] = newColour;
        // One colour, one symbol: the entry takes its successor's symbol with its colour.
        if (symbols && i < doc.symbols.size() && rp < doc.symbols.size()) {
            doc.symbols[i].color = static_cast<std::int32_t>(newColour);
            doc.symbols[i].symbol = doc.symbols[rp].symbol;
        }
        if (change)
            change->positions.push_back(static_cast<int>(i));
    }
    // Each layer's own thread list is parallel to the table it was made from.
    for (PatternLayer& layer : doc.layers.layers) {
        for (const std::size_t i : positions)
            if (i < layer.threadColors.size() && i < layer.threadNumbers.size()) {
                layer.threadColors[i] = newColour;
                layer.threadNumbers[i] = newNumber;
            }
        for (BackstitchLine& line : layer.lines)
            if (line.thread == number) {
                line.thread = newNumber;
                line.color = newColour;
            }
    }
    doc.distinct.rebuild(doc.threads, doc.lockFlags);
    return true;
}

int deleteUnusedThreads(PatternDocument& doc, ThreadChange* change)
{
    doc.distinct.rebuild(doc.threads, doc.lockFlags);
    int removed = 0;
    // Every removal takes one number out of the table, so this ends.
    for (int d = firstUnusedThread(doc); d >= 0; d = firstUnusedThread(doc)) {
        const std::string number = doc.distinct.numbers[static_cast<std::size_t>(d)];
        if (!removeThread(doc, number, change))
            break;
        ++removed;
    }
    return removed;
}

}  // namespace brenmark
