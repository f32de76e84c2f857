#pragma once
// The central 2D editing surface: paints the layout through the renderer and forwards
// input to the core. Kept free of other wx headers so the frame can include it cheaply.

#include <wx/panel.h>

#include <functional>
#include <memory>
#include <string>

namespace plandor {

struct Document;
struct CanvasReply;
class CanvasView;

class CanvasPanel : public wxPanel {
  public:
    // Private command of the Delete / Backspace accelerator.
    static constexpr int kDeleteSelectionId = 5038;

    CanvasPanel(wxWindow* parent, Document& doc);
    ~CanvasPanel() override;

    // Called with (status field, text) whenever the canvas has something for the status bar.
    void setStatusSink(std::function<void(int, const std::string&)> sink);
    // Called when the canvas changed the selection (the properties panel shows it).
    void setSelectionSink(std::function<void()> sink);

    // View operations offered to the main window.
    void zoomIn();
    void zoomOut();
    void zoomToFit();
    void resetViewLarge();
    void resetViewDefault();
    void setShowGrid(bool on);
    // The layout or the view changed: redraw the kept picture on the next paint.
    void layoutChanged();

    const CanvasView& view() const;
    // How many times the kept picture of the layout has been drawn (for tests and benches).
    int pictureRenderCount() const;

  private:
    void syncClientSize();
    // Carries out what the core answered to an event.
    void apply(const CanvasReply& reply, wxEvent& event);
    // Redraws the kept picture when the layout, the view or the size differ from its own.
    void updatePicture(int width, int height);

    void onPaint(wxPaintEvent& event);
    void onSize(wxSizeEvent& event);
    void onMotion(wxMouseEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onLeftUp(wxMouseEvent& event);
    void onMiddleDown(wxMouseEvent& event);
    void onMiddleUp(wxMouseEvent& event);
    void onWheel(wxMouseEvent& event);
    void onKeyDown(wxKeyEvent& event);
    void onCaptureLost(wxMouseCaptureLostEvent& event);
    void onDeleteSelection(wxCommandEvent& event);

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace plandor
