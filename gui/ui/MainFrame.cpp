#include "ui/MainFrame.h"

#include "canvas/CanvasController.h"
#include "canvas/CanvasPanel.h"
#include "canvas/PalettePanel.h"
#include "editing/Autofill.h"
#include "canvas/ContextMenu.h"
#include "editing/Delete.h"
#include "editing/Placing.h"
#include "editing/Selection.h"
#include "elevation/Grades.h"
#include "elevation/Tunnels.h"
#include "model/HelixPlacement.h"
#include "model/Layout.h"
#include "app/Commands.h"
#include "app/MainWindowRules.h"
#include "base/TraceLog.h"
#include "editing/LayoutShape.h"
#include "ui/AutofillDialog.h"
#include "ui/HelpDialog.h"
#include "ui/LayoutShapeDialog.h"
#include "ui/LevelManagerDialog.h"
#include "ui/ShopServices.h"
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

const Change kPiecesEdited(Change::kPiecesEdited);

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

    properties_->refreshSelection();
    properties_->refreshTally();
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
    properties_->setEditSink(
        [this](const Change& change, const std::string& status) { onPanelEdit(change, status); });
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
    canvas_->setChangeSink([this](const Change& change) { applyChange(change); });
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
    Bind(wxEVT_MENU, &MainFrame::saveLibraryBlockNotYet, this, CmdSaveLibraryBlock);
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
    Bind(wxEVT_MENU, &MainFrame::onLayoutShape, this, CmdLayoutShape);
    Bind(wxEVT_MENU, &MainFrame::onUnits, this, CmdUnitsMillimetres, CmdUnitsInches);
    Bind(wxEVT_MENU, &MainFrame::onLevels, this, CmdLevels);
    Bind(wxEVT_MENU, &MainFrame::onView3D, this, Cmd3DView);
    Bind(wxEVT_MENU, &MainFrame::onHelp, this, CmdHelp);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { runAutofill(); }, kMenuAutofillGap);

    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(commandStates(doc_).undo); },
        CmdUndo);
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(commandStates(doc_).redo); },
        CmdRedo);
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(commandStates(doc_).del); },
        CmdDelete);

    Bind(wxEVT_UPDATE_UI, &MainFrame::onUpdateTunnel, this, CmdTunnel);

    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::onCloseWindow, this);
}

