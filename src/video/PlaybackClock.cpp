#include "video/PlaybackClock.h"

namespace sm {

void PlaybackClock::Set(std::int64_t units)
{
    base_ = units;
    since_ = Steady::now();
}

void PlaybackClock::Start()
{
    if (running_)
        return;
    Set(base_);
    running_ = true;
}

void PlaybackClock::Stop()
{
    if (!running_)
        return;
    base_ = Now();
    running_ = false;
}

std::int64_t PlaybackClock::Now() const
{
    if (!running_)
        return base_;
    const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(Steady::now() - since_).count();
    return base_ + elapsed / 100;
}

}  // namespace sm
