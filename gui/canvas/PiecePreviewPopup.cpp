#include "gui/canvas/PiecePreviewPopup.h"

#include "core/render/PiecePreview.h"
#include "gui/wxrender/WxPainter.h"

#include <wx/dcbuffer.h>

namespace plandor {

PiecePreviewPopup::PiecePreviewPopup(wxWindow* parent) : wxPopupWindow(parent, wxBORDER_SIMPLE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetClientSize(kPreviewWidth, kPreviewHeight);
    Bind(wxEVT_PAINT, &PiecePreviewPopup::onPaint, this);
    Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        hidePreview();
        e.Skip();
    });
    Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& e) {
        if (!e.GetActive())
            hidePreview();
        e.Skip();
    });
}

void PiecePreviewPopup::showPiece(const PieceDef& def, const wxPoint& screenPosition) {
    def_ = &def;
    Move(screenPosition);
    if (!IsShown())
        Show();
    Refresh();
}

void PiecePreviewPopup::hidePreview() {
    def_ = nullptr;
    if (IsShown())
        Hide();
}

void PiecePreviewPopup::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    if (!def_) {
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        return;
    }
    WxPainter painter(dc);
    drawPiecePreview(painter, renderer_, *def_);
}

} // namespace plandor
