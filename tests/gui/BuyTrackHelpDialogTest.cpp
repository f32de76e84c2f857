// "Buy Track - How it works" sits in the middle of the main window, and Enter closes it
// instead of following the shop link.
#include "GuiTestSupport.h"
#include "app/ShopMap.h"
#include "ui/BuyTrackHelpDialog.h"
#include "ui/PropertiesPanel.h"

#include <wx/uiaction.h>

using namespace plandor;
using namespace plandor::guitest;

namespace {

using BuyTrackHelpDialogTest = MainFrameFixture;

wxButton* buttonLabelled(wxWindow* window, const wxString& label) {
    for (wxWindow* child : window->GetChildren()) {
        if (auto* button = dynamic_cast<wxButton*>(child); button && button->GetLabel() == label)
            return button;
        if (wxButton* found = buttonLabelled(child, label))
            return found;
    }
    return nullptr;
}

class CheckCentredOn : public wxExpectModalBase<BuyTrackHelpDialog> {
  public:
    explicit CheckCentredOn(wxWindow* window) : window_(window) {}

  protected:
    int OnInvoked(BuyTrackHelpDialog* dialog) const override {
        const wxRect outer = window_->GetScreenRect();
        const wxRect box = dialog->GetScreenRect();
        const int offset = (box.x + box.width / 2) - (outer.x + outer.width / 2);
        EXPECT_LE(std::abs(offset), 2) << "dialog centre is " << offset << " px off";
        return wxID_OK;
    }

  private:
    wxWindow* window_;
};

} // namespace

TEST_F(BuyTrackHelpDialogTest, TheQuestionMarkShowsItCentredOnTheMainWindow) {
    wxButton* about = buttonLabelled(frame->properties(), "?");
    ASSERT_NE(about, nullptr);
    wxTEST_DIALOG(click(about), CheckCentredOn(frame));
}

TEST_F(BuyTrackHelpDialogTest, EnterClosesIt) {
    ShopMap shop;
    shop.baseAddress = "https://shop.test";
    auto* dialog = new BuyTrackHelpDialog(frame, shop);
    dialog->Show();
    ASSERT_TRUE(waitFor([&] { return dialog->IsShownOnScreen(); }));
    dialog->Raise();
    settle();
    wxUIActionSimulator().Char(WXK_RETURN);
    EXPECT_TRUE(waitFor([&] { return !dialog->IsShown(); })) << "Enter did not close the dialog";
    dialog->Destroy();
}
