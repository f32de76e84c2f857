#include "ui/MainFrame.h"

#include "canvas/CanvasPanel.h"
#include "canvas/PalettePanel.h"
#include "editing/Autofill.h"
#include "canvas/ContextMenu.h"
#include "editing/Delete.h"
#include "editing/InsertBlock.h"
#include "editing/Placing.h"
#include "editing/Selection.h"
#include "elevation/Grades.h"
#include "elevation/Tunnels.h"
#include "model/HelixPlacement.h"
#include "model/Layout.h"
#include "app/Commands.h"
#include "app/LibraryBlockCommand.h"
#include "app/MainWindowRules.h"
#include "base/TraceLog.h"
#include "ui/AutofillDialog.h"
#include "ui/PropertiesPanel.h"
#include "ui/SystemFolders.h"
#include "ui/WxText.h"

#include <wx/menu.h>
#include <wx/printdlg.h>
#include <wx/sizer.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

namespace plandor {

namespace {

wxItemKind itemKind(ItemKind kind) {
    switch (kind) {
    case ItemKind::Check:
        return wxITEM_CHECK;
    case ItemKind::Radio:
        return wxITEM_RADIO;
    case ItemKind::Separator:
        return wxITEM_SEPARATOR;
    default:
        return wxITEM_NORMAL;
    }
}

wxMenu* buildMenu(const std::vector<MenuItemDef>& items) {
    auto* menu = new wxMenu;
    for (const MenuItemDef& item : items) {
        if (item.kind == ItemKind::Separator) {
            menu->AppendSeparator();
        } else if (item.kind == ItemKind::Submenu) {
            menu->AppendSubMenu(buildMenu(item.items), toWx(item.label));
        } else {
            menu->Append(item.id, toWx(item.label), wxEmptyString, itemKind(item.kind));
            if (item.kind != ItemKind::Normal)
                menu->Check(item.id, item.checked);
        }
    }
    return menu;
}

wxSplitterWindow* newSplitter(wxWindow* parent) {
    return new wxSplitterWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                wxSP_3D | wxSP_LIVE_UPDATE | wxNO_BORDER);
}

} // namespace

MainFrame::MainFrame() : MainFrame(systemFolders()) {}

MainFrame::MainFrame(const Folders& folders)
    : wxFrame(nullptr, wxID_ANY, kBaseTitle, wxDefaultPosition, wxSize(1400, 900),
              wxDEFAULT_FRAME_STYLE | wxCLIP_CHILDREN),
      prompter_(this), chooser_(this), files_(doc_, prompter_, chooser_, folders) {
    traceMainFrame("A: wxFrame base constructed");
    buildMenuBar();
    traceMainFrame("B: MenuBar done");
    buildToolBar();
    traceMainFrame("C: ToolBar done");
    buildPanels();
    traceMainFrame("D: Panels done");
    buildStatusBar();
    traceMainFrame("E: StatusBar done");
    Centre(wxBOTH);

    printData_.SetOrientation(wxLANDSCAPE);
    printData_.SetPaperId(wxPAPER_LETTER);
    pageSetupData_ = wxPageSetupDialogData(printData_);
    pageSetupData_.SetMarginTopLeft(wxPoint(15, 15));
    pageSetupData_.SetMarginBottomRight(wxPoint(15, 15));

    refreshPanels();
    bindCommands();
    traceMainFrame("F: MainFrame constructor complete");
}

void MainFrame::buildMenuBar() {
    auto* bar = new wxMenuBar;
    for (const MenuDef& menu : menuBarTable())
        bar->Append(buildMenu(menu.items), toWx(menu.title));
    SetMenuBar(bar);
}

void MainFrame::buildToolBar() {
    wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_TEXT | wxTB_NOICONS);
    for (const ToolDef& tool : toolBarTable()) {
        if (tool.kind == ItemKind::Separator)
            bar->AddSeparator();
        else
            bar->AddTool(tool.id, toWx(tool.label), wxBitmapBundle(), toWx(tool.tooltip),
                         itemKind(tool.kind));
    }
    bar->Realize();
    for (const ToolDef& tool : toolBarTable())
        if (tool.kind != ItemKind::Separator && !tool.enabled)
            bar->EnableTool(tool.id, false);
}

