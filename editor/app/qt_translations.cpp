#include "editor/app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace brenmark {

namespace {

QTranslator* tryInstall(QCoreApplication& app, const QLocale& locale)
{
    auto* translator = new QTranslator(&app);
    // "qt" is the catalogue that pulls in qtbase and the other modules' texts.
    if (translator->load(locale, u"qt"_qs, u"_"_qs, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        !translator->isEmpty()) {
        QCoreApplication::installTranslator(translator);
        return translator;
    }
    delete translator;
    return nullptr;
}

}  // namespace

QTranslator* installQtTranslations(QCoreApplication& app, const QLocale& locale, UiLanguage language)
{
    if (language == UiLanguage::English)
        return nullptr;
    if (locale.language() == QLocale::Chinese)
        if (QTranslator* own = tryInstall(app, locale))
            return own;
    return tryInstall(app, QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China));
}

}  // namespace brenmark
