#pragma once
// For the page and export tests: a small two-thread chart (a checkerboard of a dark blue and
// a yellow thread, symbols assigned), and the output of an outside reader (poppler's tools).
#include "editor/document/pattern_document.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace brenmark::test {

inline PatternDocument checkerPattern(int w, int h)
{
    PatternDocument doc;
    doc.create(w, h, "DMC");
    doc.addThread(rgb(0, 0, 96), "310");
    doc.addThread(rgb(255, 255, 0), "307");
    doc.assignDefaultSymbols();
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            doc.setCell(c, r, (c + r) % 2);
    return doc;
}

// What a program printed, empty when it did not finish within 30 seconds.
inline QString runProgram(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace brenmark::test
