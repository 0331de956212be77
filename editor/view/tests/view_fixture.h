#pragma once
#include "editor/view/pattern_view.h"

#include <QImage>
#include <QPainter>

namespace brenmark::test {

// A document and its view, painted into an image of a fixed client size.
struct ViewFixture {
    PatternDocument doc;
    CurrentThreadChoice current{doc};
    PatternView view{doc, current};
    QSize client{400, 300};

    void make(int w, int h, std::initializer_list<ColorRef> threads = {})
    {
        doc.create(w, h, "DMC");
        int i = 0;
        for (ColorRef c : threads)
            doc.addThread(c, std::to_string(i++));
        doc.assignDefaultSymbols();
        view.patternReplaced();
    }
    // Zooms to a cell size with the chart's first cell at the rulers (the zoom buttons keep
    // the centre cell instead).
    void zoomTo(float cell)
    {
        while (view.cellSize() < cell && view.zoomIn()) {
        }
        while (view.cellSize() > cell && view.zoomOut()) {
        }
        view.setOrigin(QPoint(kLeftRuler, kTopRuler));
    }
    QImage paint()
    {
        QImage image(client, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        view.paint(p, client);
        return image;
    }
};

inline QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

}  // namespace brenmark::test
