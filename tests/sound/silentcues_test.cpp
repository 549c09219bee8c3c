// Cues on a machine without sound: SDL has no such audio driver, or its disk
// driver is pointed at a file that cannot be written, so no device opens.
#include "playcue.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(CuesWithoutSound, EveryCueIsAcceptedQuietlyAndNothingPlays) {
    // Only used when the test runs with SDL_AUDIODRIVER=disk.
    setenv("SDL_DISKAUDIOFILE", "/proc/no-such-dir/cues.raw", 1);
    testing::internal::CaptureStderr();

    std::uint64_t calls = cueState().handled;
    for (int round = 0; round < 3; ++round) {
        for (std::int16_t id = 101; id <= 108; ++id) {
            playCue(id);
            ++calls;
            ASSERT_TRUE(waitFor([&] { return cueState().handled == calls; }));
        }
    }
    const CueState s = cueState();
    EXPECT_EQ(s.starts, 0u);
    EXPECT_EQ(s.cue, 0);
    EXPECT_FALSE(s.sounding);
    EXPECT_FALSE(s.deviceOpen);
    EXPECT_EQ(s.deviceTries, 1u) << "the missing device was tried again and again";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
