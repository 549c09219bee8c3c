// The game's cue player: plays the cues with SDL's audio, on a worker thread
// of its own. main() owns it for the life of the window, which holds it as a
// CuePlayer. Without SDL or a working device the game is silent, and says
// nothing about it.
#pragma once

#include "cueplayer.h"
#include "cuestate.h"

#include <memory>

class CueWorker;

class SdlCuePlayer final : public CuePlayer {
  public:
    SdlCuePlayer();
    // Stops, like stop().
    ~SdlCuePlayer() override;
    SdlCuePlayer(const SdlCuePlayer&) = delete;
    SdlCuePlayer& operator=(const SdlCuePlayer&) = delete;

    void playCue(Cue cue) override;
    void holdCues() override;
    void releaseCues() override;

    // Silences the cue sounding at once and stops the sound for good: later
    // cues are ignored. Returns without waiting for anything; the worker and
    // the device may outlive the player, and the device is let go when the
    // process ends. Once is enough; more do nothing.
    void stop();

    CueState state() const;

  private:
    std::shared_ptr<CueWorker> worker_;
};
