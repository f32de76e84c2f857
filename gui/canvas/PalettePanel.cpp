#include "gui/canvas/PalettePanel.h"
#include "core/base/Translate.h"

#include "core/catalog/SceneryCatalog.h"
#include "core/catalog/TrackCatalog.h"
#include "core/document/Document.h"
#include "core/editing/Selection.h"
#include "gui/canvas/PiecePreviewPopup.h"
#include "gui/platform/WxText.h"

#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace plandor {

namespace {

// The size the notebook and its lists start from (what they show is set by the splitter).
const wxSize kPageSize(150, 150);

int slot(PalettePage page) {
    return static_cast<int>(page);
}

} // namespace

PalettePanel::PalettePanel(wxWindow* parent, Document& doc, Prompter& prompter,
                           std::string applicationFolder)
    : wxPanel(parent, wxID_ANY), doc_(doc), prompter_(prompter),
      applicationFolder_(std::move(applicationFolder)) {
    wxArrayString labels;
    for (const std::string& label : chooserLabels())
        labels.Add(toWx(label));
    chooser_ = new wxChoice(this, kPaletteChooserId, wxDefaultPosition, wxDefaultSize, labels);
    chooser_->SetSelection(0);
    auto* caption = new wxStaticText(this, wxID_ANY, toWx(tr(kPaletteCaption)));
    // The splitter sets the palette's width and the window its height, so the pages are given
    // a size rather than measuring every entry for a best size nothing uses.
    notebook_ = new wxNotebook(this, wxID_ANY, wxDefaultPosition, kPageSize);
    for (const PalettePageDef& def : palettePages(0)) {
        auto* holder = new wxPanel(notebook_, wxID_ANY, wxDefaultPosition, kPageSize);
        holder->SetSizer(new wxBoxSizer(wxVERTICAL));
        pages_[slot(def.page)] = holder;
        notebook_->AddPage(holder, toWx(tr(def.title)));
    }

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(chooser_, 0, wxEXPAND | wxALL, 4);
    sizer->Add(caption, 0, wxLEFT | wxRIGHT | wxBOTTOM, 4);
    sizer->Add(notebook_, 1, wxEXPAND);
    SetSizer(sizer);

    Bind(wxEVT_CHOICE, &PalettePanel::onChoice, this, kPaletteChooserId);
    notebook_->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &PalettePanel::onPageChanged, this);
    makeList(PalettePage::Track);
    selectSystemIndex(0);
}

void PalettePanel::setActionHandler(std::function<void(const PaletteAction&)> handler) {
    handler_ = std::move(handler);
}

wxWindow* PalettePanel::page(PalettePage page) const {
    return pages_[slot(page)];
}

wxListBox* PalettePanel::list(PalettePage page) {
    showRows(page);
    return lists_[slot(page)];
}

void PalettePanel::makeList(PalettePage page) {
    if (lists_[slot(page)])
        return;
    wxWindow* holder = pages_[slot(page)];
    int id = wxID_ANY;
    for (const PalettePageDef& def : palettePages(0))
        if (def.page == page)
            id = def.listId;
    auto* list = new wxListBox(holder, id, wxDefaultPosition, kPageSize, 0, nullptr, wxLB_SINGLE);
    lists_[slot(page)] = list;
    holder->GetSizer()->Add(list, 1, wxEXPAND);
    holder->Layout();
    switch (page) {
    case PalettePage::Track:
        list->Bind(wxEVT_LISTBOX_DCLICK, &PalettePanel::onTrackDoubleClick, this);
        list->Bind(wxEVT_LEFT_DOWN, &PalettePanel::onTrackLeftDown, this);
        list->Bind(wxEVT_MOTION, &PalettePanel::onTrackMotion, this);
        list->Bind(wxEVT_LEAVE_WINDOW, &PalettePanel::onTrackLeave, this);
        break;
    case PalettePage::Library:
        list->Bind(wxEVT_LISTBOX_DCLICK, &PalettePanel::onLibraryDoubleClick, this);
        list->Bind(wxEVT_CONTEXT_MENU, &PalettePanel::onLibraryContextMenu, this);
        list->Bind(wxEVT_LEFT_DOWN, &PalettePanel::onSceneryLeftDown, this);
        list->Bind(wxEVT_MOTION, &PalettePanel::onLibraryMotion, this);
        break;
    case PalettePage::Scenery:
    case PalettePage::Signals:
        list->Bind(wxEVT_LISTBOX_DCLICK, &PalettePanel::onSceneryDoubleClick, this);
        list->Bind(wxEVT_LEFT_DOWN, &PalettePanel::onSceneryLeftDown, this);
        list->Bind(wxEVT_MOTION, &PalettePanel::onSceneryMotion, this);
        break;
    }
}

