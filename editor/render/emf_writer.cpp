#include "editor/render/emf_writer.h"

#include "editor/render/emf_paint_engine.h"
#include "editor/render/replacement_device.h"
#include "interchange/gbk_qstring.h"

#include <QPainter>

namespace brenmark {

bool writeEmf(const QString& path, QSize size, const std::function<void(QPainter&)>& draw, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (size.isEmpty())
        return fail(u"nothing to draw: the metafile has no size"_qs);
    // Drawn first, so a file is only opened for a whole metafile.
    EmfPaintDevice device(size);
    {
        QPainter p;
        if (!p.begin(&device))
            return fail(u"cannot paint the metafile"_qs);
        if (draw)
            draw(p);
        if (p.isActive())
            p.end();
    }
    const QByteArray& bytes = device.metafile();
    // Beside the name first; an unfinished file is removed when the device goes.
    ReplacementDevice file(path);
    if (!file.begin() || file.write(bytes) != bytes.size() || !file.commit())
        return fail(u"cannot write "_qs + path + u": "_qs + fromGbk(file.failure()));
    return true;
}

}  // namespace brenmark
