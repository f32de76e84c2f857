#include "gui/ui/MainFrame.h"
#include "core/base/Translate.h"

#include "core/app/Commands.h"
#include "core/app/LayoutCheck.h"
#include "core/app/LibraryBlockCommand.h"
#include "core/app/MainWindowRules.h"
#include "core/app/PartsList.h"
#include "core/base/TraceLog.h"
#include "core/canvas/CanvasController.h"
#include "core/canvas/ContextMenu.h"
#include "core/editing/Autofill.h"
#include "core/editing/Delete.h"
#include "core/editing/DisplaySettings.h"
#include "core/editing/InsertBlock.h"
#include "core/editing/LayoutShape.h"
#include "core/editing/Placing.h"
#include "core/editing/Selection.h"
#include "core/elevation/Grades.h"
#include "core/elevation/Tunnels.h"
#include "core/model/HelixPlacement.h"
#include "core/model/Layout.h"
#include "gui/canvas/CanvasPanel.h"
#include "gui/canvas/KeyStrokes.h"
#include "gui/canvas/PalettePanel.h"
#include "gui/platform/ShopServices.h"
#include "gui/platform/SystemFolders.h"
#include "gui/platform/WxText.h"
#include "gui/ui/AutofillDialog.h"
#include "gui/ui/CheckLayoutDialog.h"
#include "gui/ui/ExportPlanDialog.h"
#include "gui/ui/HelpDialog.h"
#include "gui/ui/LayoutShapeDialog.h"
#include "gui/ui/LevelManagerDialog.h"
#include "gui/ui/PropertiesPanel.h"
#include "gui/ui/ResizeSceneryDialog.h"
#include "gui/ui/ShapePropertiesDialog.h"
#include "gui/ui/TrackLengthsDialog.h"
#include "gui/wxrender/LayoutPrintout.h"
#include "gui/wxrender/PlanExporter.h"
#include "gui/wxrender/PrintOptionsDialog.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include <wx/combobox.h>
#include <wx/dcclient.h>
#include <wx/filedlg.h>
#include <wx/iconbndl.h>
#include <wx/menu.h>
#include <wx/paper.h>
#include <wx/print.h>
#include <wx/printdlg.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
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

wxMenu* buildMenu(const std::vector<MenuEntry>& entries) {
    auto* menu = new wxMenu;
    for (const MenuEntry& entry : entries) {
        if (entry.kind == ItemKind::Separator) {
            menu->AppendSeparator();
        } else if (entry.kind == ItemKind::Submenu) {
            menu->AppendSubMenu(buildMenu(entry.entries), toWx(tr(entry.label)));
        } else if (const Command* command = findCommand(entry.id)) {
            menu->Append(command->id, toWx(menuLabel(*command)), wxEmptyString,
                         itemKind(command->kind));
            if (command->kind != ItemKind::Normal)
                menu->Check(command->id, command->checkedAtStart);
        }
    }
    return menu;
}

bool isTextField(wxWindow* window) {
    // dynamic_cast, not wxDynamicCast: the toolkit's macro casts down before it checks.
    return dynamic_cast<wxTextCtrl*>(window) || dynamic_cast<wxSpinCtrl*>(window) ||
           dynamic_cast<wxSpinCtrlDouble*>(window) || dynamic_cast<wxComboBox*>(window);
}

constexpr int kPaletteWidth = 235;

