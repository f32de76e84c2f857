// The real main window, built under Xvfb: its menus, toolbar, status bar, title, panels and
// construction trace against the command table and the texts the program must show.
#include "ui/MainFrame.h"
#include "canvas/CanvasPanel.h"
#include "canvas/PalettePanel.h"
#include "catalog/TrackCatalog.h"
#include "model/LayoutFile.h"
#include "shell/Commands.h"
#include "shell/TraceLog.h"
#include "ui/LayoutFileDialogs.h"
#include "ui/PropertiesPanel.h"

#include <gtest/gtest.h>

#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/testing.h>
#include <wx/textdlg.h>
#include <wx/toolbar.h>
#include <wx/weakref.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace plandor;
namespace fs = std::filesystem;

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        wxYield();
}

class MainFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "plandor-frame-XXXXXX").string();
        root = mkdtemp(pattern.data());
        fs::create_directory(root + "/app");
        setTraceFolder(root);
        frame = new MainFrame(Folders{root + "/app", "", root});
        frame->Show();
        settle();
    }
    void TearDown() override {
        if (frame) {
            frame->document().modified = false;
            frame->Destroy();
        }
        settle();
        fs::remove_all(root);
    }

    // Sends a menu or tool command the way the toolkit does.
    void command(int id, bool checked = false) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetInt(checked ? 1 : 0);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
    }

    std::string root;
    wxWeakRef<MainFrame> frame;
};

struct ExpectedItem {
    int id; // 0: separator, -1: submenu
    const char* label;
    wxItemKind kind;
    bool checked;
};

void expectMenu(wxMenu* menu, const std::vector<ExpectedItem>& expected, const char* where) {
    const wxMenuItemList& items = menu->GetMenuItems();
    ASSERT_EQ(items.size(), expected.size()) << where;
    size_t i = 0;
    for (const wxMenuItem* item : items) {
        const ExpectedItem& e = expected[i++];
        SCOPED_TRACE(std::string(where) + " item " + std::to_string(i));
        if (e.id == 0) {
            EXPECT_TRUE(item->IsSeparator());
            continue;
        }
        EXPECT_EQ(item->GetItemLabel().ToStdString(), e.label);
        if (e.id == -1) {
            EXPECT_NE(item->GetSubMenu(), nullptr);
            continue;
        }
        EXPECT_EQ(item->GetId(), e.id);
        EXPECT_EQ(item->GetKind(), e.kind);
        if (e.kind != wxITEM_NORMAL) {
            EXPECT_EQ(item->IsChecked(), e.checked);
        }
    }
}

// Answers the Open Layout dialog by choosing a row by name.
class ChooseLayout : public wxExpectModalBase<OpenLayoutDialog> {
  public:
    explicit ChooseLayout(const char* name) : name_(name) {}

  protected:
    int OnInvoked(OpenLayoutDialog* dialog) const override {
        dialog->list()->SetStringSelection(name_);
        return wxID_OK;
    }

  private:
    wxString name_;
};

// Answers a text prompt with the given text and OK.
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

TEST(MainFrameIds, FileAndPrintCommandsUseTheToolkitsStockIds) {
    EXPECT_EQ(CmdOpen, wxID_OPEN);
    EXPECT_EQ(CmdClose, wxID_CLOSE);
    EXPECT_EQ(CmdNew, wxID_NEW);
    EXPECT_EQ(CmdSave, wxID_SAVE);
    EXPECT_EQ(CmdSaveAs, wxID_SAVEAS);
    EXPECT_EQ(CmdExit, wxID_EXIT);
    EXPECT_EQ(CmdPrint, wxID_PRINT);
    EXPECT_EQ(CmdPageSetup, wxID_PAGE_SETUP);
    EXPECT_EQ(CmdPreview, wxID_PREVIEW);
}

