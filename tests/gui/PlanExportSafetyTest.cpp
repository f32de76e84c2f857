// Plan exports and print runs that must not do what they are asked: a picture shows the plan,
// not what is selected; a full disk leaves the old file and says so; more pages than anyone
// prints are refused before a byte is written or a printer is asked.
#include "../core/FileSizeLimit.h"
#include "../core/TempFolder.h"
#include "GuiTestSupport.h"

#include "core/app/Commands.h"
#include "core/render/PlanExport.h"
#include "core/render/PrintLayout.h"
#include "gui/wxrender/PlanExporter.h"
#include "gui/wxrender/PrintOptionsDialog.h"

#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/msgdlg.h>
#include <wx/radiobox.h>
#include <wx/spinctrl.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace plandor::guitest {
namespace {

namespace fs = std::filesystem;

wxImage exportedPng(Layout& layout, const std::string& path) {
    EXPECT_EQ(exportPlanFile(layout, {ExportFormat::Png, 20, PaperSize::A4}, path), "");
    wxImage image;
    EXPECT_TRUE(image.LoadFile(path, wxBITMAP_TYPE_PNG));
    return image;
}

// A piece 1,000 km out and one at the origin: at 1 : 1 some 3.6 million pages.
Layout farLayout() {
    Layout layout = emptyLayout();
    addPiece(layout, "24188", 1e9, 0);
    addPiece(layout, "24188", 0, 0);
    return layout;
}

class PlanExportSafety : public ::testing::Test {
  protected:
    void SetUp() override { dir = tempFolder(); }
    void TearDown() override { fs::remove_all(dir); }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& e : fs::directory_iterator(dir))
            found.push_back(e.path().filename().string());
        return found;
    }
    std::string dir;
};

} // namespace

TEST_F(PlanExportSafety, AnExportShowsNoSelection) {
    Layout layout = emptyLayout();
    addPiece(layout, "24188", 0, 0).selected = true;
    addPiece(layout, "24130", 188.3, 0);
    addScenery(layout, "tree_conifer", 100, 150).selected = true;
    addLabel(layout, "Yard", 20, 60).selected = true;
    const wxImage withSelection = exportedPng(layout, dir + "/selected.png");
    for (PlacedPiece& p : layout.pieces)
        p.selected = false;
    layout.scenery[0].selected = false;
    layout.labels[0].selected = false;
    const wxImage without = exportedPng(layout, dir + "/plain.png");
    EXPECT_EQ(differingPixels(withSelection, without), 0);
}

TEST_F(PlanExportSafety, AFullDiskLeavesTheOldFileInEveryFormat) {
    Layout layout = emptyLayout();
    for (int i = 0; i < 20; ++i)
        addPiece(layout, "24188", i * 190.0, (i % 3) * 100.0);
    for (const char* file : {"plan.pdf", "plan.svg", "plan.png"}) {
        SCOPED_TRACE(file);
        const std::string path = dir + "/" + file;
        std::ofstream(path, std::ios::binary) << "the only copy";
        const PlanExportOptions options{exportFormatOf(path).value(), 0, PaperSize::A4};
        std::string message;
        {
            const FileSizeLimit fullDisk(2000);
            message = exportPlanFile(layout, options, path);
        }
        EXPECT_EQ(message,
                  "Cannot write file: " + path + "\nThe file that was there is unchanged.");
        EXPECT_EQ(readFile(path), "the only copy");
        EXPECT_EQ(names(), std::vector<std::string>{file}) << "no temporary file is left";
        EXPECT_EQ(exportPlanFile(layout, options, path), "") << "with room it is written";
        EXPECT_GT(readFile(path).size(), 2000u);
        fs::remove(path);
    }
}

TEST_F(PlanExportSafety, TooManyPagesAreRefusedBeforeAnythingIsWritten) {
    Layout layout = farLayout();
    const std::string path = dir + "/plan.pdf";
    EXPECT_EQ(exportPlanFile(layout, {ExportFormat::Pdf, 1, PaperSize::A4}, path),
              tooManyPagesMessage());
    EXPECT_TRUE(names().empty());
    EXPECT_EQ(exportPlanFile(layout, {ExportFormat::Pdf, 0, PaperSize::A4}, path), "")
        << "fitted to the page it is one page";
}

using PrintRefusal = MainFrameFixture;

TEST_F(PrintRefusal, PrintAndPreviewOfTooManyPagesAreRefusedWithAMessage) {
    layout() = farLayout();
    const auto refusal = [](wxMessageDialog* box) {
        EXPECT_EQ(box->GetMessage().ToStdString(wxConvUTF8), tooManyPagesMessage());
    };
    wxTEST_DIALOG(command(CmdPrint),
                  Drive<PrintOptionsDialog>(
                      [](PrintOptionsDialog* dialog) {
                          dialog->scaling()->SetSelection(ScaleActual);
                          dialog->denominator()->SetValue(1);
                          // What OK does when a person presses it.
                          ASSERT_TRUE(dialog->TransferDataFromWindow());
                      },
                      wxID_OK),
                  Drive<wxMessageDialog>(refusal, wxID_OK));
    settle();
    wxTEST_DIALOG(command(CmdPreview), Drive<wxMessageDialog>(refusal, wxID_OK));
    settle();
    EXPECT_EQ(wxWindow::FindWindowByLabel("Print Preview -- Plandor"), nullptr);
}

} // namespace plandor::guitest
