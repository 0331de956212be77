#include "editor/output/confetti_cleanup.h"

#include "editor/output/confetti.h"

namespace brenmark {

ColourChange cleanConfetti(PatternDocument& doc, UndoRecorder& undo, int strength)
{
    return cleanConfetti(doc, undo, strength, [](int, int) { return true; });
}

ColourChange cleanConfetti(PatternDocument& doc, UndoRecorder& undo, int strength,
                           const std::function<bool(int column, int row)>& within)
{
    ColourChange change;
    if (!doc.isOpen() || strength < 1)
        return change;
    const int width = doc.width(), height = doc.height();
    const std::vector<Lab> labs = labsOf(doc.threads.colors);
    std::vector<LabVec> threadLabs;
    for (const Lab& l : labs)
        threadLabs.push_back(labVecOf(l));
    const std::vector<std::int32_t> before(doc.grid.cells.begin(), doc.grid.cells.end());
    std::vector<LabVec> cellLabs(before.size(), LabVec{0, 0, 0});
    std::vector<std::int32_t> cells = before;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i] >= static_cast<std::int32_t>(threadLabs.size()))
            cells[i] = -1;  // a value past the table shows nothing and is left alone below
        else if (cells[i] >= 0)
            cellLabs[i] = threadLabs[static_cast<std::size_t>(cells[i])];
    }
    if (reduceConfetti(cells, width, height, cellLabs, threadLabs, strength) == 0)
        return change;
    // Only cells that hold a thread, change and lie within take part; the step is recorded
    // before the first of them changes.
    const auto columns = static_cast<std::size_t>(width);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (before[i] < 0 || before[i] >= static_cast<std::int32_t>(threadLabs.size()) || cells[i] == before[i] ||
            !within(static_cast<int>(i % columns), static_cast<int>(i / columns)))
            continue;
        if (!change.done)
            undo.recordUndoStep(kUndoCleanConfetti);
        change.done = true;
        doc.grid.cells.set(i, cells[i]);
        for (PatternLayer& layer : doc.layers.layers)
            if (i < layer.cells.size() && layer.cells[i] == before[i])
                layer.cells.set(i, cells[i]);
    }
    change.cells = change.done;
    return change;
}

}  // namespace brenmark
