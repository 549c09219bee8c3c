#include "rules.h"

bool lookAheadRefuses(const GameState& s) {
    const int k = s.currentSlot;
    return hasLookAhead(k) && s.placedBottom[k - 5] == s.pieceRight;
}

bool neighboursMatch(const GameState& s) {
    const int k = s.currentSlot;
    if (!onBoard(k)) {
        return false;
    }
    const bool leftOk = inFirstColumn(k) || s.pieceLeft == s.placedRight[k - 1];
    const bool topOk = inFirstRow(k) || s.pieceTop == s.placedBottom[k - slotsPerRow];
    return leftOk && topOk;
}

bool pieceFits(const GameState& s) {
    return !lookAheadRefuses(s) && neighboursMatch(s);
}

bool holdsDemandedColours(const GameState& s) {
    const int k = s.currentSlot;
    if (!onBoard(k)) {
        return true; // no neighbours, nothing demanded
    }
    const Piece piece = s.piece();
    return (inFirstColumn(k) || piece.holds(s.placedRight[k - 1])) &&
           (inFirstRow(k) || piece.holds(s.placedBottom[k - slotsPerRow]));
}
