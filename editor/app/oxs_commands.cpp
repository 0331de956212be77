#include "editor/app/oxs_commands.h"

#include "editor/app/app_commands.h"
#include "editor/app/command_router.h"
#include "editor/app/editor_session.h"
#include "editor/output/oxs_file.h"
#include "interchange/code_page.h"
#include "interchange/file_bytes.h"
#include "interchange/ui_text.h"

namespace brenmark {
namespace {

// The chosen name with ".oxs" unless it already ends so.
std::string withOxsExtension(std::string path)
{
    const std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    std::string lower = tail;
    for (char& c : lower)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower != ".oxs")
        path += ".oxs";
    return path;
}

// The open pattern's path with ".oxs" in place of its extension.
std::string suggestedName(const std::string& current)
{
    if (current.empty())
        return {};
    const std::size_t slash = current.find_last_of('/');
    const std::size_t dot = current.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        return current.substr(0, dot) + ".oxs";
    return current + ".oxs";
}

}  // namespace

bool importOxs(EditorSession& session)
{
    DocumentCommands& commands = session.commands();
    UserDialogs& dialogs = commands.dialogs();
    if (!commands.offerSave())
        return false;
    const auto path = dialogs.openFile(kOxsImportCaption, kOxsFilter);
    if (!path)
        return false;
    OxsImport result = loadOxs(*path, session.palettes());
    if (!result.pattern) {
        dialogs.show(result.error, kTitleInfo, MessageIcon::Warning);
        return false;
    }
    const std::string summary = oxsImportSummary(result);
    commands.replacePattern(std::move(*result.pattern), std::string());
    dialogs.show(summary, kTitleInfo, MessageIcon::Information);
    return true;
}

bool exportOxs(EditorSession& session)
{
    DocumentCommands& commands = session.commands();
    if (!commands.isOpen())
        return false;
    UserDialogs& dialogs = commands.dialogs();
    const auto chosen = dialogs.saveFile(kOxsExportCaption, kOxsFilter, suggestedName(commands.currentPath()));
    if (!chosen)
        return false;
    const std::string path = withOxsExtension(*chosen);
    if (fileExists(path) && !dialogs.askYesNo(utf8ToGbk(path) + uiText(kAskReplaceFile), kOxsExportCaption))
        return false;
    std::vector<std::string> dropped;
    std::string error;
    if (!saveOxs(session.document(), path, session.fabricName(), &dropped, &error,
                 loadThreadNames(session.palettes(), session.document().brand))) {
        dialogs.show(error, kTitleInfo, MessageIcon::Warning);
        return false;
    }
    dialogs.show(oxsExportSummary(dropped), kTitleInfo, MessageIcon::Information);
    return true;
}

void routeOxsCommands(EditorSession& session, CommandRouter& router)
{
    router.add(CmdImportOxs, [&session](int, Modifiers) { return importOxs(session); });
    router.add(CmdExportOxs, [&session](int, Modifiers) { return exportOxs(session); });
}

}  // namespace brenmark
