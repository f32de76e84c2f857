#include "gui/ui/PropertiesPanel.h"
#include "core/app/Cart.h"
#include "core/base/Translate.h"
#include "core/document/Document.h"
#include "core/elevation/Grades.h"
#include "core/render/RenderColors.h"
#include "gui/platform/NumberField.h"
#include "gui/platform/ShopServices.h"
#include "gui/platform/WxPrompter.h"
#include "gui/platform/WxText.h"
#include "gui/ui/BuyTrackHelpDialog.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace plandor {

namespace {

constexpr int kGap = 3;          // space between controls
constexpr int kMargin = 4;       // space around the groups
constexpr int kInner = 2;        // space around the contents of a box
constexpr int kCountColumn = 56; // width of the tally's _("Count") column
constexpr int kBuyTrackHeight = 36;
constexpr int kSmallestLaidOut = 40; // a panel squeezed below this is not laid out
const wxColour kBuyTrackGreen(20, 110, 20);

wxColour colourOf(const Color& c) {
    return wxColour(c.r, c.g, c.b);
}

wxStaticLine* separator(wxWindow* parent) {
    return new wxStaticLine(parent, wxID_ANY);
}

// A row of controls, the ones with proportion 1 taking the spare width.
// Each changed text makes the toolkit measure and lay the panel out again: an edit that leaves
// a text as it was must not.
bool setLabel(wxWindow* control, const wxString& text) {
    if (control->GetLabel() == text)
        return false;
    control->SetLabel(text);
    return true;
}

bool sameItems(const wxChoice* choice, const std::vector<LevelEntry>& levels) {
    if (choice->GetCount() != levels.size())
        return false;
    for (unsigned i = 0; i < levels.size(); ++i)
        if (choice->GetString(i) != toWx(levels[i].name))
            return false;
    return true;
}

void addToRow(wxBoxSizer* row, wxWindow* control, int proportion = 0) {
    const int gap = row->GetItemCount() == 0 ? 0 : kGap;
    row->Add(control, proportion, wxALIGN_CENTRE_VERTICAL | wxLEFT, gap);
}

} // namespace

PropertiesPanel::PropertiesPanel(wxWindow* parent, Document& doc)
    : wxPanel(parent, wxID_ANY), doc_(doc), ownPrompter_(std::make_unique<WxPrompter>(this)),
      ownBrowser_(std::make_unique<WxBrowserOpener>()) {
    prompter_ = ownPrompter_.get();
    browser_ = ownBrowser_.get();
    // One point below the window font, so the grade controls fit the panel's fixed width.
    wxFont font = GetFont();
    font.SetPointSize(font.GetPointSize() - 1);
    SetFont(font);
    buildControls();
    showState();
    Bind(wxEVT_SIZE, &PropertiesPanel::onPanelSize, this);
}

PropertiesPanel::~PropertiesPanel() = default;

void PropertiesPanel::buildControls() {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    const auto addGroup = [&](wxSizer* group, int proportion = 0) {
        sizer->Add(group, proportion, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, kMargin);
    };
    const auto addSeparator = [&] {
        sizer->Add(separator(this), 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, kMargin);
    };
    addGroup(buildLabelBox());
    addSeparator();
    addGroup(buildDescription());
    addSeparator();
    addGroup(buildLevelRow());
    addGroup(buildColourBox());
    addSeparator();
    addGroup(buildGradeBox());
    addSeparator();
    addGroup(buildTally(), 1);
    addSeparator();
    addGroup(buildShopRow());
    sizer->AddSpacer(kMargin);
    SetSizer(sizer);
}

