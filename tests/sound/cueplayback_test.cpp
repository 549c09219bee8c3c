// Cues played through a working device (SDL's dummy driver, which consumes
// sound at the real rate without making any).
#include "sdlcueplayer.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace std::chrono_literals;

namespace {

// One player for the whole program, as the game has one: a player that has
// gone leaves its device open, and the dummy driver opens one at a time.
SdlCuePlayer& player() {
    static SdlCuePlayer cues;
    return cues;
}

bool deviceClosed() {
    return waitFor([] { return !player().state().deviceOpen; }, 5s);
}

} // namespace

TEST(CuePlayback, ANewCueCutsOffTheOneSounding) {
    ASSERT_TRUE(startAndHear(player(), Cue::newGame)) << "the tune never sounded";
    ASSERT_TRUE(startAndHear(player(), Cue::click)) << "the click never sounded";
    // The tune has almost eight seconds to go. Had it been resumed or queued
    // behind the click, the device would stay open far past this limit.
    ASSERT_TRUE(deviceClosed());
    const CueState s = player().state();
    EXPECT_EQ(s.cue, Cue::click) << "the click was not the last thing heard";
    EXPECT_FALSE(s.sounding);
    EXPECT_EQ(s.frame, 1391) << "the click was not heard whole";
}

TEST(CuePlayback, TheSameCueAgainStartsFromItsBeginning) {
    constexpr std::int64_t halfSecond = 11025 / 2;
    ASSERT_TRUE(startAndHear(player(), Cue::newGame)) << "the tune never sounded";
    ASSERT_TRUE(waitFor([] { return player().state().frame >= halfSecond; }));
    ASSERT_TRUE(startAndHear(player(), Cue::newGame)) << "the tune never sounded again";
    EXPECT_LT(player().state().frame, halfSecond);
}

TEST(CuePlayback, DeviceClosesAfterTheClipAndReopensForTheNext) {
    ASSERT_TRUE(startAndHear(player(), Cue::mirrorLeftRight)) << "the whoosh never sounded";
    EXPECT_TRUE(player().state().deviceOpen);
    ASSERT_TRUE(deviceClosed()) << "a silent device left open keeps a thread busy";
    const std::uint64_t tries = player().state().deviceTries;
    ASSERT_TRUE(startAndHear(player(), Cue::turn)) << "the turn never sounded";
    EXPECT_EQ(player().state().deviceTries, tries + 1);
    EXPECT_TRUE(player().state().deviceOpen);
}

TEST(CuePlayback, HeldCuesWaitAndOnlyTheLastOneIsPlayedOnRelease) {
    const CueState before = player().state();
    player().holdCues();
    player().playCue(Cue::newGame);
    player().playCue(Cue::click);
    EXPECT_FALSE(waitFor([&] { return player().state().handled > before.handled; }, 200ms))
        << "a held cue was dealt with";
    player().releaseCues();
    ASSERT_TRUE(waitFor([&] { return player().state().handled == before.handled + 2; }));
    const CueState s = player().state();
    EXPECT_EQ(s.starts, before.starts + 1);
    EXPECT_EQ(s.cue, Cue::click);
}
