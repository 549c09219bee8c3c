// An open SDL device keeps a thread feeding silence, and some SDL audio
// back-ends poll for hot-plugged devices for as long as the subsystem is up,
// so a game that plays nothing should hold neither: both are opened for a
// clip and let go shortly after it. When the device cannot be had, it is left
// alone for a while before the next try, without a word.
#include "cuedevice.h"

#include "soundlog.h"

#include <algorithm>
#include <cstring>

namespace {

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

} // namespace

CueDevice::CueDevice() : retryAfter_(kRetryFirst) {}

bool CueDevice::play(const SdlAudio& sdl, const cuebank::Clip& clip) {
    sdl_ = &sdl;
    if (silenced_)
        return false;
    if (device_ == 0 && !open(clip.rate))
        return false;
    if (silenced_) // while the device was being opened, which can take long
        return false;
    sdl_->LockAudioDevice(device_);
    clip_ = &clip;
    position_ = 0;
    frame_ = 0;
    cue_ = clip.cue;
    sounding_ = true;
    ++starts_;
    sdl_->UnlockAudioDevice(device_);
    quietSince_.reset();
    lastFrame_ = -1;
    sdl_->PauseAudioDevice(device_, 0);
    return true;
}

void CueDevice::forgetClip() {
    if (device_ == 0)
        return; // no callback runs
    sdl_->LockAudioDevice(device_);
    clip_ = nullptr;
    sdl_->UnlockAudioDevice(device_);
}

CueState CueDevice::state() const {
    CueState s;
    if (const Cue cue = cue_; cue != Cue{})
        s.cue = cue;
    s.sounding = sounding_;
    s.frame = frame_;
    s.starts = starts_;
    s.deviceTries = tries_;
    s.deviceOpen = deviceOpen_;
    return s;
}

bool CueDevice::open(int rate) {
    const auto now = Clock::now();
    if (nextTry_ && now < *nextTry_)
        return false;
    ++tries_;
    giveUpForAWhile(now); // undone below if the device opens
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
    want.callback = &CueDevice::feed;
    want.userdata = this;
    // No allowed changes: SDL converts to whatever the hardware wants.
    device_ = sdl_->OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ == 0) {
        qCDebug(lcSound) << "no sound device:" << sdl_->GetError();
        close();
        return false;
    }
    nextTry_.reset();
    retryAfter_ = kRetryFirst;
    deviceOpen_ = true;
    return true;
}

void CueDevice::close() {
    if (device_ != 0) {
        sdl_->CloseAudioDevice(device_);
        device_ = 0;
    }
    clip_ = nullptr;
    sounding_ = false;
    deviceOpen_ = false;
    if (audioUp_) {
        sdl_->QuitSubSystem(SDL_INIT_AUDIO);
        audioUp_ = false;
    }
}

void CueDevice::giveUpForAWhile(Clock::time_point now) {
    nextTry_ = now + retryAfter_;
    retryAfter_ = std::min<Clock::duration>(retryAfter_ * 2, kRetryMost);
}

CueDevice::Clock::time_point CueDevice::watch() {
    const auto now = Clock::now();
    if (sdl_->GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) {
        return lose(now, "sound device lost");
    }
    if (!sounding_)
        return lingerOrClose(now);

    const std::int64_t frame = frame_;
    if (frame != lastFrame_) {
        lastFrame_ = frame;
        lastProgress_ = now;
    } else if (now - lastProgress_ >= kStallLimit) {
        return lose(now, "sound device stopped playing");
    }
    // Look again when the clip should have ended, and at least twice a second.
    return now + std::min<Clock::duration>(timeToClipEnd(), 500ms);
}

// A device that no longer plays is closed and left alone for a while.
CueDevice::Clock::time_point CueDevice::lose(Clock::time_point now, const char* why) {
    qCDebug(lcSound) << why;
    close();
    giveUpForAWhile(now);
    return now;
}

CueDevice::Clock::time_point CueDevice::lingerOrClose(Clock::time_point now) {
    if (!quietSince_)
        quietSince_ = now;
    if (now - *quietSince_ < kLinger)
        return *quietSince_ + kLinger;
    close();
    return now;
}

CueDevice::Clock::duration CueDevice::timeToClipEnd() {
    std::int64_t left = 0;
    int rate = 1;
    sdl_->LockAudioDevice(device_);
    if (clip_) {
        left = static_cast<std::int64_t>(clip_->samples.size() - position_);
        rate = clip_->rate;
    }
    sdl_->UnlockAudioDevice(device_);
    return std::chrono::milliseconds(left * 1000 / rate + 20);
}

// SDL's audio thread, with the device's lock held: copies and nothing else.
void CueDevice::feed(void* self, Uint8* stream, int len) {
    auto& d = *static_cast<CueDevice*>(self);
    auto* out = reinterpret_cast<std::int16_t*>(stream);
    const std::size_t wanted = static_cast<std::size_t>(len) / sizeof(std::int16_t);
    std::size_t n = 0;
    if (d.clip_ && !d.silenced_) {
        const auto& samples = d.clip_->samples;
        n = std::min(wanted, samples.size() - d.position_);
        std::memcpy(out, samples.data() + d.position_, n * sizeof(std::int16_t));
        d.position_ += n;
        d.frame_ = static_cast<std::int64_t>(d.position_);
        if (d.position_ == samples.size()) {
            d.clip_ = nullptr;
            d.sounding_ = false;
        }
    }
    std::memset(out + n, 0, (wanted - n) * sizeof(std::int16_t));
}
