#include "game.h"

#include "texts.h"

#include <cmath>
#include <string>
#include <tuple>
#include <utility>

namespace {

// The look-ahead guards slots that have both a row above and a right neighbour.
bool hasLookAhead(int slot) {
    return (slot >= 7 && slot <= 11) || (slot >= 13 && slot <= 17);
}

bool inFirstColumn(int slot) {
    return (slot - 1) % slotsPerRow == 0;
}

bool onBoard(int slot) {
    return slot >= 1 && slot <= slotCount;
}

ColourCode code(std::int32_t side) {
    return static_cast<ColourCode>(side);
}

std::string counterText(std::int32_t moves) {
    return std::string(texts::counterPrefix) + std::to_string(moves);
}

} // namespace

Game::Game(GameView& view, DrawSource& draws) : view_(view), draws_(draws) {}

void Game::newGame() {
    view_.showFitPicture(false);
    view_.clearSurface();
    view_.playCue(cues::newGame);
    state_.moveCount = 0;
    view_.showCounter(counterText(0));
    view_.dockStatusLine();
    state_.currentSlot = 1;

    const float width = Shape1_[0].shape.width;
    const float height = Shape1_[0].shape.height;
    std::int16_t k = 0;
    for (int row = 1; row <= 3; ++row) {
        for (int column = 1; column <= slotsPerRow; ++column) {
            ++k;
            Cell& cell = Shape1_[k];
            const float left = Shape2.left + width * static_cast<float>(column - 1);
            const float top = Shape2.top + height * static_cast<float>(row - 1);
            cell.shape = {left, top, width, height};
            cell.line1 = {left, top, left + width, top + height};
            cell.line2 = {left + width, top, left, top + height};
            cell.visible = true;
            view_.placeCell(k, cell);
        }
    }

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
        addMoves(5);
        view_.showStatus(texts::discardWarning);
    }
    Daiquadrato();
}

