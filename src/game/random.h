#pragma once

#include <cstdint>

// Uniform single-precision numbers in [0, 1) for the deal.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0; // before every attempt at a piece
    virtual float next() = 0;  // never 1.0
};

// The game's own generator: re-seeding mixes the clock into the current
// state, so attempts within one clock tick still differ.
class ClockSeededRandom final : public RandomSource {
  public:
    ClockSeededRandom();
    void reseed() override;
    float next() override;

  private:
    std::uint64_t state_;
};

// The top 24 bits of a 32-bit word as a float in [0, 1): exact, and never 1.
constexpr float unitFloat(std::uint32_t bits) {
    return static_cast<float>(bits >> 8) * (1.0f / 16777216.0f);
}
