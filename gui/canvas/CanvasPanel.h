#pragma once
// The central 2D editing surface: paints the layout through the renderer and forwards
// input to the core. Kept free of other wx headers so the frame can include it cheaply.

#include "core/canvas/ToolMode.h"

#include <wx/panel.h>

#include <cstdint>

class wxBitmap;
class wxDC;

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plandor {

struct Document;
struct Change;
struct CanvasReply;
struct PaletteAction;
struct CheckMark;
class CanvasController;
class CanvasView;
class Prompter;
namespace request {
struct ShowMenu;
}

class CanvasPanel : public wxPanel {
  public:
    // Questions and refusals go to `prompter`; without one the panel asks with its own dialogs.
    CanvasPanel(wxWindow* parent, Document& doc, Prompter* prompter = nullptr);
    ~CanvasPanel() override;

    // Called with the cursor's position text whenever the mouse moves over the canvas.
    void setPositionSink(std::function<void(const std::string&)> sink);
    // Called with what an event changed in the document; the owner redraws the picture with
    // layoutChanged(). Without an owner the panel redraws it itself.
    void setChangeSink(std::function<void(const Change&)> sink);
    // Called with the world point of a Ctrl+click on empty canvas (where the next label goes).
    void setLabelDropSink(std::function<void(double, double)> sink);
    // Called with the id of a scenery item double-clicked on the canvas.
    void setResizeScenerySink(std::function<void(int32_t)> sink);
    // A double-click on a polygon asks for its properties dialog.
    void setShapePropertiesSink(std::function<void(int32_t)> sink);

    // Called when a drawing tool finished or was cancelled on the canvas.
    void setToolEndSink(std::function<void(ToolMode)> sink);
    // Starts a drawing tool with the cross-hair cursor and the keyboard focus; None ends it.
    void setToolMode(ToolMode mode);

    // A piece or helix from the palette follows the mouse until a click drops it.
    void beginPlacing(const PaletteAction& action);
    bool placing() const;

    // View operations offered to the main window.
    void zoomIn();
    void zoomOut();
    void zoomToFit();
    void resetViewLarge();
    void resetViewDefault();
    void setShowGrid(bool on);
    // Pans, keeping the scale, so that the world point lies in the middle.
    void centreOn(double x, double y);
    // The layout or the view changed: redraw the kept picture on the next paint.
    void layoutChanged();
    // The layout changed as `change` says: a bounded change redraws only its part of the picture.
    void layoutChanged(const Change& change);
    // The whole layout was replaced: no gesture of the old one goes on.
    void layoutReplaced();
    // Marks shown over the plan until replaced (an empty list removes them).
    void setCheckMarks(std::vector<CheckMark> marks);
    const std::vector<CheckMark>& checkMarks() const;

    // Carries out a reply of the controller to a command of the main window.
    void applyReply(const CanvasReply& reply);
    // The Edit menu's Paste: at the mouse when it is over the canvas, else at the view's centre.
    void pasteAtMouseOrCentre();

    const CanvasView& view() const;
    CanvasController& controller();
    // How many times the kept picture of the layout has been drawn (for tests and benches).
    int pictureRenderCount() const;
    // How many times a part of the kept picture was redrawn for a bounded change.
    int pictureAreaRenderCount() const;
    // The kept picture as last drawn (for tests).
    const wxBitmap& keptPicture() const;

  private:
    void syncClientSize();
    // Carries out what the core answered to an event.
    void apply(const CanvasReply& reply, wxEvent& event);
    // Redraws the kept picture when the layout, the view or the size differ from its own.
    void updatePicture(int width, int height);
    // Redraws the pending rectangle of a bounded change into the kept picture.
    void updatePictureArea(int width, int height);
    // While the selection moves: the kept plan without the selection, and the selection over it.
    void paintMovingSelection(wxDC& dc, int width, int height);
    // Repaints where the overlays were and now are (the whole window when the view changed).
    void refreshOverlays();
    // Repaints where the moving selection was and now is.
    void refreshMovingSelection();

    void onPaint(wxPaintEvent& event);
    void onSize(wxSizeEvent& event);
    void onMotion(wxMouseEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onLeftUp(wxMouseEvent& event);
    void onLeftDoubleClick(wxMouseEvent& event);
    void onRightDown(wxMouseEvent& event);
    void showMenu(const request::ShowMenu& asked);
    void onMiddleDown(wxMouseEvent& event);
    void onMiddleUp(wxMouseEvent& event);
    void onWheel(wxMouseEvent& event);
    void onKeyDown(wxKeyEvent& event);
    void onCaptureLost(wxMouseCaptureLostEvent& event);

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace plandor
