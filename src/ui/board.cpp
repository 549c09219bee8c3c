#include "board.h"

#include "gamestate.h"
#include "surfacewidget.h"

#include <cmath>

namespace {

// Halves go to the even pixel, as the default rounding mode does.
int pixel(float coordinate) {
    return static_cast<int>(std::lrint(coordinate));
}

} // namespace

QRect cellRect(const Cell& cell) {
    return QRect(pixel(cell.shape.left), pixel(cell.shape.top), pixel(cell.shape.width),
                 pixel(cell.shape.height));
}

// Each corner weighed by the length of the side across from it.
QPointF triangleCentre(const Cell& cell, Side side) {
    const Shape& r = cell.shape;
    const QPointF topLeft(r.left, r.top);
    const QPointF topRight(r.left + r.width, r.top);
    const QPointF bottomRight(r.left + r.width, r.top + r.height);
    const QPointF bottomLeft(r.left, r.top + r.height);
    const std::array<std::array<QPointF, 2>, 4> edges{{{topLeft, topRight},
                                                       {topRight, bottomRight},
                                                       {bottomRight, bottomLeft},
                                                       {bottomLeft, topLeft}}};
    const auto& [a, b] = edges[static_cast<std::size_t>(side)];
    const QPointF middle = (topLeft + bottomRight) / 2; // where the diagonals cross
    const auto length = [](QPointF v) { return std::hypot(v.x(), v.y()); };
    const qreal across = length(b - a);
    const qreal fromA = length(middle - a);
    const qreal fromB = length(middle - b);
    return (a * fromB + b * fromA + middle * across) / (across + fromA + fromB);
}

BoardPainter::BoardPainter(SurfaceWidget& surface) : surface_(surface) {
    drawLines(cells_[0]);
}

void BoardPainter::clear() {
    painted_ = false;
    surface_.surface().fill(Surface::white);
    for (const Cell& cell : cells_) {
        if (cell.visible) {
            drawLines(cell);
        }
    }
    surface_.update();
}

void BoardPainter::layOut() {
    const float width = cells_[0].shape.width;
    const float height = cells_[0].shape.height;
    for (int slot = 1; slot <= slotCount; ++slot) {
        Cell& cell = cells_[static_cast<std::size_t>(slot)];
        const float left = Shape2.left + width * static_cast<float>(columnOf(slot));
        const float top = Shape2.top + height * static_cast<float>(rowOf(slot));
        cell.shape = {left, top, width, height};
        cell.line1 = {left, top, left + width, top + height};
        cell.line2 = {left + width, top, left, top + height};
        cell.visible = true;
        drawLines(cell);
        repaint(cell);
    }
}

void BoardPainter::wipe(std::int16_t index) {
    const Cell& cell = Shape1(index);
    const QRect r = cellRect(cell);
    const qreal k = surface_.scale();
    const int left = Surface::at(r.left(), k);
    const int top = Surface::at(r.top(), k);
    surface_.surface().fillRect(left, top, Surface::at(r.right() + 1, k) - left,
                                Surface::at(r.bottom() + 1, k) - top, Surface::white);
    drawLines(cell);
    repaint(cell);
}

void BoardPainter::paintTop(std::int16_t index, ColourCode colour) {
    const Shape& r = Shape1(index).shape;
    fillX = r.left + r.width / 2;
    fillY = r.top + 10;
    fillAtFillPoint(colour);
}

void BoardPainter::paintRight(std::int16_t index, ColourCode colour) {
    const Shape& r = Shape1(index).shape;
    fillX = r.left + r.width / 2 + 10;
    fillY = r.top + r.height / 2;
    fillAtFillPoint(colour);
}

void BoardPainter::paintBottom(std::int16_t index, ColourCode colour) {
    const Shape& r = Shape1(index).shape;
    fillX = r.left + r.width / 2;
    fillY = r.top + r.height - 10;
    fillAtFillPoint(colour);
}

void BoardPainter::paintLeft(std::int16_t index, ColourCode colour) {
    const Shape& r = Shape1(index).shape;
    fillX = r.left + 10;
    fillY = r.top + r.height / 2;
    fillAtFillPoint(colour);
}

void BoardPainter::fillAtFillPoint(ColourCode colour) {
    painted_ = true;
    const qreal k = surface_.scale();
    surface_.repaintBox(surface_.surface().floodFill(Surface::at(pixel(fillX), k),
                                                     Surface::at(pixel(fillY), k),
                                                     static_cast<Surface::Pixel>(colour)));
}

void BoardPainter::drawLines(const Cell& cell) {
    Surface& s = surface_.surface();
    const qreal k = surface_.scale();
    const QRect r = cellRect(cell);
    s.drawOutline(r.left(), r.top(), r.width(), r.height(), k);
    for (const Line& line : {cell.line1, cell.line2}) {
        s.drawLine(pixel(line.x1), pixel(line.y1), pixel(line.x2), pixel(line.y2), k);
    }
}

// One pixel further right and down too: a slot's second diagonal starts
// just past its top-right corner.
void BoardPainter::repaint(const Cell& cell) {
    surface_.repaintWindowPixels(cellRect(cell).adjusted(0, 0, 1, 1));
}
