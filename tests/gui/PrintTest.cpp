// Printing and plan export under the toolkit: the Print Options dialog's rules, pages drawn
// into bitmaps, the preview window, and the files the exports write, checked with the tools
// people open them with.
#include "GuiTestSupport.h"

#include "app/Commands.h"
#include "render/PlanExport.h"
#include "wxrender/LayoutPrintout.h"
#include "wxrender/PlanExporter.h"
#include "wxrender/PrintOptionsDialog.h"

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/radiobox.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace plandor::guitest {
namespace {

// A page of a printout drawn into a bitmap the size of an A4 page at 100 dpi.
struct RenderedPage {
    wxImage image;
    bool drawn = false;
};
constexpr int kPageW = 827, kPageH = 1169;

void usePng() {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
}

RenderedPage renderPage(LayoutPrintout& printout, int page, int ppi = 100) {
    usePng();
    wxBitmap bitmap(kPageW, kPageH, 24);
    wxMemoryDC dc(bitmap);
    printout.SetDC(&dc);
    printout.SetPageSizePixels(kPageW, kPageH);
    printout.SetPPIPrinter(ppi, ppi);
    printout.SetPPIScreen(dc.GetPPI());
    printout.SetPaperRectPixels(wxRect(0, 0, kPageW, kPageH));
    printout.OnPreparePrinting();
    RenderedPage out;
    out.drawn = printout.OnPrintPage(page);
    dc.SelectObject(wxNullBitmap);
    out.image = bitmap.ConvertToImage();
    return out;
}

Layout twoLevels() {
    Layout layout = emptyLayout();
    addLevel(layout, 2, 0, false);
    layout.showGrid = false;
    addPiece(layout, "24188", 0, 0);
    addPiece(layout, "24130", 0, 200);
    addPiece(layout, "24188", 0, 400, 0, 2);
    return layout;
}

int colouredPixels(const wxImage& image) {
    int n = 0;
    for (int y = 0; y < image.GetHeight(); y += 3)
        for (int x = 0; x < image.GetWidth(); x += 3)
            n += image.GetRed(x, y) != image.GetGreen(x, y) ||
                 image.GetGreen(x, y) != image.GetBlue(x, y);
    return n;
}

int inkedPixels(const wxImage& image) {
    int n = 0;
    for (int y = 0; y < image.GetHeight(); y += 3)
        for (int x = 0; x < image.GetWidth(); x += 3)
            n += image.GetRed(x, y) < 250;
    return n;
}

TEST(PrintOptionsDialogTest, ScaleRowsFollowTheScalingChoiceAndOkCopiesAllSeven) {
    PrintOptions options;
    options.scalingMode = ScalePercentage;
    auto* dialog = new PrintOptionsDialog(nullptr, options);
    EXPECT_EQ(dialog->GetTitle(), "Print Options");
    const struct {
        int mode;
        bool n, percent;
    } rules[] = {
        {ScalePercentage, false, true}, {ScaleActual, true, false}, {ScaleFitToPage, false, false}};
    bool first = true;
    for (const auto& r : rules) {
        if (!first) {
            dialog->scaling()->SetSelection(r.mode);
            send(dialog->scaling(), wxEVT_RADIOBOX, dialog->scaling()->GetId(), r.mode);
        }
        first = false;
        SCOPED_TRACE(r.mode);
        EXPECT_EQ(dialog->denominator()->IsEnabled(), r.n);
        EXPECT_EQ(dialog->denominatorLabel()->IsEnabled(), r.n);
        EXPECT_EQ(dialog->percentage()->IsEnabled(), r.percent);
        EXPECT_EQ(dialog->percentageLabel()->IsEnabled(), r.percent);
    }
    dialog->scaling()->SetSelection(ScaleActual);
    dialog->denominator()->SetValue(87);
    dialog->percentage()->SetValue(250);
    dialog->levels()->SetSelection(LevelsAll);
    dialog->colors()->SetSelection(PrintInGreyscale);
    dialog->grid()->SetValue(true);
    dialog->baseboard()->SetValue(false);
    EXPECT_EQ(options.scalingMode, ScalePercentage) << "nothing copied before OK";
    ASSERT_TRUE(dialog->TransferDataFromWindow());
    EXPECT_EQ(options.scalingMode, ScaleActual);
    EXPECT_EQ(options.scaleDenominator, 87);
    EXPECT_EQ(options.percentage, 250);
    EXPECT_EQ(options.levelMode, LevelsAll);
    EXPECT_EQ(options.colorMode, PrintInGreyscale);
    EXPECT_TRUE(options.includeGrid);
    EXPECT_FALSE(options.includeBaseboard);
    dialog->Destroy();
}

TEST(LayoutPrintoutTest, PagesDrawInColourOrGreyAndLevelsComeBack) {
    Layout layout = twoLevels();
    PrintOptions options; // fit, active level only, colour
    LayoutPrintout colour(kPrintoutTitle, layout, options);
    const RenderedPage page = renderPage(colour, 1);
    ASSERT_TRUE(page.drawn);
    EXPECT_GT(colouredPixels(page.image), 100);
    page.image.SaveFile("/tmp/plandor-print-colour.png", wxBITMAP_TYPE_PNG);

    options.colorMode = PrintInGreyscale;
    LayoutPrintout grey(kPrintoutTitle, layout, options);
    const RenderedPage greyPage = renderPage(grey, 1);
    EXPECT_EQ(colouredPixels(greyPage.image), 0);
    EXPECT_GT(inkedPixels(greyPage.image), 100) << "the track is on the page";
    // A fine printer's page is drawn coarser and stretched over the whole page.
    const RenderedPage fine = renderPage(grey, 1, 1200);
    EXPECT_EQ(colouredPixels(fine.image), 0);
    EXPECT_NEAR(inkedPixels(fine.image), inkedPixels(greyPage.image),
                inkedPixels(greyPage.image) / 10);
    fine.image.SaveFile("/tmp/plandor-print-grey.png", wxBITMAP_TYPE_PNG);

    // A run that stops after the first of several pages leaves the levels as they were.
    options.scalingMode = ScaleActual;
    options.scaleDenominator = 1;
    options.levelMode = LevelsAll;
    LayoutPrintout tiled(kPrintoutTitle, layout, options);
    renderPage(tiled, 1);
    EXPECT_GT(tiled.grid().pageCount(), 1);
    EXPECT_TRUE(tiled.HasPage(tiled.grid().pageCount()));
    EXPECT_FALSE(tiled.HasPage(tiled.grid().pageCount() + 1));
    EXPECT_TRUE(layout.findLevel(1)->visible);
    EXPECT_FALSE(layout.findLevel(2)->visible);

    colour.SetDC(nullptr);
    EXPECT_FALSE(colour.OnPrintPage(1)) << "no device context";
}

// Output of a command, and whether it ran.
std::string run(const std::string& commandLine) {
    std::string out;
    if (FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        pclose(pipe);
    }
    return out;
}

class PrintCommands : public MainFrameFixture {};

// Answers the Print Options dialog with Cancel after changing every control.
class CancelPrintOptions : public wxExpectModalBase<PrintOptionsDialog> {
  protected:
    int OnInvoked(PrintOptionsDialog* dialog) const override {
        dialog->scaling()->SetSelection(ScaleActual);
        dialog->grid()->SetValue(true);
        return wxID_CANCEL;
    }
};

TEST_F(PrintCommands, PreviewOpensAndClosesLeavingLevelsAsTheyWere) {
    layout() = twoLevels();
    command(CmdPreview);
    wxWindow* preview = nullptr;
    ASSERT_TRUE(waitFor([&] {
        preview = wxWindow::FindWindowByLabel("Print Preview -- Plandor");
        return preview != nullptr;
    }));
    EXPECT_EQ(preview->GetSize(), wxSize(900, 700));
    settle();
    preview->Close(true);
    settle();
    EXPECT_TRUE(layout().findLevel(1)->visible);
    EXPECT_FALSE(layout().findLevel(2)->visible);
}

TEST_F(PrintCommands, CancelledPrintOptionsPrintNothingAndKeepTheOptions) {
    wxTEST_DIALOG(command(CmdPrint), CancelPrintOptions());
    settle();
    // A second look at the options shows them as they were: fit to page, no grid.
    bool shownAsBefore = false;
    class Look : public wxExpectModalBase<PrintOptionsDialog> {
      public:
        explicit Look(bool& seen) : seen_(seen) {}

      protected:
        int OnInvoked(PrintOptionsDialog* dialog) const override {
            seen_ =
                dialog->scaling()->GetSelection() == ScaleFitToPage && !dialog->grid()->GetValue();
            return wxID_CANCEL;
        }

      private:
        bool& seen_;
    };
    wxTEST_DIALOG(command(CmdPrint), Look(shownAsBefore));
    EXPECT_TRUE(shownAsBefore);
}

class PlanExportFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = tempFolder();
        layout.ensureDefaultLevel();
        layout.baseboard = {{0, 0}, {2000, 0}, {2000, 1000}, {0, 1000}};
        addPiece(layout, "24188", 100, 100);
        addPiece(layout, "24130", 900, 500);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string dir;
    Layout layout;
};

TEST_F(PlanExportFiles, PdfPagesAtOneToOneAreA4) {
    const std::string path = dir + "/plan.pdf";
    ASSERT_EQ(exportPlanFile(layout, {ExportFormat::Pdf, 1, PaperSize::A4}, path), "");
    const std::string info = run("pdfinfo " + path);
    EXPECT_NE(info.find("Pages:           44"), std::string::npos) << info;
    EXPECT_NE(info.find("595.2"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
}

TEST_F(PlanExportFiles, SvgIsWellFormedXmlAndPngHasTheSheetSize) {
    const std::string svg = dir + "/plan.svg";
    ASSERT_EQ(exportPlanFile(layout, {ExportFormat::Svg, 10, PaperSize::A4}, svg), "");
    EXPECT_EQ(run("xmllint --noout " + svg), "");
    EXPECT_NE(run("head -c 400 " + svg).find("<svg"), std::string::npos);

    usePng();
    const std::string png = dir + "/plan.png";
    ASSERT_EQ(exportPlanFile(layout, {ExportFormat::Png, 10, PaperSize::A4}, png), "");
    wxImage image;
    ASSERT_TRUE(image.LoadFile(png, wxBITMAP_TYPE_PNG));
    const ExportPlan plan = planExport(layout, {ExportFormat::Png, 10, PaperSize::A4});
    EXPECT_EQ(image.GetWidth(), plan.width);
    EXPECT_EQ(image.GetHeight(), plan.height);
    EXPECT_GT(colouredPixels(image), 100);

    EXPECT_NE(exportPlanFile(layout, {ExportFormat::Pdf, 0, PaperSize::A4}, dir + "/no/x.pdf"), "");
}

} // namespace
} // namespace plandor::guitest
