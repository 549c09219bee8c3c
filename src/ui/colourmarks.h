#pragma once

#include "piece.h"

#include <QImage>
#include <QPointF>

// A mark for each of the five piece colours, told apart by its shape alone,
// for players who cannot tell the colours apart: drawn over the board, never
// into the surface the fills work on.
struct ColourMark {
    ColourCode colour = firstPieceColour;
    QPointF centre; // in window pixels

    friend bool operator==(const ColourMark&, const ColourMark&) = default;
};

// How far a mark reaches from its centre, in device pixels, at `scale`
// device pixels to the window pixel.
int markReach(double scale);

// The mark of piece colour `colour` (9..13) at `scale`, centred on the
// picture's middle, which falls between device pixels: opaque wherever its
// ink touches a pixel, its edges blended with the colour it stands on, and
// clear elsewhere. Drawn again over itself, it stays as it was.
QImage colourMark(ColourCode colour, double scale);
