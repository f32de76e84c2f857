#pragma once
// The small popup beside the palette's Track list that shows a drawing of the piece under
// the mouse.

#include "core/render/LayoutRenderer.h"

#include <wx/popupwin.h>

namespace plandor {

struct PieceDef;

class PiecePreviewPopup : public wxPopupWindow {
  public:
    explicit PiecePreviewPopup(wxWindow* parent);

    // Shows `def` with the popup's top-left corner at a screen position.
    void showPiece(const PieceDef& def, const wxPoint& screenPosition);
    // Hides the popup and forgets its piece.
    void hidePreview();
    const PieceDef* piece() const { return def_; }

  private:
    void onPaint(wxPaintEvent& event);

    const PieceDef* def_ = nullptr;
    LayoutRenderer renderer_;
};

} // namespace plandor
