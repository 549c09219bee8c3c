// Sound cues of the game.
//
//   101  opening tune (a new game)     105  whoosh (mirror left-right)
//   102  refusal buzz                  106  turning
//   103  buzz, unused                  107  fanfare (costume completed)
//   104  buzz, unused                  108  click
#pragma once

#include <cstdint>

// Starts cue `id` in the background and returns at once. A cue still sounding
// is cut off; the new one starts from its beginning. Unknown ids are ignored.
// Without a working sound device nothing is heard and nothing is reported.
// Called from the UI thread; touches no game state.
void playCue(std::int16_t id);

// While held, cues wait (only the last one asked for counts) and nothing of
// the sound machinery starts; the window holds them until its first frame is
// on screen, so that sound never delays it.
void holdCues();
void releaseCues();

// Silences the cue sounding at once and stops the sound for good: later cues
// are ignored. Returns without waiting for anything; the device is let go
// when the process ends. The game calls it when its window has gone, and it
// happens by itself at exit.
void stopCues();

// A snapshot of what the sound worker is doing, for tests and diagnostics.
struct CueState {
    std::int16_t cue = 0;          // the cue started last, 0 before any
    bool sounding = false;         // whether it is still being heard
    std::int64_t frame = 0;        // samples of it played so far
    std::uint64_t starts = 0;      // cues started since the program began
    std::uint64_t handled = 0;     // playCue requests the worker has dealt with
    std::uint64_t deviceTries = 0; // attempts to open the sound device
    bool deviceOpen = false;
};

CueState cueState();
