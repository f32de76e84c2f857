// The real main window, built under Xvfb: its menus, toolbar, status bar, title and construction
// trace, and the commands that drive the document through them.
#include "GuiTestSupport.h"
#include "model/LayoutFile.h"
#include "app/Commands.h"

#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/textdlg.h>
#include <wx/toolbar.h>

#include <fstream>

using namespace plandor;
using namespace plandor::guitest;
namespace fs = std::filesystem;

namespace {

using MainFrameTest = MainFrameFixture;

// One line per item: "id label", "[x]"/"[ ]" for check items, "(o)"/"( )" for radio items,
// "--" for separators, "> label" followed by the indented items of a submenu.
std::string describe(wxMenu* menu, const std::string& indent = "") {
    std::string out;
    for (const wxMenuItem* item : menu->GetMenuItems()) {
        out += indent;
        if (item->IsSeparator()) {
            out += "--\n";
            continue;
        }
        const std::string label = item->GetItemLabel().ToStdString();
        if (item->GetSubMenu()) {
            out += "> " + label + "\n" + describe(item->GetSubMenu(), indent + "  ");
            continue;
        }
        out += std::to_string(item->GetId()) + " " + label;
        if (item->GetKind() == wxITEM_CHECK)
            out += item->IsChecked() ? " [x]" : " [ ]";
        if (item->GetKind() == wxITEM_RADIO)
            out += item->IsChecked() ? " (o)" : " ( )";
        out += "\n";
    }
    return out;
}

class AnswerText : public wxExpectModalBase<wxTextEntryDialog> {
  public:
    explicit AnswerText(const char* text) : text_(text) {}

  protected:
    int OnInvoked(wxTextEntryDialog* dialog) const override {
        dialog->SetValue(text_);
        return wxID_OK;
    }

  private:
    wxString text_;
};

} // namespace

TEST_F(MainFrameTest, MenusToolbarStatusAndTitle) {
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 5u);
    std::string menus;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        menus += "# " + bar->GetMenuLabel(i).ToStdString() + "\n" + describe(bar->GetMenu(i));
    EXPECT_EQ(menus, "# &File\n"
                     "5002 &New Layout\tCtrl+N\n5000 &Open Layout...\tCtrl+O\n--\n"
                     "5003 &Save\tCtrl+S\n5004 Save &As...\tCtrl+Shift+S\n--\n"
                     "1900 &Import Layout...\n1901 &Export Layout...\n--\n"
                     "5001 &Close Layout\tCtrl+W\n--\n"
                     "5012 Page Set&up...\n5013 Print Pre&view...\n5010 &Print...\tCtrl+P\n--\n"
                     "2001 Save as &Library Block...\n--\n5006 E&xit\n"
                     "# &Edit\n"
                     "2002 &Undo\tCtrl+Z\n2003 &Redo\tCtrl+Y\n--\n"
                     "2004 &Delete\tDel\n2005 Select &All\tCtrl+A\n"
                     "# &View\n"
                     "2006 Zoom &In\t+\n2007 Zoom &Out\t-\n2008 Zoom to &Fit\tCtrl+0\n--\n"
                     "2009 Show &Grid\tCtrl+G [x]\n2010 &Snap\tCtrl+Shift+G [x]\n"
                     "# &Layout\n"
                     "> Units of Measure\n"
                     "  2016 Millimetres (mm) (o)\n  2017 Centimetres (cm) ( )\n"
                     "  2018 Inches (in) ( )\n"
                     "--\n2015 Layout &Shape...\n2023 &Check Layout...\n"
                     "# &Help\n"
                     "2022 &Help\tF1\n");

    // Tools as "id label", "+" for a toggle, "!" when disabled; "|" for separators.
    wxToolBar* tools = frame->GetToolBar();
    EXPECT_TRUE(tools->HasFlag(wxTB_TEXT) && tools->HasFlag(wxTB_NOICONS));
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    std::string toolText;
    for (size_t i = 0; i < tools->GetToolsCount(); ++i) {
        const wxToolBarToolBase* t = tools->GetToolByPos(static_cast<int>(i));
        if (t->IsSeparator()) {
            toolText += "| ";
            continue;
        }
        toolText += std::to_string(t->GetId()) + " " + t->GetLabel().ToStdString() +
                    (t->GetKind() == wxITEM_CHECK ? "+" : "") + (t->IsEnabled() ? "" : "!") +
                    (t->IsToggled() ? "*" : "") + " ";
    }
    EXPECT_EQ(toolText, "2002 Undo! 2003 Redo! | 2019 Levels | 2000 3D View | 2008 Fit | "
                        "2011 Hide Labels+ | 2012 Tunnel! 2013 Measure+ 2014 Polygon+ | ");

    EXPECT_EQ(frame->GetTitle().ToStdString(), "Plandor v1.3 by Korvane Models");
    EXPECT_EQ(frame->GetSize(), wxSize(1400, 900));
    ASSERT_EQ(frame->GetStatusBar()->GetFieldsCount(), 3);
    EXPECT_EQ(status(0), "Ready");
    EXPECT_EQ(status(1), "Pieces: 0");
    EXPECT_EQ(status(2), "x: 0  y: 0 mm");
    frame->markModified();
    EXPECT_EQ(frame->GetTitle().ToStdString(), "Plandor v1.3 by Korvane Models *");
}

