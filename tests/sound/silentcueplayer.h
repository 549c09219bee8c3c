// A cue player for tests of the window and the game: plays nothing and
// remembers whether cues are being held.
#pragma once

#include "cueplayer.h"

class SilentCuePlayer final : public CuePlayer {
  public:
    void playCue(Cue) override {}
    void holdCues() override { held = true; }
    void releaseCues() override { held = false; }

    bool held = false;
};