wxSizer* PropertiesPanel::buildLabelBox() {
    auto* box = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Add Label"));
    wxWindow* parent = box->GetStaticBox();
    c_.labelField = new wxTextCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                   wxDefaultSize, wxTE_PROCESS_ENTER);
    c_.labelOk = new wxButton(parent, wxID_ANY, _("OK"));
    box->Add(c_.labelField, 1, wxALIGN_CENTRE_VERTICAL | wxALL, kInner);
    box->Add(c_.labelOk, 0, wxALIGN_CENTRE_VERTICAL | wxALL, kInner);
    c_.labelField->Bind(wxEVT_TEXT_ENTER, &PropertiesPanel::onAddLabel, this);
    c_.labelOk->Bind(wxEVT_BUTTON, &PropertiesPanel::onAddLabel, this);
    return box;
}

wxSizer* PropertiesPanel::buildDescription() {
    auto* column = new wxBoxSizer(wxVERTICAL);
    // Long group descriptions are cut with an ellipsis rather than widening the panel.
    c_.title = new wxStaticText(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                wxST_ELLIPSIZE_END);
    c_.title->SetFont(c_.title->GetFont().Bold());
    c_.detail = new wxStaticText(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                 wxST_ELLIPSIZE_END);
    column->Add(c_.title, 0, wxEXPAND | wxBOTTOM, kGap);
    column->Add(c_.detail, 0, wxEXPAND);
    return column;
}

wxSizer* PropertiesPanel::buildLevelRow() {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    c_.level = new wxChoice(this, wxID_ANY);
    addToRow(row, new wxStaticText(this, wxID_ANY, _("Level:")));
    addToRow(row, c_.level, 1);
    c_.level->Bind(wxEVT_CHOICE, &PropertiesPanel::onLevelChosen, this);
    return row;
}

wxSizer* PropertiesPanel::buildColourBox() {
    auto* box = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Color"));
    wxWindow* parent = box->GetStaticBox();
    c_.colour = new wxChoice(parent, wxID_ANY);
    for (const TrackColour& colour : trackColours())
        c_.colour->Append(toWx(tr(colour.name)));
    c_.colour->SetSelection(0);
    c_.apply = new wxButton(parent, wxID_ANY, _("Apply"));
    box->Add(c_.colour, 1, wxALIGN_CENTRE_VERTICAL | wxALL, kInner);
    box->Add(c_.apply, 0, wxALIGN_CENTRE_VERTICAL | wxALL, kInner);
    c_.apply->Bind(wxEVT_BUTTON, &PropertiesPanel::onApplyColour, this);
    return box;
}

