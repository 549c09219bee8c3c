// The eight clips as the program carries them: their files, read back from
// the program's resources, and what SDL makes of them.
#include "cuebank.h"
#include "sdlaudio.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct ClipRow {
    std::int16_t id;
    std::uint32_t fileBytes; // with the two closing zero bytes
    std::uint32_t dataBytes;
    std::uint32_t samples;
};

constexpr ClipRow kClips[] = {
    {101, 45660, 45568, 88832}, {102, 6492, 6400, 12160}, {103, 13404, 13312, 25879},
    {104, 14428, 14336, 28000}, {105, 2140, 2048, 3712},  {106, 5724, 5632, 10584},
    {107, 9052, 8960, 17099},   {108, 860, 768, 1391},
};

// Everything before the ADPCM data of a clip: RIFF header, "fmt " (4-bit
// ADPCM, mono, 11 025 Hz, 256-byte blocks of 500 samples, the seven standard
// coefficient pairs), "fact" and the "data" chunk header.
std::vector<std::uint8_t> headerOf(const ClipRow& row) {
    std::vector<std::uint8_t> h;
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i)
            h.push_back(static_cast<std::uint8_t>(t[i]));
    };
    auto u16 = [&](int v) {
        h.push_back(static_cast<std::uint8_t>(v & 0xff));
        h.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
    };
    auto u32 = [&](std::uint32_t v) {
        u16(static_cast<int>(v & 0xffff)), u16(static_cast<int>(v >> 16));
    };
    tag("RIFF"), u32(row.fileBytes - 2 - 8), tag("WAVE");
    tag("fmt "), u32(50), u16(2), u16(1), u32(11025), u32(5644), u16(256), u16(4), u16(32);
    u16(500), u16(7);
    for (int c : {256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232})
        u16(c);
    tag("fact"), u32(4), u32(row.samples);
    tag("data"), u32(row.dataBytes);
    return h;
}

} // namespace

TEST(EmbeddedClips, EveryClipHasTheGamesWaveLayout) {
    for (const ClipRow& row : kClips) {
        SCOPED_TRACE(row.id);
        QFile file(QStringLiteral(":/sounds/cue%1.wav").arg(row.id));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "clip missing from the program";
        const QByteArray bytes = file.readAll();
        ASSERT_EQ(bytes.size(), row.fileBytes);
        EXPECT_EQ(cuebank::clipFile(row.id), bytes);

        const std::vector<std::uint8_t> want = headerOf(row);
        const std::vector<std::uint8_t> got(bytes.begin(), bytes.begin() + want.size());
        const auto same = std::mismatch(want.begin(), want.end(), got.begin()).first - want.begin();
        EXPECT_EQ(same, std::ssize(want)) << "the header differs from byte " << same << " on";
        // After the data: two zero bytes that belong to no chunk.
        EXPECT_EQ(bytes.at(bytes.size() - 2), 0);
        EXPECT_EQ(bytes.at(bytes.size() - 1), 0);
    }
}

TEST(ClipDecoding, EachClipDecodesToItsSampleCountStartsAndEndsInSilenceAndNeverClips) {
    const SdlAudio* sdl = sdlAudio();
    ASSERT_NE(sdl, nullptr);
    for (const ClipRow& row : kClips) {
        SCOPED_TRACE(row.id);
        const auto clip = cuebank::decode(*sdl, row.id);
        ASSERT_TRUE(clip.has_value());
        EXPECT_EQ(clip->id, row.id);
        EXPECT_EQ(clip->rate, 11025);
        const auto& s = clip->samples;
        EXPECT_EQ(s.size(), row.samples);
        ASSERT_GT(s.size(), 20u);
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
