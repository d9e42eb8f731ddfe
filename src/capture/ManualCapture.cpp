#include "capture/ManualCapture.h"

#include <algorithm>
#include <cstdint>

#include "imaging/TimeLabel.h"

namespace sm {

bool CaptureFrame(MediaEngine& engine, ShotList& shots)
{
    constexpr std::int64_t kUnitsPerSecond = 10'000'000;
    if (!engine.IsActive())
        return false;
    try {
        Bitmap frame;
        std::int64_t frameUnits = 0;
        if (!engine.GrabTimedFrame(frame, frameUnits) || frame.isEmpty())
            return false;
        const std::int64_t second = std::clamp<std::int64_t>(frameUnits / kUnitsPerSecond, 0, INT32_MAX);
        shots.AddShot(std::move(frame), FormatTimeLabel(std::int32_t(second)));
        return true;
    } catch (...) {
        // A shot that cannot be taken is simply not added; the user sees no message.
        return false;
    }
}

}  // namespace sm
