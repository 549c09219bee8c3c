#pragma once

#include "draws.h"
#include "gamestate.h"
#include "gameview.h"
#include "layout.h"

#include <cstdint>

// The rules of the game. Each public command is one button or menu command
// of the window and runs to its end, telling the view what to show and play.
class Game {
  public:
    Game(GameView& view, DrawSource& draws);

    void newGame();
    void discardPiece();    // NUOVO RETTANGOLO
    void assignPiece();     // ASSEGNA
    void cancelLastPiece(); // "Cancella ultimo rettangolo"
    void showScoring();     // "Punteggio"

    void rotateAnticlockwise();
    void rotateClockwise();
    void reflectHorizontal();
    void reflectVertical();
    void swapTopRight();

    const GameState& state() const { return state_; }
    const Shape1Set& Shape1() const { return Shape1_; }

    // Whether the current piece, as it is turned now, could go to currentSlot.
    bool pieceFits() const;

  private:
    void Daiquadrato();
    void dealPiece();
    std::int32_t drawFreeColour();
    bool holdsDemandedColours() const;
    void commitPiece();
    void showMatchHint();
    bool lookAheadRefuses() const;
    bool neighboursMatch() const;

    void beginManipulation(std::int16_t cue);
    void addMoves(std::int32_t moves);

    void paintTop(std::int16_t index, ColourCode colour);
    void paintRight(std::int16_t index, ColourCode colour);
    void paintBottom(std::int16_t index, ColourCode colour);
    void paintLeft(std::int16_t index, ColourCode colour);
    void fillAtFillPoint(ColourCode colour);
    void paintWholePiece(std::int16_t index);

    GameView& view_;
    DrawSource& draws_;
    GameState state_;
    Shape1Set Shape1_{pieceCell};
};
