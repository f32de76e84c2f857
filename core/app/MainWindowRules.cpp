#include "core/app/MainWindowRules.h"

#include "core/app/Commands.h"
#include "core/base/Units.h"
#include "core/catalog/TrackCatalog.h"
#include "core/document/Document.h"
#include "core/editing/Selection.h"
#include "core/model/Layout.h"
#include "core/model/PartLookup.h"

#include <algorithm>

namespace plandor {

const char* const kBaseTitle = "Plandor v1.3 by Korvane Models";
const char* const kStatusReady = "Ready";
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
    std::string title = kBaseTitle;
    if (!displayName.empty())
        title += " - " + displayName;
    else if (!path.empty())
        title += " - " + stemOf(path);
    if (modified)
        title += " *";
    return title;
}

std::string pieceCountText(std::size_t pieces) {
    return "Pieces: " + std::to_string(pieces);
}

std::string statusAfterOpen(const Layout& layout) {
    if (layout.gradeRuns.empty())
        return kStatusReady;
    std::string text = "[ELEV]";
    for (const GradeRun& run : layout.gradeRuns)
        text += formatText(" %.1f deg", run.deg);
    return text + "  (right-click piece to stop)";
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
