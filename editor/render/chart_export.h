#pragma once
// The printed pages as files: one picture per page (BMP, JPEG, PNG) in a folder, or one PDF
// with every page. Each file is written beside its name and renamed over it when whole, so a
// failure leaves nothing half-written under the chosen name.
#include "editor/render/chart_layout.h"

#include "editor/document/user_prompts.h"

#include <QString>
#include <QStringList>

class QIODevice;

namespace brenmark {

// The page size in logical units (96 a inch) of a paper in millimetres.
QSize paperUnits(double widthMillimetres, double heightMillimetres);

// Writes <folder>/<base>_1.<ext> … _N.<ext> and <base>_KEY.<ext>; the folder is created when
// missing. Returns the files written, empty on failure (with error set).
QStringList writePagePictures(const ChartLayout& layout, const QString& folder, const QString& base, const char* format,
                              ChartStyle style, QString* error = nullptr);

// One PDF page per print page plus the key page, the page size the layout's, symbols and
// texts as text in an embedded font. progress (may be null) counts the pages and may stop
// the run between them; a stopped run writes nothing (error says "cancelled").
bool writeChartPdf(const ChartLayout& layout, const QString& path, ChartStyle style, QString* error = nullptr,
                   ProgressReport* progress = nullptr);
// The same PDF, of the first `pages` pages only (all when negative), into any device; false
// when painting failed or progress stopped it.
bool paintChartPdf(const ChartLayout& layout, QIODevice& device, ChartStyle style, int pages = -1,
                   ProgressReport* progress = nullptr);

}  // namespace brenmark
