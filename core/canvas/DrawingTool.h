#pragma once
// The canvas's drawing tools: the measuring tape (two clicks) and the outline tool that
// draws a polygon shape or the baseboard vertex by vertex. The controller forwards clicks,
// motion and keys while a tool is on; every change of the layout is one edit.

#include "core/base/Geometry.h"
#include "core/canvas/ToolMode.h"
#include "core/document/Document.h"
#include "core/render/ViewTransform.h"

#include <vector>

namespace plandor {

// A click within this many pixels of the first vertex closes an outline of three or more.
constexpr double kCloseOutlinePx = 10.0;

// Whether a click at `at` closes the outline rather than adding a vertex.
bool closesOutline(const std::vector<Point>& vertices, Point at, const ViewTransform& view);

// What the canvas draws for the tool in use.
struct ToolOverlay {
    bool measuring = false; // a line from `start` to the cursor
    Point start;
    bool outline = false; // the vertices drawn so far, then a segment to the cursor
    std::vector<Point> vertices;
    bool closeMarker = false; // the cursor is over the first vertex: a click closes
    bool cursorKnown = false;
    Point cursor;
    Units units = Units::Millimetres;
};

// What a tool event did.
struct ToolResult {
    bool handled = false;
    bool repaint = false;
    Change change;
    ToolMode ended = ToolMode::None; // the tool that finished or was cancelled
};

class DrawingTool {
  public:
    ToolMode mode() const { return mode_; }
    bool active() const { return mode_ != ToolMode::None; }
    // Starts a tool (None switches off); whatever was being drawn is dropped.
    void start(ToolMode mode);

    ToolResult click(Document& doc, Point at, const ViewTransform& view);
    void motion(Point at);
    ToolResult escape();
    ToolResult backspace();
    ToolResult enter(Document& doc);

    const std::vector<Point>& vertices() const { return vertices_; }
    bool measuring() const { return measuring_; }
    ToolOverlay overlay(const ViewTransform& view, Units units) const;

  private:
    bool drawingOutline() const {
        return mode_ == ToolMode::Polygon || mode_ == ToolMode::Baseboard;
    }
    ToolResult closeOutline(Document& doc);
    ToolResult finish(Change change);

    ToolMode mode_ = ToolMode::None;
    bool measuring_ = false;
    Point measureStart_;
    std::vector<Point> vertices_;
    bool cursorKnown_ = false;
    Point cursor_;
};

} // namespace plandor
