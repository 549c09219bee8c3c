// Waiting for the sound worker, which runs on its own thread.
#pragma once

#include "sdlcueplayer.h"

#include <chrono>
#include <thread>

// Polls `done` until it holds or `limit` has passed; true if it held. The
// limit only keeps a broken build from hanging, it measures nothing.
template <class Condition>
bool waitFor(Condition done, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    for (const auto giveUp = std::chrono::steady_clock::now() + limit; !done();) {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Starts `cue` and waits until it is heard.
inline bool startAndHear(SdlCuePlayer& player, Cue cue) {
    const std::uint64_t before = player.state().starts;
    player.playCue(cue);
    return waitFor([&] {
        const CueState s = player.state();
        return s.starts > before && s.cue == cue && s.frame > 0;
    });
}
