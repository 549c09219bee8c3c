#pragma once

#include <array>
#include <cassert>
#include <cstddef>

// A fixed array whose valid indices are First..Last, as the board numbers
// its slots 1..18 and the deal numbers its colours 9..13.
template <typename T, int First, int Last> class RangeArray {
  public:
    static_assert(First <= Last);
    static constexpr int first = First;
    static constexpr int last = Last;

    constexpr T& operator[](int index) { return items_[offset(index)]; }
    constexpr const T& operator[](int index) const { return items_[offset(index)]; }

    friend constexpr bool operator==(const RangeArray&, const RangeArray&) = default;

  private:
    static constexpr std::size_t offset(int index) {
        assert(index >= First && index <= Last);
        return static_cast<std::size_t>(index - First);
    }

    std::array<T, Last - First + 1> items_{};
};