wxSizer* PropertiesPanel::buildGradeBox() {
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, _("Set Grade"));
    wxWindow* parent = box->GetStaticBox();
    const auto addLine = [&](wxSizer* line) { box->Add(line, 0, wxEXPAND | wxALL, kInner); };

    auto* heightRow = new wxBoxSizer(wxHORIZONTAL);
    c_.heightLabel = new wxStaticText(parent, wxID_ANY, _("Height (mm):"));
    c_.heightField =
        new wxTextCtrl(parent, wxID_ANY, "0", wxDefaultPosition, wxDefaultSize, wxTE_PROCESS_ENTER);
    addToRow(heightRow, c_.heightLabel);
    addToRow(heightRow, c_.heightField, 1);
    addLine(heightRow);

    auto* gradeRow = new wxBoxSizer(wxHORIZONTAL);
    c_.gradeValue = new wxStaticText(parent, wxID_ANY, "-");
    addToRow(gradeRow, new wxStaticText(parent, wxID_ANY, _("Grade:")));
    addToRow(gradeRow, c_.gradeValue, 1);
    addLine(gradeRow);

    c_.warning = new wxStaticText(parent, wxID_ANY, wxEmptyString);
    c_.warning->SetForegroundColour(colourOf(kPlanColors.gradeWarningText));
    box->Add(c_.warning, 0, wxEXPAND | wxLEFT | wxRIGHT, kInner);
    box->Add(
        new wxStaticText(parent, wxID_ANY, _("Set height above baseboard.\nMax grade: 6 deg.")), 0,
        wxEXPAND | wxALL, kInner);
    box->Add(separator(parent), 0, wxEXPAND | wxALL, kInner);

    auto* directionRow = new wxBoxSizer(wxHORIZONTAL);
    c_.up =
        new wxRadioButton(parent, wxID_ANY, _("UP"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    c_.down = new wxRadioButton(parent, wxID_ANY, _("DOWN"));
    c_.spin = new NumberField(parent, 0.0, kMaxGradeDeg, 0.0, 0.5, 1);
    addToRow(directionRow, c_.up);
    addToRow(directionRow, c_.down);
    addToRow(directionRow, c_.spin, 1);
    addToRow(directionRow, new wxStaticText(parent, wxID_ANY, _("deg")));
    addLine(directionRow);

    auto* buttonRow = new wxBoxSizer(wxHORIZONTAL);
    c_.startGrade = new wxButton(parent, wxID_ANY, _("Start Grade"), wxDefaultPosition,
                                 wxDefaultSize, wxBU_EXACTFIT);
    c_.endGrade = new wxButton(parent, wxID_ANY, _("End Grade"), wxDefaultPosition, wxDefaultSize,
                               wxBU_EXACTFIT);
    c_.recalc = new wxButton(parent, wxID_ANY, _("Recalc"), wxDefaultPosition, wxDefaultSize,
                             wxBU_EXACTFIT);
    c_.recalc->SetToolTip(_("Recalculate elevation chain from this piece forward"));
    addToRow(buttonRow, c_.startGrade, 1);
    addToRow(buttonRow, c_.endGrade, 1);
    addToRow(buttonRow, c_.recalc, 1);
    addLine(buttonRow);

    c_.heightField->Bind(wxEVT_TEXT_ENTER, &PropertiesPanel::onHeightEnter, this);
    c_.startGrade->Bind(wxEVT_BUTTON, &PropertiesPanel::onStartGrade, this);
    c_.endGrade->Bind(wxEVT_BUTTON, &PropertiesPanel::onEndGrade, this);
    c_.recalc->Bind(wxEVT_BUTTON, &PropertiesPanel::onRecalc, this);
    return box;
}

wxSizer* PropertiesPanel::buildTally() {
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, _("Piece Count")), 0, wxBOTTOM, kGap);
    c_.tally = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                              wxLC_REPORT | wxLC_NO_HEADER);
    c_.tally->AppendColumn(_("Piece"));
    c_.tally->AppendColumn(_("Count"), wxLIST_FORMAT_RIGHT, kCountColumn);
    column->Add(c_.tally, 1, wxEXPAND);
    c_.tally->Bind(wxEVT_SIZE, &PropertiesPanel::onTallySize, this);
    // The rows are drawn by an inner window, which is where the mouse moves.
    c_.tally->Bind(wxEVT_MOTION, &PropertiesPanel::onTallyMotion, this);
    for (wxWindow* child : c_.tally->GetChildren())
        child->Bind(wxEVT_MOTION, &PropertiesPanel::onTallyMotion, this);
    return column;
}

wxSizer* PropertiesPanel::buildShopRow() {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    c_.buyTrack = new wxButton(this, wxID_ANY, _("  Buy Track  "), wxDefaultPosition,
                               wxSize(-1, kBuyTrackHeight));
    wxFont font = GetFont().Bold();
    font.SetPointSize(font.GetPointSize() + 2);
    c_.buyTrack->SetFont(font);
    c_.buyTrack->SetBackgroundColour(kBuyTrackGreen);
    c_.buyTrack->SetForegroundColour(*wxWHITE);
    c_.aboutBuyTrack = new wxButton(this, wxID_ANY, "?", wxDefaultPosition,
                                    wxSize(-1, kBuyTrackHeight), wxBU_EXACTFIT);
    c_.aboutBuyTrack->SetToolTip(_("About Buy Track"));
    row->Add(c_.buyTrack, 1, wxEXPAND | wxRIGHT, kGap);
    row->Add(c_.aboutBuyTrack, 0, wxEXPAND);
    c_.buyTrack->Bind(wxEVT_BUTTON, &PropertiesPanel::onBuyTrack, this);
    c_.aboutBuyTrack->Bind(wxEVT_BUTTON, &PropertiesPanel::onAboutBuyTrack, this);
    return row;
}

