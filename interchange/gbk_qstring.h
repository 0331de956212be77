#pragma once
// The one bridge between the program's GBK texts and Qt's strings.
#include "interchange/code_page.h"

#include <QString>

#include <string>

namespace brenmark {

inline QString fromGbk(const std::string& gbk)
{
    return QString::fromStdString(gbkToUtf8(gbk));
}

inline std::string toGbk(const QString& text)
{
    return utf8ToGbk(text.toStdString());
}

}  // namespace brenmark
