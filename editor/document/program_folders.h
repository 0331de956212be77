#pragma once
// Where the program finds what ships with it and where it writes. Run from the build tree,
// both are the executable's folder, as they always were. Installed (the executable in
// <prefix>/bin beside a <prefix>/share/brenmark folder), what ships is read from
// <prefix>/share/brenmark/ (plug-ins from <prefix>/lib/brenmark/DllPin/), and what the program
// writes goes to the user's data folder, $XDG_DATA_HOME/brenmark/ (~/.local/share/brenmark/).
#include <string>

namespace brenmark {

struct ProgramFolders {
    std::string shipped;  // SysPAL/, cmyk/, the splash, the sample: read only
    std::string plugins;  // the folder holding the shipped DllPin/
    std::string user;     // PAL/, user.data, service.url, the user's own DllPin/
    bool installed = false;
};

// The rules for an executable in exeDir (ending in "/"), from the environment's
// XDG_DATA_HOME and HOME (either may be null or empty). Every folder ends in "/".
ProgramFolders folderRules(const std::string& exeDir, const char* xdgDataHome, const char* home);

// The rules for this process, found once.
const ProgramFolders& programFolders();

// Makes the user's folder (and PAL/ in it) when missing and copies every system palette the
// user has no working palette of; a palette already there is never touched. Returns how many
// were copied, -1 when the folder cannot be made.
int seedWorkingPalettes(const ProgramFolders& folders);

}  // namespace brenmark
