#include "capture/ShotSeries.h"

#include "common/ScopeExit.h"
#include "imaging/TimeLabel.h"

namespace sm {

ShotSeriesResult TakeShotSeries(MediaEngine& engine, RunHost& host, const RunControl& control,
                                const std::vector<int>& seconds, int captureSpeed, const ShotSink& sink,
                                const ShotSeriesHooks& hooks)
{
    const ScopeExit stop([&engine] {
        if (engine.GetPlayState() == PlayState::Playing)
            engine.Stop();
    });
    ShotSeriesResult result;
    const auto interrupted = [&hooks, &result] {
        if (hooks.StillWanted && !hooks.StillWanted()) {
            result.Outcome = ShotSeriesOutcome::Interrupted;
            return true;
        }
        return false;
    };
    for (int i = 0; i < int(seconds.size()); ++i) {
        if (control.AbortRequested) {
            result.Outcome = ShotSeriesOutcome::Aborted;
            return result;
        }
        if (interrupted())
            return result;
        const int t = seconds[std::size_t(i)];
        engine.Play();
        engine.SeekTo(t);
        host.Wait(captureSpeed * 1000);
        if (interrupted())
            return result;
        engine.Stop();
        Bitmap frame;
        if (engine.GrabSeekFrame(frame, kSeekFrameWaitMs) && !frame.isEmpty()) {
            sink(TakenShot{std::move(frame), t, FormatTimeLabel(t)});
            ++result.Taken;
        } else {
            ++result.LeftOut;
        }
        if (hooks.AfterShot)
            hooks.AfterShot(i);
    }
    return result;
}

}  // namespace sm
