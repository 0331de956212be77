#pragma once
// The thread chosen for drawing: editing state that the tools, the colour operations and the
// undo history share. Its owner passes it by reference to whatever reads or changes it.
#include "editor/document/color_ref.h"

#include <cstdint>
#include <string>

namespace brenmark {

class PatternDocument;

// A thread as the tools draw with it: its index in the thread table (-1 = none chosen), its
// colour and its number.
struct CurrentThread {
    std::int32_t index = -1;
    ColorRef colour = 0;
    std::string number;
    bool operator==(const CurrentThread&) const = default;
};

class CurrentThreadChoice {
public:
    explicit CurrentThreadChoice(const PatternDocument& doc) : doc_(doc) {}
    CurrentThreadChoice(const CurrentThreadChoice&) = delete;
    CurrentThreadChoice& operator=(const CurrentThreadChoice&) = delete;

    const CurrentThread& thread() const { return current_; }
    ColorRef colour() const { return current_.colour; }
    bool chosen() const { return current_.index >= 0; }
    void set(const CurrentThread& thread) { current_ = thread; }
    // The first thread of the document's table in that colour; none (index -1, no number)
    // when no thread has it, the colour is kept either way.
    void chooseColour(ColorRef colour);
    // The chosen thread is still in the thread table with its colour (a colour operation may
    // have removed it since).
    bool stillInTable() const;

private:
    const PatternDocument& doc_;
    CurrentThread current_;
};

}  // namespace brenmark
