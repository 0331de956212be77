#pragma once
// "导入OXS绣图" and "导出OXS绣图": charts exchanged with other cross-stitch programs. The
// file dialogs and messages go through the session's UserDialogs.
namespace brenmark {

class CommandRouter;
class EditorSession;

// Save prompt, the file dialog, then the chart as a new untitled pattern; a message says how
// the threads were matched and what the chart could not take. A refused file leaves the open
// pattern as it was.
bool importOxs(EditorSession& session);
// The visible chart to a file; the message says what the file does not keep.
bool exportOxs(EditorSession& session);

void routeOxsCommands(EditorSession& session, CommandRouter& router);

}  // namespace brenmark