void PalettePanel::showRows(PalettePage page) {
    makeList(page);
    if (filled_[slot(page)])
        return;
    filled_[slot(page)] = true;
    wxArrayString texts;
    for (const PaletteRow& row : rows_[slot(page)])
        texts.Add(toWx(row.text));
    wxListBox* box = lists_[slot(page)];
    box->Freeze();
    box->Set(texts);
    box->Thaw();
}

void PalettePanel::onPageChanged(wxBookCtrlEvent& event) {
    event.Skip();
    for (const PalettePageDef& def : palettePages(0))
        if (pages_[slot(def.page)] == notebook_->GetCurrentPage())
            showRows(def.page);
}

const std::vector<PaletteRow>& PalettePanel::rows(PalettePage page) const {
    return rows_[slot(page)];
}

void PalettePanel::selectSystemIndex(int index) {
    if (index < 0 || index >= kChooserCount)
        index = 0;
    systemIndex_ = index;
    if (chooser_->GetSelection() != index)
        chooser_->SetSelection(index);
    hidePreview();
    hover_ = PaletteHoverState{};
    fillList(PalettePage::Track, trackRows(index));
    reloadLibrary();
    fillList(PalettePage::Scenery, sceneryRows(SceneryCatalog::instance().defs()));
    fillList(PalettePage::Signals, signalRows(index, SceneryCatalog::instance().defs()));
    showSceneryPage(hasSceneryPage(index));
}

void PalettePanel::selectSystemForLayout(const plandor::Layout& layout) {
    selectSystemIndex(chooserIndexForLayout(layout));
}

void PalettePanel::reloadLibrary() {
    fillList(PalettePage::Library, libraryRows(libraryFolder()));
}

int PalettePanel::widthShowingAllTabs() const {
    // A tab is its title plus padding and border on both sides (as measured with GTK's
    // default theme); a test checks that every tab shows.
    constexpr int kTabPadding = 48;
    constexpr int kNotebookBorder = 12;
    int width = kNotebookBorder;
    for (const PalettePageDef& def : palettePages(0))
        width += notebook_->GetTextExtent(toWx(tr(def.title))).x + kTabPadding;
    return width;
}

std::string PalettePanel::libraryFolder() const {
    return plandor::libraryFolder(applicationFolder_, systemIndex_);
}

void PalettePanel::fillList(PalettePage page, std::vector<PaletteRow> rows) {
    wxListBox* box = lists_[slot(page)];
    // A list rebuilt with the rows it already shows only loses its selection: setting the
    // same texts again would have the toolkit measure every row anew on the next paint.
    if (rows == rows_[slot(page)] && (!filled_[slot(page)] || box->GetCount() == rows.size())) {
        if (filled_[slot(page)])
            box->SetSelection(wxNOT_FOUND);
        return;
    }
    rows_[slot(page)] = std::move(rows);
    filled_[slot(page)] = false;
    if (notebook_->GetCurrentPage() == pages_[slot(page)])
        showRows(page);
}

void PalettePanel::showSceneryPage(bool show) {
    wxWindow* scenery = pages_[slot(PalettePage::Scenery)];
    const int at = notebook_->FindPage(scenery);
    if (show && at == wxNOT_FOUND) {
        // The Scenery page sits after Track and Library.
        for (const PalettePageDef& def : palettePages(systemIndex_))
            if (def.page == PalettePage::Scenery)
                notebook_->InsertPage(2, scenery, toWx(tr(def.title)));
    } else if (!show && at != wxNOT_FOUND) {
        if (notebook_->GetSelection() == at)
            notebook_->SetSelection(0);
        // The page stays a hidden child of the notebook: hiding it as well would keep its
        // tab invisible once it is inserted again.
        notebook_->RemovePage(at);
    }
}

std::string PalettePanel::selectedKey(PalettePage page) {
    const int row = list(page)->GetSelection();
    const std::vector<PaletteRow>& pageRows = rows(page);
    if (row < 0 || row >= static_cast<int>(pageRows.size()))
        return {};
    return pageRows[row].key;
}

void PalettePanel::handOn(const PaletteAction& action) {
    if (action.kind != PaletteAction::Kind::None && handler_)
        handler_(action);
}

void PalettePanel::hidePreview() {
    if (preview_)
        preview_->hidePreview();
}

void PalettePanel::onChoice(wxCommandEvent& event) {
    selectSystemIndex(event.GetSelection());
}

