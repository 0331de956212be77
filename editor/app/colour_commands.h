#pragma once
// The colour operations as editor commands: each asks its dialog, runs the operation on the
// open pattern, brings the view's pictures and the current thread up to date and tells the
// session what changed. The colour bar's context menu and the tests run them by id.
#include "editor/app/colour_dialogs.h"
#include "editor/app/command_router.h"
#include "editor/app/confetti_brush.h"
#include "editor/output/colour_operations.h"
#include "interchange/ui_text.h"

#include <functional>
#include <string>
#include <vector>

namespace brenmark {

class EditorSession;

// Ids of our own beside the frame's commands.
enum ColourCommandId : int {
    CmdSubtractThread = 40201,
    CmdReduceColours,
    CmdReplaceColour,
    CmdAreaReplaceColour,
    CmdHollowOutColour,
    CmdDeleteUnusedThreads,
    CmdAddThread,
    CmdClearLocks,
    CmdReplaceOutlineThread,
    CmdChangeSymbol,
    CmdCleanConfetti,  // "清理单针"
    CmdUseClearSymbols,  // "改用清晰符号"
};

inline constexpr const char* kMenuSubtractThread = UI_TEXT_NOOP("减去被选颜色");
inline constexpr const char* kMenuConvertBrand = UI_TEXT_NOOP("转换绣线系列");

class ColourCommands {
public:
    ColourCommands(EditorSession& session, ColourDialogs& dialogs, MessageBoxes& messages);
    ~ColourCommands();
    ColourCommands(const ColourCommands&) = delete;
    ColourCommands& operator=(const ColourCommands&) = delete;

    // Registers every command of the colour bar with the router.
    void route(CommandRouter& router);
    bool run(int id);

    // The colour bar's brand menu: every other brand of the thread kind list.
    std::vector<BrandMenuItem> brandMenu() const;
    bool convertBrand(const std::string& brand);

private:
    bool runOperation(int id);
    bool subtract();
    bool reduce();
    bool replace(bool inSelection);
    bool hollowOut();
    bool addThread();
    bool replaceOutlineThread();
    bool changeSymbol();
    bool cleanConfetti();
    // The brush of the tools: the cells it gathered, at the strength chosen last.
    void cleanConfettiWithin(const std::function<bool(int column, int row)>& within);
    // Brings the view and the current thread up to date and refreshes the windows.
    bool apply(const ColourChange& change);

    std::vector<ThreadChoice> paletteThreads() const;
    std::vector<ThreadChoice> patternThreads() const;

    EditorSession& session_;
    ColourDialogs& dialogs_;
    ColourOperations operations_;
    int confettiStrength_ = 5;
    ConfettiBrush brush_;
};

}  // namespace brenmark
