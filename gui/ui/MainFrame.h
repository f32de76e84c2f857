#pragma once
// The program's one top-level window: owns the open document, builds the menu bar, the
// text toolbar, the three panels and the status bar from the command table, and routes
// every command to the code that carries it out.

#include "document/Document.h"
#include "app/FileCommands.h"
#include "canvas/PaletteActions.h"
#include "ui/WxPrompter.h"
#include "wxrender/View3DFrame.h"

#include <wx/cmndata.h>
#include <wx/frame.h>
#include <wx/weakref.h>

#include <string>

class wxSplitterWindow;
class wxCommandEvent;
class wxCloseEvent;
class wxUpdateUIEvent;

namespace plandor {

class CanvasPanel;
class PalettePanel;
class PropertiesPanel;
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
    View3DFrame* view3D() const { return view3D_; }

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
    // "3D View": rebuilds and raises the open 3D window, or opens one.
    void onView3D(wxCommandEvent&);
    // Brings an open 3D window up to date with the layout.
    void rebuild3DView();
    void onCloseWindow(wxCloseEvent& event);
    // After a command of the properties panel: modified flag, canvas and status field 0.
    void onPanelEdit(const PanelEdit& edit);
    // A palette entry handed on by a drag or a double-click.
    void onPaletteAction(const PaletteAction& action);

    // "Save as Library Block...": the palette's library list follows a saved block.
    void onSaveLibraryBlock(wxCommandEvent&);
    // Commands whose features are built later; they do nothing yet.
    void printPreviewNotYet(wxCommandEvent&) {}
    void printNotYet(wxCommandEvent&) {}
    void layoutShapeNotYet(wxCommandEvent&) {}
    void levelsNotYet(wxCommandEvent&) {}
    void helpNotYet(wxCommandEvent&) {}

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
    wxWeakRef<View3DFrame> view3D_; // forgotten when the user closes it
};

} // namespace plandor
