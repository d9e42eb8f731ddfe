#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

#include "capture/RunHost.h"
#include "common/Bitmap.h"
#include "imaging/PictureQuality.h"
#include "video/MediaEngine.h"

namespace sm {

// One shot as the series hands it on: the picture presented at Second, the time label
// of that second, the position of its planned second in the series' list (0-based; the
// same second may be listed more than once), and the picture's own presentation time.
// A shot moved to a later picture (Later) names that picture's own second, its
// presentation time truncated.
struct TakenShot {
    Bitmap Picture;
    int Second = 0;
    QString Label;
    int Index = 0;
    std::int64_t FrameUnits = 0;  // 100-ns units from the start of the media
    bool Later = false;           // a later picture replaced the planned one, which `skip` rejected
};

// Where the shots of a series go: the shot list for automatic capture, a store of its
// own for a batch run.
using ShotSink = std::function<void(TakenShot&& shot)>;

// After the settling time a shot waits for the frame at its position as long as the
// decoder makes progress on it, in slices of this length with events handled between
// them; it is given up when the decoder has made none for kSeekStallMs.
constexpr int kFrameWaitSliceMs = 50;
constexpr int kSeekStallMs = 5000;

enum class ShotSeriesOutcome {
    Completed,    // every second was handled
    Aborted,      // the stop request ended the series between two shots, or while a
                  // frame was awaited (that shot is left out)
    Interrupted,  // StillWanted said no; a shot in progress was dropped
};

struct ShotSeriesResult {
    ShotSeriesOutcome Outcome = ShotSeriesOutcome::Completed;
    int Taken = 0;    // shots handed to the sink
    int LeftOut = 0;  // seconds tried that gave no picture (none, a stuck decoder, an abort)
};

// What the caller of a series is asked and told around its shots; both may stay empty.
struct ShotSeriesHooks {
    // Asked before each shot and after its settling wait: false when something run in
    // the meantime made the series meaningless (the list emptied, another video opened).
    std::function<bool()> StillWanted;
    // Called after each second tried, with its index, whether it gave a shot or not.
    std::function<void(int index)> AfterShot;
    // Asked before a shot when the stop request is set: true lets the request end the
    // series there; false means the caller withdrew it (and cleared it), and the shot
    // goes ahead. While this is given, the request is looked at only before each shot,
    // never while a frame is awaited. Empty: the request ends the series unasked.
    std::function<bool()> ConfirmStop;
};

// Takes one shot for each second t, in order, the way automatic capture does: Play,
// SeekTo(t), a settling wait of captureSpeed seconds (events handled), Stop, and the
// frame presented for the seek to t (not the one playing went on to), so that the
// picture matches the label of t. A captureSpeed of 0 (or less) means no settling: the
// frames of the seconds are taken without playing, through the engine's StartSeekSeries
// (which may decode later seconds while a shot is handed on). A slow decoder is waited
// for as long as it makes progress. The stop request of `control` is honoured before
// each shot and, unless hooks.ConfirmStop is given, while a frame is awaited. The engine
// is left stopped when the series ends; an error is passed on. A picture that `skip`
// rejects is replaced by the first later one it keeps, up to SkipSeconds after the
// second and before the next shot's (LaterPictureLimit); when there is none, it stays.
ShotSeriesResult TakeShotSeries(MediaEngine& engine, RunHost& host, const RunControl& control,
                                const std::vector<int>& seconds, int captureSpeed, const ShotSink& sink,
                                const ShotSeriesHooks& hooks = {}, const SkipRule& skip = {});

}  // namespace sm
