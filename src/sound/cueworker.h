// The sound worker: a thread that takes the cues asked for and does all that
// can take time (loading SDL, decoding the clips, opening the device), so
// that whoever asks for a cue never waits.
#pragma once

#include "cuebank.h"
#include "cuedevice.h"
#include "cuestate.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

// Made with std::make_shared only: its thread keeps it alive for as long as
// it runs, which may be past its owner's end (see stop()).
class CueWorker : public std::enable_shared_from_this<CueWorker> {
  public:
    CueWorker();
    ~CueWorker();
    CueWorker(const CueWorker&) = delete;
    CueWorker& operator=(const CueWorker&) = delete;

    // A cue outside the game's ones is ignored, and so is any after stop().
    void request(Cue cue);
    void hold();
    void release();
    // Silences the device at once and tells the thread to end, without
    // waiting for it: it may be inside SDL just then, opening a device or
    // talking to a sound server, for as long as those take.
    void stop();
    CueState state() const;

  private:
    void wakeThread(std::unique_lock<std::mutex>& lock);
    void run();
    void start(const SdlAudio& sdl, Cue cue);
    bool decodeClips(const SdlAudio& sdl);
    bool stopping();

    // Shared with the callers, guarded by mutex_.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Cue> pending_;
    std::uint64_t requested_ = 0;
    bool held_ = false;
    bool stopped_ = false;
    bool threadStarted_ = false;

    // The thread's own.
    std::array<std::optional<cuebank::Clip>, cueCount> clips_;
    bool decoded_ = false;

    // Driven by the thread; silenced and read by the callers.
    std::unique_ptr<CueDevice> device_;
    std::atomic<std::uint64_t> handled_{0};
};
