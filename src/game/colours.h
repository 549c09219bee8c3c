#pragma once

#include <array>
#include <cstdint>

// A colour code 0..15 names one of the sixteen standard console colours.
using ColourCode = std::int16_t;

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

inline constexpr std::array<Rgb, 16> colourTable{{
    {0, 0, 0},       // 0 black: every fill stops here
    {0, 0, 128},     // 1 blue
    {0, 128, 0},     // 2 green
    {0, 128, 128},   // 3 cyan
    {128, 0, 0},     // 4 red
    {128, 0, 128},   // 5 magenta: the status line
    {128, 128, 0},   // 6 yellow (brown)
    {192, 192, 192}, // 7 white (light grey)
    {128, 128, 128}, // 8 grey
    {0, 0, 255},     // 9 light blue: pieces use 9..13
    {0, 255, 0},     // 10 light green
    {0, 255, 255},   // 11 light cyan
    {255, 0, 0},     // 12 light red
    {255, 0, 255},   // 13 light magenta
    {255, 255, 0},   // 14 light yellow
    {255, 255, 255}, // 15 bright white
}};

inline constexpr ColourCode firstPieceColour = 9;
inline constexpr ColourCode lastPieceColour = 13;
inline constexpr ColourCode statusColour = 5;
