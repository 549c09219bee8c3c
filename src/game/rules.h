#pragma once

#include "gamestate.h"

#include <optional>

// The board's rules, read off the state for the slot k = currentSlot.
//
// Slot k has a left neighbour k - 1 unless it starts a row, and a neighbour
// above, k - 6, from the second row on. The look-ahead guards the slot after
// it: that piece must show placedRight(k) on its left and placedBottom(k - 5)
// on its top, and a piece never repeats a colour.

constexpr bool onBoard(int slot) {
    return slot >= 1 && slot <= slotCount;
}

constexpr bool inFirstColumn(int slot) {
    return columnOf(slot) == 0;
}

constexpr bool inFirstRow(int slot) {
    return rowOf(slot) == 0;
}

// The slots before currentSlot hold their pieces, the others are empty: a
// cancelled slot is empty again, whatever its placed fields still say.
constexpr bool isFilled(const GameState& s, int slot) {
    return onBoard(slot) && slot < s.currentSlot;
}

// The piece slot 1..18 holds, once it is filled.
inline std::optional<Piece> pieceIn(const GameState& s, int slot) {
    return isFilled(s, slot) ? std::optional(s.placed(slot)) : std::nullopt;
}

// Slots with both a row above and a right neighbour in the same row.
constexpr bool hasLookAhead(int slot) {
    return onBoard(slot) && !inFirstRow(slot) && columnOf(slot) != slotsPerRow - 1;
}

bool lookAheadRefuses(const GameState& s);
bool neighboursMatch(const GameState& s);
// Whether the current piece, as it is turned now, could go to currentSlot.
bool pieceFits(const GameState& s);
// Whether the piece holds the colours the slot's neighbours demand, in any
// arrangement: the deal asks no more, turning them into place is the
// player's work.
bool holdsDemandedColours(const GameState& s);
