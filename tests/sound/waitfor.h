// Waiting for the sound worker, which runs on its own thread.
#pragma once

#include <chrono>
#include <thread>

// Polls `done` until it holds or `limit` has passed; true if it held. The
// limit only keeps a broken build from hanging, it measures nothing.
template <class Condition>
bool waitFor(Condition done, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto giveUp = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
