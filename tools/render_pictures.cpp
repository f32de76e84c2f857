// Draws the three pictures the program carries (splash background, Buy Track help picture and
// help side picture) with the program's own 2D renderer, from generated sample layouts, and
// writes them as PNG files into the folder given on the command line (gui/resources).
// Needs a display; run under Xvfb: xvfb-run -a ./build/render_pictures gui/resources
#include "LayoutGenerator.h"

#include "core/render/LayoutRenderer.h"
#include "gui/wxrender/WxPainter.h"

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/init.h>

#include <algorithm>
#include <cstdio>
#include <string>

using namespace plandor;

namespace {

class ToolApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

// The view that shows the box (mm) centred in a width x height picture.
ViewTransform viewOf(double x0, double y0, double x1, double y1, int width, int height) {
    ViewTransform view;
    view.scale = std::min(width / (x1 - x0), height / (y1 - y0));
    view.panX = width / 2.0 - (x0 + x1) / 2 * view.scale;
    view.panY = height / 2.0 - (y0 + y1) / 2 * view.scale;
    return view;
}

wxImage draw(const Layout& layout, const ViewTransform& view, int width, int height) {
    wxBitmap bitmap(width, height, 24);
    {
        wxMemoryDC dc(bitmap);
        WxPainter painter(dc);
        LayoutRenderer renderer;
        renderer.drawLayout(painter, layout, view, width, height);
    }
    return bitmap.ConvertToImage();
}

// A dark band with the program's name across the bottom of the splash picture.
void addTitle(wxImage& image) {
    wxBitmap bitmap(image);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBrush(wxBrush(wxColour(30, 40, 60)));
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(0, image.GetHeight() - 110, image.GetWidth(), 110);
        dc.SetTextForeground(*wxWHITE);
        dc.SetFont(wxFont(30, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD));
        dc.DrawText("Plandor", 24, image.GetHeight() - 100);
        dc.SetFont(wxFont(13, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
        dc.DrawText("Plan your model railway, piece by piece.", 26, image.GetHeight() - 45);
    }
    image = bitmap.ConvertToImage();
}

bool save(const wxImage& image, const std::string& folder, const char* name) {
    const std::string path = folder + "/" + name;
    if (!image.SaveFile(path, wxBITMAP_TYPE_PNG)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("wrote %s\n", path.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_pictures <output folder>\n");
        return 2;
    }
    wxApp::SetInstance(new ToolApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    wxInitAllImageHandlers();
    const std::string folder = argv[1];

    // The double-track oval of a generated module, seen whole, in detail and turned upright.
    Layout plan = generateLayout(240, 7);
    plan.showGrid = false;
    wxImage splash = draw(plan, viewOf(3700, 650, 7000, 2850, 900, 600), 900, 600);
    addTitle(splash);
    const wxImage buyTrack = draw(plan, viewOf(3800, 900, 5400, 2713, 450, 510), 450, 510);
    plan.showGrid = true;
    plan.showLabels = false; // sideways part numbers read badly
    const wxImage help = draw(plan, viewOf(3900, 850, 6900, 2522, 660, 368), 660, 368).Rotate90();

    const bool ok = save(splash, folder, "splash.png") && save(buyTrack, folder, "buytrack.png") &&
                    save(help, folder, "help.png");
    wxEntryCleanup();
    return ok ? 0 : 1;
}
