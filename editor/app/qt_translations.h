#pragma once
// Qt's own texts (the buttons of message boxes, the file, colour and page-setup dialogs) in
// the user's language, from the translations Debian ships for Qt.
#include <QLocale>
#include <QString>

class QCoreApplication;
class QTranslator;

namespace brenmark {

// Installs Qt's translations for the locale on the application. The program itself speaks
// Chinese, so a locale Qt has no translation for, or an English or "C" one, gets Qt's
// Simplified Chinese instead: a Chinese program never shows "Cancel" beside "取消".
// Returns the translator installed (owned by the application), null when none could be read.
QTranslator* installQtTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());

}  // namespace brenmark
