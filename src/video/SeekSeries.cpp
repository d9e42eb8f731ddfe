#include "video/SeekSeries.h"

namespace sm {

EngineSeekSeries::EngineSeekSeries(MediaEngine& engine, std::vector<std::int64_t> seconds, const SkipRule& skip)
    : engine_(engine), seconds_(std::move(seconds)), skip_(skip)
{
}

void EngineSeekSeries::SeekNext()
{
    if (next_ >= seconds_.size())
        return;
    const std::int64_t second = seconds_[next_++];
    engine_.SeekTo(second);
    const std::optional<std::int64_t> nextSecond
        = next_ < seconds_.size() ? std::optional<std::int64_t>(seconds_[next_]) : std::nullopt;
    search_.emplace(engine_, skip_, LaterPictureLimit(second, nextSecond, skip_.SkipSeconds));
}

bool SeekSeries::GrabSeekFrame(Bitmap& bitmap, int waitMs)
{
    std::int64_t frameUnits = 0;
    return GrabTimedSeekFrame(bitmap, waitMs, frameUnits);
}

bool EngineSeekSeries::GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits)
{
    if (!skip_.On() || !search_)
        return engine_.GrabTimedSeekFrame(bitmap, waitMs, frameUnits);
    return search_->GrabTimedSeekFrame(bitmap, waitMs, frameUnits);
}

SeekProgress EngineSeekSeries::GetSeekProgress() const
{
    return skip_.On() && search_ ? search_->GetSeekProgress() : engine_.GetSeekProgress();
}

}  // namespace sm
