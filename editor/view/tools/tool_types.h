#pragma once
// The editing tools of the pattern view: their numbers, the tool window's buttons and
// tooltips, the undo labels and the messages the tools show.
#include "editor/document/stitch_kind.h"
#include "interchange/ui_text.h"

#include <array>
#include <cstdint>

namespace brenmark {

// Tool numbers are fixed: the tool window sends them with MsgSelectTool.
enum class Tool : int {
    Move = 0,           // pan and colour pick
    Outline = 1,        // backstitch drawing
    SelectOutline = 2,  // picking backstitch lines
    Point = 3,
    HollowEllipse = 4,
    HollowRect = 5,
    Line = 6,
    Fill = 7,
    SolidEllipse = 8,
    SolidRect = 9,
    Text = 10,
    SelectArea = 11,
    HollowOut = 12,
    Eraser = 13,
    Clone = 14,
    CloneSpare = 15,  // a second clone button; no mouse behaviour
    CleanConfetti = 16,  // a brush that takes isolated stitches out where it strokes
};
constexpr int kToolCount = 17;

constexpr bool isTool(int t) { return t >= 0 && t < kToolCount; }

// Keyboard state carried with a mouse event.
enum Modifier : unsigned { NoModifier = 0, CtrlModifier = 1, ShiftModifier = 2 };
using Modifiers = unsigned;

// The other switches MsgSelectTool carries instead of a tool number.
constexpr int kSwitchBaseImage = -1;  // lParam: show the base image
constexpr int kSwitchGrid = -2;       // lParam: show the grid

constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeyDelete = 46;


// Everything about one tool: its button in the tool window, its undo label and how the
// controller treats it. A new tool is one row of kToolButtons.
enum ToolTrait : unsigned {
    NoTrait = 0,
    PaintsWithThread = 1,  // paints with the current thread, so needs one chosen
    AsksForThread = 2,     // says "请选择一种颜色进行绘制" when chosen with no thread
    TakesDelete = 4,       // the Delete key goes to it (deleting what it picked)
    TakesText = 8,         // typed characters go to it
};

struct ToolButtonInfo {
    Tool tool;
    int controlId;
    const char* tooltip;    // GBK
    const char* undoLabel;  // GBK; null when the tool records nothing itself
    unsigned traits = NoTrait;
    constexpr bool has(ToolTrait t) const { return (traits & t) != 0; }
};

inline constexpr const char* kUndoPoint = UI_TEXT_NOOP("取消描点操作");
inline constexpr const char* kUndoHollowEllipse = UI_TEXT_NOOP("取消画空心圆操作");
inline constexpr const char* kUndoHollowRect = UI_TEXT_NOOP("取消画空心矩形操作");
inline constexpr const char* kUndoLine = UI_TEXT_NOOP("取消画线操作");
inline constexpr const char* kUndoFill = UI_TEXT_NOOP("取消填充操作");
inline constexpr const char* kUndoSolidEllipse = UI_TEXT_NOOP("取消画实心圆操作");
inline constexpr const char* kUndoSolidRect = UI_TEXT_NOOP("取消画实心矩形操作");
inline constexpr const char* kUndoText = UI_TEXT_NOOP("取消输入文字");
inline constexpr const char* kUndoHollowOut = UI_TEXT_NOOP("取消挖空操作");
inline constexpr const char* kUndoErase = UI_TEXT_NOOP("取消擦除操作");
inline constexpr const char* kUndoClone = UI_TEXT_NOOP("取消复制象素");
inline constexpr const char* kUndoOutlineSegment = UI_TEXT_NOOP("取消描边操作");

inline constexpr const char* kMsgChooseColour = UI_TEXT_NOOP("请选择一种颜色进行绘制");
// The status bar's answer to a stroke on a hidden drawing layer.
inline constexpr const char* kMsgDrawingLayerHidden = UI_TEXT_NOOP("可绘层已隐藏,不能在其上绘制;请先显示该层");
inline constexpr const char* kMsgFillLayer = UI_TEXT_NOOP("第一个可见层必须为链接或可绘层才可以用添充工具");
inline constexpr const char* kMsgHollowLayer = UI_TEXT_NOOP("第一个可见层必须为链接或可绘层才可以用挖空工具");
inline constexpr const char* kMsgNoCloneSource =
    UI_TEXT_NOOP("无法使用仿制图章,因为未选定复制区域，请按住CTRL键点按以定义作为源的点");

inline constexpr unsigned kDrawing = PaintsWithThread | AsksForThread;

inline constexpr std::array<ToolButtonInfo, kToolCount> kToolButtons{{
    {Tool::Move, 1038, UI_TEXT_NOOP("移动图像工具"), nullptr},
    {Tool::Outline, 1039, UI_TEXT_NOOP("描边工具"), kUndoOutlineSegment},
    {Tool::SelectOutline, 1040, UI_TEXT_NOOP("选中描的边"), nullptr, TakesDelete},
    {Tool::Point, 1041, UI_TEXT_NOOP("绘制点工具"), kUndoPoint, kDrawing},
    {Tool::HollowEllipse, 1042, UI_TEXT_NOOP("画空心圆工具"), kUndoHollowEllipse, kDrawing},
    {Tool::HollowRect, 1043, UI_TEXT_NOOP("画空心方工具"), kUndoHollowRect, kDrawing},
    {Tool::Line, 1044, UI_TEXT_NOOP("画直线工具"), kUndoLine, kDrawing},
    {Tool::Fill, 1045, UI_TEXT_NOOP("用选中颜色填充指定颜色封闭的区域工具"), kUndoFill, PaintsWithThread},
    {Tool::SolidEllipse, 1046, UI_TEXT_NOOP("画实心圆工具"), kUndoSolidEllipse, kDrawing},
    {Tool::SolidRect, 1047, UI_TEXT_NOOP("画实心方工具"), kUndoSolidRect, kDrawing},
    {Tool::Text, 1048, UI_TEXT_NOOP("镶入文字工具"), kUndoText, kDrawing | TakesText},
    {Tool::SelectArea, 1049, UI_TEXT_NOOP("选区域工具"), nullptr, TakesDelete},
    {Tool::HollowOut, 1050, UI_TEXT_NOOP("挖空指定颜色封闭的区域工具"), kUndoHollowOut},
    {Tool::Eraser, 1051, UI_TEXT_NOOP("橡皮工具"), kUndoErase},
    {Tool::Clone, 1054, UI_TEXT_NOOP("对指定象素的复制"), kUndoClone},
    {Tool::CloneSpare, 1055, UI_TEXT_NOOP("对指定象素的复制"), nullptr},
    // Its step ("取消清理单针") is the colour operation's, recorded there.
    {Tool::CleanConfetti, 1056, UI_TEXT_NOOP("清理单针工具"), nullptr},
}};

constexpr const ToolButtonInfo& toolButton(Tool t) { return kToolButtons[static_cast<std::size_t>(t)]; }
// The tools that paint with the current thread and so need one chosen.
constexpr bool needsThread(Tool t) { return toolButton(t).has(PaintsWithThread); }

}  // namespace brenmark
