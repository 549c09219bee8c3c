// The sound worker.
//
// playCue() only leaves a note for a worker thread and wakes it; everything
// that can take time (decoding, starting SDL's audio, opening the device)
// happens on the worker, so the window never waits for sound.
//
// The worker owns SDL's audio subsystem and the device. It opens both when a
// cue arrives and lets them go shortly after the clip has ended: an open SDL
// device keeps a thread feeding silence, and some SDL audio back-ends poll
// for hot-plugged devices for as long as the subsystem is up, so a game that
// plays nothing should hold neither. When the device cannot be had, the
// worker says nothing and waits a while before trying again.
//
// Ending the game never waits for sound. stopCues() (when the window is gone,
// and again at exit) silences the device's callback at once and tells the
// worker to stop, without waiting for it: the worker may be inside SDL just
// then, opening a device or talking to a sound server, for as long as those
// take. So the worker leaves device and subsystem as they are, since closing
// them waits for SDL's threads, and the player and its logging category are
// never destroyed: the process ends around a worker that may still be running.

#include "playcue.h"

#include "cuebank.h"
#include "sdlaudio.h"

#include <QLoggingCategory>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace {

// Never destroyed, like the player: the worker may still log while the
// program's statics are being destroyed.
const QLoggingCategory& lcSound() {
    static const QLoggingCategory* const category =
        new QLoggingCategory("zanfria.sound", QtWarningMsg);
    return *category;
}

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// How long the device stays open after a clip, in case another cue follows.
constexpr auto kLinger = 1s;
// How long to leave alone a device that could not be opened: 10 s, then
// twice as long after each failure, at most 160 s. Some back-ends print a
// page of errors on every failed attempt.
constexpr auto kRetryFirst = 10s;
constexpr auto kRetryMost = 160s;
// A device whose clip makes no progress for this long is taken as lost.
constexpr auto kStallLimit = 2s;
// Samples the device asks for at a time (about 46 ms at 11 025 Hz).
constexpr Uint16 kDeviceBuffer = 512;

class CuePlayer {
  public:
    CuePlayer() = default;
    // Never destroyed (see the top of this file).
    ~CuePlayer() = delete;
    CuePlayer(const CuePlayer&) = delete;
    CuePlayer& operator=(const CuePlayer&) = delete;

    void request(std::int16_t id);
    void hold();
    void release();
    void stop();
    CueState state() const;

  private:
    void startWorker(); // with mutex_ held
    void run();
    void start(std::int16_t id);
    bool openDevice(int rate);
    void closeDevice();
    void giveUpForAWhile(Clock::time_point now);
    Clock::time_point watch(); // returns when to look again
    static void feed(void* self, Uint8* stream, int len);

    // Shared with playCue() callers, guarded by mutex_.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::int16_t pending_ = 0;
    std::uint64_t requested_ = 0;
    bool held_ = false;
    bool quit_ = false;
    // Set once by stop(); read by the worker between its steps and by the
    // device's callback, which then plays only silence.
    std::atomic<bool> stopped_{false};

    // The worker's own.
    std::array<std::optional<cuebank::Clip>, cuebank::cueCount> clips_;
    const SdlAudio* sdl_ = nullptr;
    bool decoded_ = false;
    bool audioUp_ = false;
    SDL_AudioDeviceID device_ = 0;
    std::optional<Clock::time_point> nextTry_;
    Clock::duration retryAfter_ = kRetryFirst;
    std::optional<Clock::time_point> quietSince_;
    std::int64_t lastFrame_ = -1;
    Clock::time_point lastProgress_;

    // Shared with the device's callback, guarded by SDL's device lock.
    const cuebank::Clip* cueData = nullptr;
    std::size_t position_ = 0;

    // Published for cueState().
    std::atomic<std::int16_t> cue_{0};
    std::atomic<bool> sounding_{false};
    std::atomic<std::int64_t> frame_{0};
    std::atomic<std::uint64_t> starts_{0};
    std::atomic<std::uint64_t> handled_{0};
    std::atomic<std::uint64_t> tries_{0};
    std::atomic<bool> deviceOpen_{false};

