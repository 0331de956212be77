#include "editor/view/pattern_view.h"

#include "editor/document/cell_image.h"
#include "editor/render/qt_colour.h"
#include "editor/render/stitch_tiles.h"

#include <QPainter>

#include <algorithm>
#include <utility>
#include <cmath>

namespace brenmark {

namespace {

constexpr float kMinDivisor = 0.03125f;  // 32 pixels a cell
constexpr float kMaxDivisor = 2.0f;      // half a pixel a cell
constexpr float kFitDivisor = 8.0f;      // an eighth: only fitting a big chart goes this far

// The origin whose cell borders fall on ruler + a multiple of step, as clampOrigin puts
// them, with the cell at (fractional) position `cell` under the pointer: the one origin in
// (pointer - (k + 1) * step, pointer - k * step] for the cell's column or row k.
int alignKeeping(int pointer, int ruler, int step, double cell)
{
    const long long highest = pointer - static_cast<long long>(std::floor(cell)) * step;
    const long long past = ((highest - ruler) % step + step) % step;
    return static_cast<int>(highest - past);
}

}  // namespace

PatternView::PatternView(PatternDocument& doc, CurrentThreadChoice& current, ViewHost* host)
    : doc_(doc), current_(current), host_(host)
{
    doc_.addObserver(this);
}

PatternView::~PatternView()
{
    doc_.removeObserver(this);
}

bool PatternView::stepZoom(bool in)
{
    if (in) {
        if (zoomDivisor_ < 0.0625f)
            return false;
        zoomDivisor_ = std::max(kMinDivisor, zoomDivisor_ * 0.5f);
    } else {
        if (zoomDivisor_ >= kMaxDivisor)
            return false;
        zoomDivisor_ *= 2.0f;
    }
    rescaleStitchTiles();
    if (host_)
        host_->invalidate();
    return true;
}

QPoint PatternView::areaCentre() const
{
    // Without a known client the corner of the rulers stands still, as the origin did.
    if (client_.width() <= kLeftRuler || client_.height() <= kTopRuler)
        return QPoint(kLeftRuler, kTopRuler);
    return QPoint(kLeftRuler + (client_.width() - kLeftRuler) / 2, kTopRuler + (client_.height() - kTopRuler) / 2);
}

bool PatternView::zoomIn()
{
    if (!zoomAbout(areaCentre(), true))
        return false;
    keepChartInArea();
    anchor_.origin = origin_;
    return true;
}

bool PatternView::zoomOut()
{
    if (!zoomAbout(areaCentre(), false))
        return false;
    keepChartInArea();
    anchor_.origin = origin_;
    return true;
}

bool PatternView::zoomAbout(QPoint client, bool in)
{
    const float before = cellSize();
    double cx = (client.x() - origin_.x()) / static_cast<double>(before);
    double cy = (client.y() - origin_.y()) / static_cast<double>(before);
    if (anchor_.cellSize == before && anchor_.point == client && anchor_.origin == origin_) {
        cx = anchor_.column;
        cy = anchor_.row;
    }
    if (!stepZoom(in))
        return false;
    const float after = cellSize();
    origin_ = QPoint(static_cast<int>(std::lround(client.x() - cx * after)), static_cast<int>(std::lround(client.y() - cy * after)));
    if (after >= 1) {
        // Aligned here rather than by the next paint, which would move the cell borders by
        // up to a cell less a pixel and could take the cell from under the pointer.
        const int step = static_cast<int>(after);
        origin_ = QPoint(alignKeeping(client.x(), kLeftRuler, step, cx),
                         alignKeeping(client.y(), kTopRuler, step, cy));
    }
    // The tools map clicks with the first column and row: they follow now, not at the
    // next paint.
    clampOrigin(QSize());
    anchor_ = ZoomAnchor{client, origin_, cx, cy, after};
    return true;
}

void PatternView::keepChartInArea()
{
    // A zoom never ends on blank fabric past the chart's end while the chart could still
    // fill the area: the far edge comes back to the area's edge by whole cells, at most as
    // far as the rulers.
    if (client_.isEmpty() || !doc_.isOpen())
        return;
    const double s = cellSize();
    const auto pull = [s](int origin, int ruler, int cells, int areaEnd) {
        const double overshoot = areaEnd - (origin + cells * s);
        if (overshoot <= 0 || origin >= ruler)
            return origin;
        const double whole = std::ceil(overshoot / s) * s;
        return static_cast<int>(std::min<double>(origin + whole, ruler));
    };
    origin_ = QPoint(pull(origin_.x(), kLeftRuler, doc_.width(), client_.width()),
                     pull(origin_.y(), kTopRuler, doc_.height(), client_.height()));
    clampOrigin(QSize());
}

bool PatternView::fitToWindow()
{
    if (client_.width() <= kLeftRuler || client_.height() <= kTopRuler || !doc_.isOpen())
        return false;
    const int areaW = client_.width() - kLeftRuler, areaH = client_.height() - kTopRuler;
    // The largest step at which the whole chart fits; beyond the smallest zoom step a big
    // chart goes down to an eighth of a pixel a cell so that it still fits.
    float divisor = kMinDivisor;
    while (divisor < kFitDivisor && (doc_.width() / divisor > areaW || doc_.height() / divisor > areaH))
        divisor *= 2.0f;
    zoomDivisor_ = divisor;
    rescaleStitchTiles();
    setOrigin(QPoint(kLeftRuler, kTopRuler));
    clampOrigin(QSize());
    if (host_)
        host_->invalidate();
    return true;
}

void PatternView::setOrigin(QPoint origin)
{
    origin_ = origin;
    updateFirstCells();
}

void PatternView::scrollBy(int dx, int dy)
{
    origin_ += QPoint(dx, dy);
    clampOrigin(QSize());
    if (host_)
        host_->invalidate();
}

void PatternView::updateFirstCells()
{
    const float s = cellSize();
    firstColumn_ = static_cast<int>((kLeftRuler - origin_.x()) / s);
    firstRow_ = static_cast<int>((kTopRuler - origin_.y()) / s);
}

void PatternView::clampOrigin(QSize client)
{
    if (!client.isEmpty())
        client_ = client;
    const float s = cellSize();
    int x = std::min(origin_.x(), kLeftRuler);
    int y = std::min(origin_.y(), kTopRuler);
    // At least eight columns and rows stay in view when scrolled to the far end.
    if (doc_.width() >= 1 && x + doc_.width() * s < kLeftRuler + 8 * s)
        x = static_cast<int>(kLeftRuler + 8 * s - doc_.width() * s);
    if (doc_.height() >= 1 && y + doc_.height() * s < kTopRuler + 8 * s)
        y = static_cast<int>(kTopRuler + 8 * s - doc_.height() * s);
    // A pattern of fewer than eight cells is then wholly in view: keep it at the rulers.
    x = std::min(x, kLeftRuler);
    y = std::min(y, kTopRuler);
    // Cell borders fall on whole pixels in line with the ruler ticks.
    if (s >= 1) {
        const int step = static_cast<int>(s);
        while ((x - kLeftRuler) % step != 0)
            ++x;
        while ((y - kTopRuler) % step != 0)
            ++y;
    }
    origin_ = QPoint(x, y);
    updateFirstCells();
}

void PatternView::setViewMode(ViewMode mode)
{
    mode_ = mode;
    if (host_)
        host_->invalidate();
}

void PatternView::setShowGrid(bool on)
{
    showGrid_ = on;
    if (host_)
        host_->invalidate();
}

void PatternView::setShowBaseImage(bool on)
{
    showBaseImage_ = on;
    if (host_)
        host_->invalidate();
}

void PatternView::setFlashing(bool on, ColorRef current)
{
    flashing_ = on;
    if (on)
        flashColour_ = current;
    if (host_) {
        host_->flashTimer(on);
        host_->invalidate();
    }
}

void PatternView::setCurrentColour(ColorRef colour, bool alsoFlash)
{
    current_.chooseColour(colour);
    if (flashing_ && alsoFlash)
        flashColour_ = colour;
}

void PatternView::flashTick()
{
    if (host_)
        host_->invalidate();
}

void PatternView::patternReplaced(ProgressReport* progress)
{
    zoomDivisor_ = 0.125f;
    setOrigin(QPoint(kLeftRuler, kTopRuler));
    rebuildStitchTiles();
    rebuildCellImage(progress);
    if (host_)
        host_->invalidate();
}

void PatternView::rebuildCellImage(ProgressReport* progress)
{
    const int w = doc_.width(), h = doc_.height();
    if (w <= 0 || h <= 0) {
        cellImage_ = QImage();
        rebuildOverview(overviewSize_);
        return;
    }
    cellImage_ = QImage(w, h, QImage::Format_RGB32);
    const ThreadPixels pixel(doc_.threads.colors, pixelOf(doc_.fabric));
    if (progress) {
        progress->setRange(0, 10);
        progress->setPosition(0);
    }
    const std::size_t total = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    const std::size_t tenth = total / 10;
    std::size_t next = tenth ? tenth : total + 1;
    int step = 0;
    const std::int32_t* cells = std::as_const(doc_.grid.cells).data();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(cellImage_.scanLine(y));
        const std::size_t rowStart = static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
        for (int x = 0; x < w; ++x)
            line[x] = pixel(cells[rowStart + static_cast<std::size_t>(x)]);
        if (progress && rowStart + static_cast<std::size_t>(w) >= next) {
            while (next <= rowStart + static_cast<std::size_t>(w) && step < 10) {
                ++step;
                next += tenth;
            }
            progress->setPosition(step);
        }
    }
    rebuildOverview(overviewSize_);
}