void MainFrame::applyChange(const Change& change) {
    if (!change.any())
        return;
    if (change.replaced())
        canvas_->layoutReplaced();
    else if (change.redraw())
        canvas_->layoutChanged();
    updateTitle();
    SetStatusText(toWx(pieceCountText(doc_.layout.pieces.size())), 1);
    if (change.redraw())
        properties_->refreshSelection();
    if (change.has(Change::Pieces | Change::Replaced))
        properties_->refreshTally();
    if (change.has(Change::kUndoable | Change::Replaced | Change::SavedSettings))
        rebuild3DView();
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

void MainFrame::runAutofill() {
    WxFillChooser chooser(this);
    Edit edit = doc_.begin();
    const bool placed =
        autofillGap(doc_.layout, prompter_, chooser).result == AutofillResult::Placed;
    applyChange(edit.commit(placed ? kPiecesEdited : Change{}));
}

void MainFrame::onPanelEdit(const Change& change, const std::string& status) {
    applyChange(change);
    const std::string current = status.empty() ? fromWx(GetStatusBar()->GetStatusText(0)) : status;
    SetStatusText(toWx(canvasStatusText(doc_.layout, current)), 0);
}

void MainFrame::showOpenedLayout() {
    if (wxMenuBar* bar = GetMenuBar())
        bar->Check(unitsCommand(doc_.layout.units), true);
    if (viewAfterOpen(doc_.layout) == ViewAfterOpen::LargeScale)
        canvas_->resetViewLarge();
    else
        canvas_->zoomToFit();
    palette_->selectSystemForLayout(doc_.layout);
    SetStatusText(toWx(statusAfterOpen(doc_.layout)), 0);
}

void MainFrame::onNewOrClose(wxCommandEvent&) {
    const Change change = files_.newLayout();
    if (!change)
        return;
    applyChange(change);
    canvas_->resetViewDefault();
    SetStatusText(kStatusReady, 0);
}

void MainFrame::onOpen(wxCommandEvent&) {
    // The open layout's file may have been deleted from the dialog: the title shows it.
    const Change change = files_.openLayout() | Change(Change::FileName);
    applyChange(change);
    if (change.replaced())
        showOpenedLayout();
}

void MainFrame::onSave(wxCommandEvent&) {
    applyChange(files_.save() | Change(Change::FileName));
}

void MainFrame::onSaveAs(wxCommandEvent&) {
    applyChange(files_.saveAs() | Change(Change::FileName));
}

void MainFrame::onImport(wxCommandEvent&) {
    const Change change = files_.importLayout();
    applyChange(change);
    if (change.replaced())
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
    applyChange(doc_.undo());
}

void MainFrame::onRedo(wxCommandEvent&) {
    applyChange(doc_.redo());
}

void MainFrame::onDelete(wxCommandEvent&) {
    // The same operation as the canvas's Delete key, so the two always agree.
    applyChange(canvas_->controller().deleteSelection().change);
}

void MainFrame::onSelectAll(wxCommandEvent&) {
    selectAll(doc_.layout);
    applyChange(Change(Change::Selection));
}

void MainFrame::onShowGrid(wxCommandEvent& event) {
    doc_.layout.showGrid = event.IsChecked();
    applyChange(Change(Change::ViewSettings));
}

void MainFrame::onSnap(wxCommandEvent& event) {
    // Snapping draws nothing: only the next placing or move reads it.
    doc_.layout.snapOn = event.IsChecked();
}

void MainFrame::onToggleLabels(wxCommandEvent& event) {
    doc_.layout.showLabels = !event.IsChecked();
    wxToolBar* bar = GetToolBar();
    if (wxToolBarToolBase* tool = bar->FindById(CmdToggleLabels)) {
        tool->SetLabel(toWx(labelsToolLabel(doc_.layout.showLabels)));
        bar->Realize();
    }
    applyChange(Change(Change::ViewSettings));
}

void MainFrame::onTunnel(wxCommandEvent&) {
    Edit edit = doc_.begin();
    const bool changed = runTunnelCommand(doc_.layout) != TunnelChange::None;
    applyChange(edit.commit(changed ? Change(Change::Pieces | Change::Annotations) : Change{}));
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
    applyChange(Change(s.deselect ? Change::Selection : Change::ViewSettings));
}

void MainFrame::onUnits(wxCommandEvent& event) {
    const int units = unitsOfCommand(event.GetId());
    if (units < 0)
        return;
    doc_.layout.units = static_cast<unsigned>(units);
    applyChange(Change(Change::ViewSettings));
}

void MainFrame::onLevels(wxCommandEvent&) {
    doc_.layout.ensureDefaultLevel();
    // The whole dialog session is one edit: removing a level comes back with one Undo.
    Edit edit = doc_.begin();
    LevelManagerDialog dialog(this, doc_.layout, prompter_);
    dialog.ShowModal();
    applyChange(edit.commit(levelsSessionChange(dialog.change())));
}

void MainFrame::onLayoutShape(wxCommandEvent&) {
    // The canvas has no outline drawing yet, so the free-form page cannot be applied.
    LayoutShapeDialog dialog(this, doc_.layout, prompter_, false);
    if (dialog.ShowModal() != wxID_OK)
        return;
    if (dialog.drawOnCanvas()) {
        toolMode_ = ToolBaseboard;
        canvas_->SetCursor(wxCursor(wxCURSOR_CROSS));
        canvas_->SetFocus();
        applyChange(Change(Change::ViewSettings));
        SetStatusText(kFreeFormStatus, 0);
        return;
    }
    applyChange(doc_.apply([&] {
        doc_.layout.baseboard = dialog.outline();
        return Change(Change::SavedSettings);
    }));
}

void MainFrame::onHelp(wxCommandEvent&) {
    WxBrowserOpener browser;
    HelpDialog dialog(this, browser);
    dialog.ShowModal();
}

void MainFrame::onPaletteAction(const PaletteAction& action) {
    switch (action.kind) {
    case PaletteAction::Kind::AutoConnect: {
        Edit edit = doc_.begin();
        const PlaceOutcome outcome = autoConnect(doc_.layout, action.key);
        if (!outcome.placed)
            return;
        applyChange(edit.commit(kPiecesEdited));
        SetStatusText(toWx(outcome.status), 1);
        return;
    }
    case PaletteAction::Kind::PlaceHelix:
        applyChange(doc_.apply([&] {
            return placeHelix(doc_.layout, kHelixDropX, kHelixDropY, 0, action.key)
                       ? kPiecesEdited
                       : Change{};
        }));
        return;
    case PaletteAction::Kind::InsertBlock:
        insertBlockNotYet(action.key);
        return;
    case PaletteAction::Kind::BeginPlacing:
    case PaletteAction::Kind::BeginHelixPlacing:
    case PaletteAction::Kind::BeginSceneryPlacing:
        canvas_->beginPlacing(action);
        return;
    case PaletteAction::Kind::None:
        return;
    }
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
