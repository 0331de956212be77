#pragma once
// A paint engine of our own (the PDF and SVG writers) that takes a row of characters, each at
// its own baseline origin, as one text object. A chart row's symbols of one ink go down this
// way instead of as one text per cell, and stay real text a reader can pick out.
#include <QFont>
#include <QPointF>
#include <QRgb>
#include <QString>

namespace brenmark {

class TextRunEngine {
public:
    virtual ~TextRunEngine() = default;
    // Draws `text` in `font` and `ink`, its UTF-16 unit k with its baseline origin at
    // origins[k] (in the painter's coordinates, under its current transform and clip; the
    // second unit of a surrogate pair repeats its first's origin). The painter's state must
    // be synced first (QPaintEngine::syncState).
    virtual void drawTextRun(const QFont& font, QRgb ink, const QString& text, const QPointF* origins) = 0;
};

}  // namespace brenmark
