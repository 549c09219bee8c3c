#include "surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <queue>
#include <random>
#include <utility>
#include <vector>

namespace {

// The plainest fill there is: breadth first, one pixel at a time, on a copy
// of the surface. Fills `s` from (x, y) too, and checks every pixel and the
// box it returns against the reference.
void expectFillAsReference(Surface& s, int x, int y, Surface::Pixel colour) {
    Surface expected = s;
    std::vector<bool> reached(static_cast<std::size_t>(s.stride() * s.height()));
    std::queue<std::pair<int, int>> next;
    const auto reach = [&](int px, int py) {
        if (px >= 0 && py >= 0 && px < s.width() && py < s.height() &&
            expected.pixel(px, py) != Surface::black && !reached[py * s.stride() + px]) {
            reached[py * s.stride() + px] = true;
            next.push({px, py});
        }
    };
    Surface::Box box;
    for (reach(x, y); !next.empty(); next.pop()) {
        const auto [px, py] = next.front();
        expected.fillRect(px, py, 1, 1, colour);
        box = box.empty() ? Surface::Box{px, py, px, py}
                          : Surface::Box{std::min(box.x0, px), std::min(box.y0, py),
                                         std::max(box.x1, px), std::max(box.y1, py)};
        for (const auto& [nx, ny] :
             {std::pair{px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}}) {
            reach(nx, ny);
        }
    }
    const Surface::Box got = s.floodFill(x, y, colour);
    for (int py = 0; py < s.height(); ++py)
        for (int px = 0; px < s.width(); ++px)
            ASSERT_EQ(s.pixel(px, py), expected.pixel(px, py)) << "pixel " << px << ", " << py;
    const auto corners = [](Surface::Box b) {
        return b.empty() ? std::array{1, 0, 0, 0} : std::array{b.x0, b.y0, b.x1, b.y1};
    };
    EXPECT_EQ(corners(got), corners(box));
}

} // namespace

// Small random surfaces, some wide enough for runs that part and meet again:
// scattered black, a few colours, several fills one after another on the
// same surface with pixels changed in between, from anywhere (black and
// outside too) and in any colour (black, and the colour already there,
// included).
TEST(FloodFill, AgreesWithAPixelByPixelFillOnRandomSurfaces) {
    for (unsigned seed = 0; seed < 20000 && !HasFailure(); ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        const int w = 1 + below(seed % 4 == 0 ? 48 : 8);
        const int h = 1 + below(7);
        Surface s(w, h);
        const int blackPercent = below(60);
        std::vector<Surface::Pixel> palette(1 + below(3));
        std::ranges::generate(palette, [&] { return static_cast<Surface::Pixel>(1 + below(15)); });
        const auto anyColour = [&] {
            return below(100) < blackPercent ? Surface::black : palette[below(palette.size())];
        };
        for (int i = 0; i < w * h; ++i)
            s.fillRect(i % w, i / w, 1, 1, anyColour());
        for (int fill = 0; fill < 4 && !HasFailure(); ++fill) {
            const int x = below(w + 2) - 1;
            const int y = below(h + 2) - 1;
            const bool inside = x >= 0 && y >= 0 && x < w && y < h;
            const Surface::Pixel some = palette[below(palette.size())];
            const int pick = below(4);
            expectFillAsReference(s, x, y,
                                  pick == 0             ? Surface::black
                                  : pick == 1 && inside ? s.pixel(x, y)
                                                        : some);
            s.bits()[below(h) * s.stride() + below(w)] = anyColour();
        }
    }
}