void MainFrame::buildPanels() {
    traceMainFrame("BuildPanels: start");
    auto* root = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                             wxTAB_TRAVERSAL | wxNO_BORDER);
    traceMainFrame("BuildPanels: root panel created");
    outerSplit_ = newSplitter(root);
    palette_ = new PalettePanel(outerSplit_, doc_, prompter_, files_.folders().application);
    traceMainFrame("BuildPanels: palette created");
    innerSplit_ = newSplitter(outerSplit_);
    traceMainFrame("BuildPanels: splitter created");
    canvas_ = new CanvasPanel(innerSplit_, doc_, &prompter_);
    traceMainFrame("BuildPanels: canvas created");
    properties_ = new PropertiesPanel(innerSplit_, doc_);
    properties_->setEditSink([this](const PanelEdit& edit) { onPanelEdit(edit); });
    traceMainFrame("BuildPanels: properties created");

    // The palette keeps its width and the canvas takes all growth of the window.
    innerSplit_->SetMinimumPaneSize(200);
    innerSplit_->SetSashGravity(1.0);
    innerSplit_->SplitVertically(canvas_, properties_, -280);
    outerSplit_->SetMinimumPaneSize(150);
    outerSplit_->SetSashGravity(0.0);
    outerSplit_->SplitVertically(palette_, innerSplit_, 235);
    traceMainFrame("BuildPanels: split done");

    traceMainFrame("BuildPanels: adding to sizer");
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(outerSplit_, 1, wxEXPAND);
    traceMainFrame("BuildPanels: outerSplit added");
    root->SetSizer(sizer);
    traceMainFrame("BuildPanels: sizer set");
    root->Layout();
    traceMainFrame("BuildPanels: layout done");
    palette_->setActionHandler([this](const PaletteAction& action) { onPaletteAction(action); });
    traceMainFrame("BuildPanels: palette populated");
    updateTitle();
}

void MainFrame::buildStatusBar() {
    CreateStatusBar(kStatusFields);
    SetStatusText(kStatusReady, 0);
    SetStatusText(toWx(pieceCountText(0)), 1);
    SetStatusText(kStatusStartPosition, 2);
    canvas_->setStatusSink(
        [this](int field, const std::string& text) { SetStatusText(toWx(text), field); });
    canvas_->setSelectionSink([this] { properties_->refreshSelection(); });
    canvas_->setModifiedSink([this] {
        markModified();
        rebuild3DView();
    });
    canvas_->setLabelDropSink([this](double x, double y) { properties_->setLabelDropPoint(x, y); });
}

void MainFrame::bindCommands() {
    Bind(wxEVT_MENU, &MainFrame::onNewOrClose, this, CmdNew);
    Bind(wxEVT_MENU, &MainFrame::onNewOrClose, this, CmdClose);
    Bind(wxEVT_MENU, &MainFrame::onOpen, this, CmdOpen);
    Bind(wxEVT_MENU, &MainFrame::onSave, this, CmdSave);
    Bind(wxEVT_MENU, &MainFrame::onSaveAs, this, CmdSaveAs);
    Bind(wxEVT_MENU, &MainFrame::onImport, this, CmdImport);
    Bind(wxEVT_MENU, &MainFrame::onExport, this, CmdExport);
    Bind(wxEVT_MENU, &MainFrame::onSaveLibraryBlock, this, CmdSaveLibraryBlock);
    Bind(wxEVT_MENU, &MainFrame::onPageSetup, this, CmdPageSetup);
    Bind(wxEVT_MENU, &MainFrame::printPreviewNotYet, this, CmdPreview);
    Bind(wxEVT_MENU, &MainFrame::printNotYet, this, CmdPrint);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, CmdExit);
    Bind(wxEVT_MENU, &MainFrame::onUndo, this, CmdUndo);
    Bind(wxEVT_MENU, &MainFrame::onRedo, this, CmdRedo);
    Bind(wxEVT_MENU, &MainFrame::onDelete, this, CmdDelete);
    Bind(wxEVT_MENU, &MainFrame::onSelectAll, this, CmdSelectAll);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { canvas_->zoomIn(); }, CmdZoomIn);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { canvas_->zoomOut(); }, CmdZoomOut);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { canvas_->zoomToFit(); }, CmdZoomToFit);
    Bind(wxEVT_MENU, &MainFrame::onShowGrid, this, CmdShowGrid);
    Bind(wxEVT_MENU, &MainFrame::onSnap, this, CmdSnap);
    Bind(wxEVT_MENU, &MainFrame::onToggleLabels, this, CmdToggleLabels);
    Bind(wxEVT_MENU, &MainFrame::onTunnel, this, CmdTunnel);
    Bind(wxEVT_MENU, &MainFrame::onDrawingTool, this, CmdMeasure);
    Bind(wxEVT_MENU, &MainFrame::onDrawingTool, this, CmdPolygon);
    Bind(wxEVT_MENU, &MainFrame::layoutShapeNotYet, this, CmdLayoutShape);
    Bind(wxEVT_MENU, &MainFrame::onUnits, this, CmdUnitsMillimetres, CmdUnitsInches);
    Bind(wxEVT_MENU, &MainFrame::levelsNotYet, this, CmdLevels);
    Bind(wxEVT_MENU, &MainFrame::onView3D, this, Cmd3DView);
    Bind(wxEVT_MENU, &MainFrame::helpNotYet, this, CmdHelp);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { runAutofill(); }, kMenuAutofillGap);

    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(commandStates(doc_.layout).undo); },
        CmdUndo);
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(commandStates(doc_.layout).redo); },
        CmdRedo);
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(commandStates(doc_.layout).del); },
        CmdDelete);

    Bind(wxEVT_UPDATE_UI, &MainFrame::onUpdateTunnel, this, CmdTunnel);

    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::onCloseWindow, this);
}

