#include "core/canvas/CheckMarks.h"

namespace plandor {

namespace {

void drawOpenEnd(Painter& painter, ScreenPoint c) {
    painter.setPen(Pen{kOpenEndMarkPen, 2});
    painter.setBrush(Brush{kOpenEndMarkFill});
    painter.drawCircle(c, kOpenEndMarkRadius);
}

void drawClearance(Painter& painter, ScreenPoint c) {
    constexpr int r = kClearanceMarkRadius;
    constexpr int arm = r * 7 / 10; // the cross ends on the ring
    painter.setPen(Pen{kClearanceMarkPen, 3});
    painter.setBrush(Brush::none());
    painter.drawCircle(c, r);
    painter.drawLine(ScreenPoint{c.x - arm, c.y - arm}, ScreenPoint{c.x + arm, c.y + arm});
    painter.drawLine(ScreenPoint{c.x - arm, c.y + arm}, ScreenPoint{c.x + arm, c.y - arm});
}

void drawReversing(Painter& painter, ScreenPoint c) {
    constexpr int r = kClearanceMarkRadius;
    constexpr int gap = 3;
    constexpr int arm = r * 6 / 10;
    painter.setPen(Pen{kReversingMarkPen, 3});
    painter.setBrush(Brush::none());
    painter.drawCircle(c, r);
    painter.drawLine(ScreenPoint{c.x - gap, c.y - arm}, ScreenPoint{c.x - gap, c.y + arm});
    painter.drawLine(ScreenPoint{c.x + gap, c.y - arm}, ScreenPoint{c.x + gap, c.y + arm});
}

} // namespace

void drawCheckMarks(Painter& painter, const std::vector<CheckMark>& marks,
                    const ViewTransform& view, int width, int height) {
    constexpr int reach = kClearanceMarkRadius + 3;
    for (const CheckMark& mark : marks) {
        const double x = mark.at.x * view.scale + view.panX;
        const double y = mark.at.y * view.scale + view.panY;
        if (x < -reach || y < -reach || x > width + reach || y > height + reach)
            continue;
        const ScreenPoint c = view.toScreen(mark.at.x, mark.at.y);
        if (mark.kind == CheckMarkKind::OpenEnd)
            drawOpenEnd(painter, c);
        else if (mark.kind == CheckMarkKind::Reversing)
            drawReversing(painter, c);
        else
            drawClearance(painter, c);
    }
}

} // namespace plandor