void PatternView::setCell(int x, int y, std::int32_t index)
{
    if (!doc_.grid.contains(x, y))
        return;
    doc_.setCell(x, y, index);
    if (!cellImage_.isNull()) {
        cellImage_.setPixel(x, y, pixelOf(doc_.shownColor(index)));
    }
}

void PatternView::restoreFromSnapshot(std::int32_t tileIndex, ColorRef tileColour)
{
    const std::size_t tile = static_cast<std::size_t>(tileIndex);
    if (tileIndex < 0 || tile + 1 >= tiles_.size() || tiles_.size() != doc_.threads.colors.size() + 1) {
        rebuildStitchTiles();
    } else {
        const int size = std::max(1, static_cast<int>(cellSize()));
        tiles_[tile] = makeStitchTile(tileColour);
        scaledTiles_[tile] = tiles_[tile].scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    rebuildCellImage();  // also the overview
    if (host_)
        host_->invalidate();
}

void PatternView::rebuildStitchTiles()
{
    tiles_.clear();
    for (ColorRef c : doc_.threads.colors)
        tiles_.push_back(makeStitchTile(c));
    tiles_.push_back(makeFabricTile(doc_.fabric));
    rescaleStitchTiles();
}

void PatternView::rescaleStitchTiles()
{
    const int size = std::max(1, static_cast<int>(cellSize()));
    scaledTiles_.clear();
    scaledTiles_.reserve(tiles_.size());
    for (const QImage& tile : tiles_)
        scaledTiles_.push_back(tile.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void PatternView::fabricColorChanged(ColorRef fabric)
{
    if (!cellImage_.isNull()) {
        const std::uint32_t pixel = pixelOf(fabric);
        for (int y = 0; y < doc_.height(); ++y) {
            auto* line = reinterpret_cast<std::uint32_t*>(cellImage_.scanLine(y));
            for (int x = 0; x < doc_.width(); ++x)
                if (!doc_.isThread(doc_.cell(x, y)))
                    line[x] = pixel;
        }
    }
    if (!tiles_.empty()) {
        const int size = std::max(1, static_cast<int>(cellSize()));
        tiles_.back() = makeFabricTile(fabric);
        scaledTiles_.back() = tiles_.back().scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    rebuildOverview(overviewSize_);
    if (host_)
        host_->invalidate();
}

ChartGeometry PatternView::geometry() const
{
    ChartGeometry g;
    g.cellSize = cellSize();
    g.origin = origin_;
    g.areaStart = QPoint(kLeftRuler, kTopRuler);
    g.firstColumn = firstColumn_;
    g.firstRow = firstRow_;
    g.width = doc_.width();
    g.height = doc_.height();
    return g;
}

void PatternView::rebuildOverview(QSize size)
{
    overviewSize_ = size;
    overview_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    overview_.fill(qColour(doc_.fabric));
    overviewScale_ = 1.0;
    overviewOffset_ = QPoint();
    if (cellImage_.isNull())
        return;
    const double w = doc_.width(), h = doc_.height();
    const double ow = overview_.width(), oh = overview_.height();
    QRectF target;
    if (w / h > ow / oh) {  // fills the width, centred vertically
        overviewScale_ = w / ow;
        const double th = h / overviewScale_;
        target = QRectF(0, (oh - th) / 2, ow, th);
    } else {
        overviewScale_ = h / oh;
        const double tw = w / overviewScale_;
        target = QRectF((ow - tw) / 2, 0, tw, oh);
    }
    overviewOffset_ = QPoint(static_cast<int>(target.x()), static_cast<int>(target.y()));
    QPainter p(&overview_);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, cellImage_);
}

void PatternView::drawCellImageTiled(QPainter& target, int left, int top, int factor) const
{
    constexpr int kBlockColumns = 160, kBlockRows = 20;
    for (int r0 = 0; r0 < cellImage_.height(); r0 += kBlockRows) {
        for (int c0 = 0; c0 < cellImage_.width(); c0 += kBlockColumns) {
            const int w = std::min(kBlockColumns, cellImage_.width() - c0);
            const int h = std::min(kBlockRows, cellImage_.height() - r0);
            target.drawImage(QRect(left + factor * c0, top + factor * r0, factor * w, factor * h), cellImage_,
                             QRect(c0, r0, w, h));
        }
    }
}

std::intptr_t PatternView::dispatch(int message, std::intptr_t wParam, std::intptr_t lParam)
{
    switch (message) {
    case MsgSetFlashing:
        setFlashing(wParam != 0, current_.colour());
        return 1;
    case MsgSetCurrentColour:
        setCurrentColour(static_cast<ColorRef>(wParam), lParam == 1);
        return 1;
    default:
        return toolHandler_ ? toolHandler_(message, wParam, lParam) : 0;
    }
}

}  // namespace brenmark
