#include "cli/cli.h"
#include "editor/document/program_folders.h"
#include "interchange/ui_text.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    // The messages' language: --lang zh|en, else BRENMARK_LANG, else the locale.
    brenmark::startUiLanguage(args, 0, brenmark::programFolders().shipped);
    const int status = brenmark::runCli(args, std::cout, std::cerr);
    brenmark::closeGuiApplication();
    return status;
}
