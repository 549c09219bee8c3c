// The game's cue player: plays the cues with SDL's audio from a thread of its
// own, so that whoever asks for a cue never waits. main() owns it for the
// life of the window, which holds it as a CuePlayer. Without SDL or a working
// device the game is silent, and says nothing about it.
#pragma once

#include "cueplayer.h"

#include <cstdint>
#include <memory>

struct SdlAudio;

class SdlCuePlayer final : public CuePlayer {
  public:
    SdlCuePlayer();
    ~SdlCuePlayer() override; // stops, like stop()
    SdlCuePlayer(const SdlCuePlayer&) = delete;
    SdlCuePlayer& operator=(const SdlCuePlayer&) = delete;

    void playCue(Cue cue) override;
    void holdCues() override;
    void releaseCues() override;

    // Silences the cue sounding at once and ignores every later one. Returns
    // without waiting for the thread, which may be inside SDL for as long as
    // a sound server takes to answer. Once is enough; more do nothing.
    void stop();

  private:
    struct State;
    void wakeThread();
    static void run(std::shared_ptr<State> s);
    static void play(const SdlAudio& sdl, State& s, Cue cue);
    static void watch(const SdlAudio& sdl, State& s);
    static void dropAudio(const SdlAudio& sdl, State& s);
    static void feed(void* state, std::uint8_t* stream, int len);

    // Shared with the thread, which keeps it for as long as it runs.
    std::shared_ptr<State> state_;
};
