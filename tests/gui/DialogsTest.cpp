// The levels, layout shape, splash and help windows, opened as the user opens them and driven.
#include "GuiTestSupport.h"
#include "../core/RecordingBrowser.h"

#include "app/Commands.h"
#include "app/HelpTexts.h"
#include "base/BrowserOpener.h"
#include "model/LayoutFile.h"
#include "ui/EmbeddedPictures.h"
#include "ui/HelpDialog.h"
#include "ui/LayoutShapeDialog.h"
#include "ui/LevelManagerDialog.h"
#include "ui/SplashDialog.h"

#include <wx/hyperlink.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/scrolwin.h>
#include <wx/spinctrl.h>
#include <wx/textdlg.h>

#include <fstream>
#include <functional>
#include <sstream>

namespace plandor::guitest {
namespace {

// Runs `drive` on the dialog the command shows, then leaves it with `id`.
template <class Dialog> class Drive : public wxExpectModalBase<Dialog> {
  public:
    Drive(std::function<void(Dialog*)> drive, int id) : drive_(std::move(drive)), id_(id) {}

  protected:
    int OnInvoked(Dialog* dialog) const override {
        drive_(dialog);
        return id_;
    }

  private:
    std::function<void(Dialog*)> drive_;
    int id_;
};

std::string savedText(const Layout& layout, const std::string& folder) {
    const std::string path = folder + "/check.plo";
    EXPECT_EQ(saveLayout(layout, path, "Check"), "");
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void selectRow(wxListCtrl* list, long row) {
    list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    settle();
}

using DialogsTest = MainFrameFixture;

TEST_F(DialogsTest, LevelsSessionIsOneUndoStep) {
    layout().ensureDefaultLevel();
    Level upper;
    upper.id = 2;
    upper.name = "Upper";
    layout().levels.push_back(upper);
    put(layout(), "24188", 0, 0);
    const int32_t onUpper = put(layout(), "24188", 188.3, 0);
    layout().findPiece(onUpper)->level = 2;
    layout().join(1, 1, onUpper, 0);
    const std::string original = savedText(layout(), root);

    wxTEST_DIALOG(command(CmdLevels),
                  Drive<LevelManagerDialog>(
                      [](LevelManagerDialog* d) {
                          ASSERT_EQ(d->list()->GetItemCount(), 2);
                          EXPECT_EQ(d->list()->GetItemText(1, 1), "0 mm");
                          EXPECT_TRUE(d->list()->IsItemChecked(1));
                          d->addLevelAsked();
                          ASSERT_EQ(d->list()->GetItemCount(), 3);
                          EXPECT_EQ(d->list()->GetItemText(2, 0), "Attic");
                          EXPECT_EQ(d->list()->GetItemText(2, 3), "3");
                          selectRow(d->list(), 1);
                          d->removeSelectedLevel();
                          EXPECT_EQ(d->list()->GetItemCount(), 2);
                      },
                      wxID_OK),
                  AnswerText("Attic"), wxExpectModal<wxMessageDialog>(wxID_YES));

    EXPECT_EQ(layout().levels.size(), 2u);
    EXPECT_EQ(layout().pieces.size(), 1u);
    EXPECT_TRUE(layout().pieces[0].jointAt(1).isFree());
    EXPECT_TRUE(frame->document().modified);

    command(CmdUndo);
    EXPECT_EQ(savedText(layout(), root), original);
}

TEST_F(DialogsTest, LevelsDialogChecksSelectsAndRefuses) {
    RecordingPrompter prompter;
    auto* dialog = new LevelManagerDialog(frame, layout(), prompter);
    dialog->Show();
    settle();
    EXPECT_FALSE(dialog->removeButton()->IsEnabled());
    dialog->removeSelectedLevel();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "A layout must have at least one level.");
    dialog->editSelectedLevel(); // no row selected
    EXPECT_EQ(prompter.messages.back().text, "Select a level first.");

    dialog->list()->CheckItem(0, false);
    settle();
    EXPECT_FALSE(layout().levels[0].visible);
    EXPECT_TRUE(dialog->change().levels);
    dialog->Destroy();
}

TEST_F(DialogsTest, LevelPropertiesConvertTheHeight) {
    Level level;
    level.name = "Main";
    auto* dialog = new LevelPropertiesDialog(frame, level, Units::Inches);
    EXPECT_EQ(dialog->GetTitle(), "Level Properties: Main");
    EXPECT_EQ(dialog->heightField()->GetMax(), 400);
    EXPECT_EQ(dialog->heightField()->GetDigits(), 2u);
    dialog->heightField()->SetValue(2.5);
    EXPECT_DOUBLE_EQ(dialog->value().height, 2.5 * 25.4);
    dialog->Destroy();
}

TEST_F(DialogsTest, ShapeDialogAppliesFromTheMenu) {
    layout().units = Units::Inches;
    wxTEST_DIALOG(command(CmdLayoutShape), Drive<LayoutShapeDialog>(
                                               [](LayoutShapeDialog* d) {
                                                   EXPECT_EQ(d->shapeChoice()->GetCount(), 7u);
                                                   ASSERT_EQ(d->fields().size(), 2u);
                                                   EXPECT_EQ(d->fields()[0]->GetValue(), 94);
                                                   EXPECT_EQ(d->fields()[1]->GetValue(), 47);
                                                   d->choose(ShapeFreeForm);
                                                   EXPECT_FALSE(d->applyButton()->IsEnabled());
                                                   d->choose(ShapeL);
                                                   EXPECT_EQ(d->fields().size(), 4u);
                                                   d->apply();
                                               },
                                               wxID_OK));
    EXPECT_EQ(layout().baseboard.size(), 6u);
    EXPECT_EQ(layout().lastShapeType, ShapeL);
    EXPECT_TRUE(frame->document().modified);
}

TEST_F(DialogsTest, ShapeDialogSaysHowManyLinesWereSkipped) {
    RecordingPrompter prompter;
    auto* dialog = new LayoutShapeDialog(frame, layout(), prompter, false);
    dialog->Show();
    dialog->choose(ShapeCustom);
    ASSERT_NE(dialog->vertexText(), nullptr);
    EXPECT_EQ(dialog->vertexText()->GetValue(), "0,0\n2400,0\n2400,1200\n0,1200\n");
    dialog->vertexText()->SetValue("0,0\n10,zz\n5,5\n1e400,1\n");
    dialog->apply();
    EXPECT_EQ(dialog->outline().size(), 2u);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].text.find("2 line(s)"), std::string::npos);
    dialog->Destroy();
}

TEST_F(DialogsTest, SplashAndHelpLinkToTheMaker) {
    RecordingBrowser browser;
    auto* splash = new SplashDialog(frame, browser, false);
    EXPECT_EQ(splash->GetTitle(), "Plandor v1.3 by Korvane Models");
    EXPECT_TRUE(hasLabel(splash, "  Done Staring  "));
    splash->Show();
    settle();
    splash->Destroy();

    auto* help = new HelpDialog(frame, browser);
    EXPECT_TRUE(hasLabel(help, "Keyboard Shortcuts"));
    EXPECT_TRUE(hasLabel(help, "Coloring Track"));
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

TEST(EmbeddedPictures, AllThreeLoadAtTheirSizes) {
    const wxImage splash = loadPicture(Picture::SplashBackground, 900, 600);
    ASSERT_TRUE(splash.IsOk());
    EXPECT_EQ(splash.GetWidth(), 900);
    EXPECT_TRUE(loadPicture(Picture::SplashCorner, 120, 160).IsOk());
    EXPECT_EQ(loadPicture(Picture::HelpSide, 368, 660).GetHeight(), 660);
}

} // namespace
} // namespace plandor::guitest
