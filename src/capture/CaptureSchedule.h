#pragma once

#include <vector>

namespace sm {

enum class CaptureMethod { CountOfShots = 0, EveryNSeconds = 1 };

// The ranges of the two method inputs, as the main window's spin boxes offer them.
constexpr int kMinCountFrames = 1;
constexpr int kMaxCountFrames = 999;
constexpr int kMinEveryFrame = 2;
constexpr int kMaxEveryFrame = 3600;

// The seconds at which an automatic capture takes its shots, in order, for a start
// no later than the duration. Count method: countFrames shots, interval
// (duration - start) div countFrames. Interval method: (duration - start) div
// everyFrame shots, everyFrame apart. Shot i lies at i x interval + start. Values
// outside the spin boxes' ranges (a hand-edited settings file) are brought into them.
std::vector<int> CaptureSeconds(CaptureMethod method, int countFrames, int everyFrame, int startSecond,
                                int durationSeconds);

}  // namespace sm
