#include "gui/ui/LevelManagerDialog.h"
#include "core/base/Translate.h"
#include "gui/ui/Translations.h"

#include "core/base/Prompter.h"
#include "core/base/Units.h"
#include "core/model/Layout.h"
#include "gui/platform/NumberField.h"
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
    : wxDialog(parent, wxID_ANY, toWx(trFormat("Level Properties: %s", level.name.c_str())),
               wxDefaultPosition, wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      units_(units) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxFlexGridSizer(2, wxSize(8, 8));
    grid->AddGrowableCol(1);

    grid->Add(new wxStaticText(this, wxID_ANY, _("Name:")), 0, wxALIGN_CENTRE_VERTICAL);
    name_ = new wxTextCtrl(this, wxID_ANY, toWx(level.name));
    grid->Add(name_, 1, wxEXPAND);

    const HeightSpinner spin = heightSpinner(units);
    grid->Add(new wxStaticText(
                  this, wxID_ANY,
                  toWx(trFormat("Height off the ground (%s):", unitShortName(units).c_str()))),
              0, wxALIGN_CENTRE_VERTICAL);
    height_ = new NumberField(this, 0, spin.max, toDisplayUnits(level.height, units), spin.step,
                              spin.digits);
    grid->Add(height_, 1, wxEXPAND);

    useColor_ = new wxCheckBox(this, wxID_ANY, _("Color track on this level:"));
    useColor_->SetValue(level.useTrackColor);
    grid->Add(useColor_, 0, wxALIGN_CENTRE_VERTICAL);
    color_ = new wxColourPickerCtrl(
        this, wxID_ANY, wxColour(level.trackColor.r, level.trackColor.g, level.trackColor.b));
    grid->Add(color_, 0);

    sizer->Add(grid, 1, wxALL | wxEXPAND, 12);
    sizer->Add(new wxStaticLine(this), 0, wxLEFT | wxRIGHT | wxEXPAND, 12);
    sizer->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 8);
    labelStockButtons(*this);
    SetSizerAndFit(sizer);
    Centre();
}

LevelProperties LevelPropertiesDialog::value() const {
    const wxColour c = color_->GetColour();
    return {fromWx(name_->GetValue()), fromDisplayUnits(height_->GetValue(), units_),
            useColor_->GetValue(), Color{c.Red(), c.Green(), c.Blue(), 255}};
}

LevelManagerDialog::LevelManagerDialog(wxWindow* parent, LevelsSession& session, Prompter& prompter)
    : wxDialog(parent, wxID_ANY, _("Manage Levels"), wxDefaultPosition, wxSize(500, 360),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      session_(session), prompter_(prompter) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, toWx(tr(kLevelsHint))), 0, wxALL, 8);

    list_ = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxSize(420, 200),
                           wxLC_REPORT | wxLC_SINGLE_SEL);
    list_->EnableCheckBoxes();
    list_->SetMinSize(wxSize(420, 200));
    list_->AppendColumn(_("Level Name"), wxLIST_FORMAT_LEFT, 200);
    list_->AppendColumn(_("Height"), wxLIST_FORMAT_RIGHT, 90);
    list_->AppendColumn(_("Track Color"), wxLIST_FORMAT_LEFT, 90);
    list_->AppendColumn(_("ID"), wxLIST_FORMAT_RIGHT, 40);
    sizer->Add(list_, 1, wxLEFT | wxRIGHT | wxEXPAND, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, kAddLevelId, _("Add Level")), 0, wxRIGHT, 6);
    remove_ = new wxButton(this, kRemoveLevelId, _("Remove Level"));
    buttons->Add(remove_, 0);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_OK, _("Close")), 0);
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

    fillList();
}

void LevelManagerDialog::fillList() {
    filling_ = true; // setting the check boxes must not count as the user's clicks
    list_->DeleteAllItems();
    const wxFont bold = list_->GetFont().Bold();
    for (std::size_t i = 0; i < layout().levels.size(); ++i) {
        const LevelRow row = levelRow(layout(), layout().levels[i]);
        const long at = list_->InsertItem(static_cast<long>(i), toWx(row.name));
        list_->SetItem(at, ColHeight, toWx(row.height));
        list_->SetItem(at, ColColor, toWx(row.color));
        list_->SetItem(at, ColId, toWx(row.id));
        list_->SetItemData(at, layout().levels[i].id);
        list_->CheckItem(at, row.visible);
        if (row.active)
            list_->SetItemFont(at, bold);
    }
    remove_->Enable(canRemoveLevel(layout()));
    filling_ = false;
}

int32_t LevelManagerDialog::selectedLevelId() const {
    const long row = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    return row < 0 ? -1 : static_cast<int32_t>(list_->GetItemData(row));
}

void LevelManagerDialog::took(const Change& shown) {
    if (shown_ && shown.any())
        shown_(shown);
}

void LevelManagerDialog::onChecked(wxListEvent& event, bool visible) {
    if (filling_)
        return;
    took(session_.setLevelVisible(static_cast<int32_t>(list_->GetItemData(event.GetIndex())),
                                  visible));
}

void LevelManagerDialog::onSelected(wxListEvent& event) {
    if (filling_)
        return;
    const Change c =
        session_.setActiveLevel(static_cast<int32_t>(list_->GetItemData(event.GetIndex())));
    took(c);
    remove_->Enable(canRemoveLevel(layout()));
    if (c.any()) {
        // Refilling would drop the selection the user just made.
        const wxFont normal = list_->GetFont();
        for (long i = 0; i < list_->GetItemCount(); ++i)
            list_->SetItemFont(i, i == event.GetIndex() ? normal.Bold() : normal);
    }
}

void LevelManagerDialog::addLevelAsked() {
    std::string name;
    if (!prompter_.askText(tr(kAddLevelTitle), tr(kAddLevelPrompt), proposedLevelName(layout()),
                           name))
        return;
    took(session_.addLevel(name));
    fillList();
}

void LevelManagerDialog::editSelectedLevel() {
    const int32_t id = selectedLevelId();
    const Level* level = layout().findLevel(id);
    if (!level) {
        prompter_.message(tr(kLevelPropertiesTitle), tr(kSelectLevelFirst),
                          PromptIcon::Information);
        return;
    }
    LevelPropertiesDialog dialog(this, *level, layout().units);
    if (dialog.ShowModal() != wxID_OK)
        return;
    took(session_.applyLevelProperties(id, dialog.value()));
    fillList();
}

void LevelManagerDialog::removeSelectedLevel() {
    if (!canRemoveLevel(layout())) {
        prompter_.message(tr(kRemoveLevelTitle), tr(kLastLevelRefusal), PromptIcon::Information);
        return;
    }
    const int32_t id = selectedLevelId();
    const Level* level = layout().findLevel(id);
    if (!level)
        return;
    wxMessageDialog ask(this, toWx(removeLevelQuestion(level->name, levelContents(layout(), id))),
                        toWx(tr(kRemoveLevelConfirmTitle)),
                        wxYES_NO | wxNO_DEFAULT | wxICON_WARNING);
    ask.SetYesNoLabels(toWx(tr(kRemoveLevelYes)), _("Cancel"));
    if (ask.ShowModal() != wxID_YES)
        return;
    took(session_.removeLevel(id));
    fillList();
}

} // namespace plandor
