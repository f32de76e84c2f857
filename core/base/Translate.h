#pragma once
// The one way the core's texts reach the user's language. The window installs a translator at
// start (gettext catalogues through the toolkit); with none installed every text stays English,
// as the core tests and machine-readable output need. Files never depend on it.

#include <functional>
#include <optional>
#include <string>

// Marks a text for the catalogue where it sits in a table; it is translated where it is shown.
#define TR_NOOP(text) text

namespace plandor {

struct Translator {
    // Both receive the English source text (UTF-8) and return the text to show (UTF-8).
    std::function<std::string(const char* text)> text;
    std::function<std::string(const char* singular, const char* plural, unsigned long n)> plural;
    // The decimal separator of numbers shown to the user: '.' or ','.
    char decimalMark = '.';
};

// Installs `translator` for the whole program; nothing (std::nullopt) returns to English.
void setTranslator(std::optional<Translator> translator);

std::string tr(const char* text);
inline std::string tr(const std::string& text) {
    return tr(text.c_str());
}
// Translates a printf format, then fills it in: trFormat("Gap of %s between %s and %s", ...).
std::string trFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The form of the text for `n` things ("1 error", "3 errors").
std::string trPlural(const char* singular, const char* plural, unsigned long n);

// Numbers shown to the user: the decimal point of `text` (printf output) becomes the
// language's mark, and `parseShownNumber` reads it back (a point is read in every language).
char decimalMark();
std::string shownNumber(std::string text);
std::optional<double> parseShownNumber(const std::string& text);

// While one lives, texts stay English and numbers keep their decimal point: for output that
// programs read (the check lines, CSV) whatever the user's language.
class UntranslatedScope {
  public:
    UntranslatedScope();
    ~UntranslatedScope();
    UntranslatedScope(const UntranslatedScope&) = delete;
    UntranslatedScope& operator=(const UntranslatedScope&) = delete;

  private:
    std::optional<Translator> saved_;
};

// The language to show, from the environment's LANGUAGE, LC_ALL, LC_MESSAGES and LANG (in that
// order, as gettext reads them), among the languages that have a catalogue: "de" for "de_DE.UTF-8"
// or "de_AT"; an empty text for English ("C", "POSIX", "en", unknown or nothing set).
std::string chooseLanguage(const std::function<std::string(const char* name)>& environment,
                           const std::function<bool(const std::string& language)>& available);

} // namespace plandor
