// The clips as the program carries them. Then the cues as a player hears
// them: SDL's disk driver writes what the device plays to a file, in real
// time from the device's opening, and the tests read it back. Last, the game
// without sound: it takes every cue and says nothing.
#include "cuebank.h"
#include "sdlaudio.h"
#include "sdlcueplayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

using namespace std::chrono_literals;
using Samples = std::vector<std::int16_t>;

namespace {

Samples clip(Cue cue) {
    return cuebank::decode(*sdlAudio(), cue).value().samples;
}
Samples::const_iterator find(const Samples& heard, const Samples& part) {
    return std::search(heard.begin(), heard.end(), part.begin(), part.end());
}
bool silent(Samples::const_iterator from, Samples::const_iterator to) {
    return std::all_of(from, to, [](std::int16_t s) { return s == 0; });
}

// Every cue has its clip (the build embeds them by number, from a list of
// its own), decoded to the sample count its file declares: ADPCM ends inside
// its last block, and the "fact" chunk says where.
TEST(Clips, EveryCueHasAClipOfTheLengthItsFileDeclares) {
    for (int i = 0; i < cueCount; ++i) {
        const QByteArray file = cuebank::clipFile(cueAt(i));
        const auto clip = cuebank::decode(*sdlAudio(), cueAt(i));
        ASSERT_TRUE(clip && file.contains("fact")) << clipId(cueAt(i));
        EXPECT_EQ(clip->rate, 11025); // the device opens at one rate for all
        EXPECT_EQ(clip->samples.size(),
                  qFromLittleEndian<quint32>(file.constData() + file.indexOf("fact") + 8));
    }
}

class HeardCues : public testing::Test {
  protected:
    void SetUp() override { setenv("SDL_DISKAUDIOFILE", qPrintable(path), 1); }

    // What the device has played once `done` holds of it, or after 20 s.
    template <class Condition> Samples heardWhen(Condition done) const {
        Samples s;
        for (int tries = 0; tries < 2000 && !done(s); ++tries) {
            std::this_thread::sleep_for(10ms);
            QFile file(path);
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : "";
            const auto* first = reinterpret_cast<const std::int16_t*>(bytes.constData());
            s.assign(first, first + bytes.size() / 2);
        }
        return s;
    }
    // Once it has been followed by a buffer of silence.
    Samples heardTo(const Samples& clip) const {
        return heardWhen(
            [&](const Samples& s) { return s.end() - find(s, clip) > ssize(clip) + 512; });
    }
    // Silence, the clip whole, silence.
    void expectOnly(const Samples& clip) const {
        const Samples s = heardTo(clip);
        const auto at = find(s, clip);
        ASSERT_NE(at, s.end()) << "not heard whole";
        EXPECT_TRUE(silent(s.begin(), at) && silent(at + ssize(clip), s.end())) << "more was heard";
    }

    QTemporaryDir dir;
    QString path = dir.filePath("cues.raw");
    SdlCuePlayer player;
    const Samples tune = clip(Cue::newGame), opening{tune.begin(), tune.begin() + 512},
                  click = clip(Cue::click);
};

TEST_F(HeardCues, ANewCueCutsOffTheOneSoundingForGood) {
    player.playCue(Cue::newGame);
    heardWhen([&](const Samples& s) { return find(s, opening) != s.end(); }); // the tune began
    player.playCue(Cue::click);
    const Samples s = heardTo(click);
    const auto from = find(s, opening), at = find(s, click);
    ASSERT_TRUE(from < at && at != s.end()) << "the tune, then the click whole, were not heard";
    ASSERT_LT(at - from, ssize(tune)) << "the tune was not cut off";
    EXPECT_TRUE(std::equal(from, at, tune.begin())) << "the tune broke off before the click";
    EXPECT_TRUE(silent(at + ssize(click), s.end())) << "the tune came back";
}

TEST_F(HeardCues, StopSilencesTheCueAtOnceAndLaterCuesAreIgnored) {
    player.playCue(Cue::newGame);
    heardWhen([&](const Samples& s) { return find(s, opening) != s.end(); }); // the tune began
    player.stop();
    player.playCue(Cue::click);
    // The stopped device writes on, silence only: two seconds of it.
    const Samples s = heardWhen([](const Samples& s) { return s.size() > 2 * 11025u; });
    const auto from = find(s, opening);
    const auto to = std::mismatch(from, s.end(), tune.begin(), tune.end()).first;
    // Seen to start, the tune had 8 s to go; what was on its way when stop()
    // came (the file's 4 KiB write buffer, the device's buffers) is far less.
    EXPECT_LT(to - from, 11025 / 2);
    EXPECT_TRUE(silent(to, s.end())) << "a cue played after stop()";
}

TEST_F(HeardCues, HeldCuesWaitAndOnlyTheLastOnePlaysOnRelease) {
    player.holdCues();
    player.playCue(Cue::newGame);
    player.playCue(Cue::click);
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(QFile::exists(path)) << "a device opened while cues were held";
    player.releaseCues();
    expectOnly(click);
}

// As when a sound server is away, then back: no device to be had, then one
// lost while it plays; the next cue must be heard, without waiting.
TEST_F(HeardCues, TheCueAfterAFailedOrALostDeviceIsHeard) {
    path = dir.filePath("later/cues.raw");
    setenv("SDL_DISKAUDIOFILE", qPrintable(path), 1);
    player.playCue(Cue::turn); // into a folder not there
    std::this_thread::sleep_for(300ms);
    std::filesystem::create_directory(qPrintable(dir.filePath("later")));
    std::filesystem::create_symlink("/dev/full", qPrintable(path));
    player.playCue(Cue::mirrorLeftRight); // lost at its first write to disk
    std::this_thread::sleep_for(500ms);
    std::filesystem::remove(qPrintable(path));
    player.playCue(Cue::click);
    expectOnly(click);
}

// Run with settings that leave no sound to be had (see CMakeLists.txt).
TEST(CuesWithoutSound, EveryCueIsTakenAndNothingIsSaid) {
    testing::internal::CaptureStderr();
    SdlCuePlayer player;
    for (int call = 0; call < 3 * cueCount; ++call, std::this_thread::sleep_for(20ms))
        player.playCue(cueAt(call % cueCount)); // every cue, three times over
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

} // namespace
