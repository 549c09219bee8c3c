#include "surface.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>

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
    static constexpr bool marks = marked;
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
// A shorter run is blended into the sixteen bytes from its start, the bytes
// after it written back as they were; the surface's margins keep all sixteen
// inside its buffer.
void paintRun(Pixel* row, int start, int end, Pixel paint) {
#if defined(__SSE2__)
    const __m128i v = _mm_set1_epi8(static_cast<char>(paint));
    const int length = end - start;
    if (length >= 16) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + start), v);
        for (int x = start + 16; x < end - 16; x += 16) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), v);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + end - 16), v);
        return;
    }
    const __m128i lanes = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m128i inside = _mm_cmplt_epi8(lanes, _mm_set1_epi8(static_cast<char>(length)));
    __m128i* at = reinterpret_cast<__m128i*>(row + start);
    const __m128i old = _mm_loadu_si128(at);
    _mm_storeu_si128(at, _mm_or_si128(_mm_and_si128(inside, v), _mm_andnot_si128(inside, old)));
#else
    std::fill(row + start, row + end, paint);
#endif
}

// The first pixel from x on that stops the fill: at the latest the black
// after the row.
template <class Rule> int runEnd(const Pixel* row, int x, const Rule& rule) {
    for (;; x += 16) {
        if (const unsigned s = rule.stops16(row + x)) {
            return x + std::countr_zero(s);
        }
    }
}

// The first pixel from x up to `last` that does not stop the fill, or
// last + 1; -1 where the direct fill meets a pixel it cannot tell from its own.
template <class Rule> int nextOpen(const Pixel* row, int x, int last, const Rule& rule) {
    for (; x <= last; ++x) {
        const Pixel p = row[x];
        if (!rule.stops(p)) {
            return x;
        }
        if (!Rule::marks && p != Surface::black) {
            return -1;
        }
    }
    return x;
}

// The first of the pixels running left up to x - 1 that do not stop the
// fill; x if there are none. The black before the row ends it at the latest.
template <class Rule> int runStart(const Pixel* row, int x, const Rule& rule) {
    for (;; x -= 16) {
        if (const unsigned s = rule.stops16(row + x - 16)) {
            return x - 16 + std::bit_width(s);
        }
    }
}

// Paints the run start..end - 1, unless the direct fill cannot tell the
// pixels that end it from its own: false then, and nothing painted.
template <class Rule> bool takeRun(Pixel* row, int start, int end, const Rule& rule) {
    if (!Rule::marks && (row[start - 1] | row[end]) != Surface::black) {
        return false;
    }
    paintRun(row, start, end, rule.paint);
    return true;
}

} // namespace

Surface::Surface(int width, int height)
    : width_(width), height_(height), stride_((width + 4) & ~3),
      pixels_(2 * margin + static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height),
               black) {
    fill(white);
}

void Surface::fill(Pixel colour) {
    fillRect(0, 0, width_, height_, colour);
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
template <class Rule> bool Surface::fillRegion(int x, int y, const Rule& given, Box& box) {
    constexpr bool marking = Rule::marks;
    // Copies kept in registers: as far as the compiler knows, a pixel
    // written may be any object, the rule and the members included.
    const Rule rule = given;
    Pixel* const origin = bits();
    const std::ptrdiff_t stride = stride_;
    const unsigned height = static_cast<unsigned>(height_);
    // The seed's run leads both ways: up later, down at once.
    Pixel* const seedRow = origin + y * stride;
    if (rule.stops(seedRow[x])) {
        return false;
    }
    int left = runStart(seedRow, x, rule);
    int right = runEnd(seedRow, x + 1, rule) - 1;
    if (!takeRun(seedRow, left, right + 1, rule)) {
        return false;
    }
    if constexpr (marking) {
        runs_.push_back({y, left, right});
    }
    int x0 = left;
    int x1 = right;
    int y0 = y;
    int y1 = y;
    segments_.clear();
    segments_.push_back({y - 1, left, right, -1});
    int dy = 1;
    y += 1;
    for (;;) {
        Pixel* row = nullptr;
        int px = right + 1; // a row past the surface has nothing to take
        if (static_cast<unsigned>(y) < height) {
            row = origin + y * stride;
            px = nextOpen(row, left, right, rule);
            if (px < 0) {
                return false;
            }
        }
        if (px <= right) {
            // A run that begins where its segment does mostly has a stop
            // just before it: one look at that pixel, which the processor
            // guesses right, spares waiting on a walk to the left.
            int start = px == left && !rule.stops(row[px - 1]) ? runStart(row, px, rule) : px;
            // A segment lies along pixels taken already: only a run that
            // overhangs it can widen the box.
            if (start < left) [[unlikely]] {
                x0 = std::min(x0, start);
                segments_.push_back({y - dy, start, left - 1, -dy});
            }
            int end = 0;
            for (;;) {
                end = runEnd(row, px + 1, rule);
                if (!takeRun(row, start, end, rule)) {
                    return false;
                }
                if constexpr (marking) {
                    runs_.push_back({y, start, end - 1});
                }
                px = nextOpen(row, end + 1, right, rule);
                if (px < 0) {
                    return false;
                }
                if (px > right) {
                    break;
                }
                // Not the last run along the segment: its rows wait.
                segments_.push_back({y + dy, start, end - 1, dy});
                start = px;
            }
            if (end - 1 > right) [[unlikely]] {
                x1 = std::max(x1, end - 1);
                segments_.push_back({y - dy, right + 1, end - 1, -dy});
            }
            left = start;
            right = end - 1;
            y += dy;
            continue;
        }
        // Following rows ends just past a taken row, y - dy, and it ends past
        // the region's top row and past its bottom row: only here can the
        // box grow up or down.
        y0 = std::min(y0, y - dy);
        y1 = std::max(y1, y - dy);
        if (segments_.empty()) {
            box = {x0, y0, x1, y1};
            return true;
        }
        const Segment& next = segments_.back();
        y = next.y;
        left = next.left;
        right = next.right;
        dy = next.dy;
        segments_.pop_back();
    }
}
