// Cues on a machine without sound: SDL has no such audio driver, or its disk
// driver is pointed at a file that cannot be written, so no device opens.
#include "sdlcueplayer.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(CuesWithoutSound, EveryCueIsAcceptedQuietlyAndNothingPlays) {
    // Only used when the test runs with SDL_AUDIODRIVER=disk.
    setenv("SDL_DISKAUDIOFILE", "/proc/no-such-dir/cues.raw", 1);
    testing::internal::CaptureStderr();

    SdlCuePlayer player;
    for (int call = 0; call < 3 * cueCount; ++call) { // every cue, three times over
        player.playCue(cueAt(call % cueCount));
        ASSERT_TRUE(waitFor([&] { return player.state().handled == call + 1u; }));
    }
    const CueState s = player.state();
    EXPECT_EQ(s.starts, 0u);
    EXPECT_FALSE(s.deviceOpen);
    EXPECT_EQ(s.deviceTries, 1u) << "the missing device was tried again and again";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
