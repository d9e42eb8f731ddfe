#include "capture/ManualCapture.h"

#include "imaging/TimeLabel.h"

namespace sm {

bool CaptureFrame(MediaEngine& engine, ShotList& shots, quint32 lastPositionMs)
{
    if (!engine.IsActive())
        return false;
    try {
        Bitmap frame;
        if (!engine.GrabFrame(frame) || frame.isEmpty())
            return false;
        shots.AddShot(std::move(frame), FormatTimeLabel(std::int32_t(lastPositionMs / 1000)));
        return true;
    } catch (...) {
        // A shot that cannot be taken is simply not added; the user sees no message.
        return false;
    }
}

}  // namespace sm