TEST_F(MainFrameTest, MenuBarHasTheMenusItemsAndStates) {
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetMenuCount(), 5u);
    const char* titles[] = {"&File", "&Edit", "&View", "&Layout", "&Help"};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(bar->GetMenuLabel(i).ToStdString(), titles[i]);

    const wxItemKind N = wxITEM_NORMAL, C = wxITEM_CHECK, R = wxITEM_RADIO;
    expectMenu(bar->GetMenu(0),
               {{5002, "&New Layout\tCtrl+N", N, false},
                {5000, "&Open Layout...\tCtrl+O", N, false},
                {0, "", N, false},
                {5003, "&Save\tCtrl+S", N, false},
                {5004, "Save &As...\tCtrl+Shift+S", N, false},
                {0, "", N, false},
                {1900, "&Import Layout...", N, false},
                {1901, "&Export Layout...", N, false},
                {0, "", N, false},
                {5001, "&Close Layout\tCtrl+W", N, false},
                {0, "", N, false},
                {5012, "Page Set&up...", N, false},
                {5013, "Print Pre&view...", N, false},
                {5010, "&Print...\tCtrl+P", N, false},
                {0, "", N, false},
                {2001, "Save as &Library Block...", N, false},
                {0, "", N, false},
                {5006, "E&xit", N, false}},
               "File");
    expectMenu(bar->GetMenu(1),
               {{2002, "&Undo\tCtrl+Z", N, false},
                {2003, "&Redo\tCtrl+Y", N, false},
                {0, "", N, false},
                {2004, "&Delete\tDel", N, false},
                {2005, "Select &All\tCtrl+A", N, false}},
               "Edit");
    expectMenu(bar->GetMenu(2),
               {{2006, "Zoom &In\t+", N, false},
                {2007, "Zoom &Out\t-", N, false},
                {2008, "Zoom to &Fit\tCtrl+0", N, false},
                {0, "", N, false},
                {2009, "Show &Grid\tCtrl+G", C, true},
                {2010, "&Snap\tCtrl+Shift+G", C, true}},
               "View");
    expectMenu(bar->GetMenu(3),
               {{-1, "Units of Measure", N, false},
                {0, "", N, false},
                {2015, "Layout &Shape...", N, false}},
               "Layout");
    wxMenu* units = bar->GetMenu(3)->FindItemByPosition(0)->GetSubMenu();
    ASSERT_NE(units, nullptr);
    expectMenu(units,
               {{2016, "Millimetres (mm)", R, true},
                {2017, "Centimetres (cm)", R, false},
                {2018, "Inches (in)", R, false}},
               "Units of Measure");
    expectMenu(bar->GetMenu(4), {{2022, "&Help\tF1", N, false}}, "Help");
}

TEST_F(MainFrameTest, ToolbarShowsTextToolsInGroups) {
    wxToolBar* bar = frame->GetToolBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->HasFlag(wxTB_TEXT));
    EXPECT_TRUE(bar->HasFlag(wxTB_NOICONS));
    EXPECT_TRUE(bar->HasFlag(wxTB_HORIZONTAL));
    struct Tool {
        int id;
        const char* label;
        wxItemKind kind;
        const char* tooltip;
        bool enabled;
    };
    const wxItemKind N = wxITEM_NORMAL, C = wxITEM_CHECK;
    const std::vector<Tool> expected = {
        {2002, "Undo", N, "", false}, // nothing to undo yet
        {2003, "Redo", N, "", false},
        {0, "", N, "", true},
        {2019, "Levels", N, "Manage layout levels (decks): height, color, and shape", true},
        {0, "", N, "", true},
        {2000, "3D View", N, "", true},
        {0, "", N, "", true},
        {2008, "Fit", N, "", true},
        {0, "", N, "", true},
        {2011, "Hide Labels", C, "Toggle track labels and join dots", true},
        {0, "", N, "", true},
        {2012, "Tunnel", N,
         "Place tunnel portals on the selected chain (or remove if already in a tunnel)", false},
        {2013, "Measure", C,
         "Measuring tape: click two points on the canvas to lay down a length annotation", true},
        {2014, "Polygon", C, "Draw a free-form polygon (access hatch, river, mountain, etc.)",
         true},
        {0, "", N, "", true},
    };
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    ASSERT_EQ(bar->GetToolsCount(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const wxToolBarToolBase* tool = bar->GetToolByPos(static_cast<int>(i));
        const Tool& e = expected[i];
        SCOPED_TRACE("tool " + std::to_string(i));
        if (e.id == 0) {
            EXPECT_TRUE(tool->IsSeparator());
            continue;
        }
        EXPECT_EQ(tool->GetId(), e.id);
        EXPECT_EQ(tool->GetLabel().ToStdString(), e.label);
        EXPECT_EQ(tool->GetKind(), e.kind);
        EXPECT_EQ(tool->GetShortHelp().ToStdString(), e.tooltip);
        EXPECT_EQ(tool->IsEnabled(), e.enabled);
        EXPECT_FALSE(tool->IsToggled());
    }
}

