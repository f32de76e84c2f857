#include "core/base/Translate.h"

#include <cctype>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace plandor {

namespace {

std::optional<Translator>& installed() {
    static std::optional<Translator> translator;
    return translator;
}

// "de_DE.UTF-8@euro" -> {"de_DE", "de"}: the full name without codeset and modifier first.
std::vector<std::string> candidatesOf(std::string name) {
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX")
        return {};
    std::vector<std::string> out{name};
    const std::size_t underscore = name.find('_');
    if (underscore != std::string::npos)
        out.push_back(name.substr(0, underscore));
    return out;
}

std::vector<std::string> splitColons(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = text.find(':', start);
        out.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos)
            return out;
        start = colon + 1;
    }
}

} // namespace

void setTranslator(std::optional<Translator> translator) {
    installed() = std::move(translator);
}

std::string tr(const char* text) {
    const auto& t = installed();
    return t && t->text ? t->text(text) : std::string(text);
}

std::string trFormat(const char* format, ...) {
    const std::string translated = tr(format);
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, translated.c_str(), copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), translated.c_str(), args);
        out.assign(buffer.data(), static_cast<std::size_t>(n));
    }
    va_end(args);
    return out;
}

std::string trPlural(const char* singular, const char* plural, unsigned long n) {
    const auto& t = installed();
    if (t && t->plural)
        return t->plural(singular, plural, n);
    return n == 1 ? singular : plural;
}

char decimalMark() {
    const auto& t = installed();
    return t ? t->decimalMark : '.';
}

std::string shownNumber(std::string text) {
    const char mark = decimalMark();
    if (mark == '.')
        return text;
    // Only a point between two digits is a decimal point; "..." and "e.g." stay.
    for (std::size_t i = 1; i + 1 < text.size(); ++i)
        if (text[i] == '.' && std::isdigit(static_cast<unsigned char>(text[i - 1])) &&
            std::isdigit(static_cast<unsigned char>(text[i + 1])))
            text[i] = mark;
    return text;
}

std::optional<double> parseShownNumber(const std::string& text) {
    // A language that writes decimal commas reads both marks; in English a comma could only be
    // a thousands separator, which is refused rather than misread.
    std::string plain = text;
    if (decimalMark() == ',')
        for (char& c : plain)
            if (c == ',')
                c = '.';
    const std::size_t first = plain.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const std::size_t last = plain.find_last_not_of(" \t");
    plain = plain.substr(first, last - first + 1);
    // from_chars reads a decimal point whatever locale the C library is in.
    double value = 0;
    const char* end = plain.data() + plain.size();
    const auto [ptr, ec] = std::from_chars(plain.data(), end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

UntranslatedScope::UntranslatedScope() : saved_(std::move(installed())) {
    installed().reset();
}

UntranslatedScope::~UntranslatedScope() {
    installed() = std::move(saved_);
}

std::string chooseLanguage(const std::function<std::string(const char* name)>& environment,
                           const std::function<bool(const std::string& language)>& available) {
    std::vector<std::string> wanted;
    for (const std::string& entry : splitColons(environment("LANGUAGE")))
        for (const std::string& c : candidatesOf(entry))
            wanted.push_back(c);
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string value = environment(name);
        if (value.empty())
            continue;
        for (const std::string& c : candidatesOf(value))
            wanted.push_back(c);
        break;
    }
    for (const std::string& language : wanted) {
        if (language == "en" || language.rfind("en_", 0) == 0)
            return "";
        if (available(language))
            return language;
    }
    return "";
}

} // namespace plandor
