#pragma once

#include "piece.h"

#include <QPointF>
#include <QRect>

#include <array>
#include <cstdint>

class SurfaceWidget;

// The board as the window draws it, in window pixels (single precision, as
// the window reports them): Shape1(0) shows the current piece, Shape1(1)..
// Shape1(18) the slots, each cut by its diagonals Line1 (top-left to
// bottom-right) and Line2 (top-right to bottom-left) into four triangles.
struct Shape {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

struct Line {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
};

struct Cell {
    Shape shape;
    Line line1;
    Line line2;
    bool visible = false;
};

// Shape1(0) never moves; its diagonals join its corner pixels.
inline constexpr Cell pieceCellDesign{
    {696, 96, 73, 129}, {696, 96, 768, 224}, {768, 96, 696, 224}, true};
// The hidden Shape2 marks the board's top-left corner.
inline constexpr Shape Shape2{24, 24, 377, 265};

// The window pixels a cell's rectangle covers.
QRect cellRect(const Cell& cell);
// Where the cell's triangle on this side has most room: the centre of the
// largest circle inside it, in window pixels.
QPointF triangleCentre(const Cell& cell, Side side);

// Draws the cells' lines on the surface and paints their triangles.
class BoardPainter {
  public:
    explicit BoardPainter(SurfaceWidget& surface);

    const Cell& Shape1(int index) const { return cells_[static_cast<std::size_t>(index)]; }

    // Every colour gone; the lines of the cells on show stay.
    void clear();
    // Slots 1..18 in three rows of six, abutting, from Shape2's corner.
    void layOut();
    // A slot's rectangle white again inside its lines.
    void wipe(std::int16_t index);

    void paintTop(std::int16_t index, ColourCode colour);
    void paintRight(std::int16_t index, ColourCode colour);
    void paintBottom(std::int16_t index, ColourCode colour);
    void paintLeft(std::int16_t index, ColourCode colour);

    // Whether anything has been painted since the board was last cleared.
    bool painted() const { return painted_; }

  private:
    void drawLines(const Cell& cell);
    void repaint(const Cell& cell);
    void fillAtFillPoint(ColourCode colour);

    SurfaceWidget& surface_;
    std::array<Cell, 19> cells_{pieceCellDesign};
    // The start of the last fill: the painting routines' scratch point.
    float fillX = 0;
    float fillY = 0;
    bool painted_ = false;
};
