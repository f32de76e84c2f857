#pragma once
// "Plandor v1.3 Help": a picture on the left and every help topic in a scrolling column.

#include <wx/dialog.h>

class wxScrolledWindow;

namespace plandor {

class BrowserOpener;

class HelpDialog : public wxDialog {
  public:
    HelpDialog(wxWindow* parent, BrowserOpener& browser, bool withPicture = true);
    wxScrolledWindow* topics() const { return topics_; }

  private:
    wxScrolledWindow* topics_ = nullptr;
};

} // namespace plandor
