// A layer's thumbnail is drawn from its cells at the size shown; it must look as drawing a
// one-pixel-per-cell picture of the layer scaled into the same box did.
#include "editor/document/layer_thumbnail.h"

#include "editor/document/layer_list.h"
#include "editor/document/pattern_document.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace brenmark {
namespace {

// The whole layer at one pixel per cell, drawn scaled into the box with a plain painter.
QImage drawnTheOldWay(const PatternLayer& layer, const PatternDocument& doc, QSize box)
{
    QImage full(layer.width, layer.height, QImage::Format_RGB32);
    for (int y = 0; y < layer.height; ++y)
        for (int x = 0; x < layer.width; ++x)
            full.setPixel(x, y, pixelOf(doc.shownColor(layer.cells[static_cast<std::size_t>(x + y * layer.width)])));
    QImage out(box, QImage::Format_RGB32);
    out.fill(Qt::magenta);
    QPainter p(&out);
    p.drawImage(QRect(QPoint(0, 0), box), full);
    return out;
}

QImage drawnNow(const PatternLayer& layer, const PatternDocument& doc, QSize box)
{
    const CellImage small = layerThumbnail(layer, doc, box.width(), box.height());
    QImage out(box, QImage::Format_RGB32);
    out.fill(Qt::magenta);
    QPainter p(&out);
    p.drawImage(QRect(QPoint(0, 0), box),
                QImage(reinterpret_cast<const uchar*>(small.pixels.data()), small.width, small.height, small.width * 4,
                       QImage::Format_RGB32));
    return out;
}

TEST(LayerThumbnail, LooksAsTheScaledWholeLayerDid)
{
    PatternDocument doc;
    for (const QSize pattern : {QSize(200, 150), QSize(37, 290), QSize(1000, 7), QSize(5, 5), QSize(16, 16)}) {
        doc.create(pattern.width(), pattern.height(), "DMC");
        for (int t = 0; t < 40; ++t)
            doc.addThread(rgb(static_cast<unsigned>(t * 6), static_cast<unsigned>(255 - t * 5), static_cast<unsigned>(t * 37 % 256)),
                          std::to_string(t));
        doc.fabric = rgb(250, 240, 230);
        doc.layers.backgroundFromGrid(doc);
        const PatternLayer& layer = doc.layers[0];
        for (int y = 0; y < pattern.height(); ++y)
            for (int x = 0; x < pattern.width(); ++x)
                doc.layers.setLayerCell(0, x, y, (x * 7 + y * 13) % 41 - 1);  // -1 .. 39
        // The panel's boxes: the pattern's shape fitted into a square of the row's height.
        for (int thumb : {18, 24, 33}) {
            const QSize box = pattern.scaled(thumb, thumb, Qt::KeepAspectRatio);
            const QImage now = drawnNow(layer, doc, box), old = drawnTheOldWay(layer, doc, box);
            int differing = 0;
            for (int y = 0; y < box.height(); ++y)
                for (int x = 0; x < box.width(); ++x)
                    differing += now.pixel(x, y) != old.pixel(x, y);
            EXPECT_EQ(differing, 0) << pattern.width() << "x" << pattern.height() << " in " << thumb << " of "
                                    << box.width() * box.height();
        }
    }
}

TEST(LayerThumbnail, TransparentCellsAndIndicesWithoutAThreadShowTheFabric)
{
    PatternDocument doc;
    doc.create(3, 1, "DMC");
    doc.addThread(rgb(10, 20, 30), "1");
    doc.fabric = rgb(1, 2, 3);
    doc.layers.backgroundFromGrid(doc);
    doc.layers.setLayerCell(0, 0, 0, 0);
    doc.layers.setLayerCell(0, 2, 0, 200);
    const CellImage t = layerThumbnail(doc.layers[0], doc, 3, 1);
    EXPECT_EQ(t.pixels.vector(), (std::vector<std::uint32_t>{pixelOf(rgb(10, 20, 30)), pixelOf(rgb(1, 2, 3)), pixelOf(rgb(1, 2, 3))}));
}

}  // namespace
}  // namespace brenmark
