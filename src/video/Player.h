#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/Bitmap.h"
#include "video/DisplayGeometry.h"
#include "video/MediaEngine.h"
#include "video/MediaReader.h"
#include "video/PendingPicture.h"

namespace sm {

class AudioOutput;
class PlaybackClock;

// What a player tells its owner; called on the player's own thread.
struct PlayerEvents {
    std::function<void()> framePresented;
    std::function<void(int code)> graphEvent;
};

// Plays one opened file on a thread of its own: seeks exactly, presents pictures on
// time against a clock (the sound's while sound plays), plays the sound and keeps the
// last presented picture and the picture of the last seek for grabbing. The pictures
// are kept decoded and converted by the grabbing thread when it asks. Every public
// call may be made from any thread and returns without waiting for decoding (but
// GrabSeekFrame, which waits as long as it is told, and GrabPresented after pictures
// played unwatched).
class Player {
public:
    // Opens the file and starts the thread, stopped at position 0, its pictures watched
    // as SetPicturesWatched says. Throws std::runtime_error when the file cannot be played.
    Player(const std::string& path, bool muted, bool watched, const PictureOptions& pictures, PlayerEvents events);
    // Stops the thread and waits for it.
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    bool HasVideo() const;
    bool HasAudio() const;
    DisplayGeometry Geometry() const;
    std::int64_t DurationUnits() const;
    std::int64_t PictureEndUnits() const;  // see MediaReader
    ChainNames ElementNames() const;
    MediaFacts Facts() const;
    VideoColor Color() const;

    void Play();
    void Pause();
    void Stop();
    void Seek(std::int64_t units);
    // Makes the picture after the one of the last seek (or step) the seek picture, as a
    // seek to it would; without one there is no seek picture. Decodes just that picture
    // when nothing has played since; otherwise finds the last one again first.
    void StepSeek();
    void SetMuted(bool muted);
    // How pictures are converted from now on.
    void SetPictureOptions(const PictureOptions& options);
    // Whether anybody sees the presented pictures (true at first). While nobody does,
    // playing decodes no pictures: the clock moves on alone, and the picture at the
    // position is presented once somebody watches again or grabs the presented picture.
    // The picture of a seek is decoded all the same.
    void SetPicturesWatched(bool watched);

    // The state last asked for.
    PlayState State() const { return state_.load(); }
    // The position now, in 100-ns units.
    std::int64_t PositionUnits() const { return position_.load(); }

    // The last presented picture and its time (100-ns units). After pictures went
    // undecoded unwatched, waits for the one at the position first (as long as decoding
    // it takes).
    bool GrabPresented(Bitmap& bitmap, std::int64_t& frameUnits);
    bool GrabSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits) const;
    sm::SeekProgress SeekProgress() const;

private:
    struct Command {
        enum Kind { kPlay, kPause, kStop, kSeek, kStep, kWatch, kCatchUp } kind;
        std::int64_t units = 0;
        std::uint64_t generation = 0;
    };

    void Post(Command command);
    void Run();
    void RunUntilQuit();
    // Playback goes on from the position: the ends not reached, the sound flushed.
    void RestartAt(std::int64_t units);
    // These return false when a newer seek has made the rest of their work needless.
    bool Apply(const std::vector<Command>& commands);
    bool SeekAndShow(std::int64_t units, bool present, std::uint64_t generation);
    bool StepAndShow(bool present, std::uint64_t generation);
    // Makes a picture found by a seek or step to `units` the current one.
    void ShowSeekPicture(DecodedFrame frame, std::int64_t units, bool present, std::uint64_t generation);
    // Whether the presented picture is stale and somebody watches or waits for it.
    bool CatchUpWanted();
    // One step of playback; returns how long the thread may sleep before the next.
    std::chrono::milliseconds PlayStep();
    void FeedSound(std::int64_t now);
    void Present(DecodedFrame frame);
    // The decoded picture ready to be converted on demand; null (and the stream error
    // reported) when it cannot be converted.
    std::shared_ptr<const PendingPicture> Pending(DecodedFrame frame);
    void RaiseEvent(int code);
    void ReportDecodeErrors();

    PlayerEvents events_;
    std::atomic<bool> quit_{false};
    // Owned by the thread once it runs (created before it starts).
    std::unique_ptr<MediaReader> reader_;
    std::unique_ptr<AudioOutput> audio_;
    std::unique_ptr<PlaybackClock> clock_;
    std::unique_ptr<DecodedFrame> nextFrame_;
    std::unique_ptr<DecodedFrame> lastDropped_;  // the last picture dropped for lateness
    PlayState running_ = PlayState::Stopped;     // the state the thread has put into effect
    std::int64_t soundFrom_ = 0;
    std::int64_t lastShown_ = 0;
    bool videoEnded_ = false;
    bool soundEnded_ = false;
    bool completeSent_ = false;
    bool errorSent_ = false;
    int droppedInRow_ = 0;
    // Set while stopped after a seek: the reader waits just after the seek picture.
    std::optional<std::int64_t> parkedAt_;
    // The reader waits just after the seek picture: nothing has been played since.
    bool afterSeekPicture_ = false;

    // Fixed once the file is open.
    DisplayGeometry geometry_;
    std::int64_t durationUnits_ = 0;
    std::int64_t pictureEndUnits_ = 0;
    ChainNames elementNames_;
    MediaFacts facts_;
    VideoColor color_;
    bool hasVideo_ = false;
    bool hasAudio_ = false;

    std::atomic<PlayState> state_{PlayState::Stopped};
    std::atomic<std::int64_t> position_{0};
    std::atomic<bool> muted_{false};
    std::atomic<bool> watched_{true};

    mutable std::mutex mutex_;
    mutable std::condition_variable wake_;            // commands_ or quit_ changed
    mutable std::condition_variable seekFrameReady_;  // seekDone_ or caughtUp_ changed
    std::vector<Command> commands_;                   // guarded by mutex_
    // Changed under mutex_; counts seeks and steps.
    std::atomic<std::uint64_t> seekRequested_{0};
    // The generation of the newest seek (steps not counted): read without the mutex by
    // the thread to give up a seek or step that a newer seek has made needless.
    std::atomic<std::uint64_t> newestSeek_{0};
    std::uint64_t seekDone_ = 0;  // guarded by mutex_
    // Pictures were left undecoded while nobody watched, so the one presented is stale.
    // Written by the thread under mutex_, which it may read without.
    bool picturesSkipped_ = false;
    std::uint64_t catchUpRequested_ = 0;               // guarded by mutex_
    std::uint64_t caughtUp_ = 0;                       // guarded by mutex_
    std::shared_ptr<const PendingPicture> seekFrame_;  // guarded by mutex_
    std::shared_ptr<const PendingPicture> presented_;  // guarded by mutex_
    // Used by the grabbing threads, never by the player's own.
    mutable OnDemandConverter converter_;
    std::thread thread_;
};

}  // namespace sm
