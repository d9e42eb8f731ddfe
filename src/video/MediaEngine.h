#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "common/Bitmap.h"
#include "imaging/PictureQuality.h"
#include "video/MediaFacts.h"
#include "video/PictureOptions.h"
#include "video/VideoColor.h"

namespace sm {

class SeekSeries;

enum class PlayState { Uninitialized, Stopped, Paused, Playing };

// How far the engine has come with the frame of the last seek.
struct SeekProgress {
    bool Pending = false;    // the frame is still being decoded
    std::uint64_t Work = 0;  // grows while the decoder makes progress
};

// Event codes a graph reports. The values are fixed: the status bar shows an event that
// EventText has no text for by its number, which must mean the same event every time.
enum GraphEventCode : int {
    EC_COMPLETE = 0x01,
    EC_USERABORT = 0x02,
    EC_ERRORABORT = 0x03,
    EC_TIME = 0x04,
    EC_REPAINT = 0x05,
    EC_STREAM_ERROR_STOPPED = 0x06,
    EC_STREAM_ERROR_STILLPLAYING = 0x07,
    EC_ERROR_STILLPLAYING = 0x08,
    EC_PALETTE_CHANGED = 0x09,
    EC_VIDEO_SIZE_CHANGED = 0x0A,
    EC_QUALITY_CHANGE = 0x0B,
    EC_SHUTTING_DOWN = 0x0C,
    EC_CLOCK_CHANGED = 0x0D,
    EC_PAUSED = 0x0E,
};

// The operations the program needs of a video service. All calls are made from the UI
// thread; implementations decode on threads of their own and deliver PositionReport,
// GraphEvent and FramePresented as queued signals on the UI thread.
class MediaEngine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~MediaEngine() override = default;

    // true creates an empty graph; false releases the whole graph, stops every thread
    // and returns promptly.
    virtual bool SetActive(bool on) = 0;
    virtual bool IsActive() const = 0;
    // Stops and removes the decoding chain; the engine stays active.
    virtual void ClearGraph() = 0;
    // Builds the decoding chain for a file. Throws std::runtime_error when the file
    // cannot be opened as media.
    virtual void OpenMedia(const QString& path) = 0;

    virtual bool Play() = 0;
    virtual bool Pause() = 0;
    virtual bool Stop() = 0;
    // Never blocks.
    virtual PlayState GetPlayState() const = 0;
    // Whole seconds (truncated); 0 when unknown.
    virtual std::int64_t GetDuration() const = 0;
    // Whole seconds (truncated) after which the video has no more pictures, when sound
    // clearly runs on beyond them; 0 otherwise.
    virtual std::int64_t GetPictureEnd() const { return 0; }
    // The stop position (the end of the media) in 100-ns units; 0 when unknown.
    virtual std::int64_t GetStopPosition() const = 0;
    // Sets the position, in whole seconds.
    virtual bool SeekTo(std::int64_t seconds) = 0;
    // Sets the position in 100-ns units (the track bar's fraction of the stop position).
    virtual bool SeekToUnits(std::int64_t units) = 0;

    // Copies the last presented frame as a 24-bit bitmap of the display size, with its
    // presentation time in 100-ns units from the start of the media. Returns false and
    // leaves both unchanged when no frame has been presented.
    virtual bool GrabTimedFrame(Bitmap& bitmap, std::int64_t& frameUnits) = 0;
    // The same without the time.
    bool GrabFrame(Bitmap& bitmap);
    // Copies the frame presented for the last seek (the frame whose display interval
    // contains the seek target), waiting up to waitMs for it to be decoded, with its
    // presentation time in 100-ns units. Returns false and leaves both unchanged when
    // there is none.
    virtual bool GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits) = 0;
    // The same without the time.
    bool GrabSeekFrame(Bitmap& bitmap, int waitMs);
    // Whether the frame of the last seek is still being decoded, and how much work the
    // decoder has done; a caller may wait as long as the work grows.
    virtual SeekProgress GetSeekProgress() const = 0;
    // Makes the picture after the frame of the last seek the frame of a new seek, as a
    // seek to it would (GrabTimedSeekFrame and GetSeekProgress answer for it; without a
    // picture after it there is no frame). False when the engine cannot step; then
    // nothing changes.
    virtual bool StepSeekFrame() { return false; }
    // The exact frames of a list of seconds, to be taken in that order (see SeekSeries),
    // each replaced by a later picture where `skip` rejects it. By default the series
    // seeks the engine to each second in turn; an engine that can decode them apart from
    // its playback may decode several at once, and then leaves its position and frames
    // as they were.
    virtual std::unique_ptr<SeekSeries> StartSeekSeries(std::vector<std::int64_t> seconds, const SkipRule& skip = {});
    // The display size (rotation and sample aspect ratio applied); untouched without video.
    virtual void GetVideoSize(int& width, int& height) const = 0;
    // Each element of the chain's names followed by a CR (13); empty without a graph.
    virtual QString ListFilterNames() const = 0;
    // What the open video declares about its colours; nothing without video.
    virtual VideoColor GetVideoColor() const { return {}; }
    // What the open file says of its pictures, sound and bit rate; nothing without a graph.
    virtual MediaFacts GetMediaFacts() const { return {}; }
    // Volume 0 (muted) or full; kept and applied to every later graph.
    virtual void SetMuted(bool muted) = 0;
    // How decoded pictures become the pictures grabbed and shown (deinterlaced,
    // tone-mapped); kept and applied to every later graph and series, and to the
    // pictures of the open one converted from now on.
    virtual void SetPictureOptions(const PictureOptions& /*options*/) {}
    // Whether anybody sees the presented pictures (at first they are taken to be seen);
    // kept for every later graph. While nobody does, an engine may leave the pictures it
    // plays undecoded, GrabFrame then giving the last one presented before; the frame of
    // a seek is always decoded, and once the pictures are watched again the one at the
    // position is presented.
    virtual void SetPicturesWatched(bool /*watched*/) {}

    // The name and a one-line description of a graph event code.
    static QString EventText(int code);

signals:
    // Every 1000 ms while playing.
    void PositionReport(quint32 positionMs, quint32 durationMs);
    void GraphEvent(int code);
    // A new frame is on screen; GrabFrame returns it.
    void FramePresented();
};

}  // namespace sm