TEST_F(MainFrameTest, TitleStatusBarAndSize) {
    EXPECT_EQ(frame->GetTitle().ToStdString(), "Plandor v1.3 by Korvane Models");
    EXPECT_EQ(frame->GetSize(), wxSize(1400, 900));
    wxStatusBar* status = frame->GetStatusBar();
    ASSERT_NE(status, nullptr);
    ASSERT_EQ(status->GetFieldsCount(), 3);
    EXPECT_EQ(status->GetStatusText(0).ToStdString(), "Ready");
    EXPECT_EQ(status->GetStatusText(1).ToStdString(), "Pieces: 0");
    EXPECT_EQ(status->GetStatusText(2).ToStdString(), "x: 0  y: 0 mm");
    EXPECT_TRUE(frame->HasFlag(wxRESIZE_BORDER));
    EXPECT_TRUE(frame->HasFlag(wxCLIP_CHILDREN));

    frame->markModified();
    EXPECT_EQ(frame->GetTitle().ToStdString(), "Plandor v1.3 by Korvane Models *");
}

TEST_F(MainFrameTest, PanelsSitInTwoSplitters) {
    wxSplitterWindow* outer = frame->outerSplitter();
    wxSplitterWindow* inner = frame->innerSplitter();
    ASSERT_TRUE(outer && inner);
    EXPECT_EQ(outer->GetWindow1(), frame->palette());
    EXPECT_EQ(outer->GetWindow2(), inner);
    EXPECT_EQ(inner->GetWindow1(), frame->canvas());
    EXPECT_EQ(inner->GetWindow2(), frame->properties());
    EXPECT_EQ(outer->GetSplitMode(), wxSPLIT_VERTICAL);
    EXPECT_EQ(inner->GetSplitMode(), wxSPLIT_VERTICAL);
    EXPECT_EQ(outer->GetMinimumPaneSize(), 150);
    EXPECT_EQ(inner->GetMinimumPaneSize(), 200);
    EXPECT_DOUBLE_EQ(outer->GetSashGravity(), 0.0);
    EXPECT_DOUBLE_EQ(inner->GetSashGravity(), 1.0);
    EXPECT_TRUE(outer->HasFlag(wxSP_LIVE_UPDATE) && outer->HasFlag(wxSP_3D));

    EXPECT_EQ(outer->GetSashPosition(), 235);
    EXPECT_EQ(inner->GetClientSize().x - inner->GetSashPosition(), 280);
    EXPECT_GT(frame->canvas()->GetSize().x, 600);

    // A wider window grows the canvas only.
    const int canvasWidth = frame->canvas()->GetSize().x;
    const int propertiesWidth = frame->properties()->GetSize().x;
    frame->SetSize(wxSize(1600, 900));
    settle();
    EXPECT_EQ(outer->GetSashPosition(), 235);
    EXPECT_EQ(frame->properties()->GetSize().x, propertiesWidth);
    EXPECT_EQ(frame->canvas()->GetSize().x, canvasWidth + 200);
}

