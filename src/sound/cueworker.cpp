// Who outlives whom. Stopping never waits for the thread, which may be
// inside SDL for as long as SDL takes, so the thread keeps the worker alive
// by a shared pointer of its own and the owner may go first. When the
// thread ends, the clips go with the worker; the device, which SDL may still
// call, goes only if it is closed.
#include "cueworker.h"

#include "soundlog.h"

#include <thread>
#include <utility>

CueWorker::CueWorker() : device_(std::make_unique<CueDevice>()) {
    lcSound();
}

CueWorker::~CueWorker() {
    // The thread has ended and the owner has gone. A device still open is
    // left to SDL, which keeps the only pointer to it and may call its
    // callback until the process ends: closing the device would wait for
    // SDL's threads, and that is what stopping must never do.
    if (device_->isOpen())
        (void)device_.release();
}

void CueWorker::request(Cue cue) {
    if (cue < firstCue || cue > lastCue)
        return;
    std::unique_lock lock(mutex_);
    if (stopped_)
        return;
    pending_ = cue;
    ++requested_;
    if (!held_)
        wakeThread(lock);
}

void CueWorker::hold() {
    std::lock_guard lock(mutex_);
    held_ = true;
}

void CueWorker::release() {
    std::unique_lock lock(mutex_);
    held_ = false;
    if (pending_ && !stopped_)
        wakeThread(lock);
}

void CueWorker::stop() {
    // Silence first: from the device's next buffer on, even if the thread
    // never gets to run again.
    device_->silence();
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    wake_.notify_one();
}

CueState CueWorker::state() const {
    CueState s = device_->state();
    s.handled = handled_;
    return s;
}

// Starts the thread with the first cue that is let through, and wakes it.
void CueWorker::wakeThread(std::unique_lock<std::mutex>& lock) {
    if (!std::exchange(threadStarted_, true))
        std::thread([self = shared_from_this()] { self->run(); }).detach();
    lock.unlock();
    wake_.notify_one();
}

void CueWorker::run() {
    const SdlAudio* sdl = sdlAudio();
    std::unique_lock lock(mutex_);
    while (!stopped_) {
        if (pending_) {
            const Cue cue = *std::exchange(pending_, std::nullopt);
            const std::uint64_t upTo = requested_;
            lock.unlock();
            if (sdl) // without SDL on this machine the game is silent
                start(*sdl, cue);
            handled_ = upTo;
            lock.lock();
        } else if (!device_->isOpen()) {
            wake_.wait(lock);
        } else {
            lock.unlock();
            const auto next = device_->watch();
            lock.lock();
            if (device_->isOpen() && !pending_ && !stopped_)
                wake_.wait_until(lock, next);
        }
    }
    lock.unlock();
    // Stopped: the device and SDL's audio are left as they are (see the
    // destructor), but the clips go with this worker. What SDL keeps for this
    // thread alone (its error message) would be lost with it.
    device_->forgetClip();
    if (sdl)
        sdl->TLSCleanup();
}

void CueWorker::start(const SdlAudio& sdl, Cue cue) {
    if (!decoded_ && !decodeClips(sdl))
        return;
    const auto& clip = clips_[cueIndex(cue)];
    if (!clip) {
        qCDebug(lcSound) << "cue" << clipId(cue) << "could not be decoded";
        return;
    }
    device_->play(sdl, *clip);
}

bool CueWorker::decodeClips(const SdlAudio& sdl) {
    for (int i = 0; i < cueCount; ++i) {
        // The clips are read from the program's resources, which go away at
        // exit.
        if (stopping())
            return false;
        clips_[i] = cuebank::decode(sdl, cueAt(i));
    }
    decoded_ = true;
    return true;
}

bool CueWorker::stopping() {
    std::lock_guard lock(mutex_);
    return stopped_;
}