void MainFrame::markModified() {
    doc_.modified = true;
    updateTitle();
    // Every edit can change the piece count (delete, paste, undo): keep field 1 true.
    SetStatusText(toWx(pieceCountText(doc_.layout.pieces.size())), 1);
    properties_->refreshTally();
}

void MainFrame::onView3D(wxCommandEvent&) {
    if (view3D_) {
        view3D_->rebuildScene(doc_.layout);
        view3D_->Raise();
        return;
    }
    view3D_ = new View3DFrame(this, doc_.layout);
}

void MainFrame::rebuild3DView() {
    if (view3D_)
        view3D_->rebuildScene(doc_.layout);
}

void MainFrame::updateTitle() {
    SetTitle(toWx(windowTitle(doc_.name, doc_.path, doc_.modified)));
}

void MainFrame::refreshPanels() {
    properties_->refreshSelection();
    properties_->refreshTally();
}

void MainFrame::runAutofill() {
    WxFillChooser chooser(this);
    if (autofillGap(doc_.layout, prompter_, chooser).result != AutofillResult::Placed)
        return;
    markModified();
    properties_->refreshSelection();
    canvas_->layoutChanged();
    SetStatusText(toWx(pieceCountText(doc_.layout.pieces.size())), 1);
}

void MainFrame::onPanelEdit(const PanelEdit& edit) {
    if (edit.modified)
        markModified();
    canvas_->layoutChanged();
    rebuild3DView();
    const std::string current =
        edit.status.empty() ? fromWx(GetStatusBar()->GetStatusText(0)) : edit.status;
    SetStatusText(toWx(canvasStatusText(doc_.layout, current)), 0);
}

void MainFrame::showEmptyLayout() {
    updateTitle();
    canvas_->resetViewDefault();
    canvas_->layoutChanged();
    SetStatusText(kStatusReady, 0);
    SetStatusText(toWx(pieceCountText(0)), 1);
    refreshPanels();
}

void MainFrame::showOpenedLayout() {
    updateTitle();
    if (wxMenuBar* bar = GetMenuBar())
        bar->Check(unitsCommand(doc_.layout.units), true);
    canvas_->layoutChanged();
    if (viewAfterOpen(doc_.layout) == ViewAfterOpen::LargeScale)
        canvas_->resetViewLarge();
    else
        canvas_->zoomToFit();
    refreshPanels();
    palette_->selectSystemForLayout(doc_.layout);
    SetStatusText(toWx(statusAfterOpen(doc_.layout)), 0);
    SetStatusText(toWx(pieceCountText(doc_.layout.pieces.size())), 1);
}

void MainFrame::onNewOrClose(wxCommandEvent&) {
    if (files_.newLayout())
        showEmptyLayout();
}

void MainFrame::onOpen(wxCommandEvent&) {
    if (files_.openLayout())
        showOpenedLayout();
    else
        updateTitle(); // the open layout's file may have been deleted from the dialog
}

void MainFrame::onSave(wxCommandEvent&) {
    files_.save();
    updateTitle();
}

void MainFrame::onSaveAs(wxCommandEvent&) {
    files_.saveAs();
    updateTitle();
}

void MainFrame::onImport(wxCommandEvent&) {
    if (files_.importLayout())
        showOpenedLayout();
}

void MainFrame::onExport(wxCommandEvent&) {
    files_.exportLayout();
}

void MainFrame::onPageSetup(wxCommandEvent&) {
    pageSetupData_.SetPrintData(printData_);
    wxPageSetupDialog dialog(this, &pageSetupData_);
    if (dialog.ShowModal() == wxID_OK) {
        pageSetupData_ = dialog.GetPageSetupDialogData();
        printData_ = pageSetupData_.GetPrintData();
    }
}

void MainFrame::onUndo(wxCommandEvent&) {
    doc_.layout.undo();
    canvas_->layoutChanged();
    markModified();
    refreshPanels();
}