TEST_F(MainFrameTest, ConstructionTraceIsWrittenLineByLineInOrder) {
    std::ifstream in(root + "/mainframe.log", std::ios::binary);
    ASSERT_TRUE(in.good());
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string expected;
    for (const char* line :
         {"A: wxFrame base constructed", "B: MenuBar done", "C: ToolBar done",
          "BuildPanels: start", "BuildPanels: root panel created", "BuildPanels: palette created",
          "BuildPanels: splitter created", "BuildPanels: canvas created",
          "BuildPanels: properties created", "BuildPanels: split done",
          "BuildPanels: adding to sizer", "BuildPanels: outerSplit added",
          "BuildPanels: sizer set", "BuildPanels: layout done", "BuildPanels: palette populated",
          "D: Panels done", "E: StatusBar done", "F: MainFrame constructor complete"})
        expected += std::string(line) + "\r\n";
    EXPECT_EQ(text, expected);
}

TEST_F(MainFrameTest, UndoAndRedoToolsFollowTheLayout) {
    wxToolBar* bar = frame->GetToolBar();
    layout().pushUndo();
    put(layout(), "24188", 0, 0);
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(bar->GetToolEnabled(CmdUndo));
    command(CmdUndo);
    EXPECT_TRUE(layout().pieces.empty());
    EXPECT_TRUE(frame->document().modified);
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(bar->GetToolEnabled(CmdUndo));
    EXPECT_TRUE(bar->GetToolEnabled(CmdRedo));
    command(CmdRedo);
    EXPECT_EQ(layout().pieces.size(), 1u);
}

TEST_F(MainFrameTest, SaveNamesTheLayoutAndOpenRestoresItWithUnitsAndSystem) {
    Layout trix;
    trix.ensureDefaultLevel();
    trix.units = 1;
    put(trix, "62188", 0, 0);
    put(trix, "62188", 200, 0);
    ASSERT_EQ(saveLayout(trix, root + "/app/Trix.plo", "Trix"), "");

    put(layout(), "24188", 0, 0);
    frame->markModified();
    wxTEST_DIALOG(command(CmdSave), AnswerText("  Branch Line "));
    EXPECT_TRUE(fs::exists(root + "/app/Branch Line.plo"));
    EXPECT_FALSE(frame->document().modified);
    EXPECT_EQ(frame->GetTitle().ToStdString(), "Plandor v1.3 by Korvane Models - Branch Line");

    layout().pushUndo();
    wxTEST_DIALOG(command(CmdOpen), ChooseLayout("Trix"));
    EXPECT_EQ(frame->document().path, root + "/app/Trix.plo");
    EXPECT_EQ(frame->GetTitle().ToStdString(), "Plandor v1.3 by Korvane Models - Trix");
    EXPECT_EQ(status(1), "Pieces: 2");
    EXPECT_TRUE(frame->GetMenuBar()->IsChecked(CmdUnitsCentimetres));
    EXPECT_FALSE(layout().canUndo());
    EXPECT_EQ(frame->palette()->chooser()->GetStringSelection(), "TRIX C-Track");
}

TEST_F(MainFrameTest, ClosingAsksOnlyWithUnsavedChanges) {
    frame->document().modified = true;
    wxTEST_DIALOG(frame->Close(), wxExpectModal<wxMessageDialog>(wxID_CANCEL));
    settle();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->IsShown());

    frame->document().modified = false;
    command(CmdExit); // no question: an unexpected dialog fails the test
    settle();
    EXPECT_FALSE(frame);
}