// The file an export writes, chosen in a save dialog; the filter's extension is added when
// the typed name has none of them. Empty when cancelled.
std::string chooseExportFile(wxWindow* parent, const char* title, const std::string& folder,
                             const std::string& name, const char* wildcard,
                             const std::vector<std::string>& extensions) {
    wxFileDialog dialog(parent, toWx(tr(title)), toWx(folder), toWx(name + extensions.front()),
                        wildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return {};
    std::string path = fromWx(dialog.GetPath());
    if (path.empty())
        return {};
    const std::string lower = fromWx(dialog.GetPath().Lower());
    for (const std::string& ext : extensions)
        if (lower.size() >= ext.size() &&
            lower.compare(lower.size() - ext.size(), ext.size(), ext) == 0)
            return path;
    const int filter = std::max(0, dialog.GetFilterIndex());
    return path + extensions[std::min<std::size_t>(filter, extensions.size() - 1)];
}

// Exports are named after the layout, or "Layout" before it has a name.
std::string exportBaseName(const Document& doc) {
    if (!doc.name.empty())
        return doc.name;
    return doc.path.empty() ? tr("Layout") : layoutNameOf(doc.path);
}

// Windows that only hold others are painted with the theme's background, without the erase
// event the toolkit would otherwise make a drawing context for at every paint inside them.
void paintThemeBackgroundOnly(wxWindow* holder) {
    holder->SetBackgroundStyle(wxBG_STYLE_SYSTEM);
}

wxSplitterWindow* newSplitter(wxWindow* parent) {
    auto* splitter = new wxSplitterWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                          wxSP_3D | wxSP_LIVE_UPDATE | wxNO_BORDER);
    paintThemeBackgroundOnly(splitter);
    // A repaint of the canvas inside repaints the splitter under it; its sash is drawn again
    // only when the repainted part reaches it.
    splitter->Bind(wxEVT_PAINT, [splitter](wxPaintEvent& event) {
        const wxRect client(splitter->GetClientSize());
        const int sash = splitter->GetSashPosition();
        const int width = splitter->GetSashSize();
        const wxRect sashRect = splitter->GetSplitMode() == wxSPLIT_VERTICAL
                                    ? wxRect(sash, 0, width, client.height)
                                    : wxRect(0, sash, client.width, width);
        if (!splitter->IsSplit() || splitter->GetUpdateRegion().Contains(sashRect) != wxOutRegion) {
            event.Skip();
            return;
        }
#ifndef __WXGTK__
        wxPaintDC done(splitter); // elsewhere a paint must be answered with a drawing context
#endif
    });
    return splitter;
}

} // namespace

MainFrame::MainFrame() : MainFrame(systemFolders()) {}

MainFrame::~MainFrame() {
    DestroyChildren();
}

MainFrame::MainFrame(const Folders& folders)
    : wxFrame(nullptr, wxID_ANY, toWx(tr(kBaseTitle)), wxDefaultPosition, wxSize(1400, 900),
              wxDEFAULT_FRAME_STYLE | wxCLIP_CHILDREN),
      prompter_(this), chooser_(this), files_(doc_, prompter_, chooser_, folders),
      recovery_(folders.recovery, currentProcess(),
                recoveryTiming(std::getenv("PLANDOR_RECOVERY_QUIET_MS"))),
      recoveryTimer_(this) {
    traceMainFrame("A: wxFrame base constructed");
#ifdef __WXMSW__
    // The title bar and the task bar show the program's icon, all its sizes, from the resources.
    SetIcons(wxIconBundle(wxS("plandor"), nullptr));
#endif
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
        bar->Append(buildMenu(menu.entries), toWx(tr(menu.title)));
    SetMenuBar(bar);
}

void MainFrame::buildToolBar() {
    wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_TEXT | wxTB_NOICONS);
    for (int id : toolBarTable()) {
        if (id == 0) {
            bar->AddSeparator();
        } else if (const Command* command = findCommand(id)) {
            bar->AddTool(id, toWx(tr(command->toolText)), wxBitmapBundle(),
                         toWx(tr(command->tooltip)), itemKind(command->kind));
        }
    }
    bar->Realize();
    // Disabled from the start, so nothing flickers before the first update.
    const Clipboard none;
    for (int id : toolBarTable())
        if (const Command* command = findCommand(id))
            bar->EnableTool(id, commandEnabled(command->enable, doc_, none));
}

