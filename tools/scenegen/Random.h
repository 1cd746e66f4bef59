#pragma once
// The generator's one source of chance: splitmix64, so that a seed gives the
// same scene on every compiler and standard library (std:: distributions
// don't promise that).

#include <cstddef>
#include <cstdint>

class TRandom {
 public:
  explicit TRandom(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A number from 0 to bound - 1; bound must not be 0. The slight modulo bias
  // does not matter for made-up scenes.
  uint64_t Below(uint64_t bound) { return Next() % bound; }
  // A place in something of `count` elements; below `count`, so it fits.
  size_t Index(size_t count) { return static_cast<size_t>(Below(count)); }

  // A number from low to high, both included.
  int64_t Between(int64_t low, int64_t high) {
    return low + static_cast<int64_t>(Below(static_cast<uint64_t>(high - low) + 1));
  }

  // True in `percent` cases out of a hundred.
  bool Percent(unsigned percent) { return Below(100) < percent; }

  template <typename T, size_t N>
  const T& Pick(const T (&table)[N]) {
    return table[Below(N)];
  }

 private:
  uint64_t state_;
};
