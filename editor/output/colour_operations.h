#pragma once
// The colour operations: they change which threads a pattern uses without drawing. Each one
// with an undo label records it before it changes anything, and only once it knows it will
// change something (a refusal records nothing). Threads are named by thread number, exact
// bytes. A thread leaves the pattern by having its table entries overwritten with another
// thread; cells keep their indices, so layers and undo steps need no renumbering.
//
// Every operation works on the visible grid and on every layer, hidden ones included, and
// says in its ColourChange what the caller has to redraw.
#include "editor/document/palette_file.h"
#include "editor/document/pattern_document.h"
#include "editor/document/undo_recorder.h"
#include "editor/document/user_prompts.h"
#include "interchange/ui_text.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brenmark {

inline constexpr const char* kMsgLockedNoDelete = UI_TEXT_NOOP("该颜色被锁定无法删除");
inline constexpr const char* kMsgSubtractFailed = UI_TEXT_NOOP("该颜色被锁定不能减去");
inline constexpr const char* kMsgReduceTooMany = UI_TEXT_NOOP("减掉的颜色数不能大于等于图片颜色数");
inline constexpr const char* kMsgLockedNoReplace = UI_TEXT_NOOP("该颜色被锁定无法替换");
inline constexpr const char* kMsgChooseBothThreads = UI_TEXT_NOOP("请选择被代替绣线和代替后的绣线");
inline constexpr const char* kMsgChooseOutlineThread = UI_TEXT_NOOP("请选择代替后的描边颜色");
inline constexpr const char* kUndoReplaceOutlineThread = UI_TEXT_NOOP("取消更换制定描边颜色");
inline constexpr const char* kTitleReduceColours = UI_TEXT_NOOP("成批减色");
inline constexpr const char* kReduceColoursPrompt = UI_TEXT_NOOP("要减的颜色数");
inline constexpr const char* kTitleReplaceColour = UI_TEXT_NOOP("颜色替换窗口");
inline constexpr const char* kTitleAreaReplace = UI_TEXT_NOOP("区域替换颜色");
inline constexpr const char* kTitleAddThread = UI_TEXT_NOOP("选择增加绣线窗口");
inline constexpr const char* kTitleOutlineThread = UI_TEXT_NOOP("更换描边颜色");
inline constexpr const char* kTitleChangeSymbol = UI_TEXT_NOOP("颜色符号代替");
inline constexpr const char* kMenuChangeSymbol = UI_TEXT_NOOP("更换选中颜色的符号");
inline constexpr const char* kMenuUseClearSymbols = UI_TEXT_NOOP("改用清晰符号");
inline constexpr const char* kMenuClearLocks = UI_TEXT_NOOP("取消所有颜色锁定");

// A thread as the dialogs hand it over.
struct ThreadChoice {
    ColorRef colour = 0;
    std::string number;
};

// What an operation changed, for the caller to redraw.
struct ColourChange {
    bool done = false;  // false: refused or nothing to do, and nothing changed
    // Table positions whose colour or number changed: their stitch tiles are rebuilt.
    std::vector<int> threads;
    bool allThreads = false;    // the table was rebuilt: every stitch tile
    bool cells = false;         // cell values changed in the grid or a layer
    bool symbols = false;       // symbol slots changed
    bool lines = false;         // outline lines changed
    bool locks = false;         // only lock flags changed: the colour bar's crosses
    // The thread the colour bar now shows as current (add thread), by table position.
    std::optional<int> currentThread;

    // The cell picture and the view: any colour a cell shows may differ.
    bool repaintCells() const { return done && (cells || allThreads || !threads.empty()); }
    // The colour bar, its caption and the statistics.
    bool threadList() const { return done && (allThreads || !threads.empty() || locks || currentThread || cells); }
};

// Whether a cell (column, row) lies inside the region an area replace works on.
using CellPredicate = std::function<bool(int column, int row)>;

class ColourOperations {
public:
    ColourOperations(PatternDocument& doc, UndoRecorder& undo, MessageBoxes* messages = nullptr);

    // "减去被选颜色": the thread gives way to the nearest remaining thread. Refused when locked
    // ("该颜色被锁定无法删除") and when it cannot be subtracted, as the only thread or a number
    // the pattern lacks ("该颜色被锁定不能减去").
    ColourChange subtract(const std::string& number);

