#pragma once
// Chart symbols stamped from small images. Drawing a text costs far more than copying a few
// pixels, so each symbol is drawn once per cell size and ink colour into a cell-sized image
// and that image is copied into every cell that shows it.
#include <QFont>
#include <QImage>

#include <string>
#include <unordered_map>

class QPainter;

namespace brenmark {

// "宋体" where it exists, else an installed CJK face. Drawn without antialiasing, so every
// pixel of a symbol is either ink or left as it was.
QFont songTi(int pixelHeight);

// The font a pattern's symbols are drawn in: the chart symbol font when the pattern uses its
// glyphs (and the font is there), else songTi. Drawn without antialiasing as well.
QFont symbolFont(bool clearSymbols, int pixelHeight);

// Draws a GBK symbol text as the chart shows it: centred on one line in the cell rectangle,
// clipped to it, on a transparent background. The painter's font and pen are the caller's.
void drawSymbolText(QPainter& p, const QRectF& cell, const std::string& symbol);

class SymbolGlyphCache {
public:
    // The symbol in white or black ink over a transparent cell of cellSize pixels, in the font
    // of fontPixels height, at the device pixel ratio of the painter it will be stamped with.
    // A null image when the symbol leaves no ink (a blank). Everything drawn for another cell
    // size, font or pixel ratio is dropped first; the images do not depend on the threads,
    // the symbol table or the fabric, only on the text, the ink and the font (symbolFont).
    const QImage& glyph(const std::string& symbol, bool whiteInk, int cellSize, int fontPixels, qreal pixelRatio,
                        bool clearSymbols = false);
    std::size_t size() const { return glyphs_[0].size() + glyphs_[1].size(); }
    void clear();

private:
    int cellSize_ = 0;
    int fontPixels_ = 0;
    qreal pixelRatio_ = 1;
    bool clearSymbols_ = false;
    std::unordered_map<std::string, QImage> glyphs_[2];  // black ink, white ink
};

}  // namespace brenmark
