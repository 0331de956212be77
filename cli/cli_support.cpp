#include "cli/cli_support.h"

#include "interchange/file_bytes.h"
#include "editor/document/program_directory.h"
#include "editor/document/program_folders.h"
#include "interchange/code_page.h"
#include "interchange/ui_text.h"

namespace brenmark::cli {

void StderrMessages::show(const std::string& text, const std::string&, MessageIcon)
{
    err_ << gbkToUtf8(uiTextOf(text)) << '\n';
    ++shown_;
}

// Why a path could not be opened, when the path itself is the reason (the reader has said
// so in its own words already).
std::string pathProblem(const std::string& path)
{
    switch (pathKind(path)) {
    case PathKind::RegularFile:
        return {};
    case PathKind::Missing:
        return ": no such file";
    case PathKind::Folder:
        return ": it is a folder";
    case PathKind::Pipe:
        return ": it is a pipe";
    case PathKind::Device:
        return ": it is a device";
    case PathKind::Socket:
        return ": it is a socket";
    case PathKind::Other:
        break;
    }
    return ": it is not a regular file";
}

std::string programDirFrom(Args& args)
{
    if (auto dir = args.option("--program-dir"))
        return *dir;
    return programFolders().shipped;
}

}  // namespace brenmark::cli
