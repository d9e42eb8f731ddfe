#include "capture/ShotSeries.h"

#include <algorithm>
#include <optional>

#include "common/ScopeExit.h"
#include "imaging/TimeLabel.h"
#include "video/SeekFrameSearch.h"
#include "video/SeekSeries.h"

namespace sm {

namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;

enum class FrameWait { Grabbed, Missing, Aborted };

// The frame of the last seek of the engine or of a series, waited for in short slices
// with events handled between them, so that the window answers and (when stopEndsWait)
// the stop request ends the wait.
template <typename SeekSource>
FrameWait AwaitSeekFrame(SeekSource& source, RunHost& host, const RunControl& control, bool stopEndsWait, Bitmap& frame,
                         std::int64_t& frameUnits)
{
    std::uint64_t work = source.GetSeekProgress().Work;
    int idleMs = 0;
    for (;;) {
        if (source.GrabTimedSeekFrame(frame, kFrameWaitSliceMs, frameUnits))
            return FrameWait::Grabbed;
        const SeekProgress progress = source.GetSeekProgress();
        // The seek may have ended since the grab gave up.
        if (!progress.Pending)
            return source.GrabTimedSeekFrame(frame, 0, frameUnits) ? FrameWait::Grabbed : FrameWait::Missing;
        if (progress.Work != work) {
            work = progress.Work;
            idleMs = 0;
        } else if ((idleMs += kFrameWaitSliceMs) >= kSeekStallMs) {
            return FrameWait::Missing;
        }
        host.ProcessMessages();
        if (stopEndsWait && control.AbortRequested)
            return FrameWait::Aborted;
    }
}

}  // namespace

ShotSeriesResult TakeShotSeries(MediaEngine& engine, RunHost& host, const RunControl& control,
                                const std::vector<int>& seconds, int captureSpeed, const ShotSink& sink,
                                const ShotSeriesHooks& hooks, const SkipRule& skip)
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
    // Without settling, the frames need no playback: the engine may decode them ahead.
    const std::unique_ptr<SeekSeries> series
        = captureSpeed > 0 ? nullptr : engine.StartSeekSeries({seconds.begin(), seconds.end()}, skip);
    for (int i = 0; i < int(seconds.size()); ++i) {
        if (control.AbortRequested && (!hooks.ConfirmStop || hooks.ConfirmStop())) {
            result.Outcome = ShotSeriesOutcome::Aborted;
            return result;
        }
        if (interrupted())
            return result;
        const int t = seconds[std::size_t(i)];
        Bitmap frame;
        std::int64_t frameUnits = 0;
        FrameWait wait = FrameWait::Missing;
        bool later = false;
        if (series) {
            series->SeekNext();
            wait = AwaitSeekFrame(*series, host, control, !hooks.ConfirmStop, frame, frameUnits);
            later = series->TookLaterPicture();
        } else {
            engine.Play();
            engine.SeekTo(t);
            host.Wait(captureSpeed * 1000);
            if (interrupted())
                return result;
            engine.Stop();
            const std::optional<std::int64_t> next
                = i + 1 < int(seconds.size()) ? std::optional<std::int64_t>(seconds[std::size_t(i) + 1]) : std::nullopt;
            SeekFrameSearch search(engine, skip, LaterPictureLimit(t, next, skip.SkipSeconds));
            wait = AwaitSeekFrame(search, host, control, !hooks.ConfirmStop, frame, frameUnits);
            later = search.Later();
        }
        if (wait == FrameWait::Grabbed && !frame.isEmpty()) {
            // A later picture is named for its own second, which lies before the next shot's.
            const int second = later ? int(std::max<std::int64_t>(t, frameUnits / kUnitsPerSecond)) : t;
            sink(TakenShot{std::move(frame), second, FormatTimeLabel(second), i, frameUnits, later});
            ++result.Taken;
        } else {
            ++result.LeftOut;
        }
        if (wait == FrameWait::Aborted) {
            result.Outcome = ShotSeriesOutcome::Aborted;
            return result;
        }
        if (hooks.AfterShot)
            hooks.AfterShot(i);
    }
    return result;
}

}  // namespace sm
