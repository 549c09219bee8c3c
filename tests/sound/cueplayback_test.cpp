// Cues played through a working device (SDL's dummy driver, which consumes
// sound at the real rate without making any).
#include "playcue.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace std::chrono_literals;

namespace {

// Starts `id` and waits until it is heard.
bool startAndHear(std::int16_t id) {
    const std::uint64_t before = cueState().starts;
    playCue(id);
    return waitFor([&] {
        const CueState s = cueState();
        return s.starts > before && s.cue == id && s.frame > 0;
    });
}

} // namespace

TEST(CuePlayback, ANewCueCutsOffTheOneSounding) {
    ASSERT_TRUE(startAndHear(101)) << "cue 101 never sounded";
    ASSERT_TRUE(startAndHear(108)) << "cue 108 never sounded";
    // The tune has almost eight seconds to go. Had it been resumed or queued
    // behind the click, the device would stay open far past this limit.
    ASSERT_TRUE(waitFor([] { return !cueState().deviceOpen; }, 5s));
    const CueState s = cueState();
    EXPECT_EQ(s.cue, 108) << "the click was not the last thing heard";
    EXPECT_FALSE(s.sounding);
    EXPECT_EQ(s.frame, 1391) << "the click was not heard whole";
}

TEST(CuePlayback, TheSameCueAgainStartsFromItsBeginning) {
    constexpr std::int64_t halfSecond = 11025 / 2;
    ASSERT_TRUE(startAndHear(101)) << "cue 101 never sounded";
    ASSERT_TRUE(waitFor([&] { return cueState().frame >= halfSecond; }));
    ASSERT_TRUE(startAndHear(101)) << "cue 101 never sounded";
    EXPECT_LT(cueState().frame, halfSecond);
}

TEST(CuePlayback, DeviceClosesAfterTheClipAndReopensForTheNext) {
    ASSERT_TRUE(startAndHear(105)) << "cue 105 never sounded";
    EXPECT_TRUE(cueState().deviceOpen);
    ASSERT_TRUE(waitFor([] { return !cueState().deviceOpen; }))
        << "a silent device left open keeps a thread busy";
    const std::uint64_t tries = cueState().deviceTries;
    ASSERT_TRUE(startAndHear(106)) << "cue 106 never sounded";
    EXPECT_EQ(cueState().deviceTries, tries + 1);
    EXPECT_TRUE(cueState().deviceOpen);
}
