#pragma once

#include "piece.h"
#include "rangearray.h"

#include <cstdint>

inline constexpr int slotCount = 18;
inline constexpr int slotsPerRow = 6;
inline constexpr int rowCount = slotCount / slotsPerRow;

// Where slot 1..18 lies on the board, row by row: row and column from 0.
constexpr int rowOf(int slot) {
    return (slot - 1) / slotsPerRow;
}
constexpr int columnOf(int slot) {
    return (slot - 1) % slotsPerRow;
}
constexpr int slotAt(int row, int column) {
    return row * slotsPerRow + column + 1;
}

// What the counter charges, in moves.
namespace cost {
inline constexpr std::int32_t change = 1;   // a turn, a mirror or the top-right swap
inline constexpr std::int32_t mismatch = 3; // ASSEGNA refused for the neighbours' colours
inline constexpr std::int32_t discard = 5;  // NUOVO RETTANGOLO once slot 1 is filled
inline constexpr std::int32_t cancel = 5;   // taking the last piece back
} // namespace cost

// The fields of a running game, in the widths the game has always used.
// Everything starts at zero, before the first game is laid out.
struct GameState {
    std::int16_t currentSlot = 0; // slot the next assignment fills, 1..18; 19 when complete
    std::int32_t pieceTop = 0;
    std::int32_t pieceRight = 0;
    std::int32_t pieceBottom = 0;
    std::int32_t pieceLeft = 0;
    RangeArray<std::int32_t, 1, 18> placedTop;
    RangeArray<std::int32_t, 1, 18> placedBottom;
    RangeArray<std::int32_t, 1, 18> placedLeft;
    RangeArray<std::int32_t, 1, 18> placedRight;
    RangeArray<std::int16_t, 9, 13> colourFree; // only meaningful inside a deal: -1 free, 0 taken
    std::int32_t moveCount = 0;

    Piece piece() const { return {pieceTop, pieceRight, pieceBottom, pieceLeft}; }
    // What slot 1..18 holds, once it is filled (see isFilled).
    Piece placed(int slot) const {
        return {placedTop[slot], placedRight[slot], placedBottom[slot], placedLeft[slot]};
    }
    void setPiece(Piece p) {
        pieceTop = p.top;
        pieceRight = p.right;
        pieceBottom = p.bottom;
        pieceLeft = p.left;
    }

    friend bool operator==(const GameState&, const GameState&) = default;
};
