#pragma once

#include <cstdint>

// A small seeded generator (splitmix64) of our own, so that the demo register is the
// same on every machine and library version: std:: distributions are not portable.
class DemoRandom
{
public:
    explicit DemoRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    // Uniform integer in [low, high].
    int between(int low, int high)
    {
        if (high <= low)
            return low;
        return low + int(next() % std::uint64_t(high - low + 1));
    }
    bool chance(double probability) { return unit() < probability; }

private:
    std::uint64_t m_state;
};
