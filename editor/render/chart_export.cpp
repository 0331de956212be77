#include "editor/render/chart_export.h"

#include "editor/render/pdf_paint_engine.h"
#include "editor/render/replacement_device.h"
#include "interchange/gbk_qstring.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brenmark {

QSize paperUnits(double widthMillimetres, double heightMillimetres)
{
    return QSize(static_cast<int>(widthMillimetres * 96 / 25.4), static_cast<int>(heightMillimetres * 96 / 25.4));
}

QStringList writePagePictures(const ChartLayout& layout, const QString& folder, const QString& base, const char* format,
                              ChartStyle style, QString* error)
{
    QStringList written;
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = u"cannot create the folder "_qs + folder;
        return {};
    }
    const int total = layout.grid().total;
    const QString ext = QString::fromLatin1(format).toLower();
    QImage page(layout.pageSize(), QImage::Format_RGB32);
    for (int n = 1; n <= total; ++n) {
        page.fill(Qt::white);
        {
            QPainter p(&page);
            layout.drawPage(p, n, style);
        }
        const QString suffix = QString::fromStdString(pageFileSuffix(layout.grid(), n));
        const QString path = QDir(folder).filePath(base + u'_' + suffix + u'.' + ext);
        ReplacementDevice file(path);
        if (!file.begin() || !page.save(&file, format, ext == u"jpg"_qs ? 80 : -1) || !file.commit()) {
            if (error)
                *error = u"cannot write "_qs + path + u": "_qs + fromGbk(file.failure());
            return {};
        }
        written << path;
    }
    return written;
}

bool paintChartPdf(const ChartLayout& layout, QIODevice& device, ChartStyle style, int pages, ProgressReport* progress)
{
    const int total = layout.grid().total;
    const int last = pages < 0 ? total : std::min(pages, total);
    PdfPaintDevice pdf(device, layout.pageSize());
    pdf.setTitle(uiQStringOf(layout.settings().title));
    QPainter p;
    if (!p.begin(&pdf))
        return false;
    for (int n = 1; n <= last; ++n) {
        if (n > 1)
            pdf.newPage();
        layout.drawPage(p, n, style);
        if (progress) {
            progress->setPosition(n);
            if (progress->cancelled()) {
                p.end();
                return false;
            }
        }
    }
    return p.end();
}

bool writeChartPdf(const ChartLayout& layout, const QString& path, ChartStyle style, QString* error,
                   ProgressReport* progress)
{
    ReplacementDevice file(path);
    auto failed = [&](const QString& why) {
        if (error)
            *error = u"cannot write "_qs + path + u": "_qs + why;
        return false;
    };
    if (!file.begin())
        return failed(fromGbk(file.failure()));
    if (progress)
        file.setCancel([progress] { return progress->cancelled(); });
    const bool painted = paintChartPdf(layout, file, style, -1, progress);
    if (progress && progress->cancelled())
        return failed(u"cancelled"_qs);  // the uncommitted file goes with the device
    if (!painted || !file.commit())
        return failed(fromGbk(file.failure()));
    return true;
}

}  // namespace brenmark
