#include "gui/ui/Translations.h"

#include "core/base/Folders.h"
#include "core/base/Translate.h"
#include "gui/platform/SystemFolders.h"
#include "gui/platform/WxText.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/translation.h>
#include <wx/window.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

namespace plandor {

const char* const kCatalogName = "plandor";

namespace {

bool catalogExists(const std::string& language) {
    for (const std::string& folder : catalogFolders()) {
        const std::string mo = joinPath(joinPath(joinPath(folder, language), "LC_MESSAGES"),
                                        std::string(kCatalogName) + ".mo");
        if (wxFileName::FileExists(toWx(mo)))
            return true;
    }
    return false;
}

// The catalogue files themselves: the program's in catalogFolders(), the toolkit's own (stock
// button texts) where the system keeps it. Looks nowhere else, and needs no application object,
// so the command line can translate its messages before the toolkit starts.
std::vector<std::string> searchFolders() {
    std::vector<std::string> folders = catalogFolders();
#ifdef __linux__
    folders.push_back("/usr/share/locale");
    folders.push_back("/usr/local/share/locale");
#endif
    return folders;
}

wxString catalogFile(const std::string& folder, const wxString& language, const wxString& domain) {
    return toWx(joinPath(joinPath(joinPath(folder, fromWx(language)), "LC_MESSAGES"),
                         fromWx(domain) + ".mo"));
}

class CatalogLoader : public wxTranslationsLoader {
  public:
    wxMsgCatalog* LoadCatalog(const wxString& domain, const wxString& language) override {
        for (const std::string& folder : searchFolders()) {
            const wxString file = catalogFile(folder, language, domain);
            if (wxFileName::FileExists(file))
                return wxMsgCatalog::CreateFromFile(file, domain);
        }
        return nullptr;
    }
    wxArrayString GetAvailableTranslations(const wxString& domain) const override {
        wxArrayString languages;
        for (const std::string& folder : searchFolders()) {
            std::error_code ec;
            for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
                const wxString language = toWx(entry.path().filename().string());
                if (wxFileName::FileExists(catalogFile(folder, language, domain)) &&
                    languages.Index(language) == wxNOT_FOUND)
                    languages.Add(language);
            }
        }
        return languages;
    }
};

#ifdef __WXMSW__
// Windows sets none of the locale variables; its user-interface language ("de-DE") stands in
// for LANG.
std::string windowsLanguage() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const LCID id = MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (::LCIDToLocaleName(id, name, LOCALE_NAME_MAX_LENGTH, 0) <= 0)
        return "";
    std::string language;
    for (const wchar_t* c = name; *c; ++c)
        language += *c == L'-' ? '_' : static_cast<char>(*c);
    return language;
}
#endif

std::string environment(const char* name) {
    const char* value = std::getenv(name);
#ifdef __WXMSW__
    if (!value && std::strcmp(name, "LANG") == 0)
        return windowsLanguage();
#endif
    return value ? value : "";
}

} // namespace

void labelStockButtons(wxWindow& window) {
    const std::pair<int, wxString> labels[] = {
        {wxID_OK, _("OK")}, {wxID_CANCEL, _("Cancel")}, {wxID_YES, _("&Yes")}, {wxID_NO, _("&No")}};
    for (const auto& [id, label] : labels)
        if (wxWindow* button = window.FindWindow(id))
            button->SetLabel(label);
}

std::vector<std::string> catalogFolders() {
    std::string exe = executableFolder();
    if (exe.empty())
        exe = ".";
    return {joinPath(exe, "locale"), joinPath(joinPath(joinPath(exe, ".."), "share"), "locale")};
}

std::string installTranslations() {
    // Numbers in files and machine-readable output are written with a decimal point, whatever
    // the user's locale; the window shows its own decimal mark instead.
    std::setlocale(LC_NUMERIC, "C");
    // The toolkit's own dialogs (files, printing) speak the system's language where it has one
    // (Windows has no message category: its dialogs follow the system by themselves).
#ifdef LC_MESSAGES
    std::setlocale(LC_MESSAGES, "");
#endif
    const std::string language = chooseLanguage(environment, catalogExists);
    if (language.empty()) {
        wxTranslations::Set(nullptr);
        setTranslator(std::nullopt);
        return language;
    }
    auto* translations = new wxTranslations;
    translations->SetLoader(new CatalogLoader);
    translations->SetLanguage(toWx(language));
    // Not the toolkit's own catalogue: with it, a button labelled "Abbrechen" counts as the
    // stock Cancel button, and GTK shows its own, English, label instead.
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
