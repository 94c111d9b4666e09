#pragma once
// Raised and sunken two-line edges around a rectangle, as the console's
// forms draw them (the cell painter has its own for the grid).
#include <QPainter>
#include <QRect>

namespace prismel {

enum class QtEdge { Raised, Sunken };

void draw_edge_qt(QPainter& p, const QRect& r, QtEdge kind);

}  // namespace prismel
