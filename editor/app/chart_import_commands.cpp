#include "editor/app/chart_import_commands.h"

#include "editor/app/app_commands.h"
#include "editor/app/command_router.h"
#include "editor/app/editor_session.h"
#include "editor/output/foreign_chart.h"

namespace brenmark {

bool importOtherChart(EditorSession& session)
{
    DocumentCommands& commands = session.commands();
    UserDialogs& dialogs = commands.dialogs();
    if (!commands.offerSave())
        return false;
    const auto path = dialogs.openFile(kForeignImportCaption, kForeignImportFilter);
    if (!path)
        return false;
    ChartImport result = importChartFile(*path, session.palettes());
    if (!result.pattern) {
        dialogs.show(result.error, kTitleInfo, MessageIcon::Warning);
        return false;
    }
    const std::string summary = chartImportSummary(result);
    commands.replacePattern(std::move(*result.pattern), std::string());
    dialogs.show(summary, kTitleInfo, MessageIcon::Information);
    return true;
}

void routeChartImportCommands(EditorSession& session, CommandRouter& router)
{
    router.add(CmdImportOtherChart, [&session](int, Modifiers) { return importOtherChart(session); });
}

}  // namespace brenmark
