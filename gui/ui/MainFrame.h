#pragma once
// The program's one top-level window: owns the open document, builds the menu bar, the
// text toolbar, the three panels and the status bar from the command table, and routes
// every command to the code that carries it out.

#include "document/Document.h"
#include "app/FileCommands.h"
#include "canvas/PaletteActions.h"
#include "ui/WxPrompter.h"

#include <wx/cmndata.h>
#include <wx/frame.h>

#include <string>

class wxSplitterWindow;
class wxCommandEvent;
class wxCloseEvent;
class wxUpdateUIEvent;

namespace plandor {

class CanvasPanel;
class PalettePanel;
class PropertiesPanel;
class CheckLayoutDialog;
struct CheckFinding;
struct PanelEdit;

class MainFrame : public wxFrame {
  public:
    MainFrame();                                // layouts in the executable's folder
    explicit MainFrame(const Folders& folders); // layouts wherever `folders` says

    Document& document() { return doc_; }
    FileCommands& fileCommands() { return files_; }
    PalettePanel* palette() const { return palette_; }
    CanvasPanel* canvas() const { return canvas_; }
    PropertiesPanel* properties() const { return properties_; }
    wxSplitterWindow* outerSplitter() const { return outerSplit_; }
    wxSplitterWindow* innerSplitter() const { return innerSplit_; }
    int toolMode() const { return toolMode_; }
    // The open Check Layout list, or null.
    CheckLayoutDialog* checkDialog() const { return check_; }

    // Called by the editing code after each change: modified flag, title, tally.
    void markModified();
    // The title from the display name, the path and the modified flag.
    void updateTitle();
    // Selection information and piece tally.
    void refreshPanels();
    // "Autofill Gap..." (command 6001): fills the gap between the two selected pieces.
    void runAutofill();

  private:
    void buildMenuBar();
    void buildToolBar();
    void buildPanels();
    void buildStatusBar();
    void bindCommands();

    // After New and after a layout was opened.
    void showEmptyLayout();
    void showOpenedLayout();

    void onNewOrClose(wxCommandEvent&);
    void onOpen(wxCommandEvent&);
    void onSave(wxCommandEvent&);
    void onSaveAs(wxCommandEvent&);
    void onImport(wxCommandEvent&);
    void onExport(wxCommandEvent&);
    void onPageSetup(wxCommandEvent&);
    void onUndo(wxCommandEvent&);
    void onRedo(wxCommandEvent&);
    void onDelete(wxCommandEvent&);
    void onSelectAll(wxCommandEvent&);
    void onShowGrid(wxCommandEvent& event);
    void onSnap(wxCommandEvent& event);
    void onToggleLabels(wxCommandEvent& event);
    void onTunnel(wxCommandEvent&);
    void onUpdateTunnel(wxUpdateUIEvent& event);
    void onDrawingTool(wxCommandEvent& event);
    void onUnits(wxCommandEvent& event);
    void onCloseWindow(wxCloseEvent& event);
    // Layout > Check Layout...: opens the list of findings, or brings it to the front.
    void onCheckLayout(wxCommandEvent&);
    // While the list is open: check again, show "Check: N errors, M warnings".
    void refreshCheck();
    // A row chosen in the list: its pieces selected, the view centred on it.
    void showFinding(const CheckFinding& finding);
    // After a command of the properties panel: modified flag, canvas and status field 0.
    void onPanelEdit(const PanelEdit& edit);
    // A palette entry handed on by a drag or a double-click.
    void onPaletteAction(const PaletteAction& action);

    // Commands whose features are built later; they do nothing yet.
    void saveLibraryBlockNotYet(wxCommandEvent&) {}
    void printPreviewNotYet(wxCommandEvent&) {}
    void printNotYet(wxCommandEvent&) {}
    void layoutShapeNotYet(wxCommandEvent&) {}
    void levelsNotYet(wxCommandEvent&) {}
    void view3DNotYet(wxCommandEvent&) {}
    void helpNotYet(wxCommandEvent&) {}
    void rebuild3DViewNotYet() {}
    // Placing from the palette (pieces, helices, scenery) is the canvas's; block insertion
    // comes with library blocks.
    void insertBlockNotYet(const std::string&) {}

    Document doc_;
    WxPrompter prompter_;
    WxLayoutChooser chooser_;
    FileCommands files_;
    int toolMode_ = 0;
    wxPrintData printData_;
    wxPageSetupDialogData pageSetupData_;

    PalettePanel* palette_ = nullptr;
    CanvasPanel* canvas_ = nullptr;
    PropertiesPanel* properties_ = nullptr;
    wxSplitterWindow* outerSplit_ = nullptr;
    wxSplitterWindow* innerSplit_ = nullptr;
    CheckLayoutDialog* check_ = nullptr;
};

} // namespace plandor
