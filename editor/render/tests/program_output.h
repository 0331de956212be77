#pragma once
// What an outside reader (poppler's tools, pdfminer) printed, for the export tests. Qt-facing
// test code only: QProcess brings in headers that need the GB18030 execution charset.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace brenmark::test {

// What a program printed on its standard output, empty when it did not finish within 30
// seconds.
inline QString runProgram(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace brenmark::test