void PropertiesPanel::setEditSink(PanelEditSink sink) {
    sink_ = std::move(sink);
}

void PropertiesPanel::setPrompter(Prompter& prompter) {
    prompter_ = &prompter;
}

void PropertiesPanel::setBrowserOpener(BrowserOpener& browser) {
    browser_ = &browser;
}

void PropertiesPanel::setShopMap(const ShopMap& shop) {
    shop_ = &shop;
}

const ShopMap& PropertiesPanel::shop() const {
    return shop_ ? *shop_ : installedShopMap();
}

void PropertiesPanel::refreshSelection() {
    plandor::refreshSelection(doc_.layout, state_);
    showState();
}

void PropertiesPanel::showState() {
    const wxSize size = GetSize();
    // The texts may be cut short with an ellipsis; the tooltip always holds them whole.
    bool changed = setLabel(c_.title, toWx(state_.title));
    c_.title->SetToolTip(toWx(state_.title));
    changed = setLabel(c_.detail, toWx(state_.detail)) || changed;
    c_.detail->SetToolTip(toWx(state_.detail));

    if (!sameItems(c_.level, state_.levels)) {
        c_.level->Clear();
        for (const LevelEntry& level : state_.levels)
            c_.level->Append(toWx(level.name));
        changed = true;
    }
    if (state_.levelIndex >= 0 && c_.level->GetSelection() != state_.levelIndex)
        c_.level->SetSelection(state_.levelIndex);
    c_.level->Enable(state_.levelEnabled);

    changed = setLabel(c_.heightLabel, toWx(state_.heightLabel)) || changed;
    if (c_.heightField->GetValue() != toWx(state_.heightText))
        c_.heightField->ChangeValue(toWx(state_.heightText));
    c_.heightField->Enable(state_.heightEnabled);
    changed = setLabel(c_.gradeValue, toWx(state_.gradeText)) || changed;
    c_.gradeValue->SetForegroundColour(
        state_.gradeWarningColour ? colourOf(kPlanColors.gradeWarningText) : wxNullColour);
    showWarning();

    c_.spin->SetValue(state_.spinDeg);
    (state_.gradeDown ? c_.down : c_.up)->SetValue(true);
    c_.startGrade->Enable(state_.startGradeEnabled);
    c_.endGrade->Enable(state_.endGradeEnabled);
    c_.recalc->Enable(state_.recalcEnabled);
    if (changed && size.x >= kSmallestLaidOut && size.y >= kSmallestLaidOut)
        Layout();
}

void PropertiesPanel::refreshTally() {
    const TallyContent content = tallyContent(doc_.layout, shop());
    lastCounts_ = content.counts;
    wxListCtrl* list = c_.tally;
    if (sameRows(content.rows)) {
        // Only counts changed, as after placing or removing a piece of a kind already listed.
        for (std::size_t i = 0; i < content.rows.size(); ++i)
            if (content.rows[i].count != tallyRows_[i].count)
                list->SetItem(static_cast<long>(i), 1, toWx(content.rows[i].count));
        tallyRows_ = content.rows;
        return;
    }
    tallyRows_ = content.rows;
    list->Freeze();
    list->DeleteAllItems();
    wxFont emphasis = list->GetFont().Bold();
    for (const TallyRow& row : content.rows) {
        const long index = list->InsertItem(list->GetItemCount(), toWx(row.piece));
        list->SetItem(index, 1, toWx(row.count));
        if (row.emphasis) {
            list->SetItemFont(index, emphasis);
            list->SetItemTextColour(index, colourOf(kPlanColors.recommendHeading));
        }
    }
    list->Thaw();
}