    std::thread worker_; // started by the first cue that is not held back
};

void CuePlayer::startWorker() {
    if (!worker_.joinable())
        worker_ = std::thread([this] { run(); });
}

void CuePlayer::hold() {
    std::lock_guard lock(mutex_);
    held_ = true;
}

void CuePlayer::release() {
    {
        std::lock_guard lock(mutex_);
        held_ = false;
        if (pending_ == 0 || quit_)
            return;
        startWorker();
    }
    wake_.notify_one();
}

void CuePlayer::request(std::int16_t id) {
    if (id < cuebank::firstCue || id > cuebank::lastCue)
        return;
    {
        std::lock_guard lock(mutex_);
        if (quit_)
            return;
        pending_ = id;
        ++requested_;
        if (held_)
            return;
        startWorker();
    }
    wake_.notify_one();
}

void CuePlayer::stop() {
    // Silence first: from the device's next buffer on, even if the worker
    // never gets to run again.
    stopped_ = true;
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
}

CueState CuePlayer::state() const {
    CueState s;
    s.starts = starts_.load();
    s.cue = cue_.load();
    s.sounding = sounding_.load();
    s.frame = frame_.load();
    s.handled = handled_.load();
    s.deviceTries = tries_.load();
    s.deviceOpen = deviceOpen_.load();
    return s;
}

void CuePlayer::run() {
    sdl_ = sdlAudio();
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (pending_ != 0) {
            const std::int16_t id = std::exchange(pending_, 0);
            const std::uint64_t upTo = requested_;
            lock.unlock();
            start(id);
            handled_ = upTo;
            lock.lock();
        } else if (device_ == 0) {
            wake_.wait(lock);
        } else {
            lock.unlock();
            const auto next = watch();
            lock.lock();
            if (device_ != 0 && pending_ == 0 && !quit_)
                wake_.wait_until(lock, next);
        }
    }
    lock.unlock();
    // Stopped: the device and SDL are left as they are (see the top of this
    // file); the callback already plays silence. What SDL keeps for this
    // thread alone (its error message) would be lost with it.
    if (sdl_)
        sdl_->TLSCleanup();
}

void CuePlayer::start(std::int16_t id) {
    if (!sdl_)
        return; // no SDL on this machine: the game is silent
    if (!decoded_) {
        for (std::int16_t i = cuebank::firstCue; i <= cuebank::lastCue; ++i) {
            // The clips are read from the program's resources, which go away
            // at exit.
            if (stopped_)
                return;
            clips_[i - cuebank::firstCue] = cuebank::decode(*sdl_, i);
        }
        decoded_ = true;
    }
    const auto& clip = clips_[id - cuebank::firstCue];
    if (!clip) {
        qCDebug(lcSound) << "cue" << id << "could not be decoded";
        return;
    }
    if (device_ == 0 && !openDevice(clip->rate))
        return;
    if (stopped_)
        return;

    sdl_->LockAudioDevice(device_);
    cueData = &*clip;
    position_ = 0;
    frame_ = 0;
    cue_ = id;
    sounding_ = true;
    ++starts_;
    sdl_->UnlockAudioDevice(device_);
    quietSince_.reset();
    lastFrame_ = -1;
    sdl_->PauseAudioDevice(device_, 0);
}

bool CuePlayer::openDevice(int rate) {
    const auto now = Clock::now();
    if (nextTry_ && now < *nextTry_)
        return false;
    ++tries_;
    giveUpForAWhile(now);
    if (!audioUp_) {
        // SDL would otherwise catch SIGINT and SIGTERM for as long as its
        // audio is up, and turn them into events nobody reads: the game could
        // then be neither interrupted nor ended by its session. Set before
        // every start: SDL_Quit() forgets hints.
        sdl_->SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_OVERRIDE);
        if (sdl_->InitSubSystem(SDL_INIT_AUDIO) != 0) {
            qCDebug(lcSound) << "no sound:" << sdl_->GetError();
            return false;
        }
        audioUp_ = true;
    }
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = kDeviceBuffer;
    want.callback = &CuePlayer::feed;
    want.userdata = this;
    // No allowed changes: SDL converts to whatever the hardware wants.
    device_ = sdl_->OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ == 0) {
        qCDebug(lcSound) << "no sound device:" << sdl_->GetError();
        closeDevice();
        return false;
    }
    nextTry_.reset();
    retryAfter_ = kRetryFirst;
    deviceOpen_ = true;
    return true;
}

