#include "interchange/ui_text.h"

#include "interchange/code_page.h"

#include <QByteArray>
#include <QString>
#include <QTranslator>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>

namespace brenmark {

namespace {

// One catalogue for the whole process: this library is shared by the programs and the
// libraries they load, so they all read the same one. Loaded at start-up, before any other
// thread runs, and only read afterwards.
struct Catalogue {
    std::unique_ptr<QTranslator> translator;
    UiLanguage language = UiLanguage::Chinese;
};

Catalogue& catalogue()
{
    static Catalogue instance;
    return instance;
}

std::string lowered(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

}  // namespace

std::string uiTextOf(std::string_view gbkSource)
{
    const QTranslator* translator = catalogue().translator.get();
    if (!translator || gbkSource.empty())
        return std::string(gbkSource);
    const std::string utf8 = gbkToUtf8(gbkSource);
    // An id-based catalogue: one context, the empty one, and the source text as the id.
    const QString translated = translator->translate(nullptr, utf8.c_str());
    if (translated.isEmpty())
        return std::string(gbkSource);
    return utf8ToGbk(translated.toStdString());
}

std::string uiText(const char* gbkSource)
{
    return uiTextOf(gbkSource ? std::string_view(gbkSource) : std::string_view());
}

std::optional<UiLanguage> parseUiLanguage(std::string_view name)
{
    const std::string lower = lowered(name);
    const std::string_view code = std::string_view(lower).substr(0, lower.find_first_of("_-.@"));
    if (code == "zh")
        return UiLanguage::Chinese;
    if (code == "en")
        return UiLanguage::English;
    return std::nullopt;
}

UiLanguage languageOfLocale(std::string_view localeName)
{
    const std::string lower = lowered(localeName);
    return lower.rfind("zh", 0) == 0 ? UiLanguage::Chinese : UiLanguage::English;
}

UiLanguage chooseUiLanguage(std::optional<UiLanguage> commandLine, const char* environment,
                            std::optional<UiLanguage> setting, std::string_view localeName)
{
    if (commandLine)
        return *commandLine;
    if (environment)
        if (const auto fromEnvironment = parseUiLanguage(environment))
            return *fromEnvironment;
    if (setting)
        return *setting;
    return languageOfLocale(localeName);
}

std::optional<std::string> takeLanguageOption(std::vector<std::string>& args, std::size_t first)
{
    for (std::size_t i = first; i < args.size(); ++i) {
        if (args[i] == "--")
            break;
        if (args[i] == "--lang" && i + 1 < args.size()) {
            std::string value = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            return value;
        }
        if (args[i].rfind("--lang=", 0) == 0) {
            std::string value = args[i].substr(7);
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            return value;
        }
    }
    return std::nullopt;
}

std::string uiCatalogueFile(const std::string& shippedDir, UiLanguage language)
{
    if (language == UiLanguage::Chinese)
        return {};
    return shippedDir + "translations/brenmark_en.qm";
}

bool loadUiCatalogue(const std::string& qmFile)
{
    Catalogue& c = catalogue();
    if (qmFile.empty()) {
        c.translator.reset();
        c.language = UiLanguage::Chinese;
        return true;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QString::fromLocal8Bit(qmFile.c_str())) || translator->isEmpty())
        return false;
    c.translator = std::move(translator);
    c.language = UiLanguage::English;
    return true;
}

bool setUiLanguage(UiLanguage language, const std::string& shippedDir)
{
    return loadUiCatalogue(uiCatalogueFile(shippedDir, language));
}

UiLanguage currentUiLanguage()
{
    return catalogue().language;
}

namespace {

// The locale for messages as the C library reads it.
std::string systemLocaleName()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(name); value && *value)
            return value;
    return "C";
}

}  // namespace

UiLanguage startUiLanguage(std::vector<std::string>& args, std::size_t first, const std::string& shippedDir,
                           std::optional<UiLanguage> setting)
{
    std::optional<UiLanguage> commandLine;
    if (const auto option = takeLanguageOption(args, first))
        commandLine = parseUiLanguage(*option);
    const UiLanguage wanted = chooseUiLanguage(commandLine, std::getenv("BRENMARK_LANG"), setting, systemLocaleName());
    setUiLanguage(wanted, shippedDir);
    return currentUiLanguage();
}

}  // namespace brenmark
