#pragma once
// The pattern path on the page writer's command line, as the editor scrambled it.
#include <optional>
#include <string>
#include <vector>

namespace brenmark {

// The text after the program name: the arguments joined by one blank, the blanks before
// the letters left out.
std::string argumentText(const std::vector<std::string>& arguments);
// The path the letters decode to, when it names a pattern (".xiu" anywhere in its lower
// case); nothing for anything else, after which the program ends without a window.
std::optional<std::string> decodePatternArgument(const std::string& text);

}  // namespace brenmark
