#include "ui/Translations.h"

#include "base/Folders.h"
#include "base/Translate.h"
#include "ui/WxText.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/stdpaths.h>
#include <wx/translation.h>

#include <clocale>
#include <cstdlib>

namespace plandor {

const char* const kCatalogName = "plandor";

namespace {

std::string executableFolder() {
    return fromWx(wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath());
}

bool catalogExists(const std::string& language) {
    for (const std::string& folder : catalogFolders()) {
        const std::string mo = joinPath(joinPath(joinPath(folder, language), "LC_MESSAGES"),
                                        std::string(kCatalogName) + ".mo");
        if (wxFileName::FileExists(toWx(mo)))
            return true;
    }
    return false;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::vector<std::string> catalogFolders() {
    const std::string exe = executableFolder();
    return {joinPath(exe, "locale"), joinPath(joinPath(joinPath(exe, ".."), "share"), "locale")};
}

std::string installTranslations() {
    // Numbers in files and machine-readable output are written with a decimal point, whatever
    // the user's locale; the window shows its own decimal mark instead.
    std::setlocale(LC_NUMERIC, "C");
    const std::string language = chooseLanguage(environment, catalogExists);
    if (language.empty()) {
        wxTranslations::Set(nullptr);
        setTranslator(std::nullopt);
        return language;
    }
    for (const std::string& folder : catalogFolders())
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(toWx(folder));
    auto* translations = new wxTranslations;
    translations->SetLanguage(toWx(language));
    translations->AddStdCatalog();
    translations->AddCatalog(kCatalogName);
    wxTranslations::Set(translations);

    Translator translator;
    translator.text = [](const char* text) {
        return fromWx(wxGetTranslation(wxString::FromUTF8(text)));
    };
    translator.plural = [](const char* singular, const char* plural, unsigned long n) {
        return fromWx(wxGetTranslation(wxString::FromUTF8(singular), wxString::FromUTF8(plural),
                                       static_cast<unsigned>(n)));
    };
    // TRANSLATORS: the decimal separator of numbers shown in this language: "." or ",".
    const wxString mark = wxGETTEXT_IN_CONTEXT("decimal separator", ".");
    translator.decimalMark = mark == "," ? ',' : '.';
    setTranslator(std::move(translator));
    return language;
}

} // namespace plandor
