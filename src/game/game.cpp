#include "game.h"

#include "rules.h"
#include "texts.h"

#include <array>
#include <cmath>
#include <string>

namespace {

std::string counterText(std::int32_t moves) {
    return std::string(texts::counterPrefix) + std::to_string(moves);
}

// Whether the rearrangement moves a colour into this side: tried on a piece
// of four different colours, as every dealt piece is.
constexpr bool moves(Piece (*arrange)(Piece), Side side) {
    constexpr Piece distinct{1, 2, 3, 4};
    return arrange(distinct).colour(side) != distinct.colour(side);
}

} // namespace

Game::Game(GameView& view, RandomSource& random) : view_(view), random_(random) {}

void Game::newGame() {
    view_.showFitPicture(false);
    view_.clearBoard();
    view_.playCue(Cue::newGame);
    state_.moveCount = 0;
    view_.showCounter(counterText(0));
    view_.dockStatusLine();
    state_.currentSlot = 1;
    view_.layOutBoard();
    // A new game deals nothing, so there is nothing to assign or turn until
    // the first piece comes: the old piece is hidden and must not come back.
    view_.setAssignEnabled(false);
    view_.setPieceButtonsEnabled(false);
    view_.showStatus(texts::loadFirstPiece);
}

void Game::discardPiece() {
    view_.setAssignEnabled(true);
    view_.setPieceButtonsEnabled(true);
    if (state_.currentSlot >= 2) {
        addMoves(cost::discard);
        view_.showStatus(texts::discardWarning);
    }
    Daiquadrato();
}

void Game::assignPiece() {
    view_.showFitPicture(false);
    if (lookAheadRefuses(state_)) {
        view_.playCue(Cue::refused);
        return;
    }
    if (onBoard(state_.currentSlot)) {
        if (!neighboursMatch(state_)) {
            view_.playCue(Cue::refused);
            addMoves(cost::mismatch);
            return;
        }
        commitPiece();
    }
    if (state_.currentSlot > slotCount) {
        view_.playCue(Cue::completed);
        view_.showStatus(std::string(texts::completedPrefix) + std::to_string(state_.moveCount) +
                         std::string(texts::completedSuffix));
        view_.setAssignEnabled(false);
    }
}

void Game::cancelLastPiece() {
    const int k = state_.currentSlot;
    if (k < 3 || k > slotCount) {
        return;
    }
    addMoves(cost::cancel);
    view_.showStatus(texts::cancelWarning);
    view_.wipeSlot(static_cast<std::int16_t>(k - 1));
    state_.currentSlot = static_cast<std::int16_t>(k - 1);
    // The piece was dealt for the slot after; say honestly whether it fits here.
    showMatchHint();
}

void Game::showScoring() {
    view_.showStatus(texts::scoringRules);
}

template <Game::Rearrangement arrange> void Game::rearrange(Cue cue) {
    view_.showFitPicture(false);
    addMoves(cost::change);
    view_.playCue(cue);
    state_.setPiece(arrange(state_.piece()));
    constexpr std::array<bool, 4> changed{moves(arrange, Side::top), moves(arrange, Side::right),
                                          moves(arrange, Side::bottom), moves(arrange, Side::left)};
    for (const Side side : allSides) {
        if (changed[static_cast<std::size_t>(side)]) {
            view_.paintSide(GameView::pieceCell, side,
                            static_cast<ColourCode>(state_.piece().colour(side)));
        }
    }
    showMatchHint();
}

void Game::rotateAnticlockwise() {
    rearrange<turnedAnticlockwise>(Cue::turn);
}

void Game::rotateClockwise() {
    rearrange<turnedClockwise>(Cue::turn);
}

void Game::reflectHorizontal() {
    rearrange<mirroredLeftRight>(Cue::mirrorLeftRight);
}

void Game::reflectVertical() {
    rearrange<mirroredTopBottom>(Cue::click);
}

void Game::swapTopRight() {
    rearrange<topRightSwapped>(Cue::click);
}

void Game::Daiquadrato() {
    view_.showFitPicture(false);
    const int k = state_.currentSlot;
    if (k == 1) {
        view_.showStatus(texts::assignFirstPiece);
        dealPiece();
        view_.showFitPicture(true);
    } else if (onBoard(k)) {
        if (inFirstRow(k)) {
            view_.showStatus(texts::firstRowHint);
        } else if (inFirstColumn(k)) {
            view_.showStatus(texts::rowStartHint);
        } else {
            view_.showStatus(texts::twoColoursHint);
        }
        do {
            dealPiece();
        } while (!holdsDemandedColours(state_));
    }
    showMatchHint();
}

// Each colour is painted as soon as it is drawn.
void Game::dealPiece() {
    random_.reseed();
    for (int colour = firstPieceColour; colour <= lastPieceColour; ++colour) {
        state_.colourFree[colour] = -1;
    }
    for (const Side side : allSides) {
        Piece piece = state_.piece();
        piece.setColour(side, drawFreeColour());
        state_.setPiece(piece);
        view_.paintSide(GameView::pieceCell, side, static_cast<ColourCode>(piece.colour(side)));
    }
}

std::int32_t Game::drawFreeColour() {
    std::int32_t colour;
    do {
        colour = firstPieceColour + static_cast<std::int32_t>(std::floor(5.0f * random_.next()));
    } while (state_.colourFree[colour] == 0);
    state_.colourFree[colour] = 0;
    return colour;
}

void Game::commitPiece() {
    const std::int16_t k = state_.currentSlot;
    const Piece piece = state_.piece();
    paintPiece(k, piece);
    state_.placedTop[k] = piece.top;
    state_.placedBottom[k] = piece.bottom;
    state_.placedLeft[k] = piece.left;
    state_.placedRight[k] = piece.right;
    state_.currentSlot = static_cast<std::int16_t>(k + 1);
    Daiquadrato();
}

void Game::showMatchHint() {
    view_.showFitPicture(false);
    if (pieceFits(state_)) {
        view_.showFitPicture(true);
    }
}

void Game::addMoves(std::int32_t moves) {
    state_.moveCount += moves;
    view_.showCounter(counterText(state_.moveCount));
}

void Game::paintPiece(std::int16_t cell, Piece piece) {
    for (const Side side : allSides) {
        view_.paintSide(cell, side, static_cast<ColourCode>(piece.colour(side)));
    }
}
