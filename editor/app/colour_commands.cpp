#include "editor/app/colour_commands.h"

#include "editor/app/editor_session.h"
#include "editor/document/symbol_charset.h"
#include "editor/output/confetti_cleanup.h"

namespace brenmark {

namespace {

constexpr int kColourCommands[] = {
    CmdSubtractThread,  CmdReduceColours, CmdReplaceColour,        CmdAreaReplaceColour, CmdHollowOutColour,
    CmdDeleteUnusedThreads, CmdAddThread, CmdClearLocks, CmdReplaceOutlineThread, CmdChangeSymbol,
    CmdCleanConfetti,       CmdUseClearSymbols,
};

}  // namespace

ColourCommands::ColourCommands(EditorSession& session, ColourDialogs& dialogs, MessageBoxes& messages)
    : session_(session), dialogs_(dialogs), operations_(session.document(), session.history(), &messages),
      brush_(session.view(), [this](const auto& within) { cleanConfettiWithin(within); })
{
    session_.tools().setDelegate(Tool::CleanConfetti, &brush_);
}

ColourCommands::~ColourCommands()
{
    session_.tools().setDelegate(Tool::CleanConfetti, nullptr);
}

void ColourCommands::route(CommandRouter& router)
{
    for (int id : kColourCommands)
        router.add(id, [this](int command, Modifiers) { return run(command); });
}

bool ColourCommands::run(int id)
{
    if (!session_.document().isOpen())
        return false;
    // Choosing a symbol records no step, yet the file will hold it: the pattern is unsaved.
    EditHistory& history = session_.history();
    const std::uint64_t before = history.state();
    const bool done = runOperation(id);
    if (done && history.state() == before)
        history.recordEditWithoutStep();
    return done;
}

bool ColourCommands::runOperation(int id)
{
    switch (id) {
    case CmdSubtractThread: return subtract();
    case CmdReduceColours: return reduce();
    case CmdReplaceColour: return replace(false);
    case CmdAreaReplaceColour: return replace(true);
    case CmdHollowOutColour: return hollowOut();
    case CmdDeleteUnusedThreads: return apply(operations_.deleteUnused());
    case CmdAddThread: return addThread();
    case CmdClearLocks: return apply(operations_.clearLocks());
    case CmdReplaceOutlineThread: return replaceOutlineThread();
    case CmdChangeSymbol: return changeSymbol();
    case CmdCleanConfetti: return cleanConfetti();
    case CmdUseClearSymbols: return apply(operations_.useClearSymbols());
    default: return false;
    }
}

std::vector<BrandMenuItem> ColourCommands::brandMenu() const
{
    return brandConversionMenu(session_.palettes().threadKindList(), session_.document().brand);
}

bool ColourCommands::convertBrand(const std::string& brand)
{
    if (!session_.document().isOpen())
        return false;
    return apply(operations_.convertBrand(brand, session_.palettes()));
}

bool ColourCommands::subtract()
{
    const CurrentThreadChoice& current = session_.currentThread();
    if (!current.chosen())
        return false;
    return apply(operations_.subtract(current.thread().number));
}

bool ColourCommands::reduce()
{
    const int shown = operations_.threadsInColourList();
    int initial = 1;
    while (const std::optional<int> count = dialogs_.reduceCount(shown, initial)) {
        if (*count >= shown) {
            // Refused with its message; the field starts again from 1.
            operations_.reduce(*count, shown);
            initial = 1;
            continue;
        }
        return apply(operations_.reduce(*count, shown));
    }
    return false;
}

bool ColourCommands::replace(bool inSelection)
{
    const char* title = inSelection ? kTitleAreaReplace : kTitleReplaceColour;
    while (const std::optional<ReplaceAnswer> answer = dialogs_.chooseReplacement(title, patternThreads(), paletteThreads())) {
        if (!operations_.bothThreadsChosen(answer->oldThread.has_value(), answer->newThread.has_value()))
            continue;
        if (!inSelection)
            return apply(operations_.replaceEverywhere(answer->oldThread->number, *answer->newThread));
        const SelectionQuery& selection = session_.selection().query();
        return apply(operations_.replaceInRegion(answer->oldThread->number, *answer->newThread,
                                                 [&selection](int column, int row) { return selection.contains(column, row); }));
    }
    return false;
}

bool ColourCommands::hollowOut()
{
    const CurrentThreadChoice& current = session_.currentThread();
    return apply(operations_.hollowOut(current.chosen() ? std::optional<ColorRef>(current.colour()) : std::nullopt));
}

bool ColourCommands::cleanConfetti()
{
    const std::optional<int> strength = dialogs_.confettiStrength();
    if (!strength)
        return false;
    confettiStrength_ = *strength;
    return apply(brenmark::cleanConfetti(session_.document(), session_.history(), *strength));
}

void ColourCommands::cleanConfettiWithin(const std::function<bool(int column, int row)>& within)
{
    apply(brenmark::cleanConfetti(session_.document(), session_.history(), confettiStrength_, within));
}

bool ColourCommands::addThread()
{
    const std::optional<ThreadChoice> thread = dialogs_.chooseThreadToAdd(paletteThreads());
    return thread && apply(operations_.addThread(*thread));
}

bool ColourCommands::replaceOutlineThread()
{
    const CurrentThreadChoice& current = session_.currentThread();
    if (!current.chosen())
        return false;
    const auto answer = dialogs_.chooseOutlineThread(current.thread().number, paletteThreads());
    return answer && apply(operations_.replaceOutlineThread(current.thread().number, *answer));
}

bool ColourCommands::changeSymbol()
{
    const CurrentThreadChoice& current = session_.currentThread();
    const int index = current.thread().index;
    const PatternDocument& doc = session_.document();
    if (!current.chosen() || index >= static_cast<int>(doc.symbols.size()))
        return false;
    const auto symbol = dialogs_.chooseSymbol(doc.symbols[static_cast<std::size_t>(index)].symbol,
                                              symbolSetFor(doc.clearSymbols), doc.clearSymbols);
    return symbol && apply(operations_.changeSymbol(index, *symbol));
}

bool ColourCommands::apply(const ColourChange& change)
{
    if (!change.done)
        return false;
    PatternView& view = session_.view();
    const PatternDocument& doc = session_.document();
    if (change.allThreads || !change.threads.empty())
        view.rebuildStitchTiles();
    if (change.repaintCells())
        view.rebuildCellImage();
    CurrentThreadChoice& current = session_.currentThread();
    if (change.currentThread && *change.currentThread < static_cast<int>(doc.threads.colors.size())) {
        const auto at = static_cast<std::size_t>(*change.currentThread);
        current.set({*change.currentThread, doc.threads.colors[at], doc.threads.numbers[at]});
    } else if (current.chosen() && !current.stillInTable()) {
        current.chooseColour(current.colour());
    }
    Changes what;
    if (change.cells)
        what = what | Change::Cells | Change::Layers;
    if (change.threadList() || change.symbols)
        what = what | Change::Threads;
    if (change.lines)
        what = what | Change::Lines;
    session_.changed(what);
    return true;
}

std::vector<ThreadChoice> ColourCommands::paletteThreads() const
{
    Palette palette;
    std::vector<ThreadChoice> threads;
    if (!session_.palettes().load(session_.document().brand, palette))
        return threads;
    for (int i = 0; i < palette.size(); ++i)
        threads.push_back({palette.colors[static_cast<std::size_t>(i)], palette.numbers[static_cast<std::size_t>(i)]});
    return threads;
}

std::vector<ThreadChoice> ColourCommands::patternThreads() const
{
    const DistinctColors& list = session_.document().distinct;
    std::vector<ThreadChoice> threads;
    for (std::size_t i = 0; i < list.colors.size() && i < list.numbers.size(); ++i)
        threads.push_back({list.colors[i], list.numbers[i]});
    return threads;
}

}  // namespace brenmark