TEST_F(MainFrameTest, ConstructionTraceIsWrittenInOrder) {
    std::ifstream in(root + "/mainframe.log", std::ios::binary);
    ASSERT_TRUE(in.good());
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<std::string> lines = {"A: wxFrame base constructed",
                                            "B: MenuBar done",
                                            "C: ToolBar done",
                                            "BuildPanels: start",
                                            "BuildPanels: root panel created",
                                            "BuildPanels: palette created",
                                            "BuildPanels: splitter created",
                                            "BuildPanels: canvas created",
                                            "BuildPanels: properties created",
                                            "BuildPanels: split done",
                                            "BuildPanels: adding to sizer",
                                            "BuildPanels: outerSplit added",
                                            "BuildPanels: sizer set",
                                            "BuildPanels: layout done",
                                            "BuildPanels: palette populated",
                                            "D: Panels done",
                                            "E: StatusBar done",
                                            "F: MainFrame constructor complete"};
    std::string expected;
    for (const std::string& line : lines)
        expected += line + "\r\n";
    EXPECT_EQ(text, expected);
}

TEST_F(MainFrameTest, LabelsToolSwapsItsLabel) {
    wxToolBar* bar = frame->GetToolBar();
    bar->ToggleTool(CmdToggleLabels, true);
    command(CmdToggleLabels, true);
    EXPECT_FALSE(frame->document().layout.showLabels);
    EXPECT_EQ(bar->FindById(CmdToggleLabels)->GetLabel().ToStdString(), "Show Labels");
    bar->ToggleTool(CmdToggleLabels, false);
    command(CmdToggleLabels, false);
    EXPECT_TRUE(frame->document().layout.showLabels);
    EXPECT_EQ(bar->FindById(CmdToggleLabels)->GetLabel().ToStdString(), "Hide Labels");
}

TEST_F(MainFrameTest, MeasureAndPolygonToolsExcludeEachOther) {
    wxToolBar* bar = frame->GetToolBar();
    Layout& layout = frame->document().layout;
    layout.pieces.push_back(makePlacedPiece("24188"));
    layout.pieces.back().selected = true;

    bar->ToggleTool(CmdMeasure, true);
    command(CmdMeasure, true);
    EXPECT_EQ(frame->toolMode(), 3);
    EXPECT_FALSE(layout.pieces.back().selected);

    bar->ToggleTool(CmdPolygon, true);
    command(CmdPolygon, true);
    EXPECT_EQ(frame->toolMode(), 4);
    EXPECT_FALSE(bar->GetToolState(CmdMeasure));

    bar->ToggleTool(CmdMeasure, true);
    command(CmdMeasure, true);
    EXPECT_FALSE(bar->GetToolState(CmdPolygon));

    bar->ToggleTool(CmdMeasure, false);
    command(CmdMeasure, false);
    EXPECT_EQ(frame->toolMode(), 0);
}

TEST_F(MainFrameTest, UnitsGridAndSnapFollowTheirItems) {
    command(CmdUnitsInches, true);
    EXPECT_EQ(frame->document().layout.units, 2u);
    command(CmdUnitsCentimetres, true);
    EXPECT_EQ(frame->document().layout.units, 1u);
    command(CmdSnap, false);
    EXPECT_FALSE(frame->document().layout.snapOn);
    command(CmdShowGrid, false);
    EXPECT_FALSE(frame->document().layout.showGrid);
}

TEST_F(MainFrameTest, UndoRedoAndDeleteFollowTheLayout) {
    Layout& layout = frame->document().layout;
    wxToolBar* bar = frame->GetToolBar();
    layout.pushUndo();
    layout.pieces.push_back(makePlacedPiece("24188"));
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(bar->GetToolEnabled(CmdUndo));
    EXPECT_FALSE(bar->GetToolEnabled(CmdRedo));

    command(CmdUndo);
    EXPECT_TRUE(layout.pieces.empty());
    EXPECT_TRUE(frame->document().modified);
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(bar->GetToolEnabled(CmdUndo));
    EXPECT_TRUE(bar->GetToolEnabled(CmdRedo));

    command(CmdRedo);
    ASSERT_EQ(layout.pieces.size(), 1u);
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(frame->GetMenuBar()->IsEnabled(CmdDelete));
    command(CmdSelectAll);
    EXPECT_TRUE(layout.pieces[0].selected);
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(frame->GetMenuBar()->IsEnabled(CmdDelete));
    frame->document().modified = false;
    command(CmdDelete);
    EXPECT_TRUE(layout.pieces.empty());
    EXPECT_TRUE(frame->document().modified);
}

