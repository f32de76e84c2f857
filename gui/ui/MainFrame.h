#pragma once
// The program's one top-level window: owns the open document, builds the menu bar, the
// text toolbar, the three panels and the status bar from the command table, and routes
// every command to the code that carries it out.

#include "core/app/FileCommands.h"
#include "core/app/Recovery.h"
#include "core/canvas/PaletteActions.h"
#include "core/canvas/ToolMode.h"
#include "core/document/Document.h"
#include "core/editing/Levels.h"
#include "core/render/PlanExport.h"
#include "core/render/PrintLayout.h"
#include "gui/platform/WxPrompter.h"
#include "gui/wxrender/View3DFrame.h"

#include <wx/cmndata.h>
#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include <string>

class wxSplitterWindow;
class wxCommandEvent;
class wxCloseEvent;
class wxUpdateUIEvent;
class wxKeyEvent;

namespace plandor {

class CanvasPanel;
class PalettePanel;
class PropertiesPanel;
struct Clipboard;
class CheckLayoutDialog;
class TrackLengthsDialog;
struct TrackLength;
struct TunnelToolState;
struct CheckFinding;

class MainFrame : public wxFrame {
  public:
    MainFrame();                                // layouts in the executable's folder
    explicit MainFrame(const Folders& folders); // layouts wherever `folders` says
    // The child windows go first: the canvas still holds on to the document.
    ~MainFrame() override;

    Document& document() { return doc_; }
    FileCommands& fileCommands() { return files_; }
    PalettePanel* palette() const { return palette_; }
    CanvasPanel* canvas() const { return canvas_; }
    PropertiesPanel* properties() const { return properties_; }
    wxSplitterWindow* outerSplitter() const { return outerSplit_; }
    wxSplitterWindow* innerSplitter() const { return innerSplit_; }
    ToolMode toolMode() const;
    View3DFrame* view3D() const { return view3D_; }
    // The open Check Layout list, or null.
    CheckLayoutDialog* checkDialog() const { return check_; }
    // The open Track Lengths table, or null.
    TrackLengthsDialog* trackLengthsDialog() const { return tracks_; }

    // Shows what a change did: the canvas picture, the properties panel and tally, the title
    // and the piece count. Every command and every panel reports its change here.
    void applyChange(const Change& change);
    // A layout file named on the command line, opened once the window shows; `loaded` is the
    // file as read while the window was built.
    void openFromCommandLine(const std::string& path, LoadedLayout loaded);
    // "Autofill Gap..." (command 6001): fills the gap between the two selected pieces.
    void runAutofill();
    // Once the window shows at start: offers back the recovery copies of windows that did not
    // close normally.
    void offerRecovery();
    RecoveryKeeper& recovery() { return recovery_; }

  private:
    void buildMenuBar();
    void buildToolBar();
    void buildPanels();
    void buildStatusBar();
    void bindCommands();

    // The title from the display name, the path and the modified flag.
    void updateTitle();
    // The view, menu checks, palette and status after a layout was opened.
    void showOpenedLayout();

    void onNewOrClose(wxCommandEvent&);
    void onOpen(wxCommandEvent&);
    void onSave(wxCommandEvent&);
    void onSaveAs(wxCommandEvent&);
    void onImport(wxCommandEvent&);
    void onExport(wxCommandEvent&);
    void onPageSetup(wxCommandEvent&);
    void onPrint(wxCommandEvent&);
    // Says so and returns true when the print options would take more pages than are printed.
    bool refuseTooManyPages(const char* title);
    void onPrintPreview(wxCommandEvent&);
    void onExportPlan(wxCommandEvent&);
    void onExportPartsList(wxCommandEvent&);
    void onUndo(wxCommandEvent&);
    void onRedo(wxCommandEvent&);
    void onDelete(wxCommandEvent&);
    void onSelectAll(wxCommandEvent&);
    void onShowGrid(wxCommandEvent& event);
    void onSnap(wxCommandEvent& event);
    void onToggleLabels(wxCommandEvent& event);
    void onTunnel(wxCommandEvent&);
    // Enabling of every command of the table, decided by its rule.
    void onUpdateCommand(wxUpdateUIEvent& event);
    bool commandAllowed(int id) const;
    const Clipboard& canvasClipboard() const;
    void showTunnelLabel(const TunnelToolState& state);
    // Every accelerator of the command table works wherever the keyboard is in the window.
    void onCharHook(wxKeyEvent& event);
    void onCopy(wxCommandEvent&);
    void onCut(wxCommandEvent&);
    void onPaste(wxCommandEvent&);
    void onDrawingTool(wxCommandEvent& event);
    // A drawing tool ended: neither tool toggle stays pressed.
    void releaseToolToggles();
    void onUnits(wxCommandEvent& event);
    // "3D View": rebuilds and raises the open 3D window, or opens one.
    void onView3D(wxCommandEvent&);
    // Brings an open 3D window up to date with the layout.
    void rebuild3DView();
    void onLevels(wxCommandEvent&);
    void onLayoutShape(wxCommandEvent&);
    void onHelp(wxCommandEvent&);
    void onCloseWindow(wxCloseEvent& event);
    // After a command of the properties panel: its change and status field 0.
    void onPanelEdit(const Change& change, const std::string& status);
    // Layout > Check Layout...: opens the list of findings, or brings it to the front.
    void onCheckLayout(wxCommandEvent&);
    // While the list is open: check again, show "Check: N errors, M warnings".
    void refreshCheck();
    // A row chosen in the list: its pieces selected, the view centred on it.
    void showFinding(const CheckFinding& finding);
    // Layout > Track Lengths...: opens the table of tracks, or brings it to the front.
    void onTrackLengths(wxCommandEvent&);
    // A track double-clicked in the table: its pieces selected, the view centred on it.
    void showTrack(const TrackLength& track);
    // A palette entry handed on by a drag or a double-click.
    void onPaletteAction(const PaletteAction& action);
    // The "Resize Scenery" dialog for a scenery item double-clicked on the canvas.
    void openResizeScenery(int32_t itemId);

    // "Save as Library Block...": the palette's library list follows a saved block.
    void onSaveLibraryBlock(wxCommandEvent&);

    // A change reported to the recovery copy, whose timer runs while changes wait for a copy.
    void keepRecoveryCopy(const Change& change);
    void onRecoveryTimer(wxTimerEvent&);

    Document doc_;
    WxPrompter prompter_;
    WxLayoutChooser chooser_;
    FileCommands files_;
    RecoveryKeeper recovery_;
    wxTimer recoveryTimer_;
    wxPrintData printData_;
    wxPageSetupDialogData pageSetupData_;
    PrintOptions printOptions_;
    PlanExportOptions exportOptions_;

    PalettePanel* palette_ = nullptr;
    CanvasPanel* canvas_ = nullptr;
    PropertiesPanel* properties_ = nullptr;
    wxSplitterWindow* outerSplit_ = nullptr;
    wxSplitterWindow* innerSplit_ = nullptr;
    wxWeakRef<View3DFrame> view3D_; // forgotten when the user closes it
    CheckLayoutDialog* check_ = nullptr;
    TrackLengthsDialog* tracks_ = nullptr;
};

} // namespace plandor
