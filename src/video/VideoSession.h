#pragma once

#include <QString>

#include <cstdint>

#include "app/Settings.h"
#include "common/RunHost.h"
#include "video/MediaEngine.h"

namespace sm {

// The base name of a video's file (no folder, cut before the first ".") followed by
// "_": the name prefix its shots are saved under. "C:/v/clip.part1.avi" gives "clip_".
QString ShotPrefixForVideo(const QString& path);

// How pictures are converted by the settings ToneMapping and Deinterlace.
PictureOptions PictureOptionsOf(const AppSettings& settings);

// The one video the program has open, and the values the rest of the program reads
// about it. The engine belongs to the caller and outlives the session.
class VideoSession {
public:
    explicit VideoSession(MediaEngine& engine);

    MediaEngine& Engine() const { return engine_; }
    // The wait between releasing the old graph and building the new one; window tests
    // put in one that takes no time.
    void SetWait(WaitFunction wait) { wait_ = std::move(wait); }

    // Loads a video into a fresh graph, its pictures converted as the settings
    // ToneMapping and Deinterlace ask, and leaves it stopped. Returns true when it
    // is loaded; then the native size is in settings.ShotsWidth/ShotsHeight, the shot
    // prefix in `prefix` and the length in VideoDuration. Returns false with the
    // engine as it was when no file exists at the path, and false with the engine
    // inactive when the graph cannot be built. Never throws. Always waits one second
    // (through the session's wait, handling events meanwhile) to let the released graph
    // wind down.
    bool LoadVideo(const QString& path, AppSettings& settings, QString& prefix);

    QString VideoFileName;           // full path of the video opened by command or drop
    std::int64_t VideoDuration = 0;  // whole seconds
    // The whole seconds an automatic series spans: VideoDuration, or less where the
    // pictures end before the sound.
    std::int64_t SeriesSpan() const;
    QString DecoderList;         // the chain's names, each followed by a CR
    quint32 LastPositionMs = 0;  // the position at the last position report

private:
    MediaEngine& engine_;
    WaitFunction wait_;
    std::int64_t pictureEnd_ = 0;
};

}  // namespace sm
