#pragma once
// The central 2D editing surface: paints the layout through the renderer and forwards
// input to the core. Kept free of other wx headers so the frame can include it cheaply.

#include <wx/panel.h>

#include <functional>
#include <memory>
#include <string>

namespace plandor {

struct Document;

class CanvasPanel : public wxPanel {
public:
    CanvasPanel(wxWindow* parent, Document& doc);
    ~CanvasPanel() override;

    // Called with (status field, text) whenever the canvas has something for the status bar.
    void setStatusSink(std::function<void(int, const std::string&)> sink);

    // View operations offered to the main window.
    void zoomIn();
    void zoomOut();
    void zoomToFit();
    void resetViewLarge();
    void resetViewDefault();
    void setShowGrid(bool on);
    // The layout or the view changed: redraw the kept picture on the next paint.
    void layoutChanged();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace plandor
