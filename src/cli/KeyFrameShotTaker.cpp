#include "cli/KeyFrameShotTaker.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "imaging/TimeLabel.h"
#include "video/KeyFrameGrabber.h"

namespace sm {
namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;

}  // namespace

BatchShotTaker KeyFrameShotTaker(const QString& path, const RunControl& control, const PictureOptions& pictures)
{
    return [path, &control, pictures](const std::vector<int>& seconds, const ShotSink& sink,
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
            if (grabber->Grab(seconds[std::size_t(i)] * kUnitsPerSecond, picture, frameUnits)) {
                const int second = int(std::max<std::int64_t>(0, frameUnits) / kUnitsPerSecond);
                sink(TakenShot{std::move(picture), second, FormatTimeLabel(second), i, frameUnits});
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
