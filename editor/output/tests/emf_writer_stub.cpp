// A stand-in for the metafile writer while it is not in the render library: it draws into
// nothing and writes a marker file, so the export tests can check names and counts.
#include "editor/render/emf_writer.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>

namespace brenmark {

bool writeEmf(const QString& path, QSize size, const std::function<void(QPainter&)>& draw, QString* error)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    {
        QPainter p(&scratch);
        draw(p);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("EMF stand-in ") < 0
        || file.write(QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height())) < 0 || !file.commit()) {
        if (error)
            *error = u"cannot write "_qs + path;
        return false;
    }
    return true;
}

}  // namespace brenmark
