#pragma once
// What our own file writers (EMF, SVG, PDF) draw on: a paint device of a fixed page in units
// of 1/96 inch, one unit one pixel, as every chart layout measures its pages.
#include <QPaintDevice>
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

}  // namespace brenmark