bool PropertiesPanel::sameRows(const std::vector<TallyRow>& rows) const {
    if (rows.size() != tallyRows_.size() ||
        c_.tally->GetItemCount() != static_cast<int>(rows.size()))
        return false;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].piece != tallyRows_[i].piece || rows[i].emphasis != tallyRows_[i].emphasis)
            return false;
    return true;
}

void PropertiesPanel::onTallyMotion(wxMouseEvent& event) {
    event.Skip();
    auto* from = static_cast<wxWindow*>(event.GetEventObject());
    const wxPoint at = c_.tally->ScreenToClient(from->ClientToScreen(event.GetPosition()));
    int flags = 0;
    const long row = c_.tally->HitTest(at, flags);
    // Long descriptions are cut by the column; the tooltip shows the row's whole text.
    const wxString text = row >= 0 ? c_.tally->GetItemText(row) : wxString();
    if (from->GetToolTipText() != text)
        from->SetToolTip(text);
}

void PropertiesPanel::fitTallyColumns() {
    const int width = c_.tally->GetClientSize().x;
    c_.tally->SetColumnWidth(1, kCountColumn);
    c_.tally->SetColumnWidth(0, std::max(width - kCountColumn, 40));
}

void PropertiesPanel::showWarning() {
    c_.warning->SetLabel(toWx(state_.warning));
    const int width = GetClientSize().x - 4 * (kMargin + kInner);
    if (width >= kSmallestLaidOut)
        c_.warning->Wrap(width);
}

void PropertiesPanel::onPanelSize(wxSizeEvent& event) {
    // Before the splitter gives the panel its width it has next to no size; laid out then, the
    // controls would get zero sizes that the toolkit refuses to draw.
    const wxSize size = event.GetSize();
    if (size.x < kSmallestLaidOut || size.y < kSmallestLaidOut)
        return;
    if (!state_.warning.empty())
        showWarning();
    event.Skip();
}

void PropertiesPanel::onTallySize(wxSizeEvent& event) {
    fitTallyColumns();
    event.Skip();
}

void PropertiesPanel::setLabelDropPoint(double x, double y) {
    plandor::setLabelDropPoint(state_, x, y);
    c_.labelField->SetFocus();
}

void PropertiesPanel::tell(const Change& change) {
    if (change.any())
        refreshSelection();
    if (sink_ && change.reported())
        sink_(change);
}

void PropertiesPanel::onAddLabel(wxCommandEvent&) {
    const Change change = addLabel(doc_, state_, fromWx(c_.labelField->GetValue()));
    if (!change.any())
        return;
    c_.labelField->ChangeValue(wxEmptyString);
    tell(change);
}

void PropertiesPanel::onLevelChosen(wxCommandEvent&) {
    const int index = c_.level->GetSelection();
    if (index < 0 || index >= static_cast<int>(state_.levels.size()))
        return;
    tell(changeLevel(doc_, state_, state_.levels[index].id));
}

void PropertiesPanel::onApplyColour(wxCommandEvent&) {
    tell(applyColour(doc_, state_, c_.colour->GetSelection()));
}

void PropertiesPanel::onHeightEnter(wxCommandEvent&) {
    tell(enterHeight(doc_, state_, fromWx(c_.heightField->GetValue())));
}

void PropertiesPanel::onStartGrade(wxCommandEvent&) {
    tell(startGrade(doc_, state_, c_.spin->GetValue(), c_.down->GetValue()));
}

void PropertiesPanel::onEndGrade(wxCommandEvent&) {
    tell(endGrade(doc_, state_));
}

void PropertiesPanel::onRecalc(wxCommandEvent&) {
    tell(recalculateElevation(doc_, state_));
}

void PropertiesPanel::onBuyTrack(wxCommandEvent&) {
    buyTrack(doc_.layout, shop(), *prompter_, *browser_);
}

void PropertiesPanel::onAboutBuyTrack(wxCommandEvent&) {
    // Centred on the main window, not on this narrow panel.
    BuyTrackHelpDialog dialog(wxGetTopLevelParent(this), shop());
    dialog.ShowModal();
}

} // namespace plandor
