// The program in German, as LANGUAGE=de chooses it: the main window and each dialog show German
// titles and no English label, and German number fields and the status bar's position show and
// read a decimal comma.
#include "GuiTestSupport.h"

#include "core/app/Commands.h"
#include "core/base/Translate.h"
#include "core/canvas/CanvasController.h"
#include "gui/canvas/CanvasPanel.h"
#include "gui/platform/NumberField.h"
#include "gui/platform/WxText.h"
#include "gui/ui/CheckLayoutDialog.h"
#include "gui/ui/HelpDialog.h"
#include "gui/ui/LayoutShapeDialog.h"
#include "gui/ui/LevelManagerDialog.h"
#include "gui/ui/PropertiesPanel.h"
#include "gui/ui/Translations.h"
#include "gui/wxrender/PrintOptionsDialog.h"

#include <wx/checkbox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/radiobox.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include <cstdlib>

namespace plandor::guitest {
namespace {

// A label is left in English when the catalogue knows it as a source text with another
// German text: then the window showed the source instead of the translation.
bool untranslated(const wxString& label) {
    const wxString text = label.BeforeFirst('\t');
    for (const wxString& candidate : {text, wxStripMenuCodes(text)})
        if (!candidate.empty() && wxGetTranslation(candidate) != candidate)
            return true;
    return false;
}

// Every label the user reads in `window` and below it.
std::vector<wxString> labelsIn(wxWindow* window) {
    std::vector<wxString> labels;
    if (auto* radio = dynamic_cast<wxRadioBox*>(window))
        for (unsigned i = 0; i < radio->GetCount(); ++i)
            labels.push_back(radio->GetString(i));
    if (auto* notebook = dynamic_cast<wxNotebook*>(window))
        for (std::size_t i = 0; i < notebook->GetPageCount(); ++i)
            labels.push_back(notebook->GetPageText(i));
    if (auto* toolbar = dynamic_cast<wxToolBar*>(window))
        for (std::size_t i = 0; i < toolbar->GetToolsCount(); ++i) {
            const wxToolBarToolBase* tool = toolbar->GetToolByPos(static_cast<int>(i));
            labels.push_back(tool->GetLabel());
            labels.push_back(tool->GetShortHelp());
        }
    if (dynamic_cast<wxButton*>(window) || dynamic_cast<wxStaticText*>(window) ||
        dynamic_cast<wxCheckBox*>(window) || dynamic_cast<wxStaticBox*>(window))
        labels.push_back(window->GetLabel());
    for (wxWindow* child : window->GetChildren())
        for (const wxString& label : labelsIn(child))
            labels.push_back(label);
    return labels;
}

void expectNoEnglish(wxWindow* window) {
    for (const wxString& label : labelsIn(window))
        EXPECT_FALSE(untranslated(label))
            << "English label left: " << label.ToStdString(wxConvUTF8);
}

void expectGermanDialog(wxWindow* dialog, const char* title) {
    EXPECT_EQ(fromWx(dialog->GetLabel()), title);
    expectNoEnglish(dialog);
}

// The main window built after LANGUAGE=de chose German; English again afterwards.
class GermanTest : public MainFrameFixture {
  protected:
    void SetUp() override {
        const char* language = std::getenv("LANGUAGE");
        savedLanguage_ = language ? language : "";
        hadLanguage_ = language != nullptr;
        setenv("LANGUAGE", "de", 1);
        ASSERT_EQ(installTranslations(), "de") << "the German catalogue was not found";
        MainFrameFixture::SetUp();
    }
    void TearDown() override {
        MainFrameFixture::TearDown();
        if (hadLanguage_)
            setenv("LANGUAGE", savedLanguage_.c_str(), 1);
        else
            unsetenv("LANGUAGE");
        installTranslations();
    }

