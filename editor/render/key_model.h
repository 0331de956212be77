#pragma once
// The key of a printed chart as data: what it says (KeyModel, computed once from the
// document) and where each piece stands (layOutKey, for given metrics). Every target draws
// the same pieces on its own surface: a QPainter for the editor's pages and files, the CMYK
// canvas for the page writer.
#include "editor/document/fabric_colors.h"
#include "editor/document/pattern_document.h"
#include "editor/document/thread_usage.h"
#include "editor/render/page_plan.h"
#include "interchange/ui_text.h"

#include <QLine>
#include <QRect>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brenmark {

// The author the print details start with; the key names an author only when it was
// changed from this.
inline constexpr const char* kDefaultAuthor = UI_TEXT_NOOP("佚名");

// What the key is asked to say beyond the document.
struct KeySettings {
    bool amountsInMetres = false;
    std::string fabric = "14CT";
    int strands = 2;
    int outlineStrands = 1;
    std::string author = kDefaultAuthor;
};

struct KeyRow {
    ColorRef colour = 0;
    std::string symbol;
    std::string number;
    std::string amount;  // cells, or six-strand metres ("%.2fm") with the colour's outline
};

struct KeyModel {
    std::array<std::string, 6> header;    // "使用绣线"…, brand, "使用绣线数", count, "绣图宽高", "宽%d * 高%d"
    std::array<std::string, 3> rowLabels;  // "符号", "线号", "线量(格数)" or "线量(6股米数)"
    std::vector<KeyRow> rows;              // one per thread, in colour-bar order
    std::vector<OutlineGroup> outlines;    // one per outline colour
    bool amountsInMetres = false;
    std::string fabric;   // "绣布 %s(%s)", empty when the fabric colour has no name
    std::string strands;  // "描边股数%d" when the key lists metres, else empty
    std::string maker;    // "制图:%s", or the program's name
    bool makerNamed = false;
    bool clearSymbols = false;  // the symbols are glyphs of the chart symbol font

    static KeyModel of(const PatternDocument& doc, const ThreadUsage& usage, const KeySettings& settings,
                       const std::optional<FabricName>& fabricName);
    // The amount of thread table entry i: its cells, or its six-strand metres with its
    // colour's outline when it is the colour's first entry.
    static std::string amount(const PatternDocument& doc, const ThreadUsage& usage, const KeySettings& settings,
                              std::size_t entry);
};

// One piece of the key on the page.
struct KeyPiece {
    enum class Kind {
        Text,        // text in box with Qt alignment flags, black
        FittedText,  // text in its table cell, in smaller type if it would not fit
        SymbolText,  // a thread's symbol on its colour: white when dark, black otherwise
        ThreadFill,  // the box in thread `index`'s colour
        Frame,       // a table cell's border
        Sample,      // outline `index`'s sample line from line.p1() to line.p2()
    };
    Kind kind = Kind::Text;
    QRect box;
    std::string text;
    int flags = 0;
    int index = -1;  // the key row (ThreadFill, SymbolText) or outline (Sample)
    QLine line;
};

struct KeyDrawing {
    std::vector<KeyPiece> pieces;  // in drawing order
    int bottom = 0;                // the y below the key
};

// Measures a GBK text in the key's font.
using KeyTextWidth = std::function<int(const std::string&)>;

// The key from topLeft across width: the header of six fields; bands of three rows (the
// label column, then the threads' columns); the fabric, then the outline legend on the same
// line, wrapped at the right edge (each next line 2 × textHeight + 2 lower); the strands
// when in metres; the maker right-aligned.
KeyDrawing layOutKey(const KeyModel& model, const KeyMetrics& metrics, QPoint topLeft, int width,
                     const KeyTextWidth& textWidth, int textHeight);

}  // namespace brenmark
