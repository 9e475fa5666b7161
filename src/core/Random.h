#pragma once
// The game's one random generator: uniform doubles in [0, 1), seedable, the same sequence on
// every compiler and machine (xoshiro256** seeded through splitmix64).
#include <cstdint>

class Random01 {
public:
    explicit Random01(uint64_t seed = 1) { Seed(seed); }

    void Seed(uint64_t seed) {
        uint64_t x = seed;
        for (auto& s : state_) {
            x += 0x9E3779B97F4A7C15ULL;
            uint64_t z = x;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            s = z ^ (z >> 31);
        }
    }

    double Next() { return static_cast<double>(NextBits() >> 11) * 0x1.0p-53; }

private:
    static uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    uint64_t NextBits() {
        const uint64_t result = Rotl(state_[1] * 5, 7) * 9;
        const uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = Rotl(state_[3], 45);
        return result;
    }
    uint64_t state_[4]{};
};
