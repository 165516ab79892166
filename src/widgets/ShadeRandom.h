#pragma once

#include <cstdint>

// The classic linear congruential generator of the C runtimes' rand(): the state starts
// at 1, so every build and every run draws the same numbers, 0 to 32767.
class ShadeRandom {
 public:
  static constexpr int kMax = 32767;

  int Next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
  }

 private:
  std::uint32_t state = 1;
};
