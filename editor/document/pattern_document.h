#pragma once
// The one in-memory model of the open pattern.
#include "editor/document/backstitch_line.h"
#include "editor/document/cell_grid.h"
#include "editor/document/color_ref.h"
#include "editor/document/layer_list.h"
#include "editor/document/symbol_table.h"
#include "editor/document/thread_table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

// Views and windows watch the document through this; the document never calls a widget.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    // The fabric colour changed: repaint empty cells and redraw.
    virtual void fabricColorChanged(ColorRef /*fabric*/) {}
    // The whole pattern was replaced (created, loaded or closed).
    virtual void documentReplaced() {}
    // The lines were composed again from the layers, or put back from an undo step: an
    // index into them no longer names the line it named.
    virtual void linesComposed() {}
};

// Where one of the document's composed lines is kept: the layer (its index in the list) and
// the line's place among that layer's lines; layer -1 for a line no layer is known to hold.
struct LineSource {
    std::int32_t layer = -1;
    std::int32_t index = -1;
    bool operator==(const LineSource&) const = default;
};

class PatternDocument {
public:
    CellGrid grid;
    ThreadTable threads;
    DistinctColors distinct;
    std::string brand = "DMC";
    SymbolTable symbols;
    // The symbols are glyphs of the chart symbol font ("清晰符号") rather than characters of
    // the text font. New patterns take the setting of the moment; a file keeps it (pattern_file).
    bool clearSymbols = false;
    // The visible layers' lines, bottom layer first: what the view draws.
    std::vector<BackstitchLine> lines;
    // One per line, filled whenever the lines are composed and kept in step by every edit of
    // them (composed_lines.h); never stored.
    std::vector<LineSource> lineSources;
    std::vector<StitchMark> marks;
    ColorRef fabric = kWhite;
    LayerList layers;
    // One flag per thread (nonzero = locked), parallel to the thread table; never stored.
    std::vector<std::uint32_t> lockFlags;

    bool isOpen() const { return !grid.empty(); }
    int width() const { return grid.width; }
    int height() const { return grid.height; }

    // Empty grid of w x h (all -1), no threads, lines or marks, the brand, white fabric and
    // the background layer; clear symbols when new patterns take them.
    void create(int w, int h, std::string_view brandName);
    // Afterwards no pattern is open.
    void close();

    std::int32_t cell(int x, int y) const { return grid.at(x, y); }
    void setCell(int x, int y, std::int32_t index) { grid.set(x, y, index); }
    bool isThread(std::int32_t index) const { return index >= 0 && index < threads.size(); }
    // The colour a cell shows: its thread's, or the fabric for empty cells and indices
    // that name no thread.
    ColorRef shownColor(std::int32_t index) const { return isThread(index) ? threads.colors[static_cast<std::size_t>(index)] : fabric; }

    void addThread(ColorRef color, std::string number);
    int findThread(std::string_view number) const { return threads.findByNumber(number); }

    // Locks are looked up by thread number, first match.
    bool isLocked(std::string_view number) const;
    void setLocked(std::string_view number, bool locked);
    void clearLocks() { lockFlags.assign(threads.colors.size(), 0); }

    // Stores a different colour and tells the observers; an equal colour does nothing.
    void setFabricColor(ColorRef color);

    // Slot i takes thread i's colour and the i-th symbol of the pattern's symbol set (the
    // font's with clear symbols, else the characters).
    void assignDefaultSymbols();

    // At most one mark per cell: a mark on an already marked cell replaces it.
    void placeMark(int kind, int column, int row);
    void removeMark(int column, int row);
    void clearMarks() { marks.clear(); }

    // The steps that follow a successful load: take over the brand's lists, clear the locks,
    // assign default symbols when the file had none, make a background layer when the file
    // had no layers, and tell the observers.
    void finishLoad();

    void addObserver(DocumentObserver* observer);
    void removeObserver(DocumentObserver* observer);
    void notifyReplaced();
    void notifyLinesComposed();

private:
    // Copies and moves carry the pattern only: observers stay with the document they
    // registered on, so a loaded document can be assigned over the open one.
    struct Observers {
        std::vector<DocumentObserver*> list;
        Observers() = default;
        Observers(const Observers&) {}
        Observers(Observers&&) noexcept {}
        Observers& operator=(const Observers&) { return *this; }
        Observers& operator=(Observers&&) noexcept { return *this; }
    };
    Observers observers_;
};

// Places a mark into a list with the one-mark-per-cell rule.
void placeMarkIn(std::vector<StitchMark>& marks, const StitchMark& mark);

}  // namespace brenmark
