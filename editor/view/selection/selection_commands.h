#pragma once
// The commands of the selection menu ("选区操作") and the two whole-pattern transforms of the
// Edit menu, with their fixed command ids, undo labels and messages.
#include "interchange/ui_text.h"

#include <array>

namespace brenmark {

enum SelectionCommandId : int {
    CmdCopySelection = 32822,        // "复制选区"
    CmdPasteSelection = 32823,       // "粘贴选区"
    CmdFillSelection = 32778,        // "填充选区"
    CmdClearSelection = 32779,       // "清除选区"
    CmdClearSelectionBlocks = 32826, // "清除选区色块"
    CmdDeleteSelectionLines = 32790, // "删除选区描边" (carried out by the outline editing)
    CmdMirrorSelection = 32827,      // "选区对称"
    CmdSetRotationCentre = 32828,    // "设置旋转中心"
    CmdRotateCw45 = 32834,
    CmdRotateCw90 = 32835,
    CmdRotateCw135 = 32836,
    CmdRotate180 = 32837,
    CmdRotateCcw135 = 32838,
    CmdRotateCcw90 = 32839,
    CmdRotateCcw45 = 32840,
    CmdScalePattern = 32824,         // "绣图缩放"
    CmdResizePattern = 32825,        // "修改绣图尺寸"
};

// One menu entry: its caption (GBK) and command id; id 0 is a separator.
struct MenuEntry {
    const char* caption;
    int id;
};

inline constexpr const char* kSelectionMenuCaption = UI_TEXT_NOOP("选区操作");
inline constexpr const char* kRotationMenuCaption = UI_TEXT_NOOP("选区旋转");

// The selection menu in order; the rotation entries form the submenu "选区旋转", which
// follows "选区对称".
inline constexpr std::array<MenuEntry, 7> kSelectionMenu{{
    {UI_TEXT_NOOP("复制选区"), CmdCopySelection},
    {UI_TEXT_NOOP("粘贴选区"), CmdPasteSelection},
    {UI_TEXT_NOOP("填充选区"), CmdFillSelection},
    {UI_TEXT_NOOP("清除选区"), CmdClearSelection},
    {UI_TEXT_NOOP("清除选区色块"), CmdClearSelectionBlocks},
    {UI_TEXT_NOOP("删除选区描边"), CmdDeleteSelectionLines},
    {UI_TEXT_NOOP("选区对称"), CmdMirrorSelection},
}};
inline constexpr std::array<MenuEntry, 8> kRotationMenu{{
    {UI_TEXT_NOOP("设置旋转中心"), CmdSetRotationCentre},
    {UI_TEXT_NOOP("顺时针45度"), CmdRotateCw45},
    {UI_TEXT_NOOP("顺时针90度"), CmdRotateCw90},
    {UI_TEXT_NOOP("顺时针135度"), CmdRotateCw135},
    {UI_TEXT_NOOP("180度"), CmdRotate180},
    {UI_TEXT_NOOP("逆时针135"), CmdRotateCcw135},
    {UI_TEXT_NOOP("逆时针90"), CmdRotateCcw90},
    {UI_TEXT_NOOP("逆时针45"), CmdRotateCcw45},
}};
// The Edit menu's transforms.
inline constexpr std::array<MenuEntry, 2> kPatternTransformMenu{{
    {UI_TEXT_NOOP("绣图缩放"), CmdScalePattern},
    {UI_TEXT_NOOP("修改绣图尺寸"), CmdResizePattern},
}};

// Rotation angles in radians, added to a point's polar angle (positive turns clockwise on
// screen); the counter-clockwise ones are a full turn minus the angle.
struct RotationCommand {
    int id;
    double angle;
};
inline constexpr std::array<RotationCommand, 7> kRotations{{
    {CmdRotateCw45, 0.78539815},
    {CmdRotateCw90, 1.5707963},
    {CmdRotateCw135, 2.35619445},
    {CmdRotate180, 3.1415926},
    {CmdRotateCcw135, 3.92699075},
    {CmdRotateCcw90, 4.7123889},
    {CmdRotateCcw45, 5.49778705},
}};

inline constexpr const char* kUndoMoveSelection = UI_TEXT_NOOP("取消移动操作");
inline constexpr const char* kUndoCopySelection = UI_TEXT_NOOP("取消复制操作");
inline constexpr const char* kUndoMovePiece = UI_TEXT_NOOP("取消绣图移动");
inline constexpr const char* kUndoCopyMovePiece = UI_TEXT_NOOP("取消绣图复制移动");
inline constexpr const char* kUndoClearSelection = UI_TEXT_NOOP("取消清除选区");
inline constexpr const char* kUndoClearSelectionBlocks = UI_TEXT_NOOP("取消清除选区色块");
inline constexpr const char* kUndoFillSelection = UI_TEXT_NOOP("取消填充区域");
inline constexpr const char* kUndoMirrorHorizontal = UI_TEXT_NOOP("取消水平对称");
inline constexpr const char* kUndoMirrorVertical = UI_TEXT_NOOP("取消竖直对称");
inline constexpr const char* kUndoRotateSelection = UI_TEXT_NOOP("取消选区旋转");
inline constexpr const char* kUndoScalePattern = UI_TEXT_NOOP("取消绣图缩放");
inline constexpr const char* kUndoResizePattern = UI_TEXT_NOOP("取消修改绣图尺寸");

inline constexpr const char* kMsgChooseSelection = UI_TEXT_NOOP("请选择选区");
inline constexpr const char* kMsgChooseMirror = UI_TEXT_NOOP("请选择对称方式");
inline constexpr const char* kMsgPasteTooLarge = UI_TEXT_NOOP("复制的选区比当前绣图大,不能粘贴");
inline constexpr const char* kMsgPasteOtherBrand = UI_TEXT_NOOP("复制的选区来自另一种绣线色系,不能粘贴");
inline constexpr const char* kMsgScaleOutOfRange = UI_TEXT_NOOP("放大缩小倍数不合适,绣图尺寸超出范围");
inline constexpr const char* kMsgSizeOutOfRange = UI_TEXT_NOOP("绣图尺寸超出范围");

// Dialog captions of the two transforms.
inline constexpr const char* kScaleDialogTitle = UI_TEXT_NOOP("绣图缩放");
inline constexpr const char* kScaleFactorPrompt = UI_TEXT_NOOP("输入放大缩小倍数");
inline constexpr const char* kResizeDialogTitle = UI_TEXT_NOOP("修改绣图尺寸");
inline constexpr const char* kResizeWidthLabel = UI_TEXT_NOOP("绣图宽");
inline constexpr const char* kResizeHeightLabel = UI_TEXT_NOOP("绣图高");

}  // namespace brenmark
