#pragma once
// The program's one translation function. Every text a person reads (menus, dialogs,
// messages, page texts, the command line's messages) is written in the sources in Chinese and
// passes through uiText where it is shown; with the English catalogue loaded it comes back in
// English, otherwise unchanged, byte for byte. Texts written into files, sent to the web
// service or handed to plug-ins as data never pass through it.
//
// The catalogue is translations/brenmark_en.ts, extracted from the sources by lupdate, which
// knows uiText, uiQString and UI_TEXT_NOOP as spellings of qtTrId / QT_TRID_NOOP: the Chinese
// text itself is the message's id, in one context.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

// Marks a literal for the catalogue where it sits in a table; translate it with uiTextOf
// where it is shown.
#define UI_TEXT_NOOP(text) text

// The text in the interface's language, GBK. A text with placeholders is translated as the
// template, before they are filled in.
std::string uiText(const char* gbkSource);
// The same for a text held elsewhere (a table entry marked with UI_TEXT_NOOP, a stored undo
// label). A text the catalogue does not hold comes back unchanged.
std::string uiTextOf(std::string_view gbkSource);

enum class UiLanguage { Chinese, English };

// "zh" and "en" (also "zh_CN", "en_GB" and the like, any case); nothing for anything else.
std::optional<UiLanguage> parseUiLanguage(std::string_view name);
// The language a locale name (LANG, "zh_CN.UTF-8", "en_US", "C") asks for: Chinese for zh_*,
// English for everything else.
UiLanguage languageOfLocale(std::string_view localeName);
// The choice: the command line's --lang first, then BRENMARK_LANG, then the saved setting,
// then the locale. Values that name no language are passed over.
UiLanguage chooseUiLanguage(std::optional<UiLanguage> commandLine, const char* environment,
                            std::optional<UiLanguage> setting, std::string_view localeName);
// Takes "--lang X" or "--lang=X" out of a program's arguments (from index `first` on, up to a
// "--") and returns X; nothing when absent. An option that names no language is taken out too.
std::optional<std::string> takeLanguageOption(std::vector<std::string>& args, std::size_t first = 0);

// The catalogue file for a language beside what ships ("<shipped>translations/brenmark_en.qm");
// empty for Chinese, which needs none.
std::string uiCatalogueFile(const std::string& shippedDir, UiLanguage language);
// Loads the language's catalogue for every later uiText; Chinese unloads it. False when the
// catalogue cannot be read (the texts then stay Chinese).
bool setUiLanguage(UiLanguage language, const std::string& shippedDir);
// Loads a catalogue file by its path (tests), or unloads with an empty path.
bool loadUiCatalogue(const std::string& qmFile);
UiLanguage currentUiLanguage();

// For a program's start: the choice from its arguments (taking --lang out of them from index
// `first` on), the environment, the setting and the system locale, loaded from what ships.
// Returns the language in force.
UiLanguage startUiLanguage(std::vector<std::string>& args, std::size_t first, const std::string& shippedDir,
                           std::optional<UiLanguage> setting = std::nullopt);

}  // namespace brenmark
