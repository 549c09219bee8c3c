// The sound device: SDL's audio and one device, opened for a clip and let go
// shortly after it, and the real-time callback that feeds the clip to it.
// The sound worker drives it; any thread may silence it or read its state.
#pragma once

#include "cuebank.h"
#include "cuestate.h"
#include "sdlaudio.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

class CueDevice {
  public:
    using Clock = std::chrono::steady_clock;

    CueDevice();
    CueDevice(const CueDevice&) = delete;
    CueDevice& operator=(const CueDevice&) = delete;

    // Starts `clip` from its beginning, cutting off the one sounding, and
    // opens SDL's audio and the device first if need be. False when they
    // cannot be had, or when silenced. The clip must outlive the device or
    // forgetClip().
    bool play(const SdlAudio& sdl, const cuebank::Clip& clip);
    bool isOpen() const { return device_ != 0; }
    // Closes the open device once its clip has ended and a while has passed,
    // or when the device has stopped working. Returns when to look again.
    Clock::time_point watch();

    // From any thread, at once: the callback plays only silence from its next
    // buffer on, and play() starts nothing more.
    void silence() { silenced_ = true; }
    // Drops the clip under the device's lock, for one who is about to free
    // it: the callback may go on running for as long as the device is open.
    void forgetClip();

    CueState state() const;

  private:
    bool open(int rate);
    void close();
    void giveUpForAWhile(Clock::time_point now);
    Clock::time_point lose(Clock::time_point now, const char* why);
    Clock::time_point lingerOrClose(Clock::time_point now);
    Clock::duration timeToClipEnd();
    static void feed(void* self, Uint8* stream, int len);

    // The worker's own.
    const SdlAudio* sdl_ = nullptr; // the first play()'s
    bool audioUp_ = false;
    SDL_AudioDeviceID device_ = 0;
    std::optional<Clock::time_point> nextTry_;
    Clock::duration retryAfter_;
    std::optional<Clock::time_point> quietSince_;
    std::int64_t lastFrame_ = -1;
    Clock::time_point lastProgress_;

    // Shared with the callback, guarded by SDL's device lock.
    const cuebank::Clip* clip_ = nullptr;
    std::size_t position_ = 0;
    // Read by the callback without the lock, so that silence() never waits.
    std::atomic<bool> silenced_{false};

    // Published for state().
    std::atomic<Cue> cue_{}; // Cue{} before any
    std::atomic<bool> sounding_{false};
    std::atomic<std::int64_t> frame_{0};
    std::atomic<std::uint64_t> starts_{0};
    std::atomic<std::uint64_t> tries_{0};
    std::atomic<bool> deviceOpen_{false};
};
