#pragma once

#include "capture/CaptureSchedule.h"
#include "capture/RunHost.h"
#include "capture/ShotList.h"
#include "imaging/PictureQuality.h"
#include "video/MediaEngine.h"

namespace sm {

// The inputs of one automatic capture, read when it starts.
struct AutoCaptureRequest {
    CaptureMethod Method = CaptureMethod::CountOfShots;
    int CountFrames = 12;
    int EveryFrame = 60;
    int StartSecond = 0;
    int DurationSeconds = 0;
    int CaptureSpeed = 2;  // seconds the video plays after each seek; 0: it does not play
    SkipRule Skip;         // which shots are replaced by later pictures
};

enum class AutoCaptureOutcome {
    NoVideo,        // the engine has no video; nothing changed
    Refused,        // another run is going on; nothing changed
    StartAfterEnd,  // the start lies after the end; the list was emptied, nothing taken
    Completed,      // every scheduled shot was handled
    Aborted,        // the stop request ended the run between two shots
    ListReplaced,   // the shot list was emptied (or another video opened) during a wait
};

// Takes a series of shots from the open video into the shot list, under the progress
// dialog, with TakeShotSeries. The list is emptied first. The video is stopped and the
// dialog hidden afterwards, also when an error escapes (the error is passed on). It
// asks the user nothing: the outcome says how it ended.
class AutoCapture {
public:
    AutoCapture(MediaEngine& engine, ShotList& shots, RunHost& host, RunControl& control)
        : engine_(engine), shots_(shots), host_(host), control_(control)
    {
    }

    AutoCaptureOutcome Run(const AutoCaptureRequest& request);
    // The scheduled shots the last run tried that gave no picture.
    int LeftOut() const { return leftOut_; }

private:
    AutoCaptureOutcome TakeShots(const std::vector<int>& seconds, const AutoCaptureRequest& request);

    MediaEngine& engine_;
    ShotList& shots_;
    RunHost& host_;
    RunControl& control_;
    int leftOut_ = 0;
};

}  // namespace sm
