#pragma once
// The font program a PDF embeds for the glyphs it used: the font's own tables, cut down by
// HarfBuzz to those glyphs (and the glyphs they are built from), every glyph keeping its index
// so page content can name glyphs before the subset is made.
#include <QByteArray>
#include <QRawFont>

#include <set>

namespace brenmark {

struct FontProgram {
    QByteArray data;    // a TrueType or OpenType file
    bool cff = false;   // outlines in a 'CFF ' table (embedded as OpenType), else 'glyf'
};

// Empty data when the font's tables cannot be read or cut.
FontProgram subsetFontProgram(const QRawFont& font, const std::set<quint32>& glyphs);

}  // namespace brenmark
