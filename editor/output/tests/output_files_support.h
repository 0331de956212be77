#pragma once
// What the export tests read back: a file's bytes and a folder's entries, hidden ones too.
#include "editor/render/chart_export.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSize>
#include <QStringList>

namespace brenmark::test {

inline const QSize kA4 = paperUnits(210, 297);

inline QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

}  // namespace brenmark::test
