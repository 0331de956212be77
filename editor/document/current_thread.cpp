#include "editor/document/current_thread.h"

#include "editor/document/pattern_document.h"

#include <algorithm>

namespace brenmark {

void CurrentThreadChoice::chooseColour(ColorRef colour)
{
    current_.colour = colour;
    current_.index = -1;
    current_.number.clear();
    for (int i = 0; i < doc_.threads.size(); ++i)
        if (doc_.threads.colors[static_cast<std::size_t>(i)] == colour) {
            current_.index = i;
            current_.number = doc_.threads.numbers[static_cast<std::size_t>(i)];
            break;
        }
}

bool CurrentThreadChoice::stillInTable() const
{
    const auto& colours = doc_.threads.colors;
    return doc_.isThread(current_.index) && std::find(colours.begin(), colours.end(), current_.colour) != colours.end();
}

}  // namespace brenmark
