#pragma once
// The copy cycle run by the hot key: the current thread's red, green and blue go from the
// table program into the picker, the picker's C, M, Y, K come back and are written with the
// thread number into the table program's list, two threads to a row.
#include "cmyktool/partners.h"
#include "editor/document/user_prompts.h"
#include "interchange/ui_text.h"

#include <string>

namespace brenmark::glimbert {

// The most read from another program's field or cell.
inline constexpr std::size_t kMaxFieldBytes = 512;

inline constexpr const char* kEmptyHandleText = UI_TEXT_NOOP("获得窗口有空值");
inline constexpr const char* kUnreachableText = UI_TEXT_NOOP("获取进程句柄操作失败！");
inline constexpr const char* kUnreachableTitle = UI_TEXT_NOOP("错误！");
// A field of the table or picker that should hold a number and does not.
inline constexpr const char* kNotANumberText = UI_TEXT_NOOP("取得的颜色值不是数字：");

enum class CycleOutcome {
    Written,      // the list has the thread
    EmptyHandle,  // a field was never found or grabbed
    Unreachable,  // a partner stopped answering
    NotANumber,   // a colour value was not a number; nothing was typed or written
};

// Where the thread went: the row and the first of the five columns filled (1 or 6).
struct CyclePlace {
    int row = -1;
    int firstColumn = 0;
};

struct CycleResult {
    CycleOutcome outcome = CycleOutcome::Written;
    CyclePlace place;
};

// Runs one cycle; every refusal is shown through messages and nothing after it happens.
CycleResult runCopyCycle(TablePartner& table, PickerPartner& picker, MessageBoxes& messages);

// True when text is a colour channel the picker accepts: 1 to 3 ASCII digits, at most 255.
bool isChannelText(const std::string& text);
// True when text is a picker percentage: 1 to 3 ASCII digits, at most 100, with an optional
// trailing "%".
bool isPercentText(const std::string& text);

// Where a thread goes in a list of rowCount rows, given the last row's subitems 5 and 10.
CyclePlace placeInList(int rowCount, const std::string& lastNumber, const std::string& lastSecondNumber);

}  // namespace brenmark::glimbert
