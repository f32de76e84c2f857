#include "core/canvas/DrawingTool.h"

#include "core/editing/Annotations.h"

#include <cmath>

namespace plandor {

bool closesOutline(const std::vector<Point>& vertices, Point at, const ViewTransform& view) {
    if (vertices.size() < 3)
        return false;
    const Point first = vertices.front();
    return std::hypot(at.x - first.x, at.y - first.y) <= view.pixelsToMm(kCloseOutlinePx);
}

void DrawingTool::start(ToolMode mode) {
    mode_ = mode;
    measuring_ = false;
    vertices_.clear();
    cursorKnown_ = false;
}

ToolResult DrawingTool::finish(Change change) {
    ToolResult r;
    r.handled = true;
    r.repaint = true;
    r.change = change;
    r.ended = mode_;
    start(ToolMode::None);
    return r;
}

ToolResult DrawingTool::click(Document& doc, Point at, const ViewTransform& view) {
    ToolResult r;
    if (!active())
        return r;
    r.handled = true;
    r.repaint = true;
    cursor_ = at;
    cursorKnown_ = true;
    if (mode_ == ToolMode::Measure) {
        if (!measuring_) {
            measuring_ = true;
            measureStart_ = at;
            return r;
        }
        // A click on the start point ends the tool without a record and without an undo step.
        if (!measurementLongEnough(measureStart_, at))
            return finish(Change{});
        return finish(doc.apply([&] {
            addMeasurement(doc.layout, measureStart_, at);
            return Change(Change::Annotations);
        }));
    }
    if (closesOutline(vertices_, at, view))
        return closeOutline(doc);
    vertices_.push_back(at);
    return r;
}

void DrawingTool::motion(Point at) {
    cursor_ = at;
    cursorKnown_ = true;
}

ToolResult DrawingTool::escape() {
    if (!active())
        return ToolResult{};
    return finish(Change{});
}

ToolResult DrawingTool::backspace() {
    ToolResult r;
    if (!drawingOutline())
        return r;
    r.handled = true;
    r.repaint = !vertices_.empty();
    if (!vertices_.empty())
        vertices_.pop_back();
    return r;
}

ToolResult DrawingTool::enter(Document& doc) {
    ToolResult r;
    if (!drawingOutline())
        return r;
    r.handled = true;
    if (vertices_.size() < 3)
        return r;
    return closeOutline(doc);
}

ToolResult DrawingTool::closeOutline(Document& doc) {
    Edit edit = doc.begin();
    if (mode_ == ToolMode::Polygon) {
        addPolygonShape(doc.layout, std::move(vertices_));
        return finish(edit.commit(Change(Change::Annotations)));
    }
    setFreeFormBaseboard(doc.layout, std::move(vertices_));
    return finish(edit.commit(Change(Change::Baseboard)));
}

ToolOverlay DrawingTool::overlay(const ViewTransform& view, Units units) const {
    ToolOverlay o;
    o.units = units;
    o.cursorKnown = cursorKnown_;
    o.cursor = cursor_;
    if (mode_ == ToolMode::Measure && measuring_) {
        o.measuring = true;
        o.start = measureStart_;
    }
    if (drawingOutline() && !vertices_.empty()) {
        o.outline = true;
        o.vertices = vertices_;
        o.closeMarker = cursorKnown_ && closesOutline(vertices_, cursor_, view);
    }
    return o;
}

} // namespace plandor
