#pragma once
// The window shown once after the main window: a picture (or a painted title when the
// picture is missing), a link to the maker's site and "Done Staring".

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/image.h>

namespace plandor {

class BrowserOpener;

class SplashDialog : public wxDialog {
  public:
    // `withPictures` false leaves the pictures out, as when they cannot be loaded.
    SplashDialog(wxWindow* parent, BrowserOpener& browser, bool withPictures = true);

  private:
    wxBitmap background_;
};

// Shows the splash modally over the main window, once at start-up.
void showSplash(wxWindow* mainWindow);

} // namespace plandor
