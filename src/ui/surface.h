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
    // Only the first width() bytes of a row are pixels.
    Pixel* bits() { return pixels_.data(); }
    Pixel pixel(int x, int y) const { return pixels_[index(x, y)]; }

    void fill(Pixel colour);
    void fillRect(int left, int top, int width, int height, Pixel colour);
    // Lines are given in window pixels and drawn at `scale` surface pixels
    // to the window pixel, every line lineWidth(scale) surface pixels wide,
    // whole pixels, wherever it lies: at a whole scale exactly the one-pixel
    // drawing enlarged. A region closed at one scale is closed at every scale.
    //
    // Window pixel x covers surface pixels at(x, scale)..at(x + 1, scale) - 1.
    static int at(int x, double scale);
    // The window pixel that covers surface pixel p.
    static int windowPixel(int p, double scale);
    // Wide enough that a line's steps between neighbouring window pixels
    // always touch: the scale, rounded up.
    static int lineWidth(double scale);

    // A black rectangle covering left..left+width-1, top..top+height-1, its
    // sides inside those pixels: two rectangles side by side are parted by
    // two lines' widths.
    void drawOutline(int left, int top, int width, int height, double scale = 1);
    // A black line from the first point towards the second, the second point
    // itself left out (it lies one past the cell's corner).
    void drawLine(int x1, int y1, int x2, int y2, double scale = 1);

    // Recolours every pixel reachable from (x, y) through left, right, up and
    // down steps without crossing black, whatever colours they hold. Returns
    // the box of the pixels it painted: empty when (x, y) is black or outside.
    Box floodFill(int x, int y, Pixel colour);

  private:
    struct Seed { // at x in row y, found along the run left..right of row y - dy
        int x;
        int y;
        int dy;
        int left;
        int right;
    };

    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_) +
               static_cast<std::size_t>(x);
    }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int width_;
    int height_;
    int stride_; // rows start on four-byte boundaries, as images want
    std::vector<Pixel> pixels_;
    // Kept between fills so that painting allocates nothing once warmed up:
    // the pixels the fill under way has taken (all clear between fills), and
    // where the runs still to take begin.
    std::vector<std::uint8_t> taken_;
    std::vector<Seed> seeds_;
};
