#pragma once
// Qt's own texts (the buttons of message boxes, the file, colour and page-setup dialogs) in
// the user's language, from the translations Debian ships for Qt.

#include "interchange/ui_text.h"

#include <QLocale>
#include <QString>

class QCoreApplication;
class QTranslator;

namespace brenmark {

// Installs Qt's translations for the interface's language on the application. In Chinese the
// locale's own Chinese when it is a Chinese locale, Qt's Simplified Chinese otherwise: a
// Chinese interface never shows "Cancel" beside "取消". In English Qt speaks its own texts and
// nothing is installed. Returns the translator installed (owned by the application), null
// when none is needed or none could be read.
QTranslator* installQtTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system(),
                                   UiLanguage language = currentUiLanguage());

}  // namespace brenmark
