// The levels, layout shape, splash and help windows, opened as the user opens them and driven.
#include "../core/RecordingBrowser.h"
#include "GuiTestSupport.h"

#include "core/app/Commands.h"
#include "core/app/HelpTexts.h"
#include "core/model/LayoutFile.h"
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

TEST_F(DialogsTest, LevelsSessionIsOneUndoStep) {
    layout().ensureDefaultLevel();
    addLevel(layout(), 2, 0).name = "Upper";
    addPiece(layout(), "24188", 0, 0);
    const int32_t onUpper = addPiece(layout(), "24188", 188.3, 0, 0, 2).id;
    layout().join(1, 1, onUpper, 0);
    const std::string original = layoutFileText(layout(), "Check");

    wxTEST_DIALOG(command(CmdLevels),
                  Drive<LevelManagerDialog>(
                      [](LevelManagerDialog* d) {
                          ASSERT_EQ(d->list()->GetItemCount(), 2);
                          d->addLevelAsked();
                          ASSERT_EQ(d->list()->GetItemCount(), 3);
                          EXPECT_EQ(d->list()->GetItemText(2, 0), "Attic");
                          d->list()->SetItemState(1, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                                  wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
                          settle();
                          d->removeSelectedLevel();
                          EXPECT_EQ(d->list()->GetItemCount(), 2);
                      },
                      wxID_OK),
                  answerText("Attic"), wxExpectModal<wxMessageDialog>(wxID_YES));

    EXPECT_EQ(layout().levels.size(), 2u);
    EXPECT_EQ(layout().pieces.size(), 1u);
    EXPECT_TRUE(layout().pieces[0].jointAt(1).isFree());
    EXPECT_TRUE(frame->document().modified);

    command(CmdUndo);
    EXPECT_EQ(layoutFileText(layout(), "Check"), original);
}

TEST_F(DialogsTest, LevelsDialogChecksSelectsAndRefuses) {
    ScriptedPrompter prompter;
    LevelsSession session(frame->document());
    auto* dialog = new LevelManagerDialog(frame, session, prompter);
    dialog->Show();
    settle();
    EXPECT_FALSE(dialog->removeButton()->IsEnabled());
    dialog->removeSelectedLevel();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "A layout must have at least one level.");

    dialog->list()->CheckItem(0, false);
    settle();
    EXPECT_FALSE(layout().levels[0].visible);
    EXPECT_TRUE(dialog->change().levels);
    dialog->Destroy();
    session.close();
}

TEST_F(DialogsTest, LevelPropertiesConvertTheHeight) {
    Level level;
    level.name = "Main";
    auto* dialog = new LevelPropertiesDialog(frame, level, Units::Inches);
    dialog->heightField()->SetValue(2.5);
    EXPECT_DOUBLE_EQ(dialog->value().height, 2.5 * 25.4);
    dialog->Destroy();
}

TEST_F(DialogsTest, ShapeDialogAppliesAShapeOrHandsOverToTheOutlineTool) {
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

    wxTEST_DIALOG(command(CmdLayoutShape), Drive<LayoutShapeDialog>(
                                               [](LayoutShapeDialog* d) {
                                                   d->choose(ShapeFreeForm);
                                                   d->apply();
                                               },
                                               wxID_OK));
    EXPECT_EQ(frame->toolMode(), ToolMode::Baseboard);
    EXPECT_EQ(layout().baseboard.size(), 6u) << "the old outline stays until the new one closes";
}

TEST_F(DialogsTest, ShapePropertiesOpenOnDoubleClickAndStoreInTheUnit) {
    layout().units = Units::Centimetres;
    layout().shapes.push_back(PolygonShape{});
    PolygonShape& shape = layout().shapes.back();
    shape.id = layout().takeId();
    shape.vertices = {{0, 0}, {400, 0}, {0, 400}};
    frame->canvas()->controller().view().setView(1.0, 0, 0);
    wxMouseEvent dclick(wxEVT_LEFT_DCLICK);
    dclick.SetPosition(wxPoint(50, 50));
    dclick.SetEventObject(frame->canvas());
    wxTEST_DIALOG(frame->canvas()->GetEventHandler()->ProcessEvent(dclick),
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
