#include "video/SeekFrameSearch.h"

#include <algorithm>

namespace sm {
namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;

}  // namespace

std::int64_t LaterPictureLimit(std::int64_t second, std::optional<std::int64_t> nextSecond, int skipSeconds)
{
    std::int64_t end = second + std::max(0, skipSeconds) + 1;
    if (nextSecond)
        end = std::min(end, *nextSecond);
    return std::max(second, end) * kUnitsPerSecond;
}

SeekFrameSearch::SeekFrameSearch(MediaEngine& engine, const SkipRule& rule, std::int64_t limitUnits)
    : engine_(engine), rule_(rule), limitUnits_(limitUnits)
{
}

bool SeekFrameSearch::Found(Bitmap picture, std::int64_t units, bool later, Bitmap& bitmap, std::int64_t& frameUnits)
{
    done_ = true;
    later_ = later;
    original_ = Bitmap();
    bitmap = std::move(picture);
    frameUnits = units;
    return true;
}

bool SeekFrameSearch::GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits)
{
    if (done_)
        return false;
    Bitmap frame;
    std::int64_t units = 0;
    if (!engine_.GrabTimedSeekFrame(frame, waitMs, units)) {
        // Still decoding, or the seek (or the step: the end of the pictures) gave none.
        if (!searching_ || engine_.GetSeekProgress().Pending)
            return false;
        return Found(std::move(original_), originalUnits_, false, bitmap, frameUnits);
    }
    if (!searching_) {
        // A picture at or past the limit leaves no room for a later one.
        if (units >= limitUnits_ || !Rejects(rule_, frame))
            return Found(std::move(frame), units, false, bitmap, frameUnits);
        searching_ = true;
        original_ = std::move(frame);
        originalUnits_ = lastUnits_ = units;
    } else if (units >= limitUnits_ || units <= lastUnits_) {
        // Past the stretch, or no picture after the last one.
        return Found(std::move(original_), originalUnits_, false, bitmap, frameUnits);
    } else if (!Rejects(rule_, frame)) {
        return Found(std::move(frame), units, true, bitmap, frameUnits);
    } else {
        lastUnits_ = units;
    }
    if (!engine_.StepSeekFrame())
        return Found(std::move(original_), originalUnits_, false, bitmap, frameUnits);
    ++steps_;
    return false;
}

SeekProgress SeekFrameSearch::GetSeekProgress() const
{
    const SeekProgress engine = engine_.GetSeekProgress();
    return {!done_ && (searching_ || engine.Pending), engine.Work + steps_};
}

}  // namespace sm
