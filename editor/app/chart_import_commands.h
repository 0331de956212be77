#pragma once
// "导入其他软件的绣图": a chart of another program (Pattern Maker, PCStitch, KXStitch, OXS),
// the reader chosen by the file's content. The file dialog and messages go through the
// session's UserDialogs.
namespace brenmark {

class CommandRouter;
class EditorSession;

// Save prompt, the file dialog, then the chart as a new untitled pattern; a message says how
// the threads were matched, what the chart could not take and what the format's description
// left open. A refused file leaves the open pattern as it was.
bool importOtherChart(EditorSession& session);

void routeChartImportCommands(EditorSession& session, CommandRouter& router);

}  // namespace brenmark
