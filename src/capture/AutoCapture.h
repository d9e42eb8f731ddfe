#pragma once

#include "app/Prompts.h"
#include "capture/CaptureSchedule.h"
#include "capture/ShotList.h"
#include "common/RunHost.h"
#include "video/MediaEngine.h"

namespace sm {

// The inputs of one automatic capture, read when it starts.
struct AutoCaptureRequest {
    CaptureMethod Method = CaptureMethod::CountOfShots;
    int CountFrames = 12;
    int EveryFrame = 60;
    int StartSecond = 0;
    int DurationSeconds = 0;
    int CaptureSpeed = 2;  // seconds the video plays after each seek
};

enum class AutoCaptureOutcome {
    NoVideo,        // the engine has no video; nothing changed
    Refused,        // another run is going on; nothing changed
    StartAfterEnd,  // the start lies after the end; the list was emptied, the user told
    Completed,      // every scheduled shot was handled
    Aborted,        // the stop request ended the run between two shots
    ListReplaced,   // the shot list was emptied (or another video opened) during a wait
};

// How long a shot waits, after the settling time, for the frame at its position to be
// decoded before it is given up.
constexpr int kSeekFrameWaitMs = 5000;

// Takes a series of shots from the open video into the shot list, under the progress
// dialog. For each scheduled second t it plays, seeks to t, waits CaptureSpeed seconds
// (handling events), stops, and adds the frame presented at t labelled with t. The list
// is emptied first. The stop request is honoured before each shot; a shot whose frame
// cannot be had is left out. The video is stopped and the dialog hidden afterwards,
// also when an error escapes (the error is passed on).
class AutoCapture {
public:
    AutoCapture(MediaEngine& engine, ShotList& shots, RunHost& host, Prompts& prompts, RunControl& control)
        : engine_(engine), shots_(shots), host_(host), prompts_(prompts), control_(control)
    {
    }

    AutoCaptureOutcome Run(const AutoCaptureRequest& request);

private:
    AutoCaptureOutcome TakeShots(const std::vector<int>& seconds, int captureSpeed);

    MediaEngine& engine_;
    ShotList& shots_;
    RunHost& host_;
    Prompts& prompts_;
    RunControl& control_;
};

}  // namespace sm
