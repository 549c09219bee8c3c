#pragma once

#include <array>
#include <cstdint>

// Positions are window pixels in single precision, as the window reports them.
struct Rect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Segment {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    friend bool operator==(const Segment&, const Segment&) = default;
};

// A cell rectangle Shape1(k) with its diagonals Line1(k) (top-left to
// bottom-right) and Line2(k) (top-right to bottom-left).
struct Cell {
    Rect shape;
    Segment line1;
    Segment line2;
    bool visible = false;
    friend bool operator==(const Cell&, const Cell&) = default;
};

inline constexpr int slotCount = 18;
inline constexpr int slotsPerRow = 6;

// Shape1(0), the current piece, never moves; its diagonals join its corner pixels.
inline constexpr Cell pieceCell{{696, 96, 73, 129}, {696, 96, 768, 224}, {768, 96, 696, 224}, true};

// The hidden Shape2 marks the board's top-left corner.
inline constexpr Rect Shape2{24, 24, 377, 265};

// Shape1(0) is the current piece; Shape1(1)..Shape1(18) are the board slots.
using Shape1Set = std::array<Cell, slotCount + 1>;

// The status line keeps its height and hugs the bottom edge at full width.
struct StatusLinePlace {
    float left;
    float top;
    float width;
};

constexpr StatusLinePlace dockStatusLine(float clientWidth, float clientHeight, float labelHeight) {
    return {0.0f, clientHeight - labelHeight, clientWidth};
}
