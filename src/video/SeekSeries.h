#pragma once

#include <cstdint>
#include <vector>

#include "common/Bitmap.h"
#include "video/MediaEngine.h"

namespace sm {

// The exact frames of a list of seconds, taken in the order of the list: SeekNext moves
// to the next second as the engine's SeekTo would, and GrabSeekFrame and
// GetSeekProgress answer for that second as the engine's do for a seek. An
// implementation may decode the later seconds ahead while the caller handles a frame.
// Used from the UI thread.
class SeekSeries {
public:
    virtual ~SeekSeries() = default;

    // Moves to the next second of the list (the first call: to the first).
    virtual void SeekNext() = 0;
    // Hands over the frame of the current second, waiting up to waitMs for it to be
    // decoded, with its presentation time in 100-ns units. Returns false and leaves
    // both unchanged when there is none (yet).
    virtual bool GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits) = 0;
    // The same without the time.
    bool GrabSeekFrame(Bitmap& bitmap, int waitMs);
    // Whether the frame of the current second is still being decoded, and a count that
    // grows while the decoding makes progress.
    virtual SeekProgress GetSeekProgress() const = 0;
};

// One second after the other through the engine's own seek: SeekTo, GrabSeekFrame and
// GetSeekProgress of the engine, which must outlive the series.
class EngineSeekSeries : public SeekSeries {
public:
    EngineSeekSeries(MediaEngine& engine, std::vector<std::int64_t> seconds);

    void SeekNext() override;
    bool GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits) override;
    SeekProgress GetSeekProgress() const override;

private:
    MediaEngine& engine_;
    std::vector<std::int64_t> seconds_;
    std::size_t next_ = 0;
};

}  // namespace sm
