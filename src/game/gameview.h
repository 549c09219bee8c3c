#pragma once

#include "cue.h"
#include "piece.h"

#include <cstdint>
#include <string_view>

// Everything the game shows and plays goes through this interface, in the
// game's own terms: the window turns it into widgets and pixels, tests
// record it.
class GameView {
  public:
    // The cell of the current piece, beside the board's slots 1..18.
    static constexpr std::int16_t pieceCell = 0;

    virtual ~GameView() = default;

    virtual void showFitPicture(bool fits) = 0;
    virtual void showCounter(std::string_view text) = 0;
    virtual void showStatus(std::string_view text) = 0;
    virtual void dockStatusLine() = 0; // to the window's bottom edge, at full width
    virtual void playCue(Cue cue) = 0;
    virtual void setAssignEnabled(bool enabled) = 0;
    // The five piece buttons wait for each game's first piece: until it is
    // dealt there is no piece on show to turn.
    virtual void setPieceButtonsEnabled(bool enabled) = 0;

    // The board.
    virtual void clearBoard() = 0;  // every colour gone, the current piece's cell alone drawn
    virtual void layOutBoard() = 0; // the 18 slots drawn, empty
    virtual void paintSide(std::int16_t cell, Side side, ColourCode colour) = 0;
    virtual void wipeSlot(std::int16_t slot) = 0; // empty again inside its lines
};