void PalettePanel::onTrackDoubleClick(wxCommandEvent&) {
    paletteDoubleClick(hover_);
    hidePreview();
    const bool piecesSelected = !selectedPieceIndices(doc_.layout).empty();
    handOn(trackDoubleClickAction(selectedKey(PalettePage::Track), piecesSelected));
}

void PalettePanel::onLibraryDoubleClick(wxCommandEvent&) {
    paletteDoubleClick(hover_);
    handOn(libraryAction(selectedKey(PalettePage::Library)));
}

void PalettePanel::onSceneryDoubleClick(wxCommandEvent& event) {
    paletteDoubleClick(hover_);
    const bool signals = event.GetEventObject() == lists_[slot(PalettePage::Signals)];
    handOn(sceneryAction(selectedKey(signals ? PalettePage::Signals : PalettePage::Scenery)));
}

void PalettePanel::onTrackLeftDown(wxMouseEvent& event) {
    paletteButtonDown(hover_);
    hidePreview();
    event.Skip();
}

void PalettePanel::onTrackMotion(wxMouseEvent& event) {
    event.Skip();
    if (event.LeftIsDown()) {
        const std::string key = selectedKey(PalettePage::Track);
        if (paletteDragStarts(hover_, key)) {
            hidePreview();
            handOn(trackDragAction(key));
        }
        return;
    }
    // The popup may have hidden itself; then the row under the mouse shows it again.
    if (!preview_ || !preview_->IsShown())
        hover_.hoverRow = -1;
    wxListBox* track = list(PalettePage::Track);
    const int row = track->HitTest(event.GetPosition());
    const std::vector<PaletteRow>& trackRows = rows(PalettePage::Track);
    const std::string key =
        row >= 0 && row < static_cast<int>(trackRows.size()) ? trackRows[row].key : "";
    const PreviewChange change = paletteHover(hover_, row, key);
    if (change.kind == PreviewChange::Kind::Hide) {
        hidePreview();
    } else if (change.kind == PreviewChange::Kind::Show) {
        if (const PieceDef* def = TrackCatalog::instance().find(change.part)) {
            // The popup is made when a piece is first shown in it, not at start.
            if (!preview_)
                preview_ = new PiecePreviewPopup(this);
            preview_->showPiece(*def,
                                wxGetMousePosition() + wxPoint(kPreviewOffsetX, kPreviewOffsetY));
        }
    }
}

void PalettePanel::onTrackLeave(wxMouseEvent& event) {
    paletteLeave(hover_);
    hidePreview();
    event.Skip();
}

void PalettePanel::onSceneryLeftDown(wxMouseEvent& event) {
    paletteButtonDown(hover_);
    event.Skip();
}

void PalettePanel::onSceneryMotion(wxMouseEvent& event) {
    event.Skip();
    if (!event.LeftIsDown())
        return;
    const bool signals = event.GetEventObject() == lists_[slot(PalettePage::Signals)];
    const std::string key = selectedKey(signals ? PalettePage::Signals : PalettePage::Scenery);
    if (paletteDragStarts(hover_, key))
        handOn(sceneryAction(key));
}

void PalettePanel::onLibraryMotion(wxMouseEvent& event) {
    event.Skip();
    if (!event.LeftIsDown())
        return;
    const std::string key = selectedKey(PalettePage::Library);
    if (paletteDragStarts(hover_, key))
        handOn(libraryDragAction(key));
}

void PalettePanel::onLibraryContextMenu(wxContextMenuEvent& event) {
    wxListBox* library = list(PalettePage::Library);
    // From the keyboard the menu is for the selected row, from the mouse for the row under it.
    const bool fromKeyboard = event.GetPosition() == wxDefaultPosition;
    const wxPoint at = fromKeyboard ? wxPoint(0, 0) : library->ScreenToClient(event.GetPosition());
    const int row = fromKeyboard ? library->GetSelection() : library->HitTest(at);
    const std::vector<PaletteRow>& libraryRows = rows(PalettePage::Library);
    if (row < 0 || row >= static_cast<int>(libraryRows.size()))
        return;
    library->SetSelection(row);
    const PaletteRow chosen = libraryRows[row];

    wxMenu menu;
    menu.Append(kDeleteBlockMenuId, toWx(tr(kDeleteBlockMenuText)));
    if (library->GetPopupMenuSelectionFromUser(menu, at) != kDeleteBlockMenuId)
        return;
    if (deleteLibraryBlock(chosen, prompter_))
        reloadLibrary();
}

} // namespace plandor
