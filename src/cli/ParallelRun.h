#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

#include "cli/VideoReport.h"
#include "cli/VideoWorker.h"

namespace sm {

// What a run tells as it goes, always in the process and on the thread that called
// RunVideos.
struct RunListener {
    // The result line of a finished video's report. It is made in the video's own
    // process, where the whole report is; empty: TextLine.
    std::function<QString(const VideoReport& report)> Line;
    std::function<void(int index)> Started;
    std::function<void(int index, int shotsPlanned)> Planned;
    std::function<void(int index, int shotsDone)> ShotDone;
    // Each video's result line, in input order.
    std::function<void(int index, const QString& line)> Finished;
};

// Runs each video as the batch does, `jobs` at a time, each in a process of its own
// (forked from this one, which must have no other thread) with its own engine, so that
// a video that crashes the libraries or hangs in them costs that video alone: a process
// that dies gives it "failed: crashed (signal N)", one with no shot done for
// TimeoutSeconds is killed and gives "failed: timed out after N s"; the shots it
// finished stay, and no file is left half written. A video whose shot prefix equals that
// of one still running waits for it, so that files of the same name are written in
// input order as one after another. With Aggregate on the videos run one after another,
// since each one's labels start where the durations of the ones before it end; the
// duration of a video left by --skip-existing still counts. Once `stop` is set (by the
// caller's signal handlers, which the workers inherit), no video starts, SIGTERM is
// passed on to the running ones and each ends after its shot in progress; those not
// started are reported skipped. A report stays in the video's process: its line and
// what it means for the exit status come here. Returns the run's exit status, as
// RunExitCode gives it for all the videos.
int RunVideos(const QStringList& paths, const ParallelRunSetup& setup, const std::atomic<bool>& stop,
              const RunListener& listener);

}  // namespace sm