void MainFrame::buildPanels() {
    traceMainFrame("BuildPanels: start");
    paintThemeBackgroundOnly(this);
    auto* root = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                             wxTAB_TRAVERSAL | wxNO_BORDER);
    paintThemeBackgroundOnly(root);
    traceMainFrame("BuildPanels: root panel created");
    outerSplit_ = newSplitter(root);
    palette_ = new PalettePanel(outerSplit_, doc_, prompter_, files_.folders().application);
    traceMainFrame("BuildPanels: palette created");
    innerSplit_ = newSplitter(outerSplit_);
    traceMainFrame("BuildPanels: splitter created");
    canvas_ = new CanvasPanel(innerSplit_, doc_, &prompter_);
    traceMainFrame("BuildPanels: canvas created");
    properties_ = new PropertiesPanel(innerSplit_, doc_);
    properties_->setEditSink([this](const Change& change) { applyChange(change); });
    traceMainFrame("BuildPanels: properties created");

    // The palette keeps its width and the canvas takes all growth of the window.
    innerSplit_->SetMinimumPaneSize(200);
    innerSplit_->SetSashGravity(1.0);
    innerSplit_->SplitVertically(canvas_, properties_, -280);
    outerSplit_->SetMinimumPaneSize(150);
    outerSplit_->SetSashGravity(0.0);
    // All four palette tabs stay visible, whatever the theme's font.
    outerSplit_->SplitVertically(palette_, innerSplit_,
                                 std::max(kPaletteWidth, palette_->widthShowingAllTabs()));
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
    // The message field takes the room the count and the position leave: tool hints are long.
    const int statusWidths[kStatusFields] = {-1, 140, 260};
    SetStatusWidths(kStatusFields, statusWidths);
    showStatus(statusTexts(doc_.layout));
    SetStatusText(toWx(canvas_->controller().positionText()), kPositionField);
    canvas_->setPositionSink(
        [this](const std::string& text) { SetStatusText(toWx(text), kPositionField); });
    canvas_->setChangeSink([this](const Change& change) { applyChange(change); });
    canvas_->setLabelDropSink([this](double x, double y) { properties_->setLabelDropPoint(x, y); });
    canvas_->setResizeScenerySink([this](int32_t id) { openResizeScenery(id); });
    canvas_->setShapePropertiesSink([this](int32_t id) { openShapeProperties(id); });
    canvas_->setToolEndSink([this](ToolMode) { releaseToolToggles(); });
}

void MainFrame::bindCommands() {
    Bind(wxEVT_MENU, &MainFrame::onNewOrClose, this, CmdNew);
    Bind(wxEVT_MENU, &MainFrame::onCheckLayout, this, CmdCheckLayout);
    Bind(wxEVT_MENU, &MainFrame::onTrackLengths, this, CmdTrackLengths);
    Bind(wxEVT_MENU, &MainFrame::onNewOrClose, this, CmdClose);
    Bind(wxEVT_MENU, &MainFrame::onOpen, this, CmdOpen);
    Bind(wxEVT_MENU, &MainFrame::onSave, this, CmdSave);
    Bind(wxEVT_MENU, &MainFrame::onSaveAs, this, CmdSaveAs);
    Bind(wxEVT_MENU, &MainFrame::onImport, this, CmdImport);
    Bind(wxEVT_MENU, &MainFrame::onExport, this, CmdExport);
    Bind(wxEVT_MENU, &MainFrame::onSaveLibraryBlock, this, CmdSaveLibraryBlock);
    Bind(wxEVT_MENU, &MainFrame::onPageSetup, this, CmdPageSetup);
    Bind(wxEVT_MENU, &MainFrame::onPrintPreview, this, CmdPreview);
    Bind(wxEVT_MENU, &MainFrame::onPrint, this, CmdPrint);
    Bind(wxEVT_MENU, &MainFrame::onExportPlan, this, CmdExportPlan);
    Bind(wxEVT_MENU, &MainFrame::onExportPartsList, this, CmdExportPartsList);
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
        wxEVT_MENU, [this](wxCommandEvent&) { runAutofill(); }, CmdAutofillGap);

    Bind(wxEVT_MENU, &MainFrame::onCopy, this, CmdCopy);
    Bind(wxEVT_MENU, &MainFrame::onCut, this, CmdCut);
    Bind(wxEVT_MENU, &MainFrame::onPaste, this, CmdPaste);

    for (const Command& command : commandTable())
        Bind(wxEVT_UPDATE_UI, &MainFrame::onUpdateCommand, this, command.id);
    Bind(wxEVT_CHAR_HOOK, &MainFrame::onCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::onCloseWindow, this);
    Bind(wxEVT_TIMER, &MainFrame::onRecoveryTimer, this, recoveryTimer_.GetId());
}

