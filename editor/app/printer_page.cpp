#include "editor/app/printer_page.h"

#include "editor/render/chart_export.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace brenmark {

bool portraitFor(const PatternDocument& doc)
{
    return doc.width() < doc.height();
}

std::optional<QSize> defaultPrinterPage(bool portrait)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return std::nullopt;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageOrientation(portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    const int dpiX = printer.logicalDpiX(), dpiY = printer.logicalDpiY();
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    if (dpiX <= 0 || dpiY <= 0 || area.isEmpty())
        return std::nullopt;
    return QSize(static_cast<int>(static_cast<long long>(area.width()) * 96 / dpiX),
                 static_cast<int>(static_cast<long long>(area.height()) * 96 / dpiY));
}

QSize fallbackPage(bool portrait)
{
    const QSize a4 = paperUnits(210, 297);
    return portrait ? a4 : a4.transposed();
}

}  // namespace brenmark
