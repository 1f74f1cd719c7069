// The world generator's own random numbers (splitmix64), independent of the
// game's generator, so a seed gives the same world on every machine.
#pragma once
#include <cstdint>

class WorldRandom {
  public:
    explicit WorldRandom(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1 (n > 0).
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    // lo .. hi inclusive.
    int Range(int lo, int hi) { return lo + Below(hi - lo + 1); }
    // 0 <= x < 1.
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    bool Chance(double p) { return Unit() < p; }
    // A bell curve of mean 0 and standard deviation 1, from four uniforms,
    // so no maths library call can change a world between machines.
    double Bell() { return (Unit() + Unit() + Unit() + Unit() - 2.0) * 1.7320508075688772; }

  private:
    uint64_t state_;
};
