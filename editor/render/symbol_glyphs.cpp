#include "editor/render/symbol_glyphs.h"

#include "editor/render/chart_symbol_font.h"
#include "interchange/gbk_qstring.h"

#include <QPainter>

#include <cmath>

namespace brenmark {
namespace {

bool hasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 0)
                return true;
    }
    return false;
}

}  // namespace

QFont songTi(int pixelHeight)
{
    QFont font;
    // untranslated: a font's name.
    font.setFamilies({u"SimSun"_qs, fromGbk("宋体"), u"NSimSun"_qs, u"Noto Serif CJK SC"_qs, u"Noto Sans CJK SC"_qs,
                      u"WenQuanYi Micro Hei"_qs, u"WenQuanYi Zen Hei"_qs, u"AR PL UMing CN"_qs});
    font.setPixelSize(pixelHeight);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QFont symbolFont(bool clearSymbols, int pixelHeight)
{
    const QString family = clearSymbols ? chartSymbolFontFamily() : QString();
    if (family.isEmpty())
        return songTi(pixelHeight);
    QFont font(family);
    font.setPixelSize(pixelHeight);
    font.setStyleStrategy(QFont::NoAntialias);
    // The outlines are drawn as they are: hinting would narrow the small counters that tell
    // one symbol from another.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void drawSymbolText(QPainter& p, const QRectF& cell, const std::string& symbol)
{
    p.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, fromGbk(symbol));
}

const QImage& SymbolGlyphCache::glyph(const std::string& symbol, bool whiteInk, int cellSize, int fontPixels,
                                      qreal pixelRatio, bool clearSymbols)
{
    if (cellSize != cellSize_ || fontPixels != fontPixels_ || pixelRatio != pixelRatio_ || clearSymbols != clearSymbols_) {
        clear();
        cellSize_ = cellSize;
        fontPixels_ = fontPixels;
        pixelRatio_ = pixelRatio;
        clearSymbols_ = clearSymbols;
    }
    auto& glyphs = glyphs_[whiteInk ? 1 : 0];
    const auto found = glyphs.find(symbol);
    if (found != glyphs.end())
        return found->second;

    const int pixels = static_cast<int>(std::ceil(cellSize * pixelRatio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setFont(symbolFont(clearSymbols, fontPixels));
        p.setPen(whiteInk ? QColor(Qt::white) : QColor(Qt::black));
        drawSymbolText(p, QRectF(0, 0, cellSize, cellSize), symbol);
    }
    if (!hasInk(image))
        image = QImage();
    return glyphs.emplace(symbol, std::move(image)).first->second;
}

void SymbolGlyphCache::clear()
{
    glyphs_[0].clear();
    glyphs_[1].clear();
}

}  // namespace brenmark
