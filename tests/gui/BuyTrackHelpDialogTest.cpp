// "Buy Track - How it works" opens from the panel's "?", and Enter closes it instead of
// following the shop link.
#include "gui/ui/BuyTrackHelpDialog.h"
#include "GuiTestSupport.h"
#include "core/app/ShopMap.h"
#include "gui/ui/PropertiesPanel.h"

using namespace plandor;
using namespace plandor::guitest;

using BuyTrackHelpDialogTest = MainFrameFixture;

TEST_F(BuyTrackHelpDialogTest, TheQuestionMarkShowsIt) {
    auto* about = dynamic_cast<wxButton*>(wxWindow::FindWindowByLabel("?", frame->properties()));
    ASSERT_NE(about, nullptr);
    wxTEST_DIALOG(click(about), Drive<BuyTrackHelpDialog>([](BuyTrackHelpDialog*) {}, wxID_OK));
}

TEST_F(BuyTrackHelpDialogTest, EnterClosesIt) {
    auto* dialog = new BuyTrackHelpDialog(frame, ShopMap{"https://shop.test", {}});
    dialog->Show();
    ASSERT_TRUE(waitFor([&] { return dialog->IsShownOnScreen(); }));
    dialog->Raise();
    settle();
    wxUIActionSimulator().Char(WXK_RETURN);
    EXPECT_TRUE(waitFor([&] { return !dialog->IsShown(); })) << "Enter did not close the dialog";
    dialog->Destroy();
}
