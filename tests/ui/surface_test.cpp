#include "surface.h"

#include <gtest/gtest.h>

namespace {

constexpr Surface::Pixel red = 12;
constexpr Surface::Pixel blue = 9;

// A 12 x 12 surface holding one cell, 10 x 10 at (1, 1), cut by its diagonals.
Surface cutSquare() {
    Surface s(12, 12);
    s.drawOutline(1, 1, 10, 10);
    s.drawLine(1, 1, 11, 11);
    s.drawLine(11, 1, 1, 11);
    return s;
}

int count(const Surface& s, Surface::Pixel colour) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            n += s.pixel(x, y) == colour;
        }
    }
    return n;
}

} // namespace

TEST(FloodFill, FillsOneTriangleWholeAndLeavesItsNeighboursAlone) {
    Surface s = cutSquare();
    const Surface::Box box = s.floodFill(6, 3, red); // the top triangle
    const int filled = count(s, red);
    EXPECT_GT(filled, 0);
    EXPECT_EQ(s.pixel(3, 6), Surface::white); // left triangle
    EXPECT_EQ(s.pixel(8, 6), Surface::white); // right triangle
    EXPECT_EQ(s.pixel(6, 9), Surface::white); // bottom triangle
    EXPECT_EQ(s.pixel(0, 0), Surface::white); // outside the cell
    // The box names exactly the pixels it changed.
    int inBox = 0;
    for (int y = box.y0; y <= box.y1; ++y) {
        for (int x = box.x0; x <= box.x1; ++x) {
            inBox += s.pixel(x, y) == red;
        }
    }
    EXPECT_EQ(inBox, filled);
}

TEST(FloodFill, RecoloursEverythingThatIsNotBlackAndStopsOnlyAtBlack) {
    Surface s = cutSquare();
    s.floodFill(6, 3, red);
    s.floodFill(6, 3, blue);
    EXPECT_EQ(count(s, red), 0);
    const int blueTop = count(s, blue);

    // A pixel of another colour inside the triangle is taken over too, and
    // a fill with the colour already there still reaches it.
    Surface t = cutSquare();
    t.floodFill(6, 3, blue);
    t.fillRect(6, 4, 1, 1, red);
    t.floodFill(6, 3, blue);
    EXPECT_EQ(count(t, blue), blueTop);
    EXPECT_EQ(count(t, red), 0);
}

TEST(FloodFill, WithTheSameColourChangesNothing) {
    Surface s = cutSquare();
    s.floodFill(3, 6, red);
    const Surface before = s;
    const Surface::Box box = s.floodFill(3, 6, red);
    EXPECT_FALSE(box.empty());
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            ASSERT_EQ(s.pixel(x, y), before.pixel(x, y));
        }
    }
}

TEST(FloodFill, StartingOnBlackOrOutsidePaintsNothing) {
    Surface s = cutSquare();
    EXPECT_TRUE(s.floodFill(1, 1, red).empty());
    EXPECT_TRUE(s.floodFill(-1, 4, red).empty());
    EXPECT_TRUE(s.floodFill(4, 12, red).empty());
    EXPECT_EQ(count(s, red), 0);

    // A triangle painted black cannot be painted again.
    s.floodFill(6, 3, Surface::black);
    EXPECT_TRUE(s.floodFill(6, 3, red).empty());
    EXPECT_EQ(count(s, red), 0);
}

TEST(FloodFill, AGapInTheOutlineLetsTheFillThrough) {
    Surface s = cutSquare();
    s.fillRect(6, 1, 1, 1, Surface::white); // a hole in the top edge
    s.floodFill(6, 3, red);
    EXPECT_EQ(s.pixel(0, 0), red);
    EXPECT_EQ(s.pixel(11, 11), red);          // all round the outside
    EXPECT_EQ(s.pixel(3, 6), Surface::white); // the closed triangles stay closed
}

TEST(FloodFill, DoesNotSlipThroughADiagonalLineOneStepAtATime) {
    Surface s(40, 40);
    s.drawLine(0, 0, 40, 37); // one pixel wide, from edge to edge
    s.floodFill(30, 5, red);
    EXPECT_EQ(s.pixel(5, 30), Surface::white);
}

TEST(SurfaceLines, LeaveOutTheSecondEndPoint) {
    Surface s(10, 10);
    s.drawLine(1, 1, 5, 5);
    EXPECT_EQ(s.pixel(1, 1), Surface::black);
    EXPECT_EQ(s.pixel(4, 4), Surface::black);
    EXPECT_EQ(s.pixel(5, 5), Surface::white);
    EXPECT_EQ(count(s, Surface::black), 4);
}

TEST(FloodFill, RemembersARegionOnlyUntilTheLinesChange) {
    Surface s = cutSquare();
    s.floodFill(6, 3, red);
    EXPECT_TRUE(s.remembers(6, 3));
    const int wholeTriangle = count(s, red);

    // A new line across the triangle: the next fill must see it.
    s.drawLine(3, 3, 10, 3);
    EXPECT_FALSE(s.remembers(6, 3));
    s.floodFill(6, 4, blue);
    EXPECT_GT(count(s, blue), 0);
    EXPECT_LT(count(s, blue), wholeTriangle);
    EXPECT_EQ(s.pixel(6, 2), red); // above the new line

    // Painting a region black turns it into a line too.
    s.floodFill(6, 4, Surface::black);
    EXPECT_TRUE(s.floodFill(6, 4, red).empty());
}
