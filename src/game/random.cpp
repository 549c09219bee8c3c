#include "random.h"

#include <chrono>

namespace {

std::uint64_t clockTicks() {
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

// SplitMix64: a tiny generator with a full 64-bit state and well-mixed output.
std::uint64_t splitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

ClockSeededRandom::ClockSeededRandom() : state_(clockTicks()) {}

void ClockSeededRandom::reseed() {
    state_ ^= clockTicks();
    splitMix(state_);
}

float ClockSeededRandom::next() {
    return unitFloat(static_cast<std::uint32_t>(splitMix(state_) >> 32));
}
