#pragma once
// The page the printed chart is laid out on: the default printer's printable area in
// logical units (96 a inch), turned the way the pattern is shaped. Printing, the preview
// and the per-page exports all ask here.
#include "editor/document/pattern_document.h"

#include <QSize>

#include <optional>

namespace brenmark {

// Portrait when the pattern is narrower than it is tall, else landscape.
bool portraitFor(const PatternDocument& doc);

// The printable area of the default printer, dots x 96 / dots per inch (truncated) each way;
// nothing when Qt knows no default printer.
std::optional<QSize> defaultPrinterPage(bool portrait);

// The page without a printer: A4's printable area at 96 a inch, turned.
QSize fallbackPage(bool portrait);

}  // namespace brenmark
