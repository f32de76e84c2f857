// The levels, layout shape, splash and help windows, opened as the user opens them and driven.
#include "../core/RecordingBrowser.h"
#include "GuiTestSupport.h"

#include "core/app/Commands.h"
#include "core/app/HelpTexts.h"
#include "gui/platform/NumberField.h"
#include "gui/ui/HelpDialog.h"
#include "gui/ui/LayoutShapeDialog.h"
#include "gui/ui/LevelManagerDialog.h"
#include "gui/ui/ShapePropertiesDialog.h"
#include "gui/ui/SplashDialog.h"

#include <wx/hyperlink.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/scrolwin.h>
#include <wx/spinctrl.h>

namespace plandor::guitest {
namespace {

using DialogsTest = MainFrameFixture;

TEST_F(DialogsTest, LevelsDialogAddsANamedLevelAndRefusesToRemoveTheLastOne) {
    ScriptedPrompter prompter;
    LevelsSession session(frame->document());
    auto* dialog = new LevelManagerDialog(frame, session, prompter);
    dialog->Show();
    settle();
    EXPECT_FALSE(dialog->removeButton()->IsEnabled());
    dialog->removeSelectedLevel();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "A layout must have at least one level.");

    prompter.texts = {std::string("Attic")};
    dialog->addLevelAsked();
    EXPECT_EQ(prompter.textPrompts.back(), "Level 2") << "the next free name is offered";
    ASSERT_EQ(dialog->list()->GetItemCount(), 2);
    EXPECT_EQ(dialog->list()->GetItemText(1, 0), "Attic");
    dialog->Destroy();
    session.close();
}

TEST_F(DialogsTest, ShapeDialogShowsTheFieldsOfTheShapeAndAppliesIt) {
    layout().units = Units::Inches;
    wxTEST_DIALOG(command(CmdLayoutShape), Drive<LayoutShapeDialog>(
                                               [](LayoutShapeDialog* d) {
                                                   ASSERT_EQ(d->fields().size(), 2u);
                                                   EXPECT_EQ(d->fields()[0]->GetValue(), 94);
                                                   d->choose(ShapeL);
                                                   EXPECT_EQ(d->fields().size(), 4u);
                                                   d->apply();
                                               },
                                               wxID_OK));
    EXPECT_EQ(layout().baseboard.size(), 6u);
    EXPECT_EQ(layout().lastShapeType, ShapeL);
    EXPECT_TRUE(frame->document().modified);
}

TEST_F(DialogsTest, ShapePropertiesOpenOnDoubleClickAndStoreInTheUnit) {
    layout().units = Units::Centimetres;
    layout().shapes.push_back(PolygonShape{});
    PolygonShape& shape = layout().shapes.back();
    shape.id = layout().takeId();
    shape.vertices = {{0, 0}, {400, 0}, {0, 400}};
    frame->canvas()->controller().view().setView(1.0, 0, 0);
    wxTEST_DIALOG(sendMouse(frame->canvas(), wxEVT_LEFT_DCLICK, {50, 50}),
                  Drive<ShapePropertiesDialog>(
                      [](ShapePropertiesDialog* d) {
                          EXPECT_TRUE(hasLabel(d, "Height (above level deck, cm):"));
                          d->nameField()->SetValue("Pond");
                          d->heightField()->SetValue(2.5);
                      },
                      wxID_OK));
    const PolygonShape& edited = layout().shapes.back();
    EXPECT_EQ(edited.label, "Pond");
    EXPECT_DOUBLE_EQ(edited.height, 25.0);
    EXPECT_EQ(frame->document().undoDepth(), 1u);
}

TEST_F(DialogsTest, SplashAndHelpLinkToTheMaker) {
    RecordingBrowser browser;
    auto* splash = new SplashDialog(frame, browser, false);
    EXPECT_TRUE(hasLabel(splash, "  Done Staring  "));
    splash->Show();
    settle();
    splash->Destroy();

    auto* help = new HelpDialog(frame, browser);
    wxHyperlinkCtrl* link = nullptr;
    for (wxWindow* child : help->topics()->GetChildren())
        if (auto* l = dynamic_cast<wxHyperlinkCtrl*>(child); l && !link)
            link = l;
    ASSERT_NE(link, nullptr);
    wxHyperlinkEvent click(link, link->GetId(), link->GetURL());
    link->ProcessWindowEvent(click);
    EXPECT_EQ(browser.opened, std::vector<std::string>{kMakerSiteUrl});
    help->Destroy();

    wxTEST_DIALOG(command(CmdHelp), Drive<HelpDialog>([](HelpDialog*) {}, wxID_OK));
}

} // namespace
} // namespace plandor::guitest
