// Where text lands on paper and how large it is: a page of the golden layout as the print
// preview draws it and as the plan export writes it. A label sits in the same place on both,
// by its track, and covers the same part of the plan as on the canvas.
#include "GuiTestSupport.h"

#include "core/app/Commands.h"
#include "core/model/LayoutFile.h"
#include "core/render/PlanExport.h"
#include "gui/wxrender/LayoutPrintout.h"
#include "gui/wxrender/PlanExporter.h"
#include "gui/wxrender/WxPainter.h"

#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/print.h>
#ifdef __WXGTK__
#include <wx/gtk/print.h>
#endif

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace plandor::guitest {
namespace {

constexpr double kA4LongMm = 297.0;
constexpr const char* kLabelFirstWord = "Station"; // "Station <North> & yard"

// A box on paper in millimetres from the paper's top-left corner; x < 0 when not found.
struct PaperBox {
    double x = -1, y = -1, width = 0, height = 0;
};

// The first word's box on page 1 of a PDF, by pdftotext's word boxes.
PaperBox wordOnPdf(const std::string& pdf, const std::string& word) {
    const std::string html = commandOutput("pdftotext -bbox -f 1 -l 1 '" + pdf + "' -");
    std::istringstream lines(html);
    for (std::string line; std::getline(lines, line);) {
        if (line.find(">" + word + "<") == std::string::npos)
            continue;
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        if (std::sscanf(line.c_str(), " <word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"",
                        &x0, &y0, &x1, &y1) == 4) {
            const double mm = 25.4 / 72;
            return {x0 * mm, y0 * mm, (x1 - x0) * mm, (y1 - y0) * mm};
        }
    }
    return {};
}

// The label's pale background on a page picture that spans the whole paper.
PaperBox labelOnPicture(const wxImage& page, double paperWidthMm) {
    int x0 = page.GetWidth(), y0 = page.GetHeight(), x1 = -1, y1 = -1;
    for (int y = 0; y < page.GetHeight(); ++y)
        for (int x = 0; x < page.GetWidth(); ++x) {
            const int r = page.GetRed(x, y), g = page.GetGreen(x, y), b = page.GetBlue(x, y);
            if (r >= 250 && g >= 250 && b >= 205 && b <= 235) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    if (x1 < 0)
        return {};
    const double mm = paperWidthMm / page.GetWidth();
    return {x0 * mm, y0 * mm, (x1 - x0 + 1) * mm, (y1 - y0 + 1) * mm};
}

#ifdef __WXGTK__
// The toolkit's own preview, whose page picture is the one the preview window shows.
class PagePreview : public wxGtkPrintPreview {
  public:
    PagePreview(wxPrintout* printout, wxPrintDialogData* data)
        : wxGtkPrintPreview(printout, nullptr, data) {}
    // The page at 100 % zoom, drawn as the preview window draws it.
    wxImage page(int pageNumber) {
        wxBitmap bitmap(std::lround(m_previewScaleX * m_pageWidth),
                        std::lround(m_previewScaleY * m_pageHeight), 24);
        if (!RenderPageIntoBitmap(bitmap, pageNumber))
            return wxImage();
        return bitmap.ConvertToImage();
    }
};
#endif

struct GoldenLayout {
    Layout layout;
    GoldenLayout() {
        std::string name;
        EXPECT_EQ(loadLayout(layout, PLANDOR_TEST_DATA "/print_label.plo", name), "");
        // The baseboard's dimension boxes share the label's pale colour: left out, so the
        // label is the one pale box on the page.
        layout.showBaseboard = false;
    }
    // Millimetres of paper per millimetre of plan on the fitted A4 page.
    double paperPerPlan() const {
        const ExportPlan plan = planExport(layout, {ExportFormat::Pdf, 0, PaperSize::A4});
        return plan.grid.scale / (kExportDpi / 25.4);
    }
    // The label's height on the canvas at scale 1, in millimetres of the plan.
    double labelHeightOnPlan() {
        wxBitmap pixel(1, 1);
        wxMemoryDC dc(pixel);
        WxPainter painter(dc);
        painter.setFont(Font{11, true});
        return painter.textExtent(layout.labels.at(0).text).height;
    }
};

#ifdef __WXGTK__
TEST(PrintedLabel, LiesWhereTheExportPutsItAndKeepsItsSizeOnThePlan) {
    GoldenLayout golden;
    const std::string dir = tempFolder();
    ASSERT_EQ(
        exportPlanFile(golden.layout, {ExportFormat::Pdf, 0, PaperSize::A4}, dir + "/plan.pdf"),
        "");
    const PaperBox exported = wordOnPdf(dir + "/plan.pdf", kLabelFirstWord);
    std::filesystem::remove_all(dir);
    ASSERT_GE(exported.x, 0) << "no label in the exported PDF";

    // A4 across, as the export turned it for this wide plan; all levels, as the export shows.
    wxPrintData paper;
    paper.SetPaperId(wxPAPER_A4);
    paper.SetOrientation(wxLANDSCAPE);
    wxPrintDialogData data(paper);
    PrintOptions options;
    options.levelMode = LevelsAll;
    options.includeBaseboard = false;
    PagePreview preview(new LayoutPrintout(kPrintoutTitle, golden.layout, options), &data);
    ASSERT_TRUE(preview.IsOk());
    const wxImage page = preview.page(1);
    ASSERT_TRUE(page.IsOk());
    const PaperBox previewed = labelOnPicture(page, kA4LongMm);
    ASSERT_GE(previewed.x, 0) << "no label in the preview";

    EXPECT_NEAR(previewed.x, exported.x, 2.0);
    EXPECT_NEAR(previewed.y, exported.y, 2.0);
    const double paperPerPlan = golden.paperPerPlan();
    const double onPlan = golden.labelHeightOnPlan();
    EXPECT_NEAR(previewed.height / paperPerPlan, onPlan, onPlan * 0.3)
        << "the label covers as much of the plan as on the canvas";
    EXPECT_NEAR(exported.height / paperPerPlan, onPlan, onPlan * 0.3);
}

// With the active level (almost) empty the page still shows the label whole, at its size on
// the plan, not blown up past the paper's edge.
TEST(PrintedLabel, ActiveLevelOnlyPageKeepsTheLabelOnThePaper) {
    GoldenLayout golden;
    wxPrintData paper;
    paper.SetPaperId(wxPAPER_A4);
    paper.SetOrientation(wxLANDSCAPE);
    wxPrintDialogData data(paper);
    PrintOptions activeOnly; // the default: the active level only
    activeOnly.includeBaseboard = false;
    PagePreview preview(new LayoutPrintout(kPrintoutTitle, golden.layout, activeOnly), &data);
    ASSERT_TRUE(preview.IsOk());
    const wxImage page = preview.page(1);
    const PaperBox label = labelOnPicture(page, kA4LongMm);
    ASSERT_GE(label.x, 0);
    EXPECT_LT(label.x + label.width, kA4LongMm * 0.97) << "the label runs off the page";
    const double paperPerPlan = golden.paperPerPlan();
    EXPECT_NEAR(label.height / paperPerPlan, golden.labelHeightOnPlan(),
                golden.labelHeightOnPlan() * 0.3);
}
#endif

} // namespace
} // namespace plandor::guitest
