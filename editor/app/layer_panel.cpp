#include "editor/app/layer_panel.h"

#include "editor/app/user_dialogs.h"
#include "editor/document/layer_thumbnail.h"
#include "interchange/gbk_qstring.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QWheelEvent>

namespace brenmark {

namespace {

void drawEye(QPainter& p, QRect box, bool open)
{
    p.setPen(QPen(QColor(40, 40, 48), 1.4));
    p.setBrush(Qt::NoBrush);
    const QPointF c = QRectF(box).center();
    QPainterPath outline;
    outline.moveTo(c.x() - 8, c.y());
    outline.quadTo(c.x(), c.y() - 8, c.x() + 8, c.y());
    outline.quadTo(c.x(), c.y() + 8, c.x() - 8, c.y());
    p.drawPath(outline);
    if (open) {
        p.setBrush(QColor(40, 40, 48));
        p.drawEllipse(c, 2.6, 2.6);
    } else {
        p.drawLine(QPointF(c.x() - 7, c.y() + 6), QPointF(c.x() + 7, c.y() - 6));
    }
}

// 0 plain, 1 drawing layer (a pencil), 2 linked (a chain).
void drawLinkButton(QPainter& p, QRect box, int state)
{
    p.setPen(QPen(QColor(120, 120, 128), 1));
    p.setBrush(state == 0 ? QColor(236, 236, 236) : QColor(255, 246, 200));
    p.drawRoundedRect(QRectF(box).adjusted(1, 1, -1, -1), 3, 3);
    const QPointF c = QRectF(box).center();
    if (state == 1) {
        p.setPen(QPen(QColor(40, 40, 48), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(c.x() - 5, c.y() + 5), QPointF(c.x() + 5, c.y() - 5));
        p.setPen(QPen(QColor(200, 40, 48), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPoint(QPointF(c.x() - 6, c.y() + 6));
    } else if (state == 2) {
        p.setPen(QPen(QColor(40, 90, 190), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(c.x() - 7, c.y() - 3, 8, 6), 3, 3);
        p.drawRoundedRect(QRectF(c.x() - 1, c.y() - 3, 8, 6), 3, 3);
    }
}

}  // namespace

LayerRowHit hitLayerRow(const LayerPanelLayout& layout, int rows, QPoint point, int width)
{
    const int row = layout.rowAt(point.y(), rows);
    if (row < 0 || point.x() < LayerPanelLayout::kLeft || point.x() >= width - LayerPanelLayout::kLeft)
        return {};
    using G = LayerRowGeometry;
    if (point.x() < G::kEyeLeft + G::kButton)
        return {row, LayerRowPart::Eye};
    if (point.x() >= G::kLinkLeft && point.x() < G::kLinkLeft + G::kButton)
        return {row, LayerRowPart::Link};
    if (point.x() >= G::kNameLeft)
        return {row, LayerRowPart::Name};
    return {row, LayerRowPart::None};
}

LayerPanel::LayerPanel(LayerOperations& layers, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), layers_(layers), dialogs_(dialogs)
{
    setObjectName(u"layerPanel"_qs);
    setMouseTracking(false);
    layers_.addObserver(this);
}

LayerPanel::~LayerPanel()
{
    layers_.removeObserver(this);
}

bool LayerPanel::newLayer()
{
    if (!layers_.document().isOpen() || layers_.layers().full())
        return false;
    const auto name = dialogs_.askLayerName();
    if (!name)
        return false;
    return layers_.newLayer(*name);
}

bool LayerPanel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const LayerRowHit hit = hitLayerRow(layout(), rows_.rows(), help->pos(), width());
        if (hit.part == LayerRowPart::Name)
            QToolTip::showText(help->globalPos(), uiQStringOf(kLayerNameTip), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void LayerPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().color(QPalette::Base));
    for (int i = 0; i < layers_.layers().size(); ++i)
        paintRow(p, i);
}

void LayerPanel::paintRow(QPainter& p, int index)
{
    const PatternLayer& layer = layers_.layers()[index];
    const LayerPanelLayout& layout = rows_.layout();
    const int top = layout.rowTop(index);
    const int h = layout.rowHeight();
    const QRect row(LayerPanelLayout::kLeft, top, width() - 2 * LayerPanelLayout::kLeft, h);
    if (row.bottom() < 0 || row.top() > height())
        return;
    using G = LayerRowGeometry;
    const int buttonTop = top + (h - G::kButton) / 2;

    p.setPen(QPen(index == dropTarget_ && dropTarget_ != dragged_ ? QColor(40, 90, 190) : QColor(200, 200, 204), 1));
    p.setBrush(palette().color(QPalette::Window));
    p.drawRect(QRectF(row).adjusted(0.5, 0.5, -0.5, -0.5));
    drawEye(p, QRect(G::kEyeLeft, buttonTop, G::kButton, G::kButton), layer.visible);
    drawLinkButton(p, QRect(G::kLinkLeft, buttonTop, G::kButton, G::kButton), layer.buttonState);

    int x = G::kNameLeft;
    const int thumb = h - 6;
    if (layer.width > 0 && layer.height > 0 && thumb > 4) {
        const QSize fitted = QSize(layer.width, layer.height).scaled(thumb, thumb, Qt::KeepAspectRatio);
        const QRect target(x + (thumb - fitted.width()) / 2, top + 3 + (thumb - fitted.height()) / 2, fitted.width(),
                           fitted.height());
        // Drawn from the cells at the size shown, a few hundred pixels a row.
        const CellImage small = layerThumbnail(layer, layers_.document(), fitted.width(), fitted.height());
        if (!small.empty())
            p.drawImage(target, QImage(reinterpret_cast<const uchar*>(small.pixels.data()), small.width, small.height,
                                       small.width * 4, QImage::Format_RGB32));
        p.setPen(QColor(160, 160, 164));
        p.setBrush(Qt::NoBrush);
        p.drawRect(target.adjusted(0, 0, -1, -1));
        x += thumb + 6;
    }
    // The drawing layer's name is shown inverted. The names the program gives layers are
    // shown in the interface's language; the file keeps them as they are.
    const QRect nameBox(x, top + 2, row.right() - x - 2, h - 4);
    const QString name = uiQStringOf(layer.name);
    const int textWidth = std::min(nameBox.width(), p.fontMetrics().horizontalAdvance(name) + 8);
    if (layer.drawable) {
        p.fillRect(QRect(nameBox.left(), nameBox.top() + (nameBox.height() - p.fontMetrics().height()) / 2 - 1, textWidth,
                         p.fontMetrics().height() + 2),
                   palette().color(QPalette::Text));
        p.setPen(palette().color(QPalette::Base));
    } else {
        p.setPen(palette().color(QPalette::Text));
    }
    p.drawText(nameBox.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               p.fontMetrics().elidedText(name, Qt::ElideRight, nameBox.width() - 4));
}

void LayerPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const LayerRowHit hit = hitLayerRow(layout(), rows_.rows(), event->position().toPoint(), width());
    switch (hit.part) {
    case LayerRowPart::Eye:
        layers_.toggleVisible(hit.row);
        break;
    case LayerRowPart::Link:
        layers_.toggleLinked(hit.row);
        break;
    case LayerRowPart::Name:
        layers_.chooseDrawingLayer(hit.row);
        dragged_ = dropTarget_ = hit.row;
        break;
    case LayerRowPart::None:
        break;
    }
    update();
}

void LayerPanel::mouseMoveEvent(QMouseEvent* event)
{
    if (dragged_ < 0)
        return;
    const int row = rows_.rowAt(event->position().toPoint().y());
    if (row != dropTarget_) {
        dropTarget_ = row;
        update();
    }
}

void LayerPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || dragged_ < 0)
        return;
    const int target = rows_.rowAt(event->position().toPoint().y());
    const int dragged = dragged_;
    dragged_ = dropTarget_ = -1;
    // The layer goes where it was dropped; the ones between move up or down a row.
    if (target >= 0 && target != dragged)
        layers_.moveLayer(dragged, target);
    update();
}

void LayerPanel::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0 && rows_.scrollBy(notches * layout().rowStep()))
        update();
    event->accept();
}

void LayerPanel::resizeEvent(QResizeEvent*)
{
    rows_.setPanelHeight(height());
    update();
}

void LayerPanel::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    const bool open = layers_.document().isOpen();
    menu.addAction(uiQString("新建层"), this, &LayerPanel::newLayer)->setEnabled(open);
    menu.addAction(uiQString("复制当前绘制层"), this, &LayerPanel::copyDrawingLayer)->setEnabled(open);
    menu.addAction(uiQString("删除层"), this, &LayerPanel::deleteLayer)->setEnabled(open);
    menu.addAction(uiQString("合并可见层"), this, &LayerPanel::mergeVisible)->setEnabled(open);
    menu.addAction(uiQString("合并链接层"), this, &LayerPanel::mergeLinked)->setEnabled(open);
    menu.exec(event->globalPos());
}

}  // namespace brenmark
