#pragma once

#include <cstdint>

// The sound cues. Each number is also the clip's identifier among the
// program's resources (res/sounds/cueNNN.wav).
enum class Cue : std::int16_t {
    newGame = 101,
    refused = 102,   // ASSEGNA turned down, for either reason
    unused103 = 103, // kept with the others; nothing plays it
    unused104 = 104, // likewise
    mirrorLeftRight = 105,
    turn = 106, // both quarter turns
    completed = 107,
    click = 108, // the top-bottom mirror and the top-right swap
};

inline constexpr Cue firstCue = Cue::newGame;
inline constexpr Cue lastCue = Cue::click;
inline constexpr int cueCount = static_cast<int>(lastCue) - static_cast<int>(firstCue) + 1;

constexpr std::int16_t clipId(Cue cue) {
    return static_cast<std::int16_t>(cue);
}

// The cue's place among all of them, 0 for the first, and back.
constexpr int cueIndex(Cue cue) {
    return clipId(cue) - clipId(firstCue);
}
constexpr Cue cueAt(int index) {
    return Cue(clipId(firstCue) + index);
}