void CuePlayer::closeDevice() {
    if (device_ != 0) {
        sdl_->CloseAudioDevice(device_);
        device_ = 0;
    }
    cueData = nullptr;
    sounding_ = false;
    deviceOpen_ = false;
    if (audioUp_) {
        sdl_->QuitSubSystem(SDL_INIT_AUDIO);
        audioUp_ = false;
    }
}

void CuePlayer::giveUpForAWhile(Clock::time_point now) {
    nextTry_ = now + retryAfter_;
    retryAfter_ = std::min<Clock::duration>(retryAfter_ * 2, kRetryMost);
}

Clock::time_point CuePlayer::watch() {
    const auto now = Clock::now();
    if (sdl_->GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) {
        qCDebug(lcSound) << "sound device lost";
        closeDevice();
        giveUpForAWhile(now);
        return now;
    }
    if (!sounding_) {
        if (!quietSince_)
            quietSince_ = now;
        if (now - *quietSince_ >= kLinger) {
            closeDevice();
            return now;
        }
        return *quietSince_ + kLinger;
    }

    const std::int64_t frame = frame_;
    if (frame != lastFrame_) {
        lastFrame_ = frame;
        lastProgress_ = now;
    } else if (now - lastProgress_ >= kStallLimit) {
        qCDebug(lcSound) << "sound device stopped playing";
        closeDevice();
        giveUpForAWhile(now);
        return now;
    }
    // Look again when the clip should have ended, and at least twice a second.
    std::int64_t left = 0;
    int rate = 1;
    sdl_->LockAudioDevice(device_);
    if (cueData) {
        left = static_cast<std::int64_t>(cueData->samples.size() - position_);
        rate = cueData->rate;
    }
    sdl_->UnlockAudioDevice(device_);
    const auto untilEnd = std::chrono::milliseconds(left * 1000 / rate + 20);
    return now + std::min<Clock::duration>(untilEnd, 500ms);
}

void CuePlayer::feed(void* self, Uint8* stream, int len) {
    auto& p = *static_cast<CuePlayer*>(self);
    auto* out = reinterpret_cast<std::int16_t*>(stream);
    const std::size_t wanted = static_cast<std::size_t>(len) / sizeof(std::int16_t);
    std::size_t n = 0;
    if (p.cueData && !p.stopped_) {
        const auto& samples = p.cueData->samples;
        n = std::min(wanted, samples.size() - p.position_);
        std::memcpy(out, samples.data() + p.position_, n * sizeof(std::int16_t));
        p.position_ += n;
        p.frame_ = static_cast<std::int64_t>(p.position_);
        if (p.position_ == samples.size()) {
            p.cueData = nullptr;
            p.sounding_ = false;
        }
    }
    std::memset(out + n, 0, (wanted - n) * sizeof(std::int16_t));
}

CuePlayer& player() {
    static CuePlayer* const instance = [] {
        lcSound(); // made before the worker can log
        return new CuePlayer;
    }();
    // Whatever ends the program, the sound ends with it at once.
    static const struct StopAtExit {
        ~StopAtExit() { instance->stop(); }
    } stopAtExit;
    return *instance;
}

} // namespace

void playCue(std::int16_t id) {
    player().request(id);
}

void holdCues() {
    player().hold();
}

void releaseCues() {
    player().release();
}

void stopCues() {
    player().stop();
}

CueState cueState() {
    return player().state();
}
