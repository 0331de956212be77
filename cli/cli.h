#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace brenmark {

// brenmark-cli: args without the program name. Returns the exit status: 0 done, 1 the
// pattern, picture or palette could not be read or written or the operation was refused
// (with its message), 2 bad usage (for new, a size no pattern can have included, with what
// is wrong with it).
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// Ends the GUI application an export made (painting text needs one). Called before the
// program ends: Qt's font caches live in thread storage that is gone by the time static
// objects are destroyed, so the application must not outlive main.
void closeGuiApplication();

}  // namespace brenmark
