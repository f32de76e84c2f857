#pragma once
// The dialogs of the layout-file commands: Open (with Delete...), Import and Export.
// They only gather the user's choice; the file commands decide what happens with it.

#include "core/app/LayoutChooser.h"

#include <wx/dialog.h>

#include <functional>
#include <string>
#include <vector>

class wxButton;
class wxListBox;
class wxTextCtrl;

namespace plandor {

class OpenLayoutDialog : public wxDialog {
  public:
    // `deleteLayout` runs the Delete... question for a name and says whether its row is gone.
    OpenLayoutDialog(wxWindow* parent, const std::vector<std::string>& names,
                     std::function<bool(const std::string&)> deleteLayout);

    std::string selectedName() const;

    wxListBox* list() const { return list_; }
    wxButton* openButton() const { return open_; }
    wxButton* deleteButton() const { return delete_; }

  private:
    void updateButtons();
    void onDelete();

    std::function<bool(const std::string&)> deleteLayout_;
    wxListBox* list_ = nullptr;
    wxButton* open_ = nullptr;
    wxButton* delete_ = nullptr;
};

class ImportLayoutDialog : public wxDialog {
  public:
    ImportLayoutDialog(wxWindow* parent, const std::string& startFolder);

    // The file in the selected row (folder and file name) and the "Import as:" text.
    std::string sourcePath() const;
    std::string importName() const;

    wxTextCtrl* folderField() const { return folder_; }
    wxListBox* list() const { return list_; }
    wxTextCtrl* nameField() const { return name_; }
    wxButton* importButton() const { return import_; }

  private:
    void refillList();
    void onSelect();
    void updateButton();

    wxTextCtrl* folder_ = nullptr;
    wxListBox* list_ = nullptr;
    wxTextCtrl* name_ = nullptr;
    wxButton* import_ = nullptr;
};

class ExportLayoutDialog : public wxDialog {
  public:
    ExportLayoutDialog(wxWindow* parent, const std::vector<std::string>& names, int initialRow,
                       const std::string& startFolder);

    std::string selectedName() const;
    std::string folder() const;
    std::string saveAs() const;

    wxListBox* list() const { return list_; }
    wxTextCtrl* saveAsField() const { return saveAs_; }
    wxButton* exportButton() const { return export_; }

  private:
    void onSelect();
    void updateButton();

    wxListBox* list_ = nullptr;
    wxTextCtrl* folder_ = nullptr;
    wxTextCtrl* saveAs_ = nullptr;
    wxButton* export_ = nullptr;
};

// The LayoutChooser answered by these dialogs over a parent window.
class WxLayoutChooser : public LayoutChooser {
  public:
    explicit WxLayoutChooser(wxWindow* parent) : parent_(parent) {}

    std::optional<std::string>
    chooseLayoutToOpen(const std::vector<std::string>& names,
                       const std::function<bool(const std::string&)>& deleteLayout) override;
    std::optional<ImportChoice> chooseImport(const std::string& startFolder) override;
    std::optional<ExportChoice> chooseExport(const std::vector<std::string>& names, int initialRow,
                                             const std::string& startFolder) override;

  private:
    wxWindow* parent_;
};

} // namespace plandor
