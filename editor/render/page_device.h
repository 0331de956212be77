#pragma once
// What our own file writers (EMF, SVG, PDF) draw on: a paint device of a fixed page in units
// of 1/96 inch, one unit one pixel, as every chart layout measures its pages; and what their
// engines share about the pictures QPainter hands them.
#include <QBitmap>
#include <QColor>
#include <QImage>
#include <QPaintDevice>
#include <QPixmap>
#include <QSize>

#include <climits>

namespace brenmark {

class PageDevice : public QPaintDevice {
public:
    explicit PageDevice(QSize size) : size_(size) {}

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmWidthMM: return qRound(size_.width() * 25.4 / 96);
        case PdmHeightMM: return qRound(size_.height() * 25.4 / 96);
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return QPaintDevice::metric(metric);
        }
    }

private:
    QSize size_;
};

// A pixmap as QPainter shows it: a bitmap's set bits in the pen's colour, the others clear.
inline QImage pictureOfPixmap(const QPixmap& pixmap, const QColor& ink)
{
    if (pixmap.depth() != 1)
        return pixmap.toImage();
    QImage bits = pixmap.toImage().convertToFormat(QImage::Format_MonoLSB);
    bits.setColorCount(2);
    bits.setColor(0, qRgba(0, 0, 0, 0));
    bits.setColor(1, ink.rgba());
    return bits.convertToFormat(QImage::Format_ARGB32);
}

// Whether QPainter drew this picture itself for paint an engine does not claim (gradients,
// patterns): it hands such pictures over with these flags, its opacity already in the pixels.
inline bool paintedByPainter(Qt::ImageConversionFlags flags)
{
    return flags == (Qt::OrderedDither | Qt::OrderedAlphaDither);
}

}  // namespace brenmark
