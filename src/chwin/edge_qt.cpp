#include "chwin/edge_qt.h"

namespace prismel {

namespace {

// One line on the top and left in the first colour, bottom and right in the
// second, just inside r.
void box_lines(QPainter& p, const QRect& r, const QColor& top_left, const QColor& bottom_right) {
    const int x0 = r.left(), y0 = r.top(), x1 = r.right(), y1 = r.bottom();
    p.setPen(top_left);
    p.drawLine(x0, y0, x1 - 1, y0);
    p.drawLine(x0, y0, x0, y1 - 1);
    p.setPen(bottom_right);
    p.drawLine(x0, y1, x1, y1);
    p.drawLine(x1, y0, x1, y1);
}

}  // namespace

void draw_edge_qt(QPainter& p, const QRect& r, QtEdge kind) {
    const QColor light(0xFF, 0xFF, 0xFF), face(0xE3, 0xE3, 0xE3);
    const QColor shadow(0xA0, 0xA0, 0xA0), dark(0x69, 0x69, 0x69);
    p.save();
    if (kind == QtEdge::Raised) {
        box_lines(p, r, face, dark);
        box_lines(p, r.adjusted(1, 1, -1, -1), light, shadow);
    } else {
        box_lines(p, r, shadow, light);
        box_lines(p, r.adjusted(1, 1, -1, -1), dark, face);
    }
    p.restore();
}

}  // namespace prismel