void MainFrame::applyChange(const Change& change) {
    if (!change.reported())
        return;
    keepRecoveryCopy(change);
    if (change.replaced())
        canvas_->layoutReplaced();
    else if (change.redraw())
        canvas_->layoutChanged(change);
    updateTitle();
    // A unit switched or another layout opened: the position reads in the unit at once.
    if (change.has(Change::ViewSettings | Change::Replaced))
        SetStatusText(toWx(canvas_->controller().positionText()), kPositionField);
    if (change.redraw())
        properties_->refreshSelection();
    if (change.has(Change::Pieces | Change::Replaced))
        properties_->refreshTally();
    std::string checked;
    if (change.has(Change::kUndoable | Change::Replaced | Change::SavedSettings)) {
        rebuild3DView();
        checked = refreshCheck();
        if (tracks_)
            tracks_->refresh(doc_.layout);
    }
    // The change's own line wins over the check's summary.
    showStatus(statusTexts(doc_.layout, checked.empty() ? change : Change::saying(checked) | change,
                           fromWx(statusText(kMessageField))));
}

void MainFrame::showStatus(const StatusTexts& texts) {
    SetStatusText(toWx(texts.message), kMessageField);
    SetStatusText(toWx(texts.pieces), kPiecesField);
}

wxString MainFrame::statusText(int field) const {
    const wxStatusBar* bar = GetStatusBar();
    return bar ? bar->GetStatusText(field) : wxString();
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
    // Setting the title asks the display server; most edits leave it as it was.
    const wxString title = toWx(windowTitle(doc_.name, doc_.path, doc_.modified));
    if (GetTitle() != title)
        SetTitle(title);
}

void MainFrame::onCheckLayout(wxCommandEvent&) {
    if (!check_) {
        check_ = new CheckLayoutDialog(this, [this](const CheckFinding& f) { showFinding(f); });
        check_->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
            check_->Destroy();
            check_ = nullptr;
            canvas_->setCheckMarks({});
            applyChange(Change::saying(tr(kReadyStatus)));
        });
    }
    const bool opening = !check_->IsShown();
    applyChange(Change::saying(refreshCheck()));
    if (opening)
        check_->placeBeside(GetScreenRect(), canvas_->GetScreenRect());
    check_->Show();
    check_->Raise();
}

std::string MainFrame::refreshCheck() {
    if (!check_)
        return {};
    check_->refresh(doc_.layout);
    canvas_->setCheckMarks(checkMarks(check_->findings()));
    return checkSummary(check_->findings());
}

void MainFrame::showFinding(const CheckFinding& finding) {
    const Change change = selectPieces(doc_, finding.pieces);
    canvas_->centreOn(finding.at.x, finding.at.y);
    applyChange(change);
}

void MainFrame::onTrackLengths(wxCommandEvent&) {
    if (!tracks_) {
        tracks_ = new TrackLengthsDialog(this, [this](const TrackLength& t) { showTrack(t); });
        // Bottom left, clear of the check list and of the middle where a chosen track shows.
        const wxRect frame = GetScreenRect();
        tracks_->Move(frame.GetLeft() + 16, frame.GetBottom() - tracks_->GetSize().y - 40);
        tracks_->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
            tracks_->Destroy();
            tracks_ = nullptr;
        });
    }
    tracks_->Show();
    tracks_->Raise();
    tracks_->refresh(doc_.layout);
}

void MainFrame::showTrack(const TrackLength& track) {
    const Change change = selectPieces(doc_, track.pieces);
    canvas_->centreOn(track.at.x, track.at.y);
    applyChange(change);
}

void MainFrame::runAutofill() {
    WxFillChooser chooser(this);
    applyChange(autofillGap(doc_, prompter_, chooser));
}

void MainFrame::showOpenedLayout() {
    if (wxMenuBar* bar = GetMenuBar())
        bar->Check(unitsCommand(doc_.layout.units), true);
    if (viewAfterOpen(doc_.layout) == ViewAfterOpen::LargeScale)
        canvas_->resetViewLarge();
    else
        canvas_->zoomToFit();
    palette_->selectSystemForLayout(doc_.layout);
}

void MainFrame::onNewOrClose(wxCommandEvent&) {
    const Change change = files_.newLayout();
    if (!change)
        return;
    applyChange(change);
    canvas_->resetViewDefault();
}

void MainFrame::onOpen(wxCommandEvent&) {
    const Change change = files_.openLayout();
    applyChange(change);
    if (change.replaced())
        showOpenedLayout();
}

