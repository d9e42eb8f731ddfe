#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/Bitmap.h"
#include "video/PictureOptions.h"
#include "video/SeekSeries.h"

namespace sm {

class FrameConverter;
class MediaReader;

// How much a series decodes at once.
struct SeriesLimits {
    int workers = 1;         // threads, each with a reader of its own
    int ahead = 1;           // pictures decoded at most, from the current second on
    int decoderThreads = 0;  // threads of each reader's video decoder (0: as the processors suit)
};

// Decodes the exact frames of a list of seconds of one file on worker threads, each
// worker with a reader of its own, so that the stretches from the key frames to several
// seconds are decoded at the same time; hands the frames over in the order of the list.
// Each frame is the picture a seek of the player to that second gives: decoded the same
// way and converted to the display size the same way. A worker decodes only seconds
// fewer than `ahead` places past the current one, so at most `ahead` pictures wait.
// Where `skip` rejects a second's picture, its worker decodes on from it, each picture
// once, to the first one the rule keeps.
class SeriesDecoder : public SeekSeries {
public:
    // Starts the workers (at least one, at most one per second), each of which opens
    // the file for itself; a second no worker can open the file for gives no frame. The
    // pictures are converted as `pictures` asks.
    SeriesDecoder(std::string path, std::vector<std::int64_t> seconds, const SeriesLimits& limits,
                  const PictureOptions& pictures = {}, const SkipRule& skip = {});
    // Ends the decoding promptly and waits for the threads.
    ~SeriesDecoder() override;
    SeriesDecoder(const SeriesDecoder&) = delete;
    SeriesDecoder& operator=(const SeriesDecoder&) = delete;

    void SeekNext() override;
    // The frame is handed over, not copied: a second grab of the same second finds none.
    bool GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits) override;
    SeekProgress GetSeekProgress() const override;
    bool TookLaterPicture() const override;

private:
    struct Slot {
        bool decoded = false;
        Bitmap picture;
        std::int64_t timeUnits = 0;
        bool later = false;  // a later picture replaced the second's own
    };

    void Stop();
    void Work(std::size_t worker);
    // The next second this worker may decode; false when there is none or the series ends.
    bool Claim(std::size_t& index);
    void Deliver(std::size_t index, Bitmap picture, std::int64_t timeUnits, bool later);
    // Whether the caller has moved past the second, so that its picture is not wanted.
    bool Passed(std::size_t index) const;
    // Decodes on from the picture the reader gave last for the second of `index` to the
    // first one the rule keeps, and puts it in place of `picture`; true when it found one.
    bool FindLaterPicture(MediaReader& reader, FrameConverter& converter, std::size_t index, Bitmap& picture,
                          std::int64_t& timeUnits) const;
    void GiveUp(std::size_t worker);
    // The index of the current second; the size of the list before the first SeekNext
    // and after the last.
    std::size_t Current() const;

    const std::string path_;
    const std::vector<std::int64_t> seconds_;
    const std::size_t ahead_;
    const int decoderThreads_;
    const PictureOptions pictureOptions_;
    const SkipRule skip_;
    std::atomic<bool> quit_{false};

    mutable std::mutex mutex_;
    std::condition_variable claimable_;                  // position_ or quit_ changed
    mutable std::condition_variable decoded_;            // a slot was decoded
    std::vector<Slot> slots_;                            // guarded by mutex_
    std::vector<std::unique_ptr<MediaReader>> readers_;  // guarded by mutex_; one a worker, while it works
    std::size_t position_ = 0;                           // guarded by mutex_: the SeekNext calls so far
    std::size_t nextClaim_ = 0;                          // guarded by mutex_
    std::size_t workersLeft_ = 0;                        // guarded by mutex_: workers not given up
    std::uint64_t picturesDone_ = 0;                     // guarded by mutex_
    bool lastLater_ = false;                             // guarded by mutex_: of the last frame handed over
    std::vector<std::thread> threads_;
};

}  // namespace sm
