#pragma once
// What the outline editing needs of the windows around it: the selection it deletes lines
// from, the main window's displays, and the dialogs it asks the user through. Each has a
// plain implementation in the editor and a scripted one in the tests.
#include "editor/document/backstitch_line.h"
#include "editor/document/color_ref.h"
#include "editor/view/selection/selection_commands.h"
#include "interchange/ui_text.h"

#include <QPoint>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace brenmark {

// The area selection as the outline commands read it.
struct SelectionMembership {
    virtual ~SelectionMembership() = default;
    // The outline is finished (a polygon, not still being drawn).
    virtual bool closed() const = 0;
    // The cell belongs to the selection.
    virtual bool contains(int column, int row) const = 0;
};

// Any selection object with the same two questions, seen through this interface.
template <class Selection>
class MembershipOf final : public SelectionMembership {
public:
    explicit MembershipOf(const Selection& selection) : selection_(selection) {}
    bool closed() const override { return selection_.closed(); }
    bool contains(int column, int row) const override { return selection_.contains(column, row); }

private:
    const Selection& selection_;
};

// Every call has a do-nothing default.
class BackstitchHost {
public:
    virtual ~BackstitchHost() = default;
    virtual void repaintView() {}
    // The rubber band moved or went away.
    virtual void overlayChanged() {}
    // A line was picked: the status display shows it (text is GBK, see lineStatusText).
    virtual void showLineStatus(const BackstitchLine& /*line*/, const std::string& /*text*/) {}
    virtual void clearLineStatus() {}
    // Lines changed thread or went away: thread usage and other derived displays recount.
    virtual void patternEdited() {}
    // The context menu of the picked line ("更换指定描边颜色", "删除选中的描边"), at a
    // client point of the view.
    virtual void lineMenu(QPoint /*client*/) {}
    // A tracing picture was loaded: the tool window's "显示底图" box is shown and checked
    // and its "不显网线" box unchecked.
    virtual void tracingPictureShown() {}
    // Lines of the selection were deleted: the selection redraws its mask.
    virtual void selectionLinesDeleted() {}
};

// A thread the colour-change dialog offers.
struct LineThreadChoice {
    std::string number;  // GBK
    ColorRef colour = 0;
    bool operator==(const LineThreadChoice&) const = default;
};

// What the colour-change dialog shows: the picked line's thread and the pattern's threads.
struct LineColourOffer {
    LineThreadChoice current;
    std::vector<LineThreadChoice> threads;
};

// The user's answer: an index into the offered threads (-1 when none was chosen) and
// whether every line of the old colour changes, not only the picked one.
struct LineColourAnswer {
    int thread = -1;
    bool allLines = false;
    bool operator==(const LineColourAnswer&) const = default;
};

class BackstitchDialogs {
public:
    virtual ~BackstitchDialogs() = default;
    // Filters are written "description|patterns|description|patterns|". A local path, or
    // nothing when cancelled.
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& filter) = 0;
    // "更换描边颜色"; nothing on Cancel.
    virtual std::optional<LineColourAnswer> chooseLineColour(const LineColourOffer& offer) = 0;
};

// Message 3226 carries a pointer to this in wParam.
struct LineRecolourRequest {
    std::string thread;  // the new thread number, GBK
    ColorRef oldColour = 0;
    ColorRef newColour = 0;
    bool allLines = false;
};

inline constexpr const char* kUndoDeletePickedLine = UI_TEXT_NOOP("取消删除选定描边");
inline constexpr const char* kUndoRecolourLines = UI_TEXT_NOOP("取消更换制定描边颜色");
inline constexpr const char* kUndoDeleteSelectionLines = UI_TEXT_NOOP("取消删除选区描边");

inline constexpr const char* kLineColourTitle = UI_TEXT_NOOP("更换描边颜色");
inline constexpr const char* kLineColourPrompt = UI_TEXT_NOOP("请选择代替后的描边颜色");
inline constexpr const char* kLineColourAllLines = UI_TEXT_NOOP("所有同色描边一起更换");
inline constexpr const char* kMsgChooseLineColour = UI_TEXT_NOOP("请选择代替后的描边颜色");
inline constexpr const char* kTracingTitle = UI_TEXT_NOOP("载入钩边原图");
// A chosen file that holds no picture the editor can read.
inline constexpr const char* kMsgTracingUnreadable = UI_TEXT_NOOP("无法读取这个图片文件,请选择其他图片");
inline constexpr const char* kTracingFilter =
    UI_TEXT_NOOP("图片文件 (.bmp;.jpg;.jpeg;.gif;.ico)|*.bmp;*.jpg;*.jpeg;*.gif;*.ico|All Files (*.*)|*.*|");

// Menu commands of the outline editing; "删除选区描边" (CmdDeleteSelectionLines) sits in the
// selection menu and takes its id from there.
enum BackstitchCommandId : int {
    CmdLoadTracingPicture = 32791,    // Edit menu
    CmdRecolourPickedLine = 32812,    // context menu of a picked line
    CmdDeletePickedLine = 32813,      // context menu of a picked line
};

struct BackstitchCommand {
    const char* caption;  // GBK
    int id;
};

inline constexpr std::array<BackstitchCommand, 4> kBackstitchCommands{{
    {UI_TEXT_NOOP("删除选区描边"), CmdDeleteSelectionLines},
    {UI_TEXT_NOOP("载入钩边原图"), CmdLoadTracingPicture},
    {UI_TEXT_NOOP("更换指定描边颜色"), CmdRecolourPickedLine},
    {UI_TEXT_NOOP("删除选中的描边"), CmdDeletePickedLine},
}};

}  // namespace brenmark
