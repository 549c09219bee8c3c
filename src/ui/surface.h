#pragma once

#include <cstdint>
#include <vector>

// The pixels the board is drawn on: black outlines and diagonals, and the
// colours flood-filled between them. It knows nothing of the rules. Only the
// sixteen standard colours are ever drawn, so a pixel is its colour code,
// one byte.
class Surface {
  public:
    using Pixel = std::uint8_t;
    static constexpr Pixel black = 0;
    static constexpr Pixel white = 15;

    struct Box { // pixels x0..x1, y0..y1, inclusive; empty when x0 > x1
        int x0 = 0;
        int y0 = 0;
        int x1 = -1;
        int y1 = -1;
        bool empty() const { return x0 > x1; }
    };

    Surface(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; } // bytes from one row to the next
    // Raw access to the pixels; writing through it may move the black lines.
    Pixel* bits() {
        ++linesVersion_;
        return pixels_.data();
    }
    Pixel pixel(int x, int y) const { return pixels_[index(x, y)]; }

    void fill(Pixel colour);
    void fillRect(int left, int top, int width, int height, Pixel colour);
    // Lines are given in window pixels and drawn `scale` surface pixels to
    // each: exactly the one-pixel drawing, enlarged, so a region closed at
    // one scale is closed at every scale.
    //
    // A black rectangle covering left..left+width-1, top..top+height-1.
    void drawOutline(int left, int top, int width, int height, int scale = 1);
    // A black line from the first point towards the second, the second point
    // itself left out (it lies one past the cell's corner).
    void drawLine(int x1, int y1, int x2, int y2, int scale = 1);

    // Recolours every pixel reachable from (x, y) through left, right, up and
    // down steps without crossing black. Returns the pixels it changed.
    Box floodFill(int x, int y, Pixel colour);
    // Whether a fill from (x, y) would replay a region it already knows.
    bool remembers(int x, int y) const;

  private:
    struct Segment { // row y, to explore below or above the run left..right of row y - dy
        int y;
        int left;
        int right;
        int dy;
    };
    struct Span {
        int left;
        int right;
        int y;
    };

    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_) +
               static_cast<std::size_t>(x);
    }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    void plot(int x, int y, int scale);

    // The pixels a fill reaches depend only on where the black lines are, and
    // those change only when a game starts or a cell is wiped; so each
    // region's runs are remembered and the next fill from the same point
    // just rewrites them.
    struct Region {
        int x;
        int y;
        std::uint64_t linesVersion;
        std::vector<Span> spans;
        Box box;
    };
    Region& regionFor(int x, int y);
    void explore(int x, int y, Pixel colour, Region& region);

    int width_;
    int height_;
    int stride_;                     // rows start on four-byte boundaries, as images want
    std::uint64_t linesVersion_ = 0; // bumped whenever black pixels may have changed
    std::vector<Region> regions_;
    std::vector<Pixel> pixels_;
    // Kept between fills so that painting allocates nothing once warmed up.
    std::vector<Segment> segments_;
};
