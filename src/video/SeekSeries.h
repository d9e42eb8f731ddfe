#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/Bitmap.h"
#include "imaging/PictureQuality.h"
#include "video/MediaEngine.h"
#include "video/SeekFrameSearch.h"

namespace sm {

// The exact frames of a list of seconds, taken in the order of the list: SeekNext moves
// to the next second as the engine's SeekTo would, and GrabSeekFrame and
// GetSeekProgress answer for that second as the engine's do for a seek. An
// implementation may decode the later seconds ahead while the caller handles a frame.
// A series with a skip rule hands over, for a second whose frame the rule rejects, the
// first later picture it keeps, before LaterPictureLimit; when there is none, the
// second's own frame. Used from the UI thread.
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
    // Whether the frame handed over last is a later picture that replaced its second's own.
    virtual bool TookLaterPicture() const { return false; }
};

// One second after the other through the engine's own seek: SeekTo, GrabSeekFrame and
// GetSeekProgress of the engine, which must outlive the series; later pictures are found
// by stepping the engine's seek frame (SeekFrameSearch).
class EngineSeekSeries : public SeekSeries {
public:
    EngineSeekSeries(MediaEngine& engine, std::vector<std::int64_t> seconds, const SkipRule& skip = {});

    void SeekNext() override;
    bool GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits) override;
    SeekProgress GetSeekProgress() const override;
    bool TookLaterPicture() const override { return search_ && search_->Later(); }

private:
    MediaEngine& engine_;
    std::vector<std::int64_t> seconds_;
    const SkipRule skip_;
    std::size_t next_ = 0;
    std::optional<SeekFrameSearch> search_;  // the current second's
};

}  // namespace sm
