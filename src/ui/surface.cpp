#include "surface.h"

#include <algorithm>
#include <cstdlib>

namespace {

// While a fill runs, the pixels it has taken carry this bit: that marks them
// as done even when the fill colour was already present in the region.
constexpr Surface::Pixel takenMark = 0x80;

bool fillable(Surface::Pixel pixel) {
    return pixel != Surface::black && (pixel & takenMark) == 0;
}

} // namespace

Surface::Surface(int width, int height)
    : width_(width), height_(height), stride_((width + 3) & ~3),
      pixels_(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height), white) {}

void Surface::fill(Pixel colour) {
    ++linesVersion_;
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

void Surface::fillRect(int left, int top, int width, int height, Pixel colour) {
    ++linesVersion_;
    const int x0 = std::max(left, 0);
    const int x1 = std::min(left + width, width_);
    for (int y = std::max(top, 0); y < std::min(top + height, height_); ++y) {
        for (int x = x0; x < x1; ++x) {
            pixels_[index(x, y)] = colour;
        }
    }
}

void Surface::plot(int x, int y, int scale) {
    ++linesVersion_;
    for (int dy = 0; dy < scale; ++dy) {
        for (int dx = 0; dx < scale; ++dx) {
            if (contains(x * scale + dx, y * scale + dy)) {
                pixels_[index(x * scale + dx, y * scale + dy)] = black;
            }
        }
    }
}

void Surface::drawOutline(int left, int top, int width, int height, int scale) {
    const int right = left + width - 1;
    const int bottom = top + height - 1;
    for (int x = left; x <= right; ++x) {
        plot(x, top, scale);
        plot(x, bottom, scale);
    }
    for (int y = top; y <= bottom; ++y) {
        plot(left, y, scale);
        plot(right, y, scale);
    }
}

// Bresenham: each step moves to one of the eight neighbours, which is enough
// to stop a fill that only moves left, right, up and down.
void Surface::drawLine(int x1, int y1, int x2, int y2, int scale) {
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        plot(x, y, scale);
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

bool Surface::remembers(int x, int y) const {
    return std::any_of(regions_.begin(), regions_.end(), [&](const Region& r) {
        return r.x == x && r.y == y && r.linesVersion == linesVersion_;
    });
}

Surface::Region& Surface::regionFor(int x, int y) {
    Region* stale = nullptr;
    for (Region& r : regions_) {
        if (r.x == x && r.y == y) {
            return r;
        }
        if (r.linesVersion != linesVersion_ && !stale) {
            stale = &r;
        }
    }
    if (stale) { // reuse its buffer rather than allocate another
        stale->x = x;
        stale->y = y;
        stale->linesVersion = ~linesVersion_;
        return *stale;
    }
    return regions_.emplace_back(Region{x, y, ~linesVersion_, {}, {}});
}

Surface::Box Surface::floodFill(int x, int y, Pixel colour) {
    if (!contains(x, y) || !fillable(pixels_[index(x, y)])) {
        return {};
    }
    Region& region = regionFor(x, y);
    if (region.linesVersion != linesVersion_) {
        explore(x, y, colour, region);
        region.linesVersion = linesVersion_;
    }
    for (const Span& span : region.spans) {
        Pixel* row = &pixels_[index(0, span.y)];
        std::fill(row + span.left, row + span.right + 1, colour);
    }
    if (colour == black) {
        ++linesVersion_; // the region has become a line itself
    }
    return region.box;
}

// A span-by-span fill: each segment on the stack is a run of row y - dy that
// was just filled; its neighbours in row y are explored, and runs that reach
// past the parent's ends are sent back the other way. The runs it takes are
// marked until the caller writes the final colour over them.
void Surface::explore(int x, int y, Pixel colour, Region& region) {
    const Pixel marked = colour | takenMark;
    std::vector<Span>& spans = region.spans;
    spans.clear();
    segments_.clear();
    const auto push = [this](int row, int left, int right, int dy) {
        if (row + dy >= 0 && row + dy < height_) {
            segments_.push_back({row + dy, left, right, dy});
        }
    };
    push(y, x, x, 1);
    push(y + 1, x, x, -1);
    while (!segments_.empty()) {
        const Segment seg = segments_.back();
        segments_.pop_back();
        Pixel* row = &pixels_[index(0, seg.y)];
        int px = seg.left;
        int runLeft = px;
        if (fillable(row[px])) {
            while (px > 0 && fillable(row[px - 1])) {
                --px;
            }
            runLeft = px;
            if (runLeft < seg.left - 1) {
                push(seg.y, runLeft, seg.left - 2, -seg.dy);
            }
            px = seg.left;
        } else {
            while (px <= seg.right && !fillable(row[px])) {
                ++px;
            }
            runLeft = px;
        }
        while (px <= seg.right) {
            while (px < width_ && fillable(row[px])) {
                ++px;
            }
            const int runRight = px - 1;
            std::fill(row + runLeft, row + px, marked);
            spans.push_back({runLeft, runRight, seg.y});
            push(seg.y, runLeft, runRight, seg.dy);
            if (runRight > seg.right + 1) {
                push(seg.y, seg.right + 2, runRight, -seg.dy);
            }
            ++px;
            while (px <= seg.right && !fillable(row[px])) {
                ++px;
            }
            runLeft = px;
        }
    }

    Box box{width_, height_, -1, -1};
    for (const Span& span : spans) {
        box.x0 = std::min(box.x0, span.left);
        box.x1 = std::max(box.x1, span.right);
        box.y0 = std::min(box.y0, span.y);
        box.y1 = std::max(box.y1, span.y);
    }
    region.box = box;
}
