#include "gui/ui/LevelManagerDialog.h"

#include "core/base/Prompter.h"
#include "core/base/Units.h"
#include "core/model/Layout.h"
#include "gui/platform/WxText.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clrpicker.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace plandor {

namespace {
enum Column { ColName, ColHeight, ColColor, ColId };
const int kAddLevelId = wxWindow::NewControlId();
const int kRemoveLevelId = wxWindow::NewControlId();
} // namespace

LevelPropertiesDialog::LevelPropertiesDialog(wxWindow* parent, const Level& level, Units units)
    : wxDialog(parent, wxID_ANY, toWx(formatText("Level Properties: %s", level.name.c_str())),
               wxDefaultPosition, wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      units_(units) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxFlexGridSizer(2, wxSize(8, 8));
    grid->AddGrowableCol(1);

    grid->Add(new wxStaticText(this, wxID_ANY, "Name:"), 0, wxALIGN_CENTRE_VERTICAL);
    name_ = new wxTextCtrl(this, wxID_ANY, toWx(level.name));
    grid->Add(name_, 1, wxEXPAND);

    const HeightSpinner spin = heightSpinner(units);
    grid->Add(new wxStaticText(
                  this, wxID_ANY,
                  toWx(formatText("Height off the ground (%s):", unitShortName(units).c_str()))),
              0, wxALIGN_CENTRE_VERTICAL);
    height_ = new wxSpinCtrlDouble(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                   wxSP_ARROW_KEYS, 0, spin.max,
                                   toDisplayUnits(level.height, units), spin.step);
    height_->SetDigits(spin.digits);
    grid->Add(height_, 1, wxEXPAND);

    useColor_ = new wxCheckBox(this, wxID_ANY, "Color track on this level:");
    useColor_->SetValue(level.useTrackColor);
    grid->Add(useColor_, 0, wxALIGN_CENTRE_VERTICAL);
    color_ = new wxColourPickerCtrl(
        this, wxID_ANY, wxColour(level.trackColor.r, level.trackColor.g, level.trackColor.b));
    grid->Add(color_, 0);

    sizer->Add(grid, 1, wxALL | wxEXPAND, 12);
    sizer->Add(new wxStaticLine(this), 0, wxLEFT | wxRIGHT | wxEXPAND, 12);
    sizer->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 8);
    SetSizerAndFit(sizer);
    Centre();
}

LevelProperties LevelPropertiesDialog::value() const {
    const wxColour c = color_->GetColour();
    return {fromWx(name_->GetValue()), fromDisplayUnits(height_->GetValue(), units_),
            useColor_->GetValue(), Color{c.Red(), c.Green(), c.Blue(), 255}};
}

LevelManagerDialog::LevelManagerDialog(wxWindow* parent, plandor::Layout& layout,
                                       Prompter& prompter)
    : wxDialog(parent, wxID_ANY, "Manage Levels", wxDefaultPosition, wxSize(500, 360),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      layout_(layout), prompter_(prompter) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, kLevelsHint), 0, wxALL, 8);

    list_ = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxSize(420, 200),
                           wxLC_REPORT | wxLC_SINGLE_SEL);
    list_->EnableCheckBoxes();
    list_->SetMinSize(wxSize(420, 200));
    list_->AppendColumn("Level Name", wxLIST_FORMAT_LEFT, 200);
    list_->AppendColumn("Height", wxLIST_FORMAT_RIGHT, 90);
    list_->AppendColumn("Track Color", wxLIST_FORMAT_LEFT, 90);
    list_->AppendColumn("ID", wxLIST_FORMAT_RIGHT, 40);
    sizer->Add(list_, 1, wxLEFT | wxRIGHT | wxEXPAND, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, kAddLevelId, "Add Level"), 0, wxRIGHT, 6);
    remove_ = new wxButton(this, kRemoveLevelId, "Remove Level");
    buttons->Add(remove_, 0);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_OK, "Close"), 0);
    sizer->Add(buttons, 0, wxALL | wxEXPAND, 8);
    SetSizer(sizer);
    SetSize(wxSize(500, 360));
    Centre();

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { addLevelAsked(); }, kAddLevelId);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { removeSelectedLevel(); }, kRemoveLevelId);
    list_->Bind(wxEVT_LIST_ITEM_CHECKED, [this](wxListEvent& e) { onChecked(e, true); });
    list_->Bind(wxEVT_LIST_ITEM_UNCHECKED, [this](wxListEvent& e) { onChecked(e, false); });
    list_->Bind(wxEVT_LIST_ITEM_SELECTED, &LevelManagerDialog::onSelected, this);
    list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { editSelectedLevel(); });

    layout_.ensureDefaultLevel();
    fillList();
}

