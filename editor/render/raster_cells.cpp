#include "editor/render/raster_cells.h"

#include "editor/render/symbol_glyphs.h"

#include <QPainter>
#include <QRegion>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace brenmark {
namespace {

bool whole(double v)
{
    return std::abs(v - std::round(v)) < 1e-6;
}

}  // namespace

std::vector<InkRun> inkRuns(const QImage& picture, int minAlpha)
{
    std::vector<InkRun> runs;
    const int width = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        int x = 0;
        while (x < width) {
            while (x < width && qAlpha(line[x]) < minAlpha)
                ++x;
            const int start = x;
            while (x < width && qAlpha(line[x]) >= minAlpha)
                ++x;
            if (x > start)
                runs.push_back({y, start, x});
        }
    }
    return runs;
}

const SymbolStamp& PrintStampCache::stamp(const std::string& symbol, QRgb ink, const QFont& font, int cellSize,
                                          qreal scale)
{
    const QString fontKey = font.key();
    if (fontKey != fontKey_ || cellSize != cellSize_ || scale != scale_) {
        stamps_.clear();
        fontKey_ = fontKey;
        cellSize_ = cellSize;
        scale_ = scale;
    }
    std::string id = symbol;
    id.append(reinterpret_cast<const char*>(&ink), sizeof ink);
    const auto found = stamps_.find(id);
    if (found != stamps_.end())
        return found->second;

    SymbolStamp stamp;
    const int pixels = static_cast<int>(std::lround(cellSize * scale));
    QImage picture(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        p.scale(scale, scale);
        p.setFont(font);
        p.setPen(QColor::fromRgb(ink));
        drawSymbolText(p, QRectF(0, 0, cellSize, cellSize), symbol);
    }
    stamp.runs = inkRuns(picture, 1);
    for (const InkRun& run : stamp.runs) {
        const QRgb* line = reinterpret_cast<const QRgb*>(picture.constScanLine(run.row));
        stamp.solid = stamp.solid && std::all_of(line + run.x0, line + run.x1, [](QRgb v) { return qAlpha(v) == 255; });
    }
    if (!stamp.runs.empty())
        stamp.picture = std::move(picture);
    return stamps_.emplace(std::move(id), std::move(stamp)).first->second;
}

std::optional<RasterCells> RasterCells::of(QPainter& p, const ChartGeometry& g)
{
    QPaintDevice* device = p.device();
    if (!p.isActive() || !device || device->devType() != QInternal::Image)
        return std::nullopt;
    auto* image = static_cast<QImage*>(device);
    switch (image->format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        break;
    default:
        return std::nullopt;
    }
    // Writing the pixels must reach the very buffer the painter draws into (a picture being
    // painted is copied, never shared, but a detach would move it).
    if (!image->isDetached() || p.compositionMode() != QPainter::CompositionMode_SourceOver || p.opacity() != 1.0)
        return std::nullopt;
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() != t.m22() || t.m11() <= 0)
        return std::nullopt;
    const qreal scale = t.m11();
    const double cell = g.cellSize * scale;
    const double x0 = t.dx() + g.origin.x() * scale, y0 = t.dy() + g.origin.y() * scale;
    if (cell < 1 || !whole(cell) || !whole(x0) || !whole(y0))
        return std::nullopt;

    RasterCells target;
    target.bits_ = image->bits();
    target.stride_ = image->bytesPerLine();
    target.cell_ = static_cast<int>(std::lround(cell));
    target.x0_ = static_cast<int>(std::lround(x0));
    target.y0_ = static_cast<int>(std::lround(y0));
    target.scale_ = scale;
    target.clip_ = image->rect();
    if (p.hasClipping()) {
        const QRegion region = p.clipRegion();
        if (region.rectCount() > 1)
            return std::nullopt;
        const QRectF mapped = t.mapRect(QRectF(region.boundingRect()));
        if (!whole(mapped.left()) || !whole(mapped.top()) || !whole(mapped.right()) || !whole(mapped.bottom()))
            return std::nullopt;
        target.clip_ &= QRect(QPoint(static_cast<int>(std::lround(mapped.left())), static_cast<int>(std::lround(mapped.top()))),
                              QPoint(static_cast<int>(std::lround(mapped.right())) - 1,
                                     static_cast<int>(std::lround(mapped.bottom())) - 1));
    }
    return target;
}

void RasterCells::fillCell(int column, int row, QRgb colour)
{
    const QRect r = cellPixels(column, row) & clip_;
    if (r.isEmpty())
        return;
    const QRgb opaque = 0xFF000000u | colour;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* pixels = line(y);
        std::fill(pixels + r.left(), pixels + r.right() + 1, opaque);
    }
}

void RasterCells::stampCell(int column, int row, const SymbolStamp& stamp, QRgb ink)
{
    const QRect cell = cellPixels(column, row);
    if (!cell.intersects(clip_))
        return;
    const QRgb opaque = 0xFF000000u | ink;
    const bool inside = clip_.contains(cell);
    for (const InkRun& run : stamp.runs) {
        const int y = cell.top() + run.row;
        int x = cell.left() + run.x0, end = cell.left() + run.x1;
        if (!inside) {
            if (y < clip_.top() || y > clip_.bottom())
                continue;
            x = std::max(x, clip_.left());
            end = std::min(end, clip_.right() + 1);
            if (x >= end)
                continue;
        }
        QRgb* pixels = line(y);
        std::fill(pixels + x, pixels + end, opaque);
    }
}

}  // namespace brenmark