TEST_F(MainFrameTest, NewWithoutChangesAsksNothing) {
    frame->document().layout.pieces.push_back(makePlacedPiece("24188"));
    frame->document().name = "Yard";
    command(CmdNew);
    EXPECT_TRUE(frame->document().layout.pieces.empty());
    EXPECT_EQ(frame->GetTitle().ToStdString(), "Plandor v1.3 by Korvane Models");
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(1).ToStdString(), "Pieces: 0");
}

TEST_F(MainFrameTest, ClosingWithUnsavedChangesAsksAndCancelKeepsTheWindow) {
    frame->document().modified = true;
    wxTEST_DIALOG(frame->Close(), wxExpectModal<wxMessageDialog>(wxID_CANCEL));
    settle();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->IsShown());

    wxTEST_DIALOG(frame->Close(), wxExpectModal<wxMessageDialog>(wxID_NO));
    settle();
    EXPECT_FALSE(frame);
}

TEST_F(MainFrameTest, ExitWithoutChangesClosesWithoutAQuestion) {
    command(CmdExit);
    settle();
    EXPECT_FALSE(frame);
}

TEST_F(MainFrameTest, SaveThroughTheMenuAsksForANameAndRetitles) {
    frame->document().layout.pieces.push_back(makePlacedPiece("24188"));
    frame->markModified();
    wxTEST_DIALOG(command(CmdSave), AnswerText("  Branch Line "));
    EXPECT_TRUE(fs::exists(root + "/app/Branch Line.plo"));
    EXPECT_FALSE(frame->document().modified);
    EXPECT_EQ(frame->GetTitle().ToStdString(), "Plandor v1.3 by Korvane Models - Branch Line");
}

TEST_F(MainFrameTest, OpeningShowsTheLayoutsUnitsPiecesAndName) {
    Layout yard;
    yard.ensureDefaultLevel();
    yard.units = 1;
    for (int i = 0; i < 2; ++i) {
        PlacedPiece p = makePlacedPiece("24188");
        p.id = yard.takeId();
        yard.pieces.push_back(p);
    }
    ASSERT_EQ(saveLayout(yard, root + "/app/Yard.plo", "Yard"), "");
    frame->document().layout.pushUndo();

    wxTEST_DIALOG(command(CmdOpen), ChooseLayout("Yard"));
    EXPECT_EQ(frame->document().path, root + "/app/Yard.plo");
    EXPECT_EQ(frame->GetTitle().ToStdString(), "Plandor v1.3 by Korvane Models - Yard");
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(0).ToStdString(), "Ready");
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(1).ToStdString(), "Pieces: 2");
    EXPECT_TRUE(frame->GetMenuBar()->IsChecked(CmdUnitsCentimetres));
    EXPECT_FALSE(frame->document().layout.canUndo());
}

TEST_F(MainFrameTest, TunnelToolFollowsTheSelectedChain) {
    Layout& layout = frame->document().layout;
    const PieceDef& straight = *TrackCatalog::instance().find("24188");
    for (int i = 0; i < 3; ++i) {
        PlacedPiece p = makePlacedPiece("24188");
        p.id = layout.takeId();
        p.x = i * straight.length;
        layout.pieces.push_back(p);
    }
    layout.join(1, 1, 2, 0);
    layout.join(2, 1, 3, 0);
    wxToolBar* bar = frame->GetToolBar();
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(bar->GetToolEnabled(CmdTunnel));

    for (PlacedPiece& p : layout.pieces)
        p.selected = true;
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(bar->GetToolEnabled(CmdTunnel));
    EXPECT_EQ(bar->FindById(CmdTunnel)->GetLabel().ToStdString(), "Tunnel");

    command(CmdTunnel);
    ASSERT_EQ(layout.tunnels.size(), 1u);
    EXPECT_TRUE(frame->document().modified);
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_EQ(bar->FindById(CmdTunnel)->GetLabel().ToStdString(), "Remove Tunnel");

    command(CmdTunnel);
    EXPECT_TRUE(layout.tunnels.empty());
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_EQ(bar->FindById(CmdTunnel)->GetLabel().ToStdString(), "Tunnel");
}
