#pragma once

#include <cstdint>
#include <memory>
#include <mutex>

#include "common/Bitmap.h"
#include "video/AvHandles.h"
#include "video/DisplayGeometry.h"
#include "video/FrameConverter.h"

namespace sm {

// A decoded picture kept as the decoder gave it, with what it takes to show it.
// Converting a full-HD picture costs about as much as decoding it, and a window shows
// only the pictures presented when it paints, so a picture is converted only when
// somebody asks for it.
struct PendingPicture {
    FramePtr frame;  // shares the decoder's buffers, which no longer change
    DisplayGeometry geometry;
    std::int64_t timeUnits = 0;
    // An interlaced picture's neighbours (see DecodedFrame); may be null.
    FramePtr before;
    FramePtr after;
};

// Converts pending pictures when they are asked for, from any thread, one at a time.
// The picture asked for last keeps its bitmap, so that the seek picture that is also
// on screen is converted once however often it is grabbed.
class OnDemandConverter {
public:
    explicit OnDemandConverter(const PictureOptions& options = {}) : converter_(options) {}

    // Every picture converted from now on follows the options.
    void SetOptions(const PictureOptions& options);
    // The picture's bitmap; empty when it cannot be converted.
    Bitmap Convert(const std::shared_ptr<const PendingPicture>& picture);

private:
    std::mutex mutex_;
    FrameConverter converter_;                  // guarded by mutex_
    std::weak_ptr<const PendingPicture> last_;  // guarded by mutex_
    Bitmap lastBitmap_;                         // guarded by mutex_
};

}  // namespace sm
