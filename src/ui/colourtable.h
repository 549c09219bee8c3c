#pragma once

#include "piece.h"

#include <QRgb>

#include <array>

// The sixteen standard console colours, by colour code.
inline constexpr std::array<QRgb, 16> colourTable{
    0xff000000, // 0 black: every fill stops here
    0xff000080, // 1 blue
    0xff008000, // 2 green
    0xff008080, // 3 cyan
    0xff800000, // 4 red
    0xff800080, // 5 magenta: the status line
    0xff808000, // 6 yellow (brown)
    0xffc0c0c0, // 7 white (light grey)
    0xff808080, // 8 grey
    0xff0000ff, // 9 light blue: pieces use 9..13
    0xff00ff00, // 10 light green
    0xff00ffff, // 11 light cyan
    0xffff0000, // 12 light red
    0xffff00ff, // 13 light magenta
    0xffffff00, // 14 light yellow
    0xffffffff, // 15 bright white
};

inline constexpr ColourCode statusColour = 5;
