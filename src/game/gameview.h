#pragma once

#include "colours.h"
#include "layout.h"

#include <cstdint>
#include <string_view>

// Everything the game shows and plays goes through this interface: the
// window implements it with widgets, tests with a recorder.
class GameView {
  public:
    virtual ~GameView() = default;

    // Image1: the figure of Image2(0) when the piece fits, of Image2(1) otherwise.
    virtual void showFitPicture(bool fits) = 0;
    virtual void showCounter(std::string_view text) = 0; // Label2
    virtual void showStatus(std::string_view text) = 0;  // Label1
    virtual void dockStatusLine() = 0;                   // the window's Form_Resize
    virtual void playCue(std::int16_t id) = 0;
    virtual void setAssignEnabled(bool enabled) = 0;
    // The five piece buttons wait for each game's first piece: until it is
    // dealt there is no piece on show to turn.
    virtual void setPieceButtonsEnabled(bool enabled) = 0;

    // The drawing surface.
    virtual void clearSurface() = 0; // erases every fill; outlines stay
    virtual void placeCell(std::int16_t index, const Cell& cell) = 0;
    virtual void wipeCell(std::int16_t index) = 0; // back to white inside its lines
    virtual void floodFill(int x, int y, ColourCode colour) = 0;
};