    // "成批减色": subtracts count threads from the end of the colour list, skipping locked ones.
    // threadsShown is the number of threads the dialog was given; count must be below it
    // ("减掉的颜色数不能大于等于图片颜色数", the dialog then resets its field to 1).
    ColourChange reduce(int count, int threadsShown);
    // The number the dialog is given: the colour list's length.
    int threadsInColourList() const;

    // "颜色替换窗口": every entry and line of number oldNumber takes the new thread, locked.
    // Refused for a locked thread ("该颜色被锁定无法替换").
    ColourChange replaceEverywhere(const std::string& oldNumber, const ThreadChoice& replacement);

    // "区域替换颜色": cells inside region showing oldNumber take the replacement where the
    // layers let a tool paint; the replacement is added (locked) when the pattern lacks it,
    // even if no cell changes.
    ColourChange replaceInRegion(const std::string& oldNumber, const ThreadChoice& replacement,
                                 const CellPredicate& region);

    // Hollowing out the current drawing colour: its cells become empty in the grid and every
    // layer, then the unused threads leave. Nothing without a current colour.
    ColourChange hollowOut(std::optional<ColorRef> currentColour);

    // Threads no cell of any layer and no outline line uses give way, as one undo step.
    ColourChange deleteUnused();

    // "选择增加绣线窗口": a thread already in the colour list is locked and made current
    // ("取消增加颜色"); another is appended, locked, with a symbol ("取消上次增加的颜色"). A full
    // table (255 threads) takes no new thread.
    ColourChange addThread(const ThreadChoice& thread);

    // The colour bar's "锁定" box: the list entry and every table entry of the number. No
    // undo step.
    ColourChange setLocked(const std::string& number, bool locked);
    // "取消所有颜色锁定".
    ColourChange clearLocks();

    // "更换描边颜色": every line of the document and of every layer with the old number takes
    // the replacement, which is then added as by addThread, all as one undo step. Nothing
    // chosen is refused ("请选择代替后的描边颜色").
    ColourChange replaceOutlineThread(const std::string& oldNumber, const std::optional<ThreadChoice>& replacement);

    // "颜色符号代替": the thread at the table position, and every entry of its colour, draws
    // symbol. No undo step.
    ColourChange changeSymbol(int thread, const std::string& symbol);
    // "改用清晰符号": a pattern of characters takes the chart symbol font's symbols, thread i
    // the i-th (each colour's threads one symbol). No undo step, as for one symbol; nothing
    // for a pattern that has them already.
    ColourChange useClearSymbols();

    // The colour bar's "转" + brand + "线系列": every distinct colour goes to the same colour of
    // the target palette or its nearest. A missing or empty palette is refused
    // ("绣线库(%s)的线未配置,不能使用"); the current brand does nothing.
    ColourChange convertBrand(const std::string& target, const PaletteStore& palettes);

    // The replace dialogs' OK: both threads must be chosen ("请选择被代替绣线和代替后的绣线").
    bool bothThreadsChosen(bool oldChosen, bool newChosen);

private:
    bool refuse(const char* text, const char* title, MessageIcon icon);
    // subtract without its own undo step; fills change.
    bool subtractThread(const std::string& number, ColourChange& change);
    // Appends a thread, locked or not, with a fresh symbol.
    int appendThread(const ThreadChoice& thread, ColourChange& change, bool locked = true);

    PatternDocument& doc_;
    UndoRecorder& undo_;
    MessageBoxes* messages_;
};

// "取消DMC绣线转ANCHOR绣线".
std::string brandConversionLabel(const std::string& from, const std::string& to);

// The colour bar's conversion menu: every brand of the thread kind list but the current one,
// captioned "转" + brand + "线系列".
struct BrandMenuItem {
    std::string caption;
    std::string brand;
};
std::vector<BrandMenuItem> brandConversionMenu(const std::vector<std::string>& threadKinds,
                                               const std::string& currentBrand);

// "颜色符号代替": the label "要更换符号%s" and where symbol i of the symbol set sits in the grid
// of push buttons, 22 to a row, at most 16 rows.
std::string changeSymbolCaption(const std::string& currentSymbol);
// The warning when the symbol chosen looks like thread `number`'s symbol in the chart symbol font.
std::string lookAlikeSymbolWarning(const std::string& number, const std::string& symbol);
constexpr int kSymbolGridColumns = 22;
constexpr int kSymbolGridRows = 16;
struct GridSpot {
    int row = 0;
    int column = 0;
};
// The spot of symbol i of a set of setSize symbols; none past the set or the grid.
std::optional<GridSpot> symbolGridSpot(int symbolIndex, int setSize);

}  // namespace brenmark
