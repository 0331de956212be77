#pragma once
// File dialog filters: the program's own "description|patterns|..." texts (GBK) as Qt's
// "description (patterns);;..." with "*.*" as "*".
#include "interchange/gbk_qstring.h"

#include <QStringList>

#include <string>

namespace brenmark {

inline QString qtFileFilter(const std::string& pipes)
{
    const QStringList parts = uiQStringOf(pipes).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            continue;
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern == u"*.*")
                pattern = u"*"_qs;
        filters << parts[i] + u" ("_qs + patterns.join(u' ') + u')';
    }
    return filters.join(u";;"_qs);
}

}  // namespace brenmark
