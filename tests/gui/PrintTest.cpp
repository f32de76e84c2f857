// Printing and plan export under the toolkit: the Print Options dialog, pages drawn
// into bitmaps, the preview window, and the files the exports write, checked with the tools
// people open them with.
#include "GuiTestSupport.h"

#include "core/app/Commands.h"
#include "core/render/PlanExport.h"
#include "gui/wxrender/LayoutPrintout.h"
#include "gui/wxrender/PlanExporter.h"
#include "gui/wxrender/PrintOptionsDialog.h"

#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/radiobox.h>
#include <wx/spinctrl.h>

#include <cstdio>
#include <filesystem>
#include <tuple>

namespace plandor::guitest {
namespace {

// A page of a printout drawn into a bitmap the size of an A4 page at 100 dpi.
constexpr int kPageW = 827, kPageH = 1169;

void usePng() {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
}

wxImage renderPage(LayoutPrintout& printout, int page, int ppi = 100) {
    wxBitmap bitmap(kPageW, kPageH, 24);
    wxMemoryDC dc(bitmap);
    printout.SetDC(&dc);
    printout.SetPageSizePixels(kPageW, kPageH);
    printout.SetPPIPrinter(ppi, ppi);
    printout.SetPPIScreen(dc.GetPPI());
    printout.SetPaperRectPixels(wxRect(0, 0, kPageW, kPageH));
    printout.OnPreparePrinting();
    EXPECT_TRUE(printout.OnPrintPage(page));
    dc.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
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

// Every third pixel of every third row that is coloured (or with `inked`, not white).
int countPixels(const wxImage& image, bool inked = false) {
    int n = 0;
    for (int y = 0; y < image.GetHeight(); y += 3)
        for (int x = 0; x < image.GetWidth(); x += 3) {
            const int r = image.GetRed(x, y), g = image.GetGreen(x, y), b = image.GetBlue(x, y);
            n += inked ? r < 250 : r != g || g != b;
        }
    return n;
}

TEST(PrintOptionsDialogTest, OkCopiesAllSevenOptions) {
    PrintOptions options;
    options.scalingMode = ScalePercentage;
    auto* dialog = new PrintOptionsDialog(nullptr, options);
    dialog->scaling()->SetSelection(ScaleActual);
    dialog->denominator()->SetValue(87);
    dialog->percentage()->SetValue(250);
    dialog->levels()->SetSelection(LevelsAll);
    dialog->colors()->SetSelection(PrintInGreyscale);
    dialog->grid()->SetValue(true);
    dialog->baseboard()->SetValue(false);
    EXPECT_EQ(options.scalingMode, ScalePercentage) << "nothing copied before OK";
    ASSERT_TRUE(dialog->TransferDataFromWindow());
    EXPECT_EQ(std::make_tuple(options.scalingMode, options.scaleDenominator, options.percentage,
                              options.levelMode, options.colorMode, options.includeGrid,
                              options.includeBaseboard),
              std::make_tuple(int(ScaleActual), 87, 250, int(LevelsAll), int(PrintInGreyscale),
                              true, false));
    dialog->Destroy();
}

TEST(LayoutPrintoutTest, PagesDrawInColourOrGreyAtAnyPrinterResolution) {
    Layout layout = twoLevels();
    PrintOptions options; // fit, active level only, colour
    LayoutPrintout colour(kPrintoutTitle, layout, options);
    EXPECT_GT(countPixels(renderPage(colour, 1)), 100);

    options.colorMode = PrintInGreyscale;
    LayoutPrintout grey(kPrintoutTitle, layout, options);
    const wxImage greyPage = renderPage(grey, 1);
    EXPECT_EQ(countPixels(greyPage), 0);
    EXPECT_GT(countPixels(greyPage, true), 100) << "the track is on the page";
    // A fine printer's page is drawn coarser and stretched over the whole page.
    const wxImage fine = renderPage(grey, 1, 1200);
    EXPECT_NEAR(countPixels(fine, true), countPixels(greyPage, true),
                countPixels(greyPage, true) / 10);

    colour.SetDC(nullptr);
    EXPECT_FALSE(colour.OnPrintPage(1)) << "no device context";
}

using PrintCommands = MainFrameFixture;

TEST_F(PrintCommands, PreviewOpensAndClosesLeavingLevelsAsTheyWere) {
    layout() = twoLevels();
    command(CmdPreview);
    wxWindow* preview = nullptr;
    ASSERT_TRUE(waitFor([&] {
        preview = wxWindow::FindWindowByLabel("Print Preview -- Plandor");
        return preview != nullptr;
    }));
    settle();
    preview->Close(true);
    settle();
    EXPECT_TRUE(layout().findLevel(1)->visible);
    EXPECT_FALSE(layout().findLevel(2)->visible);
}

TEST_F(PrintCommands, CancelledPrintOptionsPrintNothingAndKeepTheOptions) {
    wxTEST_DIALOG(command(CmdPrint), Drive<PrintOptionsDialog>(
                                         [](PrintOptionsDialog* dialog) {
                                             dialog->scaling()->SetSelection(ScaleActual);
                                             dialog->grid()->SetValue(true);
                                         },
                                         wxID_CANCEL));
    settle();
    // A second look at the options shows them as they were: fit to page, no grid.
    wxTEST_DIALOG(command(CmdPrint), Drive<PrintOptionsDialog>(
                                         [](PrintOptionsDialog* dialog) {
                                             EXPECT_EQ(dialog->scaling()->GetSelection(),
                                                       ScaleFitToPage);
                                             EXPECT_FALSE(dialog->grid()->GetValue());
                                         },
                                         wxID_CANCEL));
}

// The written files checked with the tools people open them with.
TEST(PlanExportFiles, PdfPagesAreA4SvgIsWellFormedAndPngHasTheSheetSize) {
    const std::string dir = tempFolder();
    Layout layout = emptyLayout();
    layout.baseboard = {{0, 0}, {2000, 0}, {2000, 1000}, {0, 1000}};
    addPiece(layout, "24188", 100, 100);
    addPiece(layout, "24130", 900, 500);

    ASSERT_EQ(exportPlanFile(layout, {ExportFormat::Pdf, 1, PaperSize::A4}, dir + "/plan.pdf"), "");
    const std::string info = commandOutput("pdfinfo " + dir + "/plan.pdf");
    EXPECT_NE(info.find("Pages:           44"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;

    ASSERT_EQ(exportPlanFile(layout, {ExportFormat::Svg, 10, PaperSize::A4}, dir + "/plan.svg"),
              "");
    EXPECT_EQ(commandOutput("xmllint --noout " + dir + "/plan.svg"), "");

    usePng();
    ASSERT_EQ(exportPlanFile(layout, {ExportFormat::Png, 10, PaperSize::A4}, dir + "/plan.png"),
              "");
    wxImage image;
    ASSERT_TRUE(image.LoadFile(dir + "/plan.png", wxBITMAP_TYPE_PNG));
    const ExportPlan plan = planExport(layout, {ExportFormat::Png, 10, PaperSize::A4});
    EXPECT_EQ(image.GetSize(), wxSize(plan.width, plan.height));
    EXPECT_GT(countPixels(image), 100);

    EXPECT_NE(exportPlanFile(layout, {ExportFormat::Pdf, 0, PaperSize::A4}, dir + "/no/x.pdf"), "");
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace plandor::guitest
