#pragma once
// The names of a brand's threads ("Snow White" for DMC B5200), read from "<brand>.names"
// beside its system palette, which the palette build writes from the same thread table
// ("number<TAB>name" lines, UTF-8). The key, the statistics window and the OXS files name
// threads from it.
#include "editor/document/palette_file.h"

#include <map>
#include <string>

namespace brenmark {

// Thread number -> name, both GBK.
using ThreadNames = std::map<std::string, std::string>;

// Empty when the brand has no names file (or a file too long to be one).
ThreadNames loadThreadNames(const PaletteStore& palettes, const std::string& brand);

// The name of a thread number, empty when it has none.
const std::string& threadName(const ThreadNames& names, const std::string& number);

}  // namespace brenmark
