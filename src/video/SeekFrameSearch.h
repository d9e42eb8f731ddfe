#pragma once

#include <cstdint>
#include <optional>

#include "common/Bitmap.h"
#include "imaging/PictureQuality.h"
#include "video/MediaEngine.h"

namespace sm {

// Where the look for a later picture for the shot of `second` ends (100-ns units, not
// included): skipSeconds whole seconds after it, but before the next shot's second, so
// that a shot never takes a picture of a second that another shot is due at.
std::int64_t LaterPictureLimit(std::int64_t second, std::optional<std::int64_t> nextSecond, int skipSeconds);

// The frame of the engine's last seek, or, when the rule rejects it, the first picture
// after it that the rule keeps, found by stepping the engine's seek frame on, one picture
// at a time, to before limitUnits; when there is none, the seek's own frame. Answers as
// the engine does for a seek, so that a caller waits for it the same way; each call
// steps at most once, so that the caller can handle events in between. The engine must
// outlive it. Used from the UI thread.
class SeekFrameSearch {
public:
    SeekFrameSearch(MediaEngine& engine, const SkipRule& rule, std::int64_t limitUnits);

    // Hands over the frame and its time, once; false while it is being looked for and
    // when the seek has none.
    bool GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits);
    // Pending while the frame is looked for; the work grows with each step.
    SeekProgress GetSeekProgress() const;
    // Whether the frame found is a later picture than the seek's own.
    bool Later() const { return later_; }

private:
    bool Found(Bitmap picture, std::int64_t units, bool later, Bitmap& bitmap, std::int64_t& frameUnits);

    MediaEngine& engine_;
    const SkipRule rule_;
    const std::int64_t limitUnits_;
    bool searching_ = false;  // the seek's frame was rejected
    bool done_ = false;
    bool later_ = false;
    Bitmap original_;  // the seek's own frame, while searching_
    std::int64_t originalUnits_ = 0;
    std::int64_t lastUnits_ = 0;  // the picture stepped to last
    std::uint64_t steps_ = 0;
};

}  // namespace sm
