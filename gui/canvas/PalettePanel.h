#pragma once
// The palette on the left of the main window: a track-system chooser and a notebook of
// Track, Library, Scenery and Signals lists. What the user picks is handed on as a
// PaletteAction; the main window passes it to the canvas or the layout.

#include "core/canvas/PaletteActions.h"
#include "core/canvas/PaletteRows.h"

#include <wx/panel.h>

#include <functional>
#include <string>
#include <vector>

class wxChoice;
class wxListBox;
class wxNotebook;
class wxCommandEvent;
class wxMouseEvent;
class wxContextMenuEvent;
class wxBookCtrlEvent;

namespace plandor {

struct Document;
class Prompter;
class PiecePreviewPopup;

class PalettePanel : public wxPanel {
  public:
    // Library blocks are looked for in "library" inside `applicationFolder`.
    PalettePanel(wxWindow* parent, Document& doc, Prompter& prompter,
                 std::string applicationFolder);

    // Receives every drag and double-click that hands an entry on.
    void setActionHandler(std::function<void(const PaletteAction&)> handler);

    int systemIndex() const { return systemIndex_; }
    // Chooses a track system as the chooser does: all lists are rebuilt and the Scenery page
    // comes or goes.
    void selectSystemIndex(int index);
    // After a layout was opened: the system its pieces belong to.
    void selectSystemForLayout(const plandor::Layout& layout);
    // After a block was saved.
    void reloadLibrary();
    // The width at which the notebook shows all four tabs without scroll arrows.
    int widthShowingAllTabs() const;
    // The library folder of the chosen system.
    std::string libraryFolder() const;

    wxChoice* chooser() const { return chooser_; }
    wxNotebook* notebook() const { return notebook_; }
    // The notebook's page for `page`: the window that holds its list.
    wxWindow* page(PalettePage page) const;
    // The page's list, made and given its rows if they were left for its first showing.
    wxListBox* list(PalettePage page);
    const std::vector<PaletteRow>& rows(PalettePage page) const;
    // The piece preview, once a piece has been shown in it (null before).
    PiecePreviewPopup* preview() const { return preview_; }

  private:
    void fillList(PalettePage page, std::vector<PaletteRow> rows);
    // Makes the page's list inside its page unless it is made already.
    void makeList(PalettePage page);
    // Puts the page's rows into its list unless it holds them already.
    void showRows(PalettePage page);
    void onPageChanged(wxBookCtrlEvent& event);
    void showSceneryPage(bool show);
    std::string selectedKey(PalettePage page);
    void handOn(const PaletteAction& action);
    void hidePreview();

    void onChoice(wxCommandEvent& event);
    void onTrackDoubleClick(wxCommandEvent& event);
    void onLibraryDoubleClick(wxCommandEvent& event);
    void onSceneryDoubleClick(wxCommandEvent& event);
    void onTrackLeftDown(wxMouseEvent& event);
    void onTrackMotion(wxMouseEvent& event);
    void onTrackLeave(wxMouseEvent& event);
    void onSceneryLeftDown(wxMouseEvent& event);
    void onSceneryMotion(wxMouseEvent& event);
    void onLibraryContextMenu(wxContextMenuEvent& event);
    void onLibraryMotion(wxMouseEvent& event);

    Document& doc_;
    Prompter& prompter_;
    std::string applicationFolder_;
    std::function<void(const PaletteAction&)> handler_;

    int systemIndex_ = 0;
    PaletteHoverState hover_;

    wxChoice* chooser_ = nullptr;
    wxNotebook* notebook_ = nullptr;
    wxWindow* pages_[4] = {};
    // A page not in view gets its list, and the list its rows, when it is first shown: the
    // start makes and fills only the Track list.
    wxListBox* lists_[4] = {};
    std::vector<PaletteRow> rows_[4];
    bool filled_[4] = {};
    PiecePreviewPopup* preview_ = nullptr;
};

} // namespace plandor
