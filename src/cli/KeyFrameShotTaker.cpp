#include "cli/KeyFrameShotTaker.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>

#include "imaging/TimeLabel.h"
#include "video/KeyFrameGrabber.h"
#include "video/SeekFrameSearch.h"

namespace sm {
namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;
constexpr std::int64_t kUnitsPerMs = 10'000;

// The first key frame after the one at frameUnits that the rule keeps, before the limit;
// false, leaving both unchanged, when there is none.
bool LaterKeyFrame(KeyFrameGrabber& grabber, const SkipRule& skip, std::int64_t limitUnits, Bitmap& picture,
                   std::int64_t& frameUnits)
{
    std::int64_t last = frameUnits;
    // A position just after a key frame may round onto it in the stream's time base: the
    // step grows until the grab moves on (or reaches the limit: past the last key frame,
    // a grab gives the last one again).
    std::int64_t step = kUnitsPerMs;
    Bitmap candidate;
    std::int64_t units = 0;
    while (last + step < limitUnits) {
        if (!grabber.Grab(last + step, candidate, units))
            return false;
        if (units <= last) {
            step *= 2;
            continue;
        }
        if (units >= limitUnits)
            return false;
        if (!Rejects(skip, candidate)) {
            picture = std::move(candidate);
            frameUnits = units;
            return true;
        }
        last = units;
        step = kUnitsPerMs;
    }
    return false;
}

}  // namespace

BatchShotTaker KeyFrameShotTaker(const QString& path, const RunControl& control, const PictureOptions& pictures,
                                 const SkipRule& skip)
{
    return [path, &control, pictures, skip](const std::vector<int>& seconds, const ShotSink& sink,
                                            const ShotSeriesHooks& hooks) {
        ShotSeriesResult result;
        std::unique_ptr<KeyFrameGrabber> grabber;
        try {
            grabber = std::make_unique<KeyFrameGrabber>(path, pictures);
        } catch (const std::runtime_error&) {
            result.LeftOut = int(seconds.size());
            return result;
        }
        for (int i = 0; i < int(seconds.size()); ++i) {
            if (control.AbortRequested && (!hooks.ConfirmStop || hooks.ConfirmStop())) {
                result.Outcome = ShotSeriesOutcome::Aborted;
                return result;
            }
            if (hooks.StillWanted && !hooks.StillWanted()) {
                result.Outcome = ShotSeriesOutcome::Interrupted;
                return result;
            }
            Bitmap picture;
            std::int64_t frameUnits = 0;
            const int asked = seconds[std::size_t(i)];
            if (grabber->Grab(asked * kUnitsPerSecond, picture, frameUnits)) {
                bool later = false;
                if (Rejects(skip, picture)) {
                    const std::optional<std::int64_t> next
                        = i + 1 < int(seconds.size()) ? std::optional<std::int64_t>(seconds[std::size_t(i) + 1])
                                                      : std::nullopt;
                    later = LaterKeyFrame(*grabber, skip, LaterPictureLimit(asked, next, skip.SkipSeconds), picture,
                                          frameUnits);
                }
                const int second = int(std::max<std::int64_t>(0, frameUnits) / kUnitsPerSecond);
                sink(TakenShot{std::move(picture), second, FormatTimeLabel(second), i, frameUnits, later});
                ++result.Taken;
            } else {
                ++result.LeftOut;
            }
            if (hooks.AfterShot)
                hooks.AfterShot(i);
        }
        return result;
    };
}

}  // namespace sm
