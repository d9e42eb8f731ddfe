#pragma once

#include <future>

#include "common/Bitmap.h"
#include "common/ShotPicture.h"

namespace sm {

// Expands the next shot picture on a second thread while the caller works on the one
// before. The worker touches only the picture it was given (read-only and shared) and
// a bitmap of this object's, which is handed over whole once it is done; the
// destructor waits for it, so however the caller leaves, no worker outlives it.
class ShotExpansionAhead {
public:
    ShotExpansionAhead() = default;
    ShotExpansionAhead(const ShotExpansionAhead&) = delete;
    ShotExpansionAhead& operator=(const ShotExpansionAhead&) = delete;
    ~ShotExpansionAhead();

    // Starts expanding the picture, reusing the memory of the bitmap handed back last.
    // Call takeInto() before starting again.
    void start(ShotPicture picture);
    // Waits for the expansion started last and swaps its result into the target; the
    // target's old memory is kept for the next start. Rethrows what the expansion threw.
    void takeInto(Bitmap& target);

private:
    Bitmap spare_;
    std::future<void> pending_;
};

}  // namespace sm