void MainFrame::openFromCommandLine(const std::string& path, LoadedLayout loaded) {
    const Change change = files_.openFromCommandLine(path, std::move(loaded));
    applyChange(change);
    if (change.replaced())
        showOpenedLayout();
}

void MainFrame::onSave(wxCommandEvent&) {
    applyChange(files_.save());
}

void MainFrame::onSaveAs(wxCommandEvent&) {
    applyChange(files_.saveAs());
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

bool MainFrame::refuseTooManyPages(const char* title) {
    // The paper chosen in Page Setup, in millimetres; A4 when none is known.
    wxSize tenths = wxThePrintPaperDatabase->GetSize(printData_.GetPaperId());
    double w = tenths.x / 10.0, h = tenths.y / 10.0;
    if (w <= 0 || h <= 0) {
        w = printData_.GetPaperSize().x > 0 ? printData_.GetPaperSize().x : 210.0;
        h = printData_.GetPaperSize().y > 0 ? printData_.GetPaperSize().y : 297.0;
    }
    if (printData_.GetOrientation() == wxLANDSCAPE)
        std::swap(w, h);
    if (!printGridOnPaper(doc_.layout, printOptions_, w, h).tooManyPages())
        return false;
    prompter_.message(tr(title), tooManyPagesMessage(), PromptIcon::Information);
    return true;
}

void MainFrame::onPrint(wxCommandEvent&) {
    PrintOptionsDialog options(this, printOptions_);
    if (options.ShowModal() != wxID_OK)
        return;
    if (refuseTooManyPages(TR_NOOP("Print")))
        return;
    wxPrintDialogData data(printData_);
    wxPrinter printer(&data);
    LayoutPrintout printout(toWx(tr(kPrintoutTitle)), doc_.layout, printOptions_);
    printout.printTo(printer);
    if (printer.Print(this, &printout, true))
        printData_ = printer.GetPrintDialogData().GetPrintData();
    else if (wxPrinter::GetLastError() == wxPRINTER_ERROR)
        prompter_.message(tr("Print"),
                          tr("There was a problem printing. Check that a printer is installed and "
                             "connected."),
                          PromptIcon::Error);
}

void MainFrame::onPrintPreview(wxCommandEvent&) {
    if (refuseTooManyPages(TR_NOOP("Print Preview")))
        return;
    wxPrintDialogData data(printData_);
    auto* preview = new wxPrintPreview(
        new LayoutPrintout(toWx(tr(kPrintoutTitle)), doc_.layout, printOptions_),
        new LayoutPrintout(toWx(tr(kPrintoutTitle)), doc_.layout, printOptions_), &data);
    if (!preview->IsOk()) {
        delete preview;
        prompter_.message(tr("Print Preview"),
                          tr("Could not create print preview. Is a printer driver installed?"),
                          PromptIcon::Error);
        return;
    }
    auto* frame =
        new wxPreviewFrame(preview, this, _("Print Preview -- Plandor"), wxDefaultPosition,
                           wxSize(900, 700), wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT);
    frame->Centre(wxBOTH);
    frame->Initialize();
    frame->Show();
}

void MainFrame::onExportPlan(wxCommandEvent&) {
    ExportPlanDialog scale(this, exportOptions_);
    if (scale.ShowModal() != wxID_OK)
        return;
    const std::string path = chooseExportFile(
        this, TR_NOOP("Export Plan"), transferStartFolder(files_.folders()), exportBaseName(doc_),
        "PDF (*.pdf)|*.pdf|SVG (*.svg)|*.svg|PNG (*.png)|*.png", {".pdf", ".svg", ".png"});
    if (path.empty())
        return;
    exportOptions_ = scale.options();
    exportOptions_.format = exportFormatOf(path).value_or(ExportFormat::Pdf);
    wxBusyCursor busy;
    const std::string error = exportPlanFile(doc_.layout, exportOptions_, path);
    if (!error.empty())
        prompter_.message(tr("Export Failed"), error, PromptIcon::Error);
    else
        applyChange(Change::saying(exportedToText(path)));
}

void MainFrame::onExportPartsList(wxCommandEvent&) {
    const std::string path =
        chooseExportFile(this, TR_NOOP("Export Parts List"), transferStartFolder(files_.folders()),
                         exportBaseName(doc_), "CSV (*.csv)|*.csv", {".csv"});
    if (path.empty())
        return;
    const std::string error = writePartsList(doc_.layout, installedShopMap(), path);
    if (!error.empty())
        prompter_.message(tr("Export Failed"), error, PromptIcon::Error);
    else
        applyChange(Change::saying(exportedToText(path)));
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
    applyChange(selectAll(doc_));
}

void MainFrame::onShowGrid(wxCommandEvent& event) {
    applyChange(setGridShown(doc_, event.IsChecked()));
}

void MainFrame::onSnap(wxCommandEvent& event) {
    applyChange(setSnapOn(doc_, event.IsChecked()));
}

void MainFrame::onToggleLabels(wxCommandEvent& event) {
    const Change change = setLabelsShown(doc_, !event.IsChecked());
    if (const Command* command = findCommand(CmdToggleLabels))
        showToolText(CmdToggleLabels, commandState(*command, doc_, canvasClipboard()).toolText);
    applyChange(change);
}

void MainFrame::onTunnel(wxCommandEvent&) {
    applyChange(runTunnelCommand(doc_));
}

const Clipboard& MainFrame::canvasClipboard() const {
    return canvas_->controller().clipboard();
}

bool MainFrame::commandAllowed(int id) const {
    const Command* command = findCommand(id);
    return command && commandEnabled(command->enable, doc_, canvasClipboard());
}

void MainFrame::onUpdateCommand(wxUpdateUIEvent& event) {
    const Command* command = findCommand(event.GetId());
    if (!command)
        return;
    const CommandState state = commandState(*command, doc_, canvasClipboard());
    event.Enable(state.enabled);
    if (!state.toolText.empty())
        showToolText(command->id, state.toolText);
}

void MainFrame::showToolText(int id, const std::string& text) {
    wxToolBar* bar = GetToolBar();
    wxToolBarToolBase* tool = bar ? bar->FindById(id) : nullptr;
    if (tool && tool->GetLabel() != toWx(text)) {
        tool->SetLabel(toWx(text));
        bar->Realize();
    }
}

void MainFrame::onCharHook(wxKeyEvent& event) {
    const KeyStroke key = keyStroke(event);
    // A text field types, deletes and copies for itself.
    if (isTextField(FindFocus()) && textFieldKeepsKey(key)) {
        event.Skip();
        return;
    }
    // A disabled command leaves the key to the window that has the focus (the canvas deletes
    // a lone label with Delete itself).
    const int id = commandForKey(key);
    if (id == 0 || !commandAllowed(id)) {
        event.Skip();
        return;
    }
    wxCommandEvent command(wxEVT_MENU, id);
    command.SetEventObject(this);
    // Check items flip as a click on the menu item would.
    if (wxMenuItem* item = GetMenuBar()->FindItem(id); item && item->IsCheckable()) {
        item->Check(!item->IsChecked());
        command.SetInt(item->IsChecked() ? 1 : 0);
    }
    ProcessWindowEvent(command);
}

void MainFrame::onCopy(wxCommandEvent&) {
    canvas_->controller().copy();
}

void MainFrame::onCut(wxCommandEvent&) {
    canvas_->applyReply(canvas_->controller().cut());
}

void MainFrame::onPaste(wxCommandEvent&) {
    canvas_->pasteAtMouseOrCentre();
}

void MainFrame::onDrawingTool(wxCommandEvent& event) {
    const ToolSwitch s = switchDrawingTool(event.GetId(), event.IsChecked());
    const Change change = applyToolSwitch(doc_, s);
    if (s.uncheck != 0)
        GetToolBar()->ToggleTool(s.uncheck, false);
    canvas_->setToolMode(s.mode);
    applyChange(change);
}

void MainFrame::releaseToolToggles() {
    GetToolBar()->ToggleTool(CmdMeasure, false);
    GetToolBar()->ToggleTool(CmdPolygon, false);
}

ToolMode MainFrame::toolMode() const {
    return canvas_->controller().toolMode();
}

void MainFrame::onUnits(wxCommandEvent& event) {
    const std::optional<Units> units = unitsOfCommand(event.GetId());
    if (!units)
        return;
    applyChange(setUnits(doc_, *units));
}

void MainFrame::onLevels(wxCommandEvent&) {
    LevelsSession session(doc_);
    LevelManagerDialog dialog(this, session, prompter_);
    dialog.onChange([this](const Change& shown) { applyChange(shown); });
    dialog.ShowModal();
    applyChange(session.close());
}

void MainFrame::onLayoutShape(wxCommandEvent&) {
    LayoutShapeDialog dialog(this, doc_.layout, prompter_, true);
    if (dialog.ShowModal() != wxID_OK)
        return;
    if (dialog.drawOnCanvas()) {
        releaseToolToggles();
        canvas_->setToolMode(ToolMode::Baseboard);
        applyChange(Change::saying(tr(kFreeFormStatus)));
        return;
    }
    applyChange(applyShapeResult(doc_, dialog.result()));
}

void MainFrame::onHelp(wxCommandEvent&) {
    WxBrowserOpener browser;
    HelpDialog dialog(this, browser);
    dialog.ShowModal();
}

void MainFrame::onSaveLibraryBlock(wxCommandEvent&) {
    saveAsLibraryBlock(doc_.layout, prompter_, palette_->libraryFolder(),
                       [this] { palette_->reloadLibrary(); });
}

void MainFrame::openResizeScenery(int32_t itemId) {
    const SceneryItem* item = doc_.layout.findScenery(itemId);
    const SceneryDef* def = item ? SceneryCatalog::instance().find(item->item) : nullptr;
    if (!def)
        return;
    ResizeSceneryDialog dialog(this, openSceneryResize(*item, *def));
    dialog.ShowModal();
    applyChange(applySceneryResize(doc_, dialog.form(), dialog.choice()));
}

void MainFrame::openShapeProperties(int32_t shapeId) {
    const PolygonShape* shape = doc_.layout.findShape(shapeId);
    if (!shape)
        return;
    ShapePropertiesDialog dialog(this, *shape, doc_.layout.units);
    if (dialog.ShowModal() == wxID_OK)
        canvas_->applyReply(canvas_->controller().applyShapeProperties(shapeId, dialog.value()));
}

void MainFrame::onPaletteAction(const PaletteAction& action) {
    switch (action.kind) {
    case PaletteAction::Kind::AutoConnect:
        applyChange(autoConnect(doc_, action.key));
        return;
    case PaletteAction::Kind::PlaceHelix:
        applyChange(placeHelix(doc_, Point{kHelixDropX, kHelixDropY}, 0, action.key));
        return;
    case PaletteAction::Kind::InsertBlock:
        applyChange(insertBlockAsEdit(doc_, action.key, prompter_));
        return;
    case PaletteAction::Kind::BeginPlacing:
    case PaletteAction::Kind::BeginHelixPlacing:
    case PaletteAction::Kind::BeginSceneryPlacing:
    case PaletteAction::Kind::BeginBlockPlacing:
        canvas_->beginPlacing(action);
        // Escape and R go to the piece being placed, not to the palette's list.
        if (canvas_->placing())
            canvas_->SetFocus();
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
    // A close nobody may refuse (the session ending) asked nothing: keep the unsaved changes.
    if (!event.CanVeto())
        recovery_.keepForNextStart(doc_, std::time(nullptr));
    Destroy();
}

void MainFrame::keepRecoveryCopy(const Change& change) {
    recovery_.noteChange(doc_, change, RecoveryClock::now());
    if (!recovery_.waiting() || recoveryTimer_.IsRunning())
        return;
    // A fifth of the quiet delay: the copy follows the pause closely, and an idle window
    // with nothing unsaved runs no timer at all.
    const auto quiet = recovery_.timing().quiet.count();
    recoveryTimer_.Start(static_cast<int>(std::clamp<long long>(quiet / 5, 20, 1000)));
}

void MainFrame::onRecoveryTimer(wxTimerEvent&) {
    recovery_.tick(doc_, RecoveryClock::now(), std::time(nullptr));
    if (!recovery_.waiting())
        recoveryTimer_.Stop();
}

void MainFrame::offerRecovery() {
    if (!recovery_.enabled())
        return;
    const Change change =
        offerRecoveries(files_.folders().recovery, doc_, prompter_, processRunning, [this] {
            recovery_.writeNow(doc_, std::time(nullptr));
            recovery_.waitForWriter();
        });
    applyChange(change);
    if (change.replaced())
        showOpenedLayout();
}

} // namespace plandor
