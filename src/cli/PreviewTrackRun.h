#pragma once

#include <QString>

#include "batch/BatchRun.h"
#include "capture/RunHost.h"
#include "cli/PreviewTrack.h"
#include "cli/VideoReport.h"
#include "settings/Settings.h"
#include "video/VideoSession.h"

namespace sm {

struct Encoders;

// One video's preview track and what makes it.
struct PreviewTrackJob {
    QString Path;
    VideoSession& Session;
    RunHost& Host;
    RunControl& Control;
    const AppSettings& Settings;  // readied by PrepareBatchRun; its SaveFormat is the sprites'
    Encoders& FileEncoders;
    PreviewTrackShape Shape;
    const BatchRunEvents& Events;  // ShotsPlanned, ShotDone and ConfirmAbort are used
    BatchShotTaker Taker;          // empty: the exact frames through TakeShotSeries
};

// Loads the video, plans its track from its length in milliseconds and its display
// size (PlanPreviewTrack), takes the picture of each cue's start second (through the
// job's taker; the settings' skip rule may move it to a later picture before the next
// cue), scales each to its cell, and writes each sprite (SpriteFileName, in
// OutputFolder) as soon as it is full. The track file (PreviewTrackFileName) is written
// last, and only when every sprite it names was written and is still there; the one of
// an earlier run is removed before the first sprite, so that a run that ends early leaves
// no track naming sprites that are missing or hold other pictures. The report counts the
// sprites written as its shots, names the track file as its sheet, lists each picture
// taken with the sprite that holds it (once written) and tells the video's colours; a
// video whose length is unknown, that gave no picture, whose sprite could not be written
// or whose run was stopped fails. A picture missing from an otherwise good video leaves
// its cell white.
VideoReport RunPreviewTrack(const PreviewTrackJob& job);

}  // namespace sm
