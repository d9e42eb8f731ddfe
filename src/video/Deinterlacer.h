#pragma once

#include <cstdint>

#include "video/AvHandles.h"
#include "video/FilterChain.h"

namespace sm {

// Whether a decoded picture holds two fields of different moments.
bool IsInterlaced(const AVFrame& picture);

// Turns interlaced pictures, one at a time and in any order, into one whole picture
// each: the moment of the picture's first field, with the other field's lines filled
// in where things moved and kept where they stood still. Used by one thread at a time.
class Deinterlacer {
public:
    // The filters use that many threads (0: as many as suit the processors).
    explicit Deinterlacer(int threads);

    // The picture deinterlaced, or null when it cannot be. `before` and `after` are the
    // pictures decoded just before and after it, which tell moving parts from still ones;
    // either or both may be null (or of another size), and then the picture's own
    // lines fill in where the neighbour would have told.
    FramePtr Deinterlace(const AVFrame& picture, const AVFrame* before, const AVFrame* after);

private:
    FramePtr Alone(const AVFrame& picture);
    FramePtr Take(FilterChain& chain, std::int64_t pts);

    FilterChain chain_;   // for pictures with a neighbour, kept from one to the next
    FilterChain single_;  // started afresh for each picture without one
    std::int64_t nextPts_ = 0;
};

}  // namespace sm
