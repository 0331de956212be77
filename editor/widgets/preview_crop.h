#pragma once
// Cropping on a conversion preview: a rectangle dragged on the preview's picture chooses the
// part of the picture to convert, a double click the whole picture again. The preview shows
// the area converted last, so a second drag crops within the first. Header only, for the
// picture and the photo dialogs alike; the dialogs take the result through plain calls that
// tests make directly.
#include "editor/output/area_average.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QObject>
#include <QPixmap>
#include <QRubberBand>

#include <functional>
#include <optional>

namespace brenmark {

// The fractions (left, top, right, bottom) of the picture a label shows, centred at its own
// size, between two points of the label; nothing when the label shows no picture.
struct PreviewFractions {
    double left = 0, top = 0, right = 0, bottom = 0;
};
inline std::optional<PreviewFractions> previewFractions(const QLabel& preview, QPoint from, QPoint to)
{
    const QPixmap shown = preview.pixmap();
    if (shown.isNull())
        return std::nullopt;
    const QRect area(QPoint((preview.width() - shown.width()) / 2, (preview.height() - shown.height()) / 2), shown.size());
    auto fx = [&](int x) { return double(x - area.left()) / area.width(); };
    auto fy = [&](int y) { return double(y - area.top()) / area.height(); };
    return PreviewFractions{fx(from.x()), fy(from.y()), fx(to.x()), fy(to.y())};
}

// Gives panel the crop a drag from one point of preview to another chooses, within the area
// shown; false (and nothing changed) when the preview shows nothing or the drag holds no
// pixel of the picture. Panel: shownArea() and setCrop(), as the conversion panels have.
template <typename Panel>
bool cropFromPreview(Panel& panel, const QLabel& preview, QPoint from, QPoint to)
{
    const auto fractions = previewFractions(preview, from, to);
    const auto area = panel.shownArea();
    if (!fractions || !area)
        return false;
    const auto crop = cropWithin(*area, fractions->left, fractions->top, fractions->right, fractions->bottom);
    if (!crop)
        return false;
    panel.setCrop(crop);
    return true;
}

// The whole picture again; false when there is none.
template <typename Panel>
bool wholeFromPreview(Panel& panel)
{
    if (!panel.shownArea())
        return false;
    panel.setCrop(std::nullopt);
    return true;
}

class PreviewCropper final : public QObject {
public:
    // dragged gets the label points of a finished drag; whole is called on a double click.
    PreviewCropper(QLabel* preview, std::function<void(QPoint, QPoint)> dragged, std::function<void()> whole)
        : QObject(preview), preview_(preview), band_(new QRubberBand(QRubberBand::Rectangle, preview)),
          dragged_(std::move(dragged)), whole_(std::move(whole))
    {
        preview_->installEventFilter(this);
        preview_->setCursor(Qt::CrossCursor);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != preview_)
            return false;
        auto* mouse = dynamic_cast<QMouseEvent*>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (mouse->button() == Qt::LeftButton) {
                start_ = mouse->position().toPoint();
                band_->setGeometry(QRect(start_, QSize()));
                band_->show();
            }
            return true;
        case QEvent::MouseMove:
            if (band_->isVisible())
                band_->setGeometry(QRect(start_, mouse->position().toPoint()).normalized());
            return true;
        case QEvent::MouseButtonRelease:
            if (band_->isVisible() && mouse->button() == Qt::LeftButton) {
                band_->hide();
                const QPoint end = mouse->position().toPoint();
                if ((end - start_).manhattanLength() > 3)
                    dragged_(start_, end);
            }
            return true;
        case QEvent::MouseButtonDblClick:
            band_->hide();
            whole_();
            return true;
        default:
            return false;
        }
    }

private:
    QLabel* preview_;
    QRubberBand* band_;
    QPoint start_;
    std::function<void(QPoint, QPoint)> dragged_;
    std::function<void()> whole_;
};

}  // namespace brenmark
