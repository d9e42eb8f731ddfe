#include "capture/CaptureSchedule.h"

#include <algorithm>

namespace sm {

std::vector<int> CaptureSeconds(CaptureMethod method, int countFrames, int everyFrame, int startSecond,
                                int durationSeconds)
{
    const int span = durationSeconds - startSecond;
    if (span < 0)
        return {};
    int count = 0;
    int interval = 0;
    if (method == CaptureMethod::EveryNSeconds) {
        interval = std::clamp(everyFrame, kMinEveryFrame, kMaxEveryFrame);
        count = span / interval;
    } else {
        count = std::clamp(countFrames, kMinCountFrames, kMaxCountFrames);
        interval = span / count;
    }
    std::vector<int> seconds;
    seconds.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        seconds.push_back(i * interval + startSecond);
    return seconds;
}

}  // namespace sm
