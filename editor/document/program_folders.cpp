#include "editor/document/program_folders.h"

#include "interchange/file_bytes.h"
#include "editor/document/program_directory.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace brenmark {
namespace {

std::string withSlash(std::string dir)
{
    if (!dir.empty() && dir.back() != '/')
        dir.push_back('/');
    return dir;
}

// Makes every missing folder of path; true when it is a folder afterwards.
bool makeFolders(const std::string& path)
{
    for (std::size_t at = 1; at <= path.size(); ++at) {
        if (at < path.size() && path[at] != '/')
            continue;
        const std::string part = path.substr(0, at);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return directoryExists(path);
}

}  // namespace

ProgramFolders folderRules(const std::string& exeDir, const char* xdgDataHome, const char* home)
{
    ProgramFolders f;
    const std::string dir = withSlash(exeDir);
    const std::string bin = "/bin/";
    if (dir.size() > bin.size() && dir.compare(dir.size() - bin.size(), bin.size(), bin) == 0) {
        const std::string prefix = dir.substr(0, dir.size() - bin.size() + 1);  // ends in "/"
        if (directoryExists(prefix + "share/brenmark")) {
            f.installed = true;
            f.shipped = prefix + "share/brenmark/";
            f.plugins = prefix + "lib/brenmark/";
            if (xdgDataHome && *xdgDataHome == '/')
                f.user = withSlash(xdgDataHome) + "brenmark/";
            else if (home && *home)
                f.user = withSlash(home) + ".local/share/brenmark/";
            else
                f.user = f.shipped;  // no home to write to: nothing but the shipped folders
            return f;
        }
    }
    f.shipped = f.plugins = f.user = dir;
    return f;
}

const ProgramFolders& programFolders()
{
    static const ProgramFolders folders = folderRules(programDirectory(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    return folders;
}

int seedWorkingPalettes(const ProgramFolders& folders)
{
    const std::string working = folders.user + "PAL/";
    if (!makeFolders(working))
        return -1;
    int copied = 0;
    const std::string system = folders.shipped + "SysPAL/";
    DIR* d = ::opendir(system.c_str());
    if (!d)
        return 0;
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".pal") == 0)
            names.push_back(name);
    }
    ::closedir(d);
    for (const std::string& name : names) {
        if (fileExists(working + name))
            continue;
        std::vector<std::uint8_t> bytes;
        if (readWholeFile(system + name, bytes) && replaceFile(working + name, bytes))
            ++copied;
    }
    return copied;
}

}  // namespace brenmark
