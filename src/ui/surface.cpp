#include "surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

Surface::Surface(int width, int height)
    : width_(width), height_(height), stride_((width + 3) & ~3),
      pixels_(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height), white) {}

void Surface::fill(Pixel colour) {
    fillRect(0, 0, width_, height_, colour);
}

void Surface::fillRect(int left, int top, int width, int height, Pixel colour) {
    const int x0 = std::max(left, 0);
    const int x1 = std::min(left + width, width_);
    for (int y = std::max(top, 0); y < std::min(top + height, height_) && x0 < x1; ++y) {
        std::fill(pixels_.begin() + index(x0, y), pixels_.begin() + index(x1, y), colour);
    }
}

// Halves round up. A call to the library's rounding would cost more than
// the pixel it places.
int Surface::at(int x, double scale) {
    const double v = x * scale + 0.5;
    const int whole = static_cast<int>(v);
    return whole - (v < whole ? 1 : 0);
}

int Surface::windowPixel(int p, double scale) {
    int x = static_cast<int>(std::floor((p + 0.5) / scale));
    while (at(x + 1, scale) <= p) {
        ++x;
    }
    while (at(x, scale) > p) {
        --x;
    }
    return x;
}

int Surface::lineWidth(double scale) {
    return std::max(1, static_cast<int>(std::ceil(scale - 1e-6)));
}

void Surface::drawOutline(int left, int top, int width, int height, double scale) {
    const int x0 = at(left, scale);
    const int y0 = at(top, scale);
    const int x1 = at(left + width, scale);
    const int y1 = at(top + height, scale);
    const int w = lineWidth(scale);
    fillRect(x0, y0, x1 - x0, w, black);
    fillRect(x0, y1 - w, x1 - x0, w, black);
    fillRect(x0, y0, w, y1 - y0, black);
    fillRect(x1 - w, y0, w, y1 - y0, black);
}

// Bresenham: each step moves to one of the eight neighbours, which is enough
// to stop a fill that only moves left, right, up and down. A steep line has
// one pixel in each window row and takes that row's surface rows whole, the
// line's width of each; a flat one the same by columns. So every row (or
// column) the line crosses holds the same width of it.
void Surface::drawLine(int x1, int y1, int x2, int y2, double scale) {
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    const bool steep = -dy > dx;
    const int w = lineWidth(scale);
    int error = dx + dy;
    int x = x1;
    int y = y1;
    // The surface pixels window pixel (x, y) covers, kept up to date step by
    // step; at a whole scale without floating point, which is twice as fast.
    const int whole = scale == std::floor(scale) ? static_cast<int>(scale) : 0;
    const auto toSurface = [whole, scale](int v) { return whole ? v * whole : at(v, scale); };
    int left = toSurface(x);
    int right = toSurface(x + 1);
    int top = toSurface(y);
    int bottom = toSurface(y + 1);
    while (x != x2 || y != y2) {
        const int fromX = std::max(left, 0);
        const int toX = std::min(steep ? left + w : right, width_);
        const int toY = std::min(steep ? bottom : top + w, height_);
        for (int py = std::max(top, 0); py < toY; ++py) {
            for (int px = fromX; px < toX; ++px) {
                pixels_[index(px, py)] = black;
            }
        }
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += stepX;
            left = toSurface(x);
            right = toSurface(x + 1);
        }
        if (doubled <= dx) {
            error += dx;
            y += stepY;
            top = toSurface(y);
            bottom = toSurface(y + 1);
        }
    }
}

// A span fill: a run of open pixels is taken whole, then the rows above and
// below it are looked along for the runs to take next. Open means neither
// black nor taken by this fill, so pixels that already held the colour are
// taken like any others.
Surface::Box Surface::floodFill(int x, int y, Pixel colour) {
    if (!contains(x, y) || pixels_[index(x, y)] == black) {
        return {};
    }
    if (taken_.empty()) {
        taken_.resize(pixels_.size()); // not before the first fill: start-up stays small
    }
    // Plain pointers: as far as the compiler knows, a pixel written may be
    // any object, the vectors included, but not a local.
    Pixel* const pixels = pixels_.data();
    std::uint8_t* const taken = taken_.data();
    const std::size_t stride = static_cast<std::size_t>(stride_);
    const auto open = [pixels, taken](std::size_t i) { return pixels[i] != black && !taken[i]; };
    Box box{x, y, x, y};
    // The first seed is found along no run: both rows are looked along whole.
    seeds_.assign(1, {x, y, 1, x, x - 1});
    while (!seeds_.empty()) {
        const Seed seed = seeds_.back();
        seeds_.pop_back();
        const std::size_t row = seed.y * stride;
        if (!open(row + seed.x)) {
            continue; // taken by another run since it was found
        }
        int left = seed.x;
        int right = seed.x;
        while (left > 0 && open(row + left - 1)) {
            --left;
        }
        while (right + 1 < width_ && open(row + right + 1)) {
            ++right;
        }
        std::fill(pixels + row + left, pixels + row + right + 1, colour);
        std::fill(taken + row + left, taken + row + right + 1, 1);
        box = {std::min(box.x0, left), std::min(box.y0, seed.y), std::max(box.x1, right),
               std::max(box.y1, seed.y)};
        // A seed for each run along this one in the row beyond, and in the
        // row it came from where this one overhangs the run it was found by.
        const auto look = [&](int dy, int from, int to) {
            const int next = seed.y + dy;
            if (next < 0 || next >= height_) {
                return;
            }
            bool inRun = false;
            for (int px = from; px <= to; ++px) {
                const bool isOpen = open(next * stride + px);
                if (isOpen && !inRun) {
                    seeds_.push_back({px, next, dy, left, right});
                }
                inRun = isOpen;
            }
        };
        look(seed.dy, left, right);
        look(-seed.dy, left, seed.left - 1);
        look(-seed.dy, seed.right + 1, right);
    }
    // Every pixel taken lies in the box.
    for (int py = box.y0; py <= box.y1; ++py) {
        std::fill(taken + py * stride + box.x0, taken + py * stride + box.x1 + 1, 0);
    }
    return box;
}