  private:
    std::string savedLanguage_;
    bool hadLanguage_ = false;
};

TEST_F(GermanTest, MainWindowMenusToolbarAndPanelsAreGerman) {
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_TRUE(bar);
    std::vector<std::string> titles;
    for (std::size_t i = 0; i < bar->GetMenuCount(); ++i)
        titles.push_back(fromWx(wxStripMenuCodes(bar->GetMenuLabel(i))));
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Datei", "Bearbeiten", "Ansicht", "Anlage", "Hilfe"}));
    for (std::size_t i = 0; i < bar->GetMenuCount(); ++i)
        for (const wxMenuItem* item : bar->GetMenu(i)->GetMenuItems()) {
            if (item->IsSeparator())
                continue;
            EXPECT_FALSE(untranslated(item->GetItemLabel()))
                << "English menu item: " << fromWx(item->GetItemLabel());
            if (wxMenu* sub = item->GetSubMenu()) {
                for (const wxMenuItem* subItem : sub->GetMenuItems())
                    EXPECT_FALSE(untranslated(subItem->GetItemLabel()))
                        << "English menu item: " << fromWx(subItem->GetItemLabel());
            }
        }
    expectNoEnglish(frame);
    EXPECT_EQ(status(0), "Bereit");
}

TEST_F(GermanTest, EveryDialogHasAGermanTitleAndNoEnglishLabel) {
    wxTEST_DIALOG(
        command(CmdLevels),
        Drive<LevelManagerDialog>(
            [](LevelManagerDialog* d) { expectGermanDialog(d, "Ebenen verwalten"); }, wxID_OK));
    wxTEST_DIALOG(command(CmdLayoutShape),
                  Drive<LayoutShapeDialog>(
                      [](LayoutShapeDialog* d) { expectGermanDialog(d, "Grundplatte der Anlage"); },
                      wxID_CANCEL));
    wxTEST_DIALOG(command(CmdHelp),
                  Drive<HelpDialog>(
                      [](HelpDialog* d) { expectGermanDialog(d, "Plandor v1.3 Hilfe"); }, wxID_OK));
    wxTEST_DIALOG(
        command(CmdPrint),
        Drive<PrintOptionsDialog>(
            [](PrintOptionsDialog* d) { expectGermanDialog(d, "Druckoptionen"); }, wxID_CANCEL));
    command(CmdCheckLayout);
    ASSERT_TRUE(frame->checkDialog());
    expectGermanDialog(frame->checkDialog(), "Anlage prüfen");
    frame->checkDialog()->Close();
    settle();
}

// The properties panel of a German window reads "12,5" in its height field as 12.5 cm.
TEST_F(GermanTest, HeightFieldReadsADecimalComma) {
    layout().ensureDefaultLevel();
    layout().units = Units::Centimetres;
    const int32_t piece = addPiece(layout(), "24188", 0, 0).id;
    layout().findPiece(piece)->selected = true;
    frame->properties()->refreshSelection();
    settle();
    typeAndEnter(frame->properties()->controls().heightField, "12,5");
    EXPECT_DOUBLE_EQ(layout().findPiece(piece)->z, 125.0);
    EXPECT_EQ(fromWx(frame->properties()->controls().heightField->GetValue()), "12,5");
}

// A number field with arrows (the level height here) shows and reads "12,5"; the arrows step
// from what is typed. The status bar's position shows commas before and after the mouse moves.
TEST_F(GermanTest, NumberFieldsAndTheStatusPositionShowADecimalComma) {
    Level level;
    level.name = "Main";
    level.height = 125;
    auto* dialog = new LevelPropertiesDialog(frame, level, Units::Centimetres);
    wxTextCtrl* height = dialog->heightField()->text();
    EXPECT_EQ(fromWx(height->GetValue()), "12,5");
    typeAndEnter(height, "7,5");
    EXPECT_DOUBLE_EQ(dialog->value().height, 75.0);
    EXPECT_EQ(fromWx(height->GetValue()), "7,5");
    typeAndEnter(height, "3.25"); // a point is read too, and shown back as the language writes it
    EXPECT_EQ(fromWx(height->GetValue()), "3,3");
    wxKeyEvent up(wxEVT_KEY_DOWN);
    up.m_keyCode = WXK_UP;
    height->ProcessWindowEvent(up);
    EXPECT_EQ(fromWx(height->GetValue()), "4,3");
    EXPECT_DOUBLE_EQ(dialog->value().height, 43.0);
    dialog->Destroy();

    command(CmdUnitsCentimetres, true);
    settle();
    EXPECT_EQ(status(2), "x: 0,0  y: 0,0 cm");
    CanvasPanel* canvas = frame->canvas();
    canvas->controller().view().setView(1.0, 0, 0);
    sendMouse(canvas, wxEVT_MOTION, {125, 30});
    EXPECT_EQ(status(2), "12,5 cm;  3,0 cm");
}

} // namespace
} // namespace plandor::guitest
