#include "app/MainWindowRules.h"
#include "base/Translate.h"

#include "catalog/TrackCatalog.h"
#include "editing/Selection.h"
#include "document/Document.h"
#include "model/Layout.h"
#include "model/PartLookup.h"
#include "app/Commands.h"
#include "base/Units.h"

#include <algorithm>

namespace plandor {

const char* const kBaseTitle = TR_NOOP("Plandor v1.3 by Korvane Models");
const char* const kStatusReady = TR_NOOP("Ready");
const char* const kStatusStartPosition = "x: 0  y: 0 mm";

namespace {

// File name without folder and extension.
std::string stemOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = file.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        file.erase(dot);
    return file;
}

} // namespace

std::string windowTitle(const std::string& displayName, const std::string& path, bool modified) {
    std::string title = tr(kBaseTitle);
    if (!displayName.empty())
        title += " - " + displayName;
    else if (!path.empty())
        title += " - " + stemOf(path);
    if (modified)
        title += " *";
    return title;
}

std::string pieceCountText(std::size_t pieces) {
    return formatText(trPlural("Pieces: %zu", "Pieces: %zu", pieces).c_str(), pieces);
}

std::string statusAfterOpen(const Layout& layout) {
    if (layout.gradeRuns.empty())
        return tr(kStatusReady);
    std::string text = "[ELEV]";
    for (const GradeRun& run : layout.gradeRuns)
        text += shownNumber(formatText(tr(" %.1f deg").c_str(), run.deg));
    return text + tr("  (right-click piece to stop)");
}

ToolSwitch switchDrawingTool(int commandId, bool checked) {
    ToolSwitch s;
    if (!checked)
        return s;
    s.mode = commandId == CmdPolygon ? ToolMode::Polygon : ToolMode::Measure;
    s.uncheck = commandId == CmdPolygon ? CmdMeasure : CmdPolygon;
    s.crossHair = true;
    s.deselect = true;
    return s;
}

ViewAfterOpen viewAfterOpen(const Layout& layout, const TrackCatalog& catalog) {
    PartLookup parts(catalog);
    const bool zTrack = std::any_of(layout.pieces.begin(), layout.pieces.end(), [&](auto& p) {
        const PieceDef* def = parts.find(p.part);
        return def && def->system == ZTrack;
    });
    return zTrack ? ViewAfterOpen::LargeScale : ViewAfterOpen::ZoomToFit;
}

ViewAfterOpen viewAfterOpen(const Layout& layout) {
    return viewAfterOpen(layout, TrackCatalog::instance());
}

} // namespace plandor
