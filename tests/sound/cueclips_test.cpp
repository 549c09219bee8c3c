// The eight clips as the program carries them: their files, read back from
// the program's resources, and what SDL makes of them.
#include "cuebank.h"
#include "sdlaudio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

struct ClipRow {
    Cue cue;
    std::uint32_t fileBytes; // with the two closing zero bytes
    std::uint32_t dataBytes;
    std::uint32_t samples;
};

// One row for each cue: the tests below check every cue's clip.
constexpr ClipRow kClips[] = {
    {Cue::newGame, 45660, 45568, 88832},      {Cue::refused, 6492, 6400, 12160},
    {Cue::unused103, 13404, 13312, 25879},    {Cue::unused104, 14428, 14336, 28000},
    {Cue::mirrorLeftRight, 2140, 2048, 3712}, {Cue::turn, 5724, 5632, 10584},
    {Cue::completed, 9052, 8960, 17099},      {Cue::click, 860, 768, 1391},
};
static_assert(std::size(kClips) == cueCount);

// Everything before the ADPCM data of a clip: RIFF header, "fmt " (4-bit
// ADPCM, mono, 11 025 Hz, 256-byte blocks of 500 samples, the seven standard
// coefficient pairs), "fact" and the "data" chunk header.
QByteArray headerOf(const ClipRow& row) {
    QByteArray h;
    const auto u16 = [&](int v) { h.append(char(v & 0xff)).append(char((v >> 8) & 0xff)); };
    const auto u32 = [&](std::uint32_t v) { u16(int(v & 0xffff)), u16(int(v >> 16)); };
    h.append("RIFF"), u32(row.fileBytes - 2 - 8), h.append("WAVEfmt ");
    u32(50), u16(2), u16(1), u32(11025), u32(5644), u16(256), u16(4), u16(32), u16(500), u16(7);
    for (int c : {256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232})
        u16(c);
    h.append("fact"), u32(4), u32(row.samples), h.append("data"), u32(row.dataBytes);
    return h;
}

} // namespace

// The build embeds the clips by number, from a list of its own: every cue
// must find its clip, and no clip may lie outside the cues.
TEST(EmbeddedClips, EveryCueHasAClipInTheGamesWaveLayoutAndNoOtherClipIsHeld) {
    EXPECT_TRUE(cuebank::clipFile(Cue{clipId(firstCue) - 1}).isEmpty());
    EXPECT_TRUE(cuebank::clipFile(Cue{clipId(lastCue) + 1}).isEmpty());
    for (const ClipRow& row : kClips) {
        SCOPED_TRACE(clipId(row.cue));
        const QByteArray bytes = cuebank::clipFile(row.cue);
        ASSERT_EQ(bytes.size(), row.fileBytes) << "no clip, or not this one";
        const QByteArray want = headerOf(row);
        EXPECT_EQ(bytes.first(want.size()).toHex(' '), want.toHex(' '));
        // After the data: two zero bytes that belong to no chunk.
        EXPECT_EQ(bytes.last(2), QByteArray(2, '\0'));
    }
}

TEST(ClipDecoding, EachClipDecodesToItsSampleCountStartsAndEndsInSilenceAndNeverClips) {
    const SdlAudio* sdl = sdlAudio();
    ASSERT_NE(sdl, nullptr);
    for (const ClipRow& row : kClips) {
        SCOPED_TRACE(clipId(row.cue));
        const auto clip = cuebank::decode(*sdl, row.cue);
        ASSERT_TRUE(clip.has_value());
        EXPECT_EQ(clip->rate, 11025);
        const auto& s = clip->samples;
        ASSERT_EQ(s.size(), row.samples);
        // A jump at either end is heard as a click; 1% of full scale is not.
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_LT(std::abs(s[i]), 328) << "sample " << i;
            EXPECT_LT(std::abs(s[s.size() - 1 - i]), 328) << "sample " << s.size() - 1 - i;
        }
        const auto [lo, hi] = std::minmax_element(s.begin(), s.end());
        EXPECT_GT(*lo, -32500);
        EXPECT_LT(*hi, 32500);
        EXPECT_GT(*hi, 3000) << "clip is (nearly) silent";
    }
}
