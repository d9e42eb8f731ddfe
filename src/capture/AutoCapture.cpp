#include "capture/AutoCapture.h"

#include "capture/ShotSeries.h"
#include "common/ScopeExit.h"
#include "settings/Texts.h"

namespace sm {

AutoCaptureOutcome AutoCapture::Run(const AutoCaptureRequest& request)
{
    leftOut_ = 0;
    if (!engine_.IsActive())
        return AutoCaptureOutcome::NoVideo;
    RunScope run(control_);
    if (!run.Entered())
        return AutoCaptureOutcome::Refused;
    shots_.ClearShots();
    if (request.StartSecond > request.DurationSeconds)
        return AutoCaptureOutcome::StartAfterEnd;
    control_.AbortRequested = false;
    const std::vector<int> seconds = CaptureSeconds(request.Method, request.CountFrames, request.EveryFrame,
                                                    request.StartSecond, request.DurationSeconds);
    return TakeShots(seconds, request);
}

AutoCaptureOutcome AutoCapture::TakeShots(const std::vector<int>& seconds, const AutoCaptureRequest& request)
{
    const std::uint64_t generation = shots_.Generation();
    const ScopeExit hide([this] { host_.HideProgress(); });
    host_.SetProgress(0);
    host_.ShowProgress();
    host_.ProcessMessages();
    if (engine_.GetPlayState() == PlayState::Playing)
        engine_.Stop();

    const int count = int(seconds.size());
    ShotSeriesHooks hooks;
    // A command run inside a wait or a round of events may have emptied the list or
    // opened another video; a frame taken now would carry a label of the old series.
    hooks.StillWanted = [this, generation] { return shots_.Generation() == generation; };
    hooks.AfterShot = [this, count](int i) {
        host_.SetProgress(int(100.0 / count * i));
        host_.ShowStatus(lang::kShotCount.arg(shots_.ImgPicList().size()));
        host_.ProcessMessages();
    };
    const auto addShot = [this](TakenShot&& shot) { shots_.AddShot(std::move(shot.Picture), shot.Label); };
    const ShotSeriesResult result
        = TakeShotSeries(engine_, host_, control_, seconds, request.CaptureSpeed, addShot, hooks, request.Skip);
    leftOut_ = result.LeftOut;
    switch (result.Outcome) {
    case ShotSeriesOutcome::Completed:
        return AutoCaptureOutcome::Completed;
    case ShotSeriesOutcome::Aborted:
        return AutoCaptureOutcome::Aborted;
    case ShotSeriesOutcome::Interrupted:
        break;
    }
    return AutoCaptureOutcome::ListReplaced;
}

}  // namespace sm
