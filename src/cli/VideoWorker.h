#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

#include "batch/BatchRun.h"
#include "capture/HeadlessRunHost.h"
#include "cli/PreviewTrack.h"
#include "cli/VideoReport.h"
#include "output/Encoders.h"
#include "settings/Settings.h"
#include "video/FfmpegEngine.h"
#include "video/VideoSession.h"

namespace sm {

// How the videos of a command-line run are processed.
struct ParallelRunSetup {
    AppSettings Settings;  // readied by PrepareBatchRun
    BatchChoices Choices;
    bool KeyFrames = false;
    bool SkipExisting = false;
    int Jobs = 1;
    int TimeoutSeconds = 120;  // a video with no shot done for so long is given up; 0: never
    // With a shape, each video gives a preview track in place of its shots and sheet.
    std::optional<PreviewTrackShape> PreviewTrack;
};

// What one video's run tells as it goes, on the thread that runs it.
struct VideoRunEvents {
    std::function<void(int shotsPlanned)> Planned;
    std::function<void(int shotsDone)> ShotDone;
    // Asked after each shot: true ends the video there.
    std::function<bool()> StopRequested;
};

// The file whose presence makes --skip-existing leave a video: its sheet, or without
// sheets its first shot.
QString ExistingOutputMarker(const QString& path, const AppSettings& settings, const BatchChoices& choices);

// Runs the videos given to it one after another on the calling thread, each as the
// batch does, with an engine, session, host and encoders of its own. With Aggregate on,
// each video's labels start where the durations of the ones before it end; the duration
// of a video left by --skip-existing still counts.
class VideoWorker {
public:
    explicit VideoWorker(const ParallelRunSetup& setup);

    VideoReport Run(const QString& path, const VideoRunEvents& events);

    // The label offset of the next video (Aggregate).
    std::int64_t TimeOffset() const { return timeOffset_; }
    void SetTimeOffset(std::int64_t offset) { timeOffset_ = offset; }
    // How many processors the video's decoding keeps busy (see FfmpegEngine).
    void SetProcessors(int count) { engine_.SetProcessors(count); }

private:
    void AddSkippedDuration(const QString& path);

    const ParallelRunSetup& setup_;
    FfmpegEngine engine_;
    VideoSession session_;
    HeadlessRunHost host_;
    Encoders encoders_;
    RunControl control_;
    std::int64_t timeOffset_ = 0;
};

}  // namespace sm
