#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "batch/BatchRun.h"
#include "video/VideoColor.h"

namespace sm {

enum class VideoOutcome { Ok, Skipped, Failed };

// The result line of one video.
struct VideoReport {
    VideoOutcome Outcome = VideoOutcome::Ok;
    QString Reason;  // empty for Ok
    QString Path;
    int Shots = 0;  // shot files written
    QString Sheet;  // the sheet file written; empty when none was
    HdrTransfer Hdr = HdrTransfer::None;
    bool ToneMapped = false;  // its HDR pictures were tone-mapped
    QString Note;             // why its colours are not exact; empty when they are
    // Left by --skip-existing because its output is there: done, for the exit status.
    bool OutputThere = false;
    std::vector<BatchShot> ShotList;  // every shot that gave a picture
    std::optional<MediaFacts> Facts;  // none when the video was not loaded
    std::vector<MovedShot> Moved;     // shots moved to a later picture
};

// What a finished run of one video amounts to. A run that wrote files but not all it
// should have, or that took no picture of a video that should have given some, failed.
VideoReport ReportFromRun(const BatchVideoResult& run);

// A video that was not run to its end, with no files.
VideoReport NotRunReport(VideoOutcome outcome, const QString& reason, const QString& path);

// Adds what the loaded video's colours are and what became of them.
void ReportColors(VideoReport& report, const VideoColor& color, bool toneMapping);

// "ok", "skipped: REASON" or "failed: REASON", the path, the shots written and the
// sheet, separated by tabs, then "note: NOTE" when there is a note.
QString TextLine(const VideoReport& report);
// The same as one JSON object on one line: status, reason (null for ok), path, shots
// (each shot's file or null, label, planned second and own time in seconds to the
// millisecond), sheet (null without one), hdr ("pq", "hlg" or null), tonemapped, note
// (null without one), facts (the texts of the placeholders RESOLUTION, FPS,
// VIDEOCODEC, AUDIOCODEC and BITRATE; null when the video was not loaded) and moved
// (one {"planned", "kept"} object a shot moved to a later picture, [] when none was).
QString JsonLine(const VideoReport& report);

// Whether the video counts as done for the run's exit status: it went well, or it was
// left because its output is there.
bool CountsAsDone(const VideoReport& report);
// The run's exit status: 0 when every video counts as done, 1 when one was skipped
// otherwise or failed, 130 when interrupted.
int RunExitCode(bool everyVideoDone, bool interrupted);

}  // namespace sm
