#include "editor/output/print_preview.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brenmark {

QImage printPageImage(const ChartLayout& layout, int page, ChartStyle style)
{
    QImage image(layout.pageSize(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter p(&image);
    layout.drawPage(p, std::clamp(page, 1, layout.grid().total), style);
    return image;
}

QRect previewPageRect(QSize area, QSize pageSize)
{
    if (area.isEmpty() || pageSize.isEmpty())
        return QRect();
    const double scale = std::min(static_cast<double>(area.width()) / pageSize.width(),
                                  static_cast<double>(area.height()) / pageSize.height());
    const int w = std::max(1, static_cast<int>(std::lround(pageSize.width() * scale)));
    const int h = std::max(1, static_cast<int>(std::lround(pageSize.height() * scale)));
    return QRect((area.width() - w) / 2, (area.height() - h) / 2, w, h);
}

void drawPrintPreview(QPainter& p, QSize area, const QImage& page)
{
    p.fillRect(QRect(QPoint(0, 0), area), QColor::fromRgb(kPreviewGrey));
    const QRect target = previewPageRect(area, page.size());
    if (target.isEmpty())
        return;
    p.fillRect(target, Qt::white);
    // Scaled by area averaging rather than sampled, so thin grid lines and small symbols
    // stay visible at a fraction of their size.
    p.drawImage(target.topLeft(), page.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace brenmark
