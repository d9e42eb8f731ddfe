#include "capture/AutoCapture.h"

#include "app/Texts.h"
#include "imaging/TimeLabel.h"

namespace sm {

namespace {

// Hides the dialog and leaves the video stopped however the shots end.
class CaptureFinish {
public:
    CaptureFinish(MediaEngine& engine, RunHost& host) : engine_(engine), host_(host) {}
    ~CaptureFinish()
    {
        host_.HideProgress();
        if (engine_.GetPlayState() == PlayState::Playing)
            engine_.Stop();
    }
    CaptureFinish(const CaptureFinish&) = delete;
    CaptureFinish& operator=(const CaptureFinish&) = delete;

private:
    MediaEngine& engine_;
    RunHost& host_;
};

}  // namespace

AutoCaptureOutcome AutoCapture::Run(const AutoCaptureRequest& request)
{
    if (!engine_.IsActive())
        return AutoCaptureOutcome::NoVideo;
    RunScope run(control_);
    if (!run.Entered())
        return AutoCaptureOutcome::Refused;
    shots_.ClearShots();
    if (request.StartSecond > request.DurationSeconds) {
        prompts_.Error(lang::kStartAfterDuration);
        return AutoCaptureOutcome::StartAfterEnd;
    }
    control_.AbortRequested = false;
    const std::vector<int> seconds = CaptureSeconds(request.Method, request.CountFrames, request.EveryFrame,
                                                    request.StartSecond, request.DurationSeconds);
    return TakeShots(seconds, request.CaptureSpeed);
}

AutoCaptureOutcome AutoCapture::TakeShots(const std::vector<int>& seconds, int captureSpeed)
{
    const std::uint64_t generation = shots_.Generation();
    CaptureFinish finish(engine_, host_);
    host_.SetProgress(0);
    host_.ShowProgress();
    host_.ProcessMessages();
    if (engine_.GetPlayState() == PlayState::Playing)
        engine_.Stop();

    const int count = int(seconds.size());
    for (int i = 0; i < count; ++i) {
        if (control_.AbortRequested)
            return AutoCaptureOutcome::Aborted;
        if (shots_.Generation() != generation)
            return AutoCaptureOutcome::ListReplaced;
        const int t = seconds[std::size_t(i)];
        engine_.Play();
        engine_.SeekTo(t);
        host_.Wait(captureSpeed * 1000);
        // A command run inside the wait may have emptied the list or opened another
        // video; a frame taken now would carry a label of the old series.
        if (shots_.Generation() != generation)
            return AutoCaptureOutcome::ListReplaced;
        engine_.Stop();
        // The frame shown at t, not the one the settling time has played on to, so
        // that the picture matches its label.
        Bitmap frame;
        if (engine_.GrabSeekFrame(frame, kSeekFrameWaitMs) && !frame.isEmpty())
            shots_.AddShot(std::move(frame), FormatTimeLabel(t));
        host_.SetProgress(int(100.0 / count * i));
        host_.ShowStatus(lang::kShotCount.arg(shots_.ImgPicList().size()));
        host_.ProcessMessages();
    }
    return AutoCaptureOutcome::Completed;
}

}  // namespace sm
