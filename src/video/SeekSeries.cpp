#include "video/SeekSeries.h"

namespace sm {

EngineSeekSeries::EngineSeekSeries(MediaEngine& engine, std::vector<std::int64_t> seconds)
    : engine_(engine), seconds_(std::move(seconds))
{
}

void EngineSeekSeries::SeekNext()
{
    if (next_ < seconds_.size())
        engine_.SeekTo(seconds_[next_++]);
}

bool SeekSeries::GrabSeekFrame(Bitmap& bitmap, int waitMs)
{
    std::int64_t frameUnits = 0;
    return GrabTimedSeekFrame(bitmap, waitMs, frameUnits);
}

bool EngineSeekSeries::GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits)
{
    return engine_.GrabTimedSeekFrame(bitmap, waitMs, frameUnits);
}

SeekProgress EngineSeekSeries::GetSeekProgress() const { return engine_.GetSeekProgress(); }

}  // namespace sm
