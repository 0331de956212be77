#pragma once
// The one bridge between the program's GBK texts and Qt's strings.
#include "interchange/code_page.h"
#include "interchange/ui_text.h"

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

// uiText for the display edge: the text in the interface's language, as a QString.
inline QString uiQString(const char* gbkSource)
{
    return fromGbk(uiText(gbkSource));
}

inline QString uiQStringOf(std::string_view gbkSource)
{
    return fromGbk(uiTextOf(gbkSource));
}

}  // namespace brenmark
