#pragma once

#include "gamestate.h"
#include "gameview.h"
#include "random.h"

#include <cstdint>

// The rules of the game. Each public command is one button or menu command
// of the window and runs to its end, telling the view what to show and play.
class Game {
  public:
    Game(GameView& view, RandomSource& random);

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

  private:
    using Rearrangement = Piece (*)(Piece);
    // One manipulation: a move, its cue, the new arrangement, the triangles
    // it changed repainted, the verdict.
    template <Rearrangement arrange> void rearrange(Cue cue);

    void Daiquadrato();
    void dealPiece();
    std::int32_t drawFreeColour();
    void commitPiece();
    void showMatchHint();
    void addMoves(std::int32_t moves);
    void paintPiece(std::int16_t cell, Piece piece);

    GameView& view_;
    RandomSource& random_;
    GameState state_;
};