void MainFrame::onRedo(wxCommandEvent&) {
    doc_.layout.redo();
    canvas_->layoutChanged();
    markModified();
    refreshPanels();
}

void MainFrame::onDelete(wxCommandEvent&) {
    if (!deleteSelection(doc_.layout, prompter_))
        return;
    refreshPanels();
    markModified();
    canvas_->layoutChanged();
}

void MainFrame::onSelectAll(wxCommandEvent&) {
    selectAll(doc_.layout);
    canvas_->layoutChanged();
    refreshPanels();
}

void MainFrame::onShowGrid(wxCommandEvent& event) {
    doc_.layout.showGrid = event.IsChecked();
    canvas_->setShowGrid(event.IsChecked());
}

void MainFrame::onSnap(wxCommandEvent& event) {
    doc_.layout.snapOn = event.IsChecked();
}

void MainFrame::onToggleLabels(wxCommandEvent& event) {
    doc_.layout.showLabels = !event.IsChecked();
    wxToolBar* bar = GetToolBar();
    if (wxToolBarToolBase* tool = bar->FindById(CmdToggleLabels)) {
        tool->SetLabel(toWx(labelsToolLabel(doc_.layout.showLabels)));
        bar->Realize();
    }
    canvas_->layoutChanged();
}

void MainFrame::onTunnel(wxCommandEvent&) {
    if (runTunnelCommand(doc_.layout) == TunnelChange::None)
        return;
    markModified();
    canvas_->layoutChanged();
    rebuild3DView();
    refreshPanels();
}

void MainFrame::onUpdateTunnel(wxUpdateUIEvent& event) {
    const TunnelToolState state = tunnelToolState(analyseTunnelSelection(doc_.layout));
    event.Enable(state.enabled);
    wxToolBar* bar = GetToolBar();
    wxToolBarToolBase* tool = bar ? bar->FindById(CmdTunnel) : nullptr;
    if (tool && tool->GetLabel() != toWx(state.label)) {
        tool->SetLabel(toWx(state.label));
        bar->Realize();
    }
}

void MainFrame::onDrawingTool(wxCommandEvent& event) {
    const ToolSwitch s = switchDrawingTool(event.GetId(), event.IsChecked());
    toolMode_ = s.mode;
    if (s.deselect)
        clearSelection(doc_.layout);
    if (s.uncheck != 0)
        GetToolBar()->ToggleTool(s.uncheck, false);
    canvas_->SetCursor(s.crossHair ? wxCursor(wxCURSOR_CROSS) : wxNullCursor);
    canvas_->layoutChanged();
    if (s.deselect)
        refreshPanels();
}

void MainFrame::onUnits(wxCommandEvent& event) {
    const int units = unitsOfCommand(event.GetId());
    if (units < 0)
        return;
    doc_.layout.units = static_cast<unsigned>(units);
    canvas_->layoutChanged();
    properties_->refreshSelection();
}

void MainFrame::onSaveLibraryBlock(wxCommandEvent&) {
    saveAsLibraryBlock(doc_.layout, prompter_, palette_->libraryFolder(),
                       [this] { palette_->reloadLibrary(); });
}

void MainFrame::onPaletteAction(const PaletteAction& action) {
    switch (action.kind) {
    case PaletteAction::Kind::AutoConnect: {
        const PlaceOutcome outcome = autoConnect(doc_.layout, action.key);
        if (!outcome.placed)
            return;
        SetStatusText(toWx(outcome.status), 1);
        break;
    }
    case PaletteAction::Kind::PlaceHelix:
        if (!placeHelix(doc_.layout, kHelixDropX, kHelixDropY, 0, action.key))
            return;
        SetStatusText(toWx(pieceCountText(doc_.layout.pieces.size())), 1);
        rebuild3DView();
        break;
    case PaletteAction::Kind::InsertBlock:
        if (!insertBlockAsEdit(doc_, action.key, prompter_))
            return;
        rebuild3DView();
        break;
    case PaletteAction::Kind::BeginPlacing:
    case PaletteAction::Kind::BeginHelixPlacing:
    case PaletteAction::Kind::BeginSceneryPlacing:
        canvas_->beginPlacing(action);
        return;
    case PaletteAction::Kind::None:
        return;
    }
    markModified();
    canvas_->layoutChanged();
    refreshPanels();
}

void MainFrame::onCloseWindow(wxCloseEvent& event) {
    if (event.CanVeto() && !files_.confirmUnsavedChanges()) {
        event.Veto();
        updateTitle();
        return;
    }
    Destroy();
}

} // namespace plandor