void Game::assignPiece() {
    view_.showFitPicture(false);
    const int k = state_.currentSlot;
    if (hasLookAhead(k) && lookAheadRefuses()) {
        view_.playCue(cues::refused);
        return;
    }
    if (onBoard(k)) {
        if (!neighboursMatch()) {
            view_.playCue(cues::refused);
            addMoves(3);
            return;
        }
        commitPiece();
    }
    if (state_.currentSlot > slotCount) {
        view_.playCue(cues::completed);
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
    addMoves(5);
    view_.showStatus(texts::cancelWarning);
    view_.wipeCell(static_cast<std::int16_t>(k - 1));
    state_.currentSlot = static_cast<std::int16_t>(k - 1);
    // The piece was dealt for the slot after; say honestly whether it fits here.
    showMatchHint();
}

void Game::showScoring() {
    view_.showStatus(texts::scoringRules);
}

void Game::rotateAnticlockwise() {
    beginManipulation(cues::turn);
    auto& s = state_;
    std::tie(s.pieceTop, s.pieceRight, s.pieceBottom, s.pieceLeft) =
        std::tuple(s.pieceRight, s.pieceBottom, s.pieceLeft, s.pieceTop);
    paintWholePiece(0);
    showMatchHint();
}

void Game::rotateClockwise() {
    beginManipulation(cues::turn);
    auto& s = state_;
    std::tie(s.pieceTop, s.pieceRight, s.pieceBottom, s.pieceLeft) =
        std::tuple(s.pieceLeft, s.pieceTop, s.pieceRight, s.pieceBottom);
    paintWholePiece(0);
    showMatchHint();
}

void Game::reflectHorizontal() {
    beginManipulation(cues::mirrorLeftRight);
    std::swap(state_.pieceRight, state_.pieceLeft);
    paintRight(0, code(state_.pieceRight));
    paintLeft(0, code(state_.pieceLeft));
    showMatchHint();
}

void Game::reflectVertical() {
    beginManipulation(cues::click);
    std::swap(state_.pieceTop, state_.pieceBottom);
    paintTop(0, code(state_.pieceTop));
    paintBottom(0, code(state_.pieceBottom));
    showMatchHint();
}

void Game::swapTopRight() {
    beginManipulation(cues::click);
    std::swap(state_.pieceTop, state_.pieceRight);
    paintTop(0, code(state_.pieceTop));
    paintRight(0, code(state_.pieceRight));
    showMatchHint();
}

bool Game::pieceFits() const {
    const int k = state_.currentSlot;
    if (!onBoard(k) || (hasLookAhead(k) && lookAheadRefuses())) {
        return false;
    }
    return neighboursMatch();
}

void Game::Daiquadrato() {
    view_.showFitPicture(false);
    const int k = state_.currentSlot;
    if (k == 1) {
        view_.showStatus(texts::assignFirstPiece);
        dealPiece();
        view_.showFitPicture(true);
    } else if (onBoard(k)) {
        if (k <= slotsPerRow) {
            view_.showStatus(texts::firstRowHint);
        } else if (inFirstColumn(k)) {
            view_.showStatus(texts::rowStartHint);
        } else {
            view_.showStatus(texts::twoColoursHint);
        }
        do {
            dealPiece();
        } while (!holdsDemandedColours());
    }
    showMatchHint();
}

void Game::dealPiece() {
    draws_.reseed();
    for (int colour = firstPieceColour; colour <= lastPieceColour; ++colour) {
        state_.colourFree[colour] = -1;
    }
    state_.pieceTop = drawFreeColour();
    paintTop(0, code(state_.pieceTop));
    state_.pieceRight = drawFreeColour();
    paintRight(0, code(state_.pieceRight));
    state_.pieceBottom = drawFreeColour();
    paintBottom(0, code(state_.pieceBottom));
    state_.pieceLeft = drawFreeColour();
    paintLeft(0, code(state_.pieceLeft));
}

std::int32_t Game::drawFreeColour() {
    std::int32_t colour;
    do {
        colour = firstPieceColour + static_cast<std::int32_t>(std::floor(5.0f * draws_.next()));
    } while (state_.colourFree[colour] == 0);
    state_.colourFree[colour] = 0;
    return colour;
}

// The deal only makes sure the demanded colours are in the piece; turning
// them into place is the player's work.
bool Game::holdsDemandedColours() const {
    const auto& s = state_;
    const auto holds = [&s](std::int32_t colour) {
        return s.pieceTop == colour || s.pieceRight == colour || s.pieceBottom == colour ||
               s.pieceLeft == colour;
    };
    const int k = s.currentSlot;
    const bool needsLeft = !inFirstColumn(k);
    const bool needsAbove = k > slotsPerRow;
    return (!needsLeft || holds(s.placedRight[k - 1])) &&
           (!needsAbove || holds(s.placedBottom[k - slotsPerRow]));
}

void Game::commitPiece() {
    const std::int16_t k = state_.currentSlot;
    paintTop(k, code(state_.pieceTop));
    paintRight(k, code(state_.pieceRight));
    paintBottom(k, code(state_.pieceBottom));
    paintLeft(k, code(state_.pieceLeft));
    state_.placedTop[k] = state_.pieceTop;
    state_.placedBottom[k] = state_.pieceBottom;
    state_.placedLeft[k] = state_.pieceLeft;
    state_.placedRight[k] = state_.pieceRight;
    state_.currentSlot = static_cast<std::int16_t>(k + 1);
    Daiquadrato();
}

void Game::showMatchHint() {
    view_.showFitPicture(false);
    if (pieceFits()) {
        view_.showFitPicture(true);
    }
}

// The piece that later fills slot k + 1 must show placedRight(k) on its left
// and placedBottom(k - 5) on its top; a piece never repeats a colour.
bool Game::lookAheadRefuses() const {
    const int k = state_.currentSlot;
    return state_.placedBottom[k - 5] == state_.pieceRight;
}

bool Game::neighboursMatch() const {
    const auto& s = state_;
    const int k = s.currentSlot;
    if (!onBoard(k)) {
        return false;
    }
    const bool leftOk = inFirstColumn(k) || s.pieceLeft == s.placedRight[k - 1];
    const bool topOk = k <= slotsPerRow || s.pieceTop == s.placedBottom[k - slotsPerRow];
    return leftOk && topOk;
}

void Game::beginManipulation(std::int16_t cue) {
    view_.showFitPicture(false);
    addMoves(1);
    view_.playCue(cue);
}

void Game::addMoves(std::int32_t moves) {
    state_.moveCount += moves;
    view_.showCounter(counterText(state_.moveCount));
}

void Game::paintWholePiece(std::int16_t index) {
    paintTop(index, code(state_.pieceTop));
    paintRight(index, code(state_.pieceRight));
    paintBottom(index, code(state_.pieceBottom));
    paintLeft(index, code(state_.pieceLeft));
}

void Game::paintTop(std::int16_t index, ColourCode colour) {
    const Rect& r = Shape1_[index].shape;
    state_.fillX = r.left + r.width / 2;
    state_.fillY = r.top + 10;
    fillAtFillPoint(colour);
}

void Game::paintRight(std::int16_t index, ColourCode colour) {
    const Rect& r = Shape1_[index].shape;
    state_.fillX = r.left + r.width / 2 + 10;
    state_.fillY = r.top + r.height / 2;
    fillAtFillPoint(colour);
}

void Game::paintBottom(std::int16_t index, ColourCode colour) {
    const Rect& r = Shape1_[index].shape;
    state_.fillX = r.left + r.width / 2;
    state_.fillY = r.top + r.height - 10;
    fillAtFillPoint(colour);
}

void Game::paintLeft(std::int16_t index, ColourCode colour) {
    const Rect& r = Shape1_[index].shape;
    state_.fillX = r.left + 10;
    state_.fillY = r.top + r.height / 2;
    fillAtFillPoint(colour);
}

// Halves go to the even pixel, as the default rounding mode does.
void Game::fillAtFillPoint(ColourCode colour) {
    view_.floodFill(static_cast<int>(std::lrint(state_.fillX)),
                    static_cast<int>(std::lrint(state_.fillY)), colour);
}
