// How long playCue() keeps its caller (the UI thread) busy. The window calls
// it while handling input and while it is being built, so it must return at
// once: the goal is a median of at most 50 us.
//
// The sound set-up is SDL's own choice unless SDL_AUDIODRIVER says otherwise:
//   SDL_AUDIODRIVER=dummy ./bench_sound --benchmark_repetitions=20
//   SDL_AUDIODRIVER=none  ./bench_sound --benchmark_repetitions=20
#include "sdlcueplayer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

namespace {

// One player for the whole run, as the game has; called through the
// interface the window holds.
SdlCuePlayer player;
CuePlayer& cues = player;

// The opening tune, the longest clip, asked for over and over: each call
// cuts off the previous one while the player's thread is busy restarting it.
void BM_PlayCueBackToBack(benchmark::State& state) {
    for (auto _ : state)
        cues.playCue(Cue::newGame);
}
BENCHMARK(BM_PlayCueBackToBack);

// The same cue with the player's thread idle before every call, as when a
// player clicks: only the call is timed, then the thread is given far longer
// than it takes to start the cue and wait again.
void BM_PlayCueWorkerIdle(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto start = Clock::now();
        cues.playCue(Cue::newGame);
        const auto stop = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
BENCHMARK(BM_PlayCueWorkerIdle)->UseManualTime()->Iterations(50);

} // namespace

BENCHMARK_MAIN();
