#pragma once
// The print preview's pictures: a printed page drawn by the chart layout at its logical
// size, and the preview area with that page fitted into it.
#include "editor/render/chart_layout.h"

#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

namespace brenmark {

// The preview's background around the page.
inline constexpr QRgb kPreviewGrey = 0xFF646464;

// Page n of the layout (a pattern page, or the key page for n past the pattern pages) on a
// white picture of the layout's page size, one pixel a logical unit.
QImage printPageImage(const ChartLayout& layout, int page, ChartStyle style);

// Where a page of pageSize goes in an area: scaled by the smaller of the two ratios so it
// keeps its proportions, centred. Empty when either size is.
QRect previewPageRect(QSize area, QSize pageSize);

// The preview area: grey, and the page fitted and centred on white, smoothly scaled.
void drawPrintPreview(QPainter& p, QSize area, const QImage& page);

}  // namespace brenmark
