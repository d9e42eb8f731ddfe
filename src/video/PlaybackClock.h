#pragma once

#include <chrono>
#include <cstdint>

namespace sm {

// The media position of playback, in 100-ns units, driven by the wall clock while it
// runs and frozen while it does not. The sound clock corrects it through Set.
class PlaybackClock {
public:
    void Set(std::int64_t units);
    void Start();
    void Stop();
    std::int64_t Now() const;

private:
    using Steady = std::chrono::steady_clock;
    bool running_ = false;
    std::int64_t base_ = 0;
    Steady::time_point since_ = Steady::now();
};

}  // namespace sm
