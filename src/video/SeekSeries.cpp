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

bool EngineSeekSeries::GrabSeekFrame(Bitmap& bitmap, int waitMs) { return engine_.GrabSeekFrame(bitmap, waitMs); }

SeekProgress EngineSeekSeries::GetSeekProgress() const { return engine_.GetSeekProgress(); }

}  // namespace sm
