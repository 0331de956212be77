#pragma once
// Removing threads from a pattern. A thread leaves by having its table entries overwritten
// with another thread's colour, number and lock flag; cells keep their indices, so nothing
// that refers to a table position (layers, undo steps, symbols) has to be renumbered.
#include "editor/document/pattern_document.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace brenmark {

// Cells holding each table position, over the visible grid and every layer, hidden ones
// included. Values outside the table are not counted.
std::vector<std::int64_t> cellUsage(const PatternDocument& doc);

// Whether a backstitch line of the document or of any layer names the thread number.
bool linesUseThread(const PatternDocument& doc, std::string_view number);

// Locks or unlocks every entry of the thread table and of the colour list with the number, as
// the colour bar's lock box does.
void setThreadLocked(PatternDocument& doc, std::string_view number, bool locked);

// Position in doc.distinct (the colour bar's order) of the first thread that no cell and no
// line uses, or -1. Usage of a thread is summed over every table entry carrying its number.
int firstUnusedThread(const PatternDocument& doc);

// Whether deleteUnusedThreads would change anything: there is an unused thread and another
// thread to take its place.
bool hasRemovableUnusedThread(const PatternDocument& doc);

// The thread that takes over from the one with the given number: the colour nearest to
// colour among the table's threads that carry another number (distinct colours, first
// occurrence, squared RGB distance, earliest wins ties). -1 when there is none; else the
// table position of that thread's first occurrence.
int nearestRemainingThread(const ThreadTable& threads, std::string_view number, ColorRef colour);

struct ThreadChange {
    std::vector<int> positions;  // table entries that were overwritten
};

// Removes the thread with this number from the colour bar: its table entries (and the
// matching entries of every layer's own thread list, and their symbol slots) take the
// nearest remaining thread. No lock check. Returns false, changing nothing, when the number
// is not in the table or no other thread remains.
bool removeThread(PatternDocument& doc, std::string_view number, ThreadChange* change = nullptr);

// Removes the first unused thread, recounts, and repeats until none is left (or the last one
// standing has nothing to give way to). Returns how many threads were removed; the changed
// table positions are added to change.
int deleteUnusedThreads(PatternDocument& doc, ThreadChange* change = nullptr);

}  // namespace brenmark
