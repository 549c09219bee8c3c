#include "surface.h"

#include <algorithm>
#include <cstdlib>

namespace {

// While a fill runs, the pixels it has taken carry alpha 0: that marks them
// as done even when the fill colour was already present in the region.
constexpr std::uint32_t alphaMask = 0xFF000000u;

bool fillable(std::uint32_t pixel) {
    return pixel != Surface::black && (pixel & alphaMask) != 0;
}

} // namespace

Surface::Surface(int width, int height)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), white) {}

void Surface::fill(std::uint32_t colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

void Surface::fillRect(int left, int top, int width, int height, std::uint32_t colour) {
    const int x0 = std::max(left, 0);
    const int x1 = std::min(left + width, width_);
    for (int y = std::max(top, 0); y < std::min(top + height, height_); ++y) {
        for (int x = x0; x < x1; ++x) {
            pixels_[index(x, y)] = colour;
        }
    }
}

void Surface::plot(int x, int y) {
    if (contains(x, y)) {
        pixels_[index(x, y)] = black;
    }
}

void Surface::drawOutline(int left, int top, int width, int height) {
    const int right = left + width - 1;
    const int bottom = top + height - 1;
    for (int x = left; x <= right; ++x) {
        plot(x, top);
        plot(x, bottom);
    }
    for (int y = top; y <= bottom; ++y) {
        plot(left, y);
        plot(right, y);
    }
}

// Bresenham: each step moves to one of the eight neighbours, which is enough
// to stop a fill that only moves left, right, up and down.
void Surface::drawLine(int x1, int y1, int x2, int y2) {
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        plot(x, y);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void Surface::seedRuns(int left, int right, int y) {
    if (y < 0 || y >= height_) {
        return;
    }
    const std::uint32_t* row = &pixels_[index(0, y)];
    bool inRun = false;
    for (int x = left; x <= right; ++x) {
        const bool open = fillable(row[x]);
        if (open && !inRun) {
            seeds_.push_back({x, y});
        }
        inRun = open;
    }
}

Surface::Box Surface::floodFill(int x, int y, std::uint32_t colour) {
    if (!contains(x, y) || !fillable(pixels_[index(x, y)])) {
        return {};
    }
    const std::uint32_t marked = colour & ~alphaMask;
    seeds_.clear();
    spans_.clear();
    seeds_.push_back({x, y});
    while (!seeds_.empty()) {
        const Point seed = seeds_.back();
        seeds_.pop_back();
        std::uint32_t* row = &pixels_[index(0, seed.y)];
        if (!fillable(row[seed.x])) {
            continue;
        }
        int left = seed.x;
        while (left > 0 && fillable(row[left - 1])) {
            --left;
        }
        int right = seed.x;
        while (right + 1 < width_ && fillable(row[right + 1])) {
            ++right;
        }
        std::fill(row + left, row + right + 1, marked);
        spans_.push_back({left, right, seed.y});
        seedRuns(left, right, seed.y - 1);
        seedRuns(left, right, seed.y + 1);
    }

    Box box{width_, height_, -1, -1};
    for (const Span& span : spans_) {
        std::uint32_t* row = &pixels_[index(0, span.y)];
        std::fill(row + span.left, row + span.right + 1, colour | alphaMask);
        box.x0 = std::min(box.x0, span.left);
        box.x1 = std::max(box.x1, span.right);
        box.y0 = std::min(box.y0, span.y);
        box.y1 = std::max(box.y1, span.y);
    }
    return box;
}
