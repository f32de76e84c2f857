#include "gui/wxrender/PlanExporter.h"

#include "core/base/AtomicFile.h"
#include "core/model/Layout.h"
#include "core/render/LayoutRenderer.h"
#include "core/render/PrintLayout.h"
#include "gui/wxrender/WxPainter.h"

#include <wx/dcgraph.h>
#include <wx/graphics.h>

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <memory>

namespace plandor {

namespace {

constexpr double kPointsPerInch = 72.0;

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

// Cairo hands every piece of the file to this, and stops writing at the first failure.
cairo_status_t writeToFile(void* closure, const unsigned char* data, unsigned int length) {
    return static_cast<AtomicFile*>(closure)->write(data, length) ? CAIRO_STATUS_SUCCESS
                                                                  : CAIRO_STATUS_WRITE_ERROR;
}

// PDF and SVG measure in points; the drawing is in device pixels of kExportDpi. They are
// written to `file` as they are drawn; a PNG is drawn in memory and written at the end.
Surface createSurface(ExportFormat format, AtomicFile& file, int width, int height) {
    const double w = width * kPointsPerInch / kExportDpi, h = height * kPointsPerInch / kExportDpi;
    switch (format) {
    case ExportFormat::Pdf:
        return Surface(cairo_pdf_surface_create_for_stream(writeToFile, &file, w, h));
    case ExportFormat::Svg:
        return Surface(cairo_svg_surface_create_for_stream(writeToFile, &file, w, h));
    default:
        return Surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    }
}

void drawPage(cairo_t* cr, Layout& layout, const ExportPlan& plan, LayoutRenderer& renderer,
              int page) {
    wxGraphicsContext* gc =
        wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cr);
    wxGCDC dc(gc); // owns gc
    WxPainter painter(dc, WxPainter::screenFontScale(dc));
    drawPrintPage(painter, renderer, layout, plan.options,
                  pageView(plan.box, plan.grid, page, plan.width, plan.height), plan.width,
                  plan.height);
}

} // namespace

std::string exportPlanFile(Layout& layout, const PlanExportOptions& options,
                           const std::string& path) {
    // Everything is refused before a byte is written, and the file at `path` is replaced only
    // once the new one is whole.
    const ExportPlan plan = planExport(layout, options);
    if (!plan.error.empty())
        return plan.error;
    AtomicFile file(path);
    if (file.failed())
        return file.commit();
    Surface surface = createSurface(options.format, file, plan.width, plan.height);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return "Cannot write file: " + path;
    Context cr(cairo_create(surface.get()));
    if (options.format != ExportFormat::Png)
        cairo_scale(cr.get(), kPointsPerInch / kExportDpi, kPointsPerInch / kExportDpi);

    LayoutRenderer renderer;
    for (int page = 1; page <= plan.grid.pageCount() && !file.failed(); ++page) {
        cairo_save(cr.get());
        drawPage(cr.get(), layout, plan, renderer, page);
        cairo_restore(cr.get());
        cairo_show_page(cr.get());
    }
    cr.reset();

    cairo_status_t status = CAIRO_STATUS_SUCCESS;
    if (options.format == ExportFormat::Png)
        status = cairo_surface_write_to_png_stream(surface.get(), writeToFile, &file);
    cairo_surface_finish(surface.get());
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(surface.get());
    if (status != CAIRO_STATUS_SUCCESS && !file.failed())
        return "Cannot write file: " + path; // drawing failed; the uncommitted file goes
    return file.commit();
}

} // namespace plandor
