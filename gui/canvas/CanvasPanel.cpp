#include "canvas/CanvasPanel.h"

#include "shell/Document.h"

namespace plandor {

struct CanvasPanel::Impl {
    Document& doc;
    std::function<void(int, const std::string&)> statusSink;
};

CanvasPanel::CanvasPanel(wxWindow* parent, Document& doc)
    : wxPanel(parent, wxID_ANY), impl_(new Impl{doc, {}}) {
    SetBackgroundColour(*wxWHITE);
}

CanvasPanel::~CanvasPanel() = default;

void CanvasPanel::setStatusSink(std::function<void(int, const std::string&)> sink) {
    impl_->statusSink = std::move(sink);
}
void CanvasPanel::zoomIn() {}
void CanvasPanel::zoomOut() {}
void CanvasPanel::zoomToFit() {}
void CanvasPanel::resetViewLarge() {}
void CanvasPanel::resetViewDefault() {}
void CanvasPanel::setShowGrid(bool) { Refresh(); }
void CanvasPanel::layoutChanged() { Refresh(); }

} // namespace plandor
