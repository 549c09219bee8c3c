// Stopping the sound, as the game does once its window has gone. A stopped
// player leaves its device open for good, and SDL's dummy driver opens one
// device at a time: hence a program of its own.
#include "sdlcueplayer.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace std::chrono_literals;

TEST(StoppingCues, TheCueSoundingFallsSilentAtOnceAndNoOtherStarts) {
    SdlCuePlayer player;
    ASSERT_TRUE(startAndHear(player, Cue::newGame)) << "the tune never sounded";
    player.stop();
    player.playCue(Cue::click);
    // The buffer being filled when stop() came may still count; none after it.
    std::this_thread::sleep_for(100ms);
    const CueState stopped = player.state();
    std::this_thread::sleep_for(300ms);
    const CueState s = player.state();
    EXPECT_EQ(s.frame, stopped.frame) << "the tune went on";
    EXPECT_EQ(s.starts, 1u) << "a cue started after stop()";
}
