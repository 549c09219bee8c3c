// What the window holds to play the game's sound: SdlCuePlayer in the game,
// a recorder in the window's tests.
#pragma once

#include "cue.h"

class CuePlayer {
  public:
    virtual ~CuePlayer() = default;
    // Starts the cue in the background and returns at once; a cue still sounding is cut off.
    virtual void playCue(Cue cue) = 0;
    // While held, cues wait (only the last one asked for counts) and nothing of the sound machinery
    // starts.
    virtual void holdCues() = 0;
    virtual void releaseCues() = 0;
};
