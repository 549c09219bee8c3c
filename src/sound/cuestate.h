// A snapshot of what the sound is doing, for tests and diagnostics.
#pragma once

#include "cue.h"

#include <cstdint>
#include <optional>

struct CueState {
    std::optional<Cue> cue;        // the cue started last, none before any
    bool sounding = false;         // whether it is still being heard
    std::int64_t frame = 0;        // samples of it played so far
    std::uint64_t starts = 0;      // cues started by this player
    std::uint64_t handled = 0;     // playCue requests the worker has dealt with
    std::uint64_t deviceTries = 0; // attempts to open the sound device
    bool deviceOpen = false;
};
