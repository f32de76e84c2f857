#include "core/model/LayoutFields.h"
#include "core/model/LayoutFile.h"

namespace plandor {

using namespace layoutfile;

namespace {

void writePoints(LineWriter& w, int indent, std::string_view tag,
                 const std::vector<Point>& points) {
    for (const Point& p : points)
        writeRecordLine(w, indent, tag, kPointFields, p);
}

void writeGradeRuns(LineWriter& w, const Layout& layout) {
    if (layout.gradeRuns.empty())
        return;
    w.open(2, "grade_runs");
    w.endOpen();
    for (const GradeRun& run : layout.gradeRuns)
        writeRecordLine(w, 4, "run", kRunFields, run);
    w.close(2, "grade_runs");
}

void writeScenery(LineWriter& w, std::string& out, const Layout& layout) {
    if (layout.scenery.empty())
        return;
    w.open(2, "scenery");
    w.endOpen();
    for (const SceneryItem& item : layout.scenery)
        appendSceneryItemLine(out, item, 4);
    w.close(2, "scenery");
}

void writeLevels(LineWriter& w, const Layout& layout) {
    if (layout.levels.empty())
        return;
    w.open(2, "levels");
    writeFields(w, kLevelsFields, layout);
    w.endOpen();
    for (const Level& level : layout.levels) {
        w.open(4, "level");
        writeFields(w, kLevelFields, level);
        // An outline of fewer than 3 points encloses nothing and is not stored.
        if (level.outline.size() < 3) {
            w.endSelf();
            continue;
        }
        w.endOpen();
        writePoints(w, 6, "pt", level.outline);
        w.close(4, "level");
    }
    w.close(2, "levels");
}

void writeBaseboard(LineWriter& w, const Layout& layout) {
    if (layout.baseboard.empty())
        return;
    w.open(2, "baseboard");
    w.endOpen();
    writePoints(w, 4, "vertex", layout.baseboard);
    w.close(2, "baseboard");
}

void writeLabels(LineWriter& w, const Layout& layout) {
    if (layout.labels.empty())
        return;
    w.open(2, "labels");
    w.endOpen();
    for (const LayoutLabel& label : layout.labels)
        writeRecordLine(w, 4, "label", kLabelFields, label);
    w.close(2, "labels");
}

void writeShapes(LineWriter& w, const Layout& layout) {
    if (layout.shapes.empty())
        return;
    w.open(2, "shapes");
    w.endOpen();
    for (const PolygonShape& shape : layout.shapes) {
        w.open(4, "shape");
        writeFields(w, kShapeFields, shape);
        w.endOpen();
        writePoints(w, 6, "v", shape.vertices);
        w.close(4, "shape");
    }
    w.close(2, "shapes");
}

void writeTunnels(LineWriter& w, const Layout& layout) {
    if (layout.tunnels.empty())
        return;
    w.open(2, "tunnels");
    w.endOpen();
    for (const Tunnel& tunnel : layout.tunnels) {
        w.open(4, "tunnel");
        writeFields(w, kTunnelFields, tunnel);
        w.endOpen();
        for (int32_t piece : tunnel.covers)
            writeRecordLine(w, 6, "covers", kCoverFields, CoverLine{piece});
        w.close(4, "tunnel");
    }
    w.close(2, "tunnels");
}

void writeHelices(LineWriter& w, const Layout& layout) {
    if (layout.helices.empty())
        return;
    w.open(2, "helices");
    w.endOpen();
    for (const Helix& helix : layout.helices)
        writeRecordLine(w, 4, "helix", kHelixFields, helix);
    w.close(2, "helices");
}

std::size_t estimatedFileSize(const Layout& layout) {
    std::size_t joints = 0;
    for (const PlacedPiece& p : layout.pieces)
        joints += p.joints.size();
    return 1024 + layout.pieces.size() * 200 + joints * 60 + layout.scenery.size() * 200 +
           layout.labels.size() * 120 + layout.shapes.size() * 400 + layout.helices.size() * 200 +
           layout.tunnels.size() * 200;
}

std::string layoutText(const Layout& layout, const std::string& name) {
    std::string out;
    out.reserve(estimatedFileSize(layout));
    LineWriter w(out);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    w.open(0, "layout");
    writeFields(w, kHeadFields,
                FileHead{name, 1, layout.units, layout.minClearanceH0, layout.minClearanceZ});
    w.endOpen();
    writeGradeRuns(w, layout);
    w.open(2, "pieces");
    w.endOpen();
    appendPieceLines(out, layout.pieces, 4);
    w.close(2, "pieces");
    writeScenery(w, out, layout);
    writeLevels(w, layout);
    writeBaseboard(w, layout);
    w.open(2, "lastshape");
    writeFields(w, kLastShapeFields, layout);
    w.endSelf();
    writeLabels(w, layout);
    writeShapes(w, layout);
    writeTunnels(w, layout);
    writeHelices(w, layout);
    w.close(0, "layout");
    return out;
}
} // namespace

std::string escapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    LineWriter(out).appendEscaped(text);
    return out;
}

void appendPieceLines(std::string& out, const std::vector<PlacedPiece>& pieces, int indent) {
    LineWriter w(out);
    for (const PlacedPiece& p : pieces) {
        w.open(indent, "piece");
        writeFields(w, kPieceFields, p);
        w.endOpen();
        for (std::size_t c = 0; c < p.joints.size(); ++c) {
            const Joint& j = p.joints[c];
            if (!j.isFree())
                writeRecordLine(w, indent + 2, "joint", kJointFields,
                                JointLine{static_cast<int32_t>(c), j.target, j.targetConn});
        }
        w.close(indent, "piece");
    }
}

void appendSceneryItemLine(std::string& out, const SceneryItem& item, int indent) {
    LineWriter w(out);
    writeRecordLine(w, indent, "sceneryitem", kSceneryFields, item);
}

std::string saveLayout(const Layout& layout, const std::string& path, const std::string& name) {
    return writeFileReplacing(path, layoutText(layout, name));
}

std::string layoutFileText(const Layout& layout, const std::string& name) {
    return layoutText(layout, name);
}

} // namespace plandor
