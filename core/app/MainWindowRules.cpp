#include "core/app/MainWindowRules.h"
#include "core/base/Translate.h"

#include "core/app/Commands.h"
#include "core/base/Units.h"
#include "core/catalog/TrackCatalog.h"
#include "core/document/Document.h"
#include "core/editing/Selection.h"
#include "core/elevation/Grades.h"
#include "core/model/Layout.h"
#include "core/model/PartLookup.h"

#include <algorithm>

namespace plandor {

const char* const kBaseTitle = TR_NOOP("Plandor v1.3 by Korvane Models");

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

StatusTexts statusTexts(const Layout& layout, const Change& change, const std::string& shown) {
    static const std::string kGradeControlsMark = "\xE2\x96\xB2"; // U+25B2 in UTF-8
    StatusTexts texts;
    texts.pieces = formatText(trPlural("Pieces: %zu", "Pieces: %zu", layout.pieces.size()).c_str(),
                              layout.pieces.size());
    if (!layout.gradeRuns.empty()) {
        texts.message = elevationStatusText(layout);
        return texts;
    }
    texts.message = !change.message.empty() ? change.message
                    : change.replaced()     ? std::string()
                                            : shown;
    if (texts.message.empty() ||
        texts.message.compare(0, kGradeControlsMark.size(), kGradeControlsMark) == 0)
        texts.message = tr(kReadyStatus);
    return texts;
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

StatusTexts statusTexts(const Layout& layout) {
    return statusTexts(layout, Change(Change::Replaced), std::string());
}

std::string exportedToText(const std::string& path) {
    return tr("Exported to: ") + path;
}

Change applyToolSwitch(Document& doc, const ToolSwitch& s) {
    if (!s.deselect)
        return Change(Change::ViewSettings);
    clearSelection(doc.layout);
    return Change(Change::Selection);
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

namespace {
std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
} // namespace

std::string readingStatusText(const std::string& path) {
    return trFormat("Reading %s...", fileNameOf(path).c_str());
}

std::string readingStatusText(const std::string& path, int percent) {
    return trFormat("Reading %s... %d%%", fileNameOf(path).c_str(), percent);
}

} // namespace plandor
