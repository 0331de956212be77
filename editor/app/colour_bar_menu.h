#pragma once
// The colour operations on the colour bar's right-click menu, after its orders: each entry
// runs its command through the router; the brand entry lists every other brand when the
// menu opens.
#include <memory>

class QMenu;
class QWidget;

namespace brenmark {

class ColourCommands;
class ColourDialogs;
class CommandRouter;
class EditorSession;
class MessageBoxes;

// The colour commands of the session, routed; with the real dialogs (kept in own) unless
// given some.
std::unique_ptr<ColourCommands> makeColourCommands(EditorSession& session, ColourDialogs* given,
                                                   std::unique_ptr<ColourDialogs>& own, MessageBoxes& messages,
                                                   QWidget* parent);

void addColourCommands(QMenu& menu, const CommandRouter& router, ColourCommands& commands);

}  // namespace brenmark
