#pragma once

#include <chrono>
#include <cstdint>
#include <random>

namespace sm {

// A uniform pseudo-random integer generator that can be re-seeded from the clock.
class RandomSource {
public:
    RandomSource() { ReseedFromClock(); }
    explicit RandomSource(std::uint32_t seed) : engine_(seed) {}

    void ReseedFromClock() { engine_.seed(std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count())); }

    // A uniform integer in 0..n - 1; 0 when n is 0 or negative.
    int Next(int n)
    {
        if (n <= 1)
            return 0;
        return std::uniform_int_distribution<int>(0, n - 1)(engine_);
    }

private:
    std::mt19937 engine_;
};

}  // namespace sm
