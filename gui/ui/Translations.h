#pragma once
// Chooses the user's language from the environment and installs its catalogue for the window
// (the toolkit's translations, `_()`) and for the core (its translate seam).

class wxWindow;

#include <string>
#include <vector>

namespace plandor {

// The catalogue's name: <folder>/<language>/LC_MESSAGES/plandor.mo.
extern const char* const kCatalogName;

// Where catalogues are looked for: "locale" beside the executable (the build folder), then the
// installed <prefix>/share/locale.
std::vector<std::string> catalogFolders();

// Chooses and installs the language; returns its code, or an empty text for English. Safe to
// call again (tests switch languages).
std::string installTranslations();

// Gives the OK, Cancel, Yes and No buttons of `window` their texts in the user's language: the
// toolkit's stock labels follow the C library's message locale, which stays English on an
// English system even when LANGUAGE asks for German.
void labelStockButtons(wxWindow& window);

} // namespace plandor
