// One thread does all that can take time: loading SDL, decoding a clip the
// first time it is asked for, starting SDL's audio and opening the device.
// SDL's own thread then feeds the device from feed(). An open device keeps
// that thread busy with silence, so the device is let go a while after its
// clip; SDL's audio stays up once it has worked, since starting it again
// means connecting to the sound server again. A device SDL reports lost, or
// one that cannot be opened, takes SDL's audio down with it, so that the
// next cue starts everything afresh: after a sound server's restart, the
// first cue finds the new server.
#include "sdlcueplayer.h"

#include "cuebank.h"
#include "sdlaudio.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// How long the device stays open after a clip, in case another cue follows.
constexpr auto kLinger = 1s;
// How often an open device is looked at: one that a sound server dropped is
// let go before the next cue needs a new one.
constexpr auto kWatch = 250ms;
// Samples the device asks for at a time (about 46 ms at 11 025 Hz).
constexpr Uint16 kDeviceBuffer = 512;

} // namespace

struct SdlCuePlayer::State {
    // Guarded by mutex.
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<Cue> pending;
    bool held = false;
    bool stopped = false;
    bool threadStarted = false;

    // The thread's own.
    std::array<std::optional<cuebank::Clip>, cueCount> clips;
    bool audioUp = false;
    SDL_AudioDeviceID device = 0;
    Clock::time_point letGoAt;

    // Handed to SDL's thread, which starts `next` with its next buffer and
    // reads `silenced` without a lock, so that stop() never waits.
    std::atomic<const cuebank::Clip*> next{nullptr};
    std::atomic<bool> silenced{false};
    // SDL's thread's own.
    const cuebank::Clip* playing = nullptr;
    std::size_t position = 0;
};

SdlCuePlayer::SdlCuePlayer() : state_(std::make_shared<State>()) {
    // What a mixer shows beside the name, which SDL cannot pass on to
    // PulseAudio: libpulse adds these from the environment. A player's own
    // choice stays.
    setenv("PULSE_PROP_application.icon_name", "it.zanfrino.vestito", 0);
    setenv("PULSE_PROP_media.role", "game", 0);
}

SdlCuePlayer::~SdlCuePlayer() {
    stop();
}

void SdlCuePlayer::playCue(Cue cue) {
    if (cue < firstCue || cue > lastCue)
        return;
    std::lock_guard lock(state_->mutex);
    state_->pending = cue;
    if (!state_->held)
        wakeThread();
}

void SdlCuePlayer::holdCues() {
    std::lock_guard lock(state_->mutex);
    state_->held = true;
}

void SdlCuePlayer::releaseCues() {
    std::lock_guard lock(state_->mutex);
    state_->held = false;
    if (state_->pending)
        wakeThread();
}

void SdlCuePlayer::stop() {
    state_->silenced = true; // from the device's next buffer on
    std::lock_guard lock(state_->mutex);
    state_->stopped = true;
    state_->wake.notify_one();
}

// With the lock held. The thread starts with the first cue let through.
void SdlCuePlayer::wakeThread() {
    if (state_->stopped)
        return;
    if (!std::exchange(state_->threadStarted, true))
        std::thread(run, state_).detach();
    state_->wake.notify_one();
}

void SdlCuePlayer::run(std::shared_ptr<State> s) {
    const SdlAudio* sdl = sdlAudio();
    if (sdl) {
        // SDL would otherwise catch SIGINT and SIGTERM while its audio is up
        // and turn them into events nobody reads.
        sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        sdl->SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Il vestito di Zanfrino");
        sdl->SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Effetti sonori");
        sdl->SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_ROLE, "game");
    }
    std::unique_lock lock(s->mutex);
    while (!s->stopped) {
        if (s->pending && !s->held) {
            const Cue cue = *std::exchange(s->pending, std::nullopt);
            lock.unlock();
            if (sdl)
                play(*sdl, *s, cue);
            lock.lock();
        } else if (s->device == 0) {
            s->wake.wait(lock);
        } else if (s->wake.wait_for(lock, kWatch) == std::cv_status::timeout) {
            lock.unlock();
            watch(*sdl, *s);
            lock.lock();
        }
    }
    lock.unlock();
    if (sdl) {
        // Paused, the device calls feed() no more, and `s` may go with this
        // thread. It is not closed: that would wait for SDL's thread, and a
        // sound server, while the program is ending.
        if (s->device != 0)
            sdl->PauseAudioDevice(s->device, 1);
        sdl->TLSCleanup(); // what SDL keeps for this thread alone
    }
}

void SdlCuePlayer::play(const SdlAudio& sdl, State& s, Cue cue) {
    auto& clip = s.clips[cueIndex(cue)];
    // The clips are read from the program's resources, which go away at exit.
    if (!clip && !s.silenced)
        clip = cuebank::decode(sdl, cue);
    if (!clip)
        return;
    if (s.device != 0 && sdl.GetAudioDeviceStatus(s.device) == SDL_AUDIO_STOPPED)
        dropAudio(sdl, s);
    if (s.device == 0) {
        if (!s.audioUp && sdl.InitSubSystem(SDL_INIT_AUDIO) != 0)
            return;
        s.audioUp = true;
        SDL_AudioSpec want{};
        want.freq = clip->rate; // all clips have one rate
        want.format = AUDIO_S16SYS;
        want.channels = 1;
        want.samples = kDeviceBuffer;
        want.callback = &SdlCuePlayer::feed;
        want.userdata = &s;
        // No changes allowed: SDL converts to whatever the device wants.
        s.device = sdl.OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        if (s.device == 0)
            return dropAudio(sdl, s);
    }
    s.next = &*clip;
    sdl.PauseAudioDevice(s.device, 0);
    s.letGoAt = Clock::now() + kLinger +
                std::chrono::milliseconds(clip->samples.size() * 1000 / clip->rate);
}

// A device SDL reports lost takes SDL's audio with it; a quiet one goes alone.
void SdlCuePlayer::watch(const SdlAudio& sdl, State& s) {
    if (sdl.GetAudioDeviceStatus(s.device) == SDL_AUDIO_STOPPED) {
        dropAudio(sdl, s);
    } else if (Clock::now() >= s.letGoAt) {
        sdl.CloseAudioDevice(s.device);
        s.device = 0;
    }
}

// Takes SDL's audio down, with any device, for the next cue to start afresh.
void SdlCuePlayer::dropAudio(const SdlAudio& sdl, State& s) {
    sdl.QuitSubSystem(SDL_INIT_AUDIO);
    s.audioUp = false;
    s.device = 0;
}

// SDL's thread, with the device's lock held: copies and nothing else.
void SdlCuePlayer::feed(void* state, std::uint8_t* stream, int len) {
    auto& s = *static_cast<State*>(state);
    if (const cuebank::Clip* clip = s.next.exchange(nullptr)) {
        s.playing = clip;
        s.position = 0;
    }
    auto* out = reinterpret_cast<std::int16_t*>(stream);
    const std::size_t wanted = static_cast<std::size_t>(len) / sizeof(std::int16_t);
    std::size_t n = 0;
    if (s.playing && !s.silenced) {
        n = std::min(wanted, s.playing->samples.size() - s.position);
        std::copy_n(s.playing->samples.data() + s.position, n, out);
        s.position += n;
    }
    std::fill(out + n, out + wanted, std::int16_t{0});
}
