#pragma once
// The properties panel on the right of the main window: the text of a new label, the
// description of the selection with its level, colour, height and grade controls, and the
// piece tally with Buy Track. It shows what the core's PropertiesState and tally say and
// hands every input to the core.

#include "core/app/PropertiesModel.h"
#include "core/app/Tally.h"
#include "core/document/Change.h"

#include <wx/panel.h>

#include <functional>
#include <memory>
#include <string>

class wxButton;
class wxChoice;
class wxListCtrl;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;
class wxCommandEvent;
class wxSizeEvent;
class wxMouseEvent;

namespace plandor {

class NumberField;

struct Document;
struct ShopMap;
class Prompter;
class BrowserOpener;

// What the panel tells its owner after one of its commands: the change, with its status line.
using PanelEditSink = std::function<void(const Change&)>;

class PropertiesPanel : public wxPanel {
  public:
    PropertiesPanel(wxWindow* parent, Document& doc);
    ~PropertiesPanel() override;

    // Rebuilds the description and the controls from the layout's selection.
    void refreshSelection();
    // Rebuilds the piece tally from the layout.
    void refreshTally();
    // The next typed label goes to this layout point; the label field takes the focus.
    void setLabelDropPoint(double x, double y);

    void setEditSink(PanelEditSink sink);
    // The panel answers with message boxes, the default web browser and the shop map beside
    // the executable; tests put their own in place.
    void setPrompter(Prompter& prompter);
    void setBrowserOpener(BrowserOpener& browser);
    void setShopMap(const ShopMap& shop);

    const PropertiesState& state() const { return state_; }
    // The counts the tally list shows.
    const CountMap& lastCounts() const { return lastCounts_; }

    // The controls, top to bottom.
    struct Controls {
        wxTextCtrl* labelField = nullptr;
        wxButton* labelOk = nullptr;
        wxStaticText* title = nullptr;
        wxStaticText* detail = nullptr;
        wxChoice* level = nullptr;
        wxChoice* colour = nullptr;
        wxButton* apply = nullptr;
        wxStaticText* heightLabel = nullptr;
        wxTextCtrl* heightField = nullptr;
        wxStaticText* gradeValue = nullptr;
        wxStaticText* warning = nullptr;
        wxRadioButton* up = nullptr;
        wxRadioButton* down = nullptr;
        NumberField* spin = nullptr;
        wxButton* startGrade = nullptr;
        wxButton* endGrade = nullptr;
        wxButton* recalc = nullptr;
        wxListCtrl* tally = nullptr;
        wxButton* buyTrack = nullptr;
        wxButton* aboutBuyTrack = nullptr;
    };
    const Controls& controls() const { return c_; }

  private:
    void buildControls();
    wxSizer* buildLabelBox();
    wxSizer* buildDescription();
    wxSizer* buildLevelRow();
    wxSizer* buildColourBox();
    wxSizer* buildGradeBox();
    wxSizer* buildTally();
    wxSizer* buildShopRow();

    // Puts state_ into the controls.
    void showState();
    // The grade warning, wrapped to the panel's width.
    void showWarning();
    void fitTallyColumns();
    void tell(const Change& change);
    const ShopMap& shop() const;

    void onAddLabel(wxCommandEvent&);
    void onLevelChosen(wxCommandEvent&);
    void onApplyColour(wxCommandEvent&);
    void onHeightEnter(wxCommandEvent&);
    void onStartGrade(wxCommandEvent&);
    void onEndGrade(wxCommandEvent&);
    void onRecalc(wxCommandEvent&);
    void onBuyTrack(wxCommandEvent&);
    void onAboutBuyTrack(wxCommandEvent&);
    void onPanelSize(wxSizeEvent& event);
    void onTallySize(wxSizeEvent& event);
    void onTallyMotion(wxMouseEvent& event);
    // Whether the list shows these rows, counts aside.
    bool sameRows(const std::vector<TallyRow>& rows) const;

    Document& doc_;
    PropertiesState state_;
    CountMap lastCounts_;
    std::vector<TallyRow> tallyRows_; // as the list shows them
    Controls c_;

    PanelEditSink sink_;
    std::unique_ptr<Prompter> ownPrompter_;
    std::unique_ptr<BrowserOpener> ownBrowser_;
    Prompter* prompter_ = nullptr;
    BrowserOpener* browser_ = nullptr;
    const ShopMap* shop_ = nullptr; // null: the installed shop map
};

} // namespace plandor
