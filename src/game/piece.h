#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// A colour code 0..15 names one of the sixteen standard console colours.
using ColourCode = std::int16_t;

// Pieces are dealt from the five light colours 9..13.
inline constexpr ColourCode firstPieceColour = 9;
inline constexpr ColourCode lastPieceColour = 13;

// The four triangles of a cell, each named by the edge it touches.
enum class Side { top, right, bottom, left };
inline constexpr std::array<Side, 4> allSides{Side::top, Side::right, Side::bottom, Side::left};

// A piece: one colour per triangle.
struct Piece {
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t left = 0;

    constexpr std::int32_t colour(Side side) const { return this->*member(side); }
    constexpr void setColour(Side side, std::int32_t colour) { this->*member(side) = colour; }
    constexpr bool holds(std::int32_t colour) const {
        return top == colour || right == colour || bottom == colour || left == colour;
    }
    friend constexpr bool operator==(const Piece&, const Piece&) = default;

  private:
    static constexpr std::int32_t Piece::*member(Side side) {
        constexpr std::array<std::int32_t Piece::*, 4> members{&Piece::top, &Piece::right,
                                                               &Piece::bottom, &Piece::left};
        return members[static_cast<std::size_t>(side)];
    }
};

// The five ways the player rearranges a piece. Each only moves colours
// between triangles.
constexpr Piece turnedAnticlockwise(Piece p) {
    return {p.right, p.bottom, p.left, p.top};
}
constexpr Piece turnedClockwise(Piece p) {
    return {p.left, p.top, p.right, p.bottom};
}
constexpr Piece mirroredLeftRight(Piece p) {
    return {p.top, p.left, p.bottom, p.right};
}
constexpr Piece mirroredTopBottom(Piece p) {
    return {p.bottom, p.right, p.top, p.left};
}
constexpr Piece topRightSwapped(Piece p) {
    return {p.right, p.top, p.bottom, p.left};
}

namespace piece_laws {
inline constexpr Piece sample{9, 10, 11, 12};
static_assert(turnedClockwise(turnedAnticlockwise(sample)) == sample);
static_assert(turnedAnticlockwise(
                  turnedAnticlockwise(turnedAnticlockwise(turnedAnticlockwise(sample)))) == sample);
static_assert(mirroredLeftRight(mirroredLeftRight(sample)) == sample);
static_assert(mirroredTopBottom(mirroredTopBottom(sample)) == sample);
static_assert(topRightSwapped(topRightSwapped(sample)) == sample);

// Every one of the 24 arrangements of a piece is at most three commands away.
constexpr int arrangementsWithinThreeCommands() {
    constexpr std::array commands{turnedAnticlockwise, turnedClockwise, mirroredLeftRight,
                                  mirroredTopBottom, topRightSwapped};
    std::array<Piece, 1 + 5 + 25 + 125> reached{sample};
    std::size_t n = 1;
    for (std::size_t from = 0; from < 1 + 5 + 25; ++from) {
        for (const auto command : commands) {
            reached[n++] = command(reached[from]);
        }
    }
    int distinct = 0;
    for (std::size_t i = 0; i < n; ++i) {
        bool first = true;
        for (std::size_t j = 0; j < i; ++j) {
            first = first && !(reached[j] == reached[i]);
        }
        distinct += first;
    }
    return distinct;
}
static_assert(arrangementsWithinThreeCommands() == 24);
} // namespace piece_laws
