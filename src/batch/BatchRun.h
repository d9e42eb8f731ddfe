#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

#include "capture/RunHost.h"
#include "capture/ShotSeries.h"
#include "common/Bitmap.h"
#include "common/SafeFileWrite.h"
#include "settings/Settings.h"
#include "video/MediaFacts.h"
#include "video/VideoSession.h"

namespace sm {

struct Encoders;

// One row of the batch list as the run reads it when it reaches it.
struct BatchItem {
    QString Path;
    bool Ticked = true;
};

// What the run does with each video beyond the settings (the two boxes of the batch
// window; the command line sets them from its options).
struct BatchChoices {
    bool SaveDirectly = true;  // save each shot and keep it for the sheet
    bool Thumbnails = true;    // compose and save one sheet per video
    // The command line's alone:
    bool WriteShots = true;  // with SaveDirectly, also write each kept shot as a file
    bool InfoBlock = false;  // the sheets carry an information block
    // Its lines, placeholders unfilled; none: the thumbnail window's own lines.
    QStringList InfoLines = {};
};

// Takes the shots of one video: the seconds in order, each shot handed to the sink with
// the second its label names. The batch window and the command line use TakeShotSeries
// on the loaded engine; the command line's key-frame mode puts in its own, which names
// each frame's own time.
using BatchShotTaker = std::function<ShotSeriesResult(const std::vector<int>& seconds, const ShotSink& sink,
                                                      const ShotSeriesHooks& hooks)>;

enum class BatchVideoStatus {
    NotTicked,      // left out by the user
    NotLoaded,      // missing, a folder, or not a video the engine opens
    StartAfterEnd,  // the start time lies beyond the video's end
    Done,           // every shot tried, the sheet made when wanted
    Aborted,        // the user confirmed an abort before one of its shots
};

// A shot that was moved to a later picture: the second it was planned at and the second
// of the picture kept, both of the video itself.
struct MovedShot {
    int Planned = 0;
    int Kept = 0;
    friend bool operator==(const MovedShot&, const MovedShot&) = default;
};

// One shot a video gave.
struct BatchShot {
    QString File;                 // the file written and still there; empty when none is
    QString Label;                // its time label, as stamped on its file
    int Planned = 0;              // the second of the schedule it was taken for
    std::int64_t FrameUnits = 0;  // its picture's own presentation time, 100-ns units
};

// What became of one video.
struct BatchVideoResult {
    QString Path;
    BatchVideoStatus Status = BatchVideoStatus::NotTicked;
    std::int64_t DurationSeconds = 0;
    int ShotsPlanned = 0;          // the count of the schedule
    int ShotsTaken = 0;            // grabs that gave a picture
    int Width = 0;                 // the shot size after loading (the native size when the video has
    int Height = 0;                // pictures); 0 x 0 when it did not load
    QString Prefix;                // the shot prefix of the video; empty when it did not load
    QStringList ShotFiles;         // the shot files written and still there when the video ended, in order
    std::vector<BatchShot> Shots;  // every shot that gave a picture, in order
    MediaFacts Facts;              // what the loaded file says of itself
    QString SheetFile;             // the sheet written; empty when none was
    int WriteFailures = 0;         // shot or sheet files that could not be written (or made), or vanished
    WriteFailure FirstWriteError;
    std::vector<MovedShot> MovedShots;  // in shot order
};

// Told as the run goes, to show it; every member may stay empty.
struct BatchRunEvents {
    // The run has passed its checks and takes the items from here on; the window shows
    // it as running until RunBatch returns, however it returns.
    std::function<void(int itemCount)> RunStarted;
    std::function<void(int index, const QString& path)> VideoStarted;
    std::function<void(int shotCount)> ShotsPlanned;
    std::function<void(int shotsDone)> ShotDone;
    std::function<void(int index)> VideoDone;  // a video that was processed (not skipped)
    // The status line; red turns it red until the next run starts, otherwise it keeps
    // its colour.
    std::function<void(const QString& text, bool red)> Status;
    // Asked before a shot when the stop request of the run control is set: true ends the
    // run there, false clears the request and goes on. Empty: the request ends the run.
    // The request is looked at only before shots (also after a video's pause, before the
    // next video's first shot), never while a shot is being taken.
    std::function<bool()> ConfirmAbort;
    // Each shot with a picture, with its label, when Add2List is on.
    std::function<void(const Bitmap& shot, const QString& label)> AddToList;
};

enum class BatchRunOutcome {
    NothingToDo,     // the list is empty
    NoOutputFolder,  // OutputFolder is not an existing folder; nothing ran
    Completed,
    Aborted,  // the user confirmed an abort
};

struct BatchRunResult {
    BatchRunOutcome Outcome = BatchRunOutcome::NothingToDo;
    std::vector<BatchVideoResult> Videos;  // one per item reached, in list order
    int SavedCount = 0;                    // shot files actually written (sheets not counted)
    int WriteFailures = 0;                 // shot and sheet files that could not be written
    WriteFailure FirstWriteError;
};

// Readies the settings of a batch run, for the window and the command line alike, once
// before its first video: PrepareShotOutput (the trailing separator of OutputFolder, no
// format chosen as JPEG), then the capture values: throws std::invalid_argument with a
// user-readable text for settings the run cannot follow (EveryFrame or CountFrames below
// 1, for the method in use).
void PrepareBatchRun(AppSettings& settings);

// The label offset of the videos after this one, with Aggregate on: only a video that
// was processed (loaded, its start not beyond its end) and ran to its end moves the
// labels on, by its duration.
std::int64_t NextTimeOffset(std::int64_t timeOffset, const BatchVideoResult& video, const AppSettings& settings);

// The whole run over the items, as the batch window's process button starts it: for
// each ticked item RunBatchVideo, then, for a video that was processed, the pause of
// CaptureSpeed seconds (events handled through the host). Readies the settings
// (PrepareBatchRun) once the output folder is known to exist, leaves the shot size of
// the last video loaded in ShotsWidth/ShotsHeight and its shot prefix in `prefix`. The
// stop request is cleared when the run starts and set again when it ends, however it
// ends. Throws std::invalid_argument with a user-readable text, before any video, for
// settings the run cannot follow (EveryFrame or CountFrames below 1, for the method in
// use); other errors end the run and are passed on. The files written stay written.
// Asks nothing.
BatchRunResult RunBatch(VideoSession& session, RunHost& host, RunControl& control, AppSettings& settings,
                        Encoders& encoders, QString& prefix, const std::vector<BatchItem>& items,
                        const BatchChoices& choices, const BatchRunEvents& events, const BatchShotTaker& taker = {});

// One video of a batch run and what runs it.
struct BatchVideoJob {
    QString Path;
    std::int64_t TimeOffset = 0;  // added to each shot's second for its label (Aggregate)
    VideoSession& Session;
    RunHost& Host;
    // Its stop request is taken as it stands, so it must be cleared before the first
    // video (RunBatch does).
    RunControl& Control;
    const AppSettings& Settings;  // readied by PrepareBatchRun
    Encoders& FileEncoders;
    BatchChoices Choices;
    const BatchRunEvents& Events;
    BatchShotTaker Taker;  // empty: TakeShotSeries on the session's engine
};

// What a run of the video finds before its first shot: loads it through the session
// and compares its start with its end. The result is NotLoaded, StartAfterEnd, or Done
// with the duration, shot size, prefix and facts and no shot taken.
BatchVideoResult ProbeBatchVideo(VideoSession& session, const AppSettings& settings, const QString& path);

// One video of a run: ProbeBatchVideo, then plans its seconds from StartTime, takes its
// shots (through the job's taker), saves shot k (from 0) as OutputFolder + prefix +
// "%.4d" of k + 1 + extension stamped with the label of its second + TimeOffset (resized
// to the tile size first with NeedResize; not written without Choices.WriteShots), keeps
// an unstamped copy for the sheet, and saves the sheet (SheetFileName, with the
// information block of Choices.InfoBlock) when the video gave at least one kept shot. A file
// that could not be written, a sheet too large to compose and a file gone again by the
// end of the video are counted as failures, and the video goes on. The command line calls it
// once per video, each worker with its own session.
BatchVideoResult RunBatchVideo(const BatchVideoJob& job);

}  // namespace sm
