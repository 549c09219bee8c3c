#include "surface.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using Pixel = Surface::Pixel;

// A fill that has to tell the pixels it took from pixels that already held
// its colour paints them with this bit first and clears it at the end.
constexpr Pixel takenMark = 0x80;

// What stops a fill, the direct way or the marked way: black, and the
// pixels already taken.
template <bool marked> struct Stops {
    Pixel paint;
    bool stops(Pixel p) const {
        return p == Surface::black || (marked ? (p & takenMark) != 0 : p == paint);
    }
    // Sixteen pixels from p on, a bit each (bit i for p[i]), set where it stops.
    unsigned stops16(const Pixel* p) const {
#if defined(__SSE2__)
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i taken =
            marked ? v : _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(paint)));
        return static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_setzero_si128()), taken)));
#else
        unsigned bits = 0;
        for (int i = 0; i < 16; ++i) {
            bits |= static_cast<unsigned>(stops(p[i])) << i;
        }
        return bits;
#endif
    }
};

// Writes the run start..end - 1: sixteen at a time, overlapping at the end.
void paintRun(Pixel* row, int start, int end, Pixel paint) {
#if defined(__SSE2__)
    if (end - start >= 16) {
        const __m128i v = _mm_set1_epi8(static_cast<char>(paint));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + start), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + end - 16), v);
        for (int x = start + 16; x < end - 16; x += 16) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), v);
        }
        return;
    }
#endif
    std::fill(row + start, row + end, paint);
}

// The first pixel from x on, short of `end`, that stops the fill; or `end`.
template <class Rule> int runEnd(const Pixel* row, int x, int end, const Rule& rule) {
    for (; x + 32 <= end; x += 32) {
        if (const unsigned s = rule.stops16(row + x) | rule.stops16(row + x + 16) << 16) {
            return x + std::countr_zero(s);
        }
    }
    for (; x + 16 <= end; x += 16) {
        if (const unsigned s = rule.stops16(row + x)) {
            return x + std::countr_zero(s);
        }
    }
    while (x < end && !rule.stops(row[x])) {
        ++x;
    }
    return x;
}

// The first of the pixels running left up to x - 1 that do not stop the
// fill; x if there are none.
template <class Rule> int runStart(const Pixel* row, int x, const Rule& rule) {
    for (; x >= 16; x -= 16) {
        if (const unsigned s = rule.stops16(row + x - 16)) {
            return x - 16 + std::bit_width(s);
        }
    }
    while (x > 0 && !rule.stops(row[x - 1])) {
        --x;
    }
    return x;
}

} // namespace

Surface::Surface(int width, int height)
    : width_(width), height_(height), stride_((width + 3) & ~3),
      pixels_(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height), white) {}

void Surface::fill(Pixel colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

void Surface::fillRect(int left, int top, int width, int height, Pixel colour) {
    const int x0 = std::max(left, 0);
    const int x1 = std::min(left + width, width_);
    for (int y = std::max(top, 0); y < std::min(top + height, height_) && x0 < x1; ++y) {
        paintRun(&pixels_[index(0, y)], x0, x1, colour);
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

Surface::Box Surface::floodFill(int x, int y, Pixel colour) {
    if (!contains(x, y) || pixels_[index(x, y)] == black) {
        return {};
    }
    Box box;
    // Painting the colour straight away is one write a pixel, but a pixel
    // that held the colour before then looks taken; met one, the fill starts
    // again marking what it takes.
    if (!fillRegion(x, y, Stops<false>{colour}, box)) {
        runs_.clear();
        fillRegion(x, y, Stops<true>{static_cast<Pixel>(colour | takenMark)}, box);
        for (const Run& run : runs_) {
            paintRun(&pixels_[index(0, run.y)], run.left, run.right + 1, colour);
        }
    }
    return box;
}

// A span fill. A segment is a stretch of row y lying along a run just taken
// in row y - dy; every run that meets it is taken whole and leads on to row
// y + dy, and where a run overhangs its segment the overhang leads back to
// row y - dy as well. The last run a segment meets is followed at once, the
// others wait on the stack. Only black ends a run of the region, so the
// direct fill gives up, false, where anything else does.
template <class Rule> bool Surface::fillRegion(int x, int y, const Rule& rule, Box& box) {
    constexpr bool marking = std::is_same_v<Rule, Stops<true>>;
    const auto foreign = [&](const Pixel* row, int px) {
        return !marking && px >= 0 && px < width_ && row[px] != black;
    };
    int x0 = x;
    int x1 = x;
    int y0 = y;
    int y1 = y;
    // Takes the run through pixel px of row py; false if it ends at a pixel
    // the direct fill cannot tell from its own.
    int start = 0;
    int end = 0;
    const auto take = [&](Pixel* row, int px, bool mayGrowLeft, int py) {
        start = mayGrowLeft ? runStart(row, px, rule) : px;
        end = runEnd(row, px + 1, width_, rule);
        if (foreign(row, start - 1) || foreign(row, end)) {
            return false;
        }
        paintRun(row, start, end, rule.paint);
        if constexpr (marking) {
            runs_.push_back({py, start, end - 1});
        }
        x0 = std::min(x0, start);
        x1 = std::max(x1, end - 1);
        y0 = std::min(y0, py);
        y1 = std::max(y1, py);
        return true;
    };

    Pixel* row = &pixels_[index(0, y)];
    if (rule.stops(row[x]) || !take(row, x, true, y)) {
        return false;
    }
    segments_.clear();
    segments_.push_back({y - 1, start, end - 1, -1});
    Segment seg{y + 1, start, end - 1, 1};
    for (;;) {
        bool onward = false;
        int nextLeft = 0;
        int nextRight = 0;
        if (seg.y >= 0 && seg.y < height_) {
            row = &pixels_[index(0, seg.y)];
            for (int px = seg.left; px <= seg.right; ++px) {
                if (rule.stops(row[px])) {
                    if (foreign(row, px)) {
                        return false;
                    }
                    continue;
                }
                if (!take(row, px, px == seg.left, seg.y)) {
                    return false;
                }
                if (start < seg.left) {
                    segments_.push_back({seg.y - seg.dy, start, seg.left - 1, -seg.dy});
                }
                if (end - 1 > seg.right) {
                    segments_.push_back({seg.y - seg.dy, seg.right + 1, end - 1, -seg.dy});
                }
                if (onward) {
                    segments_.push_back({seg.y + seg.dy, nextLeft, nextRight, seg.dy});
                }
                nextLeft = start;
                nextRight = end - 1;
                onward = true;
                px = end;
            }
        }
        if (onward) {
            seg = {seg.y + seg.dy, nextLeft, nextRight, seg.dy};
        } else if (!segments_.empty()) {
            seg = segments_.back();
            segments_.pop_back();
        } else {
            box = {x0, y0, x1, y1};
            return true;
        }
    }
}
