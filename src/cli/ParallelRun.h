#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

#include "cli/VideoReport.h"
#include "cli/VideoWorker.h"

namespace sm {

// What a run tells as it goes, always on the thread that called RunVideos.
struct RunListener {
    std::function<void(int index)> Started;
    std::function<void(int index, int shotsPlanned)> Planned;
    std::function<void(int index, int shotsDone)> ShotDone;
    // Each video's report, in input order.
    std::function<void(int index, const VideoReport& report)> Finished;
};

// Runs each video as the batch does, `jobs` at a time, each worker on a thread of its
// own with its own engine. A video whose shot prefix equals that of one still running
// waits for it, so that files of the same name are written in input order as one after
// another. With Aggregate on the videos run one after another, since each one's labels
// start where the durations of the ones before it end; the duration of a video left
// by --skip-existing still counts. Once `stop` is set, each worker ends after its shot
// in progress and no video starts; those not started are reported skipped.
std::vector<VideoReport> RunVideos(const QStringList& paths, const ParallelRunSetup& setup,
                                   const std::atomic<bool>& stop, const RunListener& listener);

}  // namespace sm
