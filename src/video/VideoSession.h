#pragma once

#include <QString>

#include <QSize>

#include <cstdint>
#include <optional>

#include "video/DelayWithMessages.h"
#include "video/MediaEngine.h"

namespace sm {

// What LoadVideo found in the video it loaded.
struct LoadedVideo {
    bool Loaded = false;  // false: the values below are not the video's
    // The native picture size (rotation and sample aspect ratio applied); none for a
    // file without pictures, where the size in use stays as it was.
    std::optional<QSize> NativeSize;
    std::int64_t Duration = 0;  // whole seconds
};

// The one video the program has open, and the values the rest of the program reads
// about it. The engine belongs to the caller and outlives the session.
class VideoSession {
public:
    explicit VideoSession(MediaEngine& engine);

    MediaEngine& Engine() const { return engine_; }
    // The wait between releasing the old graph and building the new one; window tests
    // put in one that takes no time.
    void SetWait(WaitFunction wait) { wait_ = std::move(wait); }

    // Loads a video into a fresh graph, its pictures converted as `pictures` asks, and
    // leaves it stopped. When it is loaded, says so
    // with what it found, and VideoDuration holds the length; the caller puts the size
    // and the shot prefix where it keeps them. Not loaded: with the engine as it was when
    // no file exists at the path, with the engine inactive when the graph cannot be
    // built. Never throws. Always waits one second (through the session's wait,
    // handling events meanwhile) to let the released graph wind down.
    LoadedVideo LoadVideo(const QString& path, const PictureOptions& pictures = {});

    QString VideoFileName;           // full path of the video opened by command or drop
    QString EngineFileName;          // the video LoadVideo last handed to the engine, loaded or not
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