void LevelManagerDialog::fillList() {
    filling_ = true; // setting the check boxes must not count as the user's clicks
    list_->DeleteAllItems();
    const wxFont bold = list_->GetFont().Bold();
    for (std::size_t i = 0; i < layout_.levels.size(); ++i) {
        const LevelRow row = levelRow(layout_, layout_.levels[i]);
        const long at = list_->InsertItem(static_cast<long>(i), toWx(row.name));
        list_->SetItem(at, ColHeight, toWx(row.height));
        list_->SetItem(at, ColColor, toWx(row.color));
        list_->SetItem(at, ColId, toWx(row.id));
        list_->SetItemData(at, layout_.levels[i].id);
        list_->CheckItem(at, row.visible);
        if (row.active)
            list_->SetItemFont(at, bold);
    }
    remove_->Enable(canRemoveLevel(layout_));
    filling_ = false;
}

int32_t LevelManagerDialog::selectedLevelId() const {
    const long row = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    return row < 0 ? -1 : static_cast<int32_t>(list_->GetItemData(row));
}

void LevelManagerDialog::took(const LevelsChange& change) {
    change_ |= change;
    if (shown_ && (change.levels || change.content))
        shown_(levelsShownChange(change));
}

void LevelManagerDialog::onChecked(wxListEvent& event, bool visible) {
    if (filling_)
        return;
    took(setLevelVisible(layout_, static_cast<int32_t>(list_->GetItemData(event.GetIndex())),
                         visible));
}

void LevelManagerDialog::onSelected(wxListEvent& event) {
    if (filling_)
        return;
    const LevelsChange c =
        setActiveLevel(layout_, static_cast<int32_t>(list_->GetItemData(event.GetIndex())));
    took(c);
    remove_->Enable(canRemoveLevel(layout_));
    if (c.levels) {
        // Refilling would drop the selection the user just made.
        const wxFont normal = list_->GetFont();
        for (long i = 0; i < list_->GetItemCount(); ++i)
            list_->SetItemFont(i, i == event.GetIndex() ? normal.Bold() : normal);
    }
}

void LevelManagerDialog::addLevelAsked() {
    std::string name;
    if (!prompter_.askText(kAddLevelTitle, kAddLevelPrompt, proposedLevelName(layout_), name))
        return;
    took(addLevel(layout_, name));
    fillList();
}

void LevelManagerDialog::editSelectedLevel() {
    const int32_t id = selectedLevelId();
    const Level* level = layout_.findLevel(id);
    if (!level) {
        prompter_.message(kLevelPropertiesTitle, kSelectLevelFirst, PromptIcon::Information);
        return;
    }
    LevelPropertiesDialog dialog(this, *level, layout_.units);
    if (dialog.ShowModal() != wxID_OK)
        return;
    took(applyLevelProperties(layout_, id, dialog.value()));
    fillList();
}

void LevelManagerDialog::removeSelectedLevel() {
    if (!canRemoveLevel(layout_)) {
        prompter_.message(kRemoveLevelTitle, kLastLevelRefusal, PromptIcon::Information);
        return;
    }
    const int32_t id = selectedLevelId();
    const Level* level = layout_.findLevel(id);
    if (!level)
        return;
    wxMessageDialog ask(this, toWx(removeLevelQuestion(level->name, levelContents(layout_, id))),
                        toWx(kRemoveLevelConfirmTitle), wxYES_NO | wxNO_DEFAULT | wxICON_WARNING);
    ask.SetYesNoLabels(toWx(kRemoveLevelYes), "Cancel");
    if (ask.ShowModal() != wxID_YES)
        return;
    took(removeLevel(layout_, id));
    fillList();
}

} // namespace plandor
