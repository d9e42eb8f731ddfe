#pragma once

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "capture/ShotPicture.h"
#include "common/Bitmap.h"

namespace sm {

// Expands the next packed shot picture on a second thread while the caller works on
// the one before; plain pictures are read where they are. The worker touches only the
// picture it was given (read-only and shared) and a bitmap of this object's that the
// caller does not see until the worker is done with it; the destructor stops and joins
// the worker, so however the caller leaves, no worker outlives it.
class ShotExpansionAhead {
public:
    ShotExpansionAhead() = default;
    ShotExpansionAhead(const ShotExpansionAhead&) = delete;
    ShotExpansionAhead& operator=(const ShotExpansionAhead&) = delete;
    ~ShotExpansionAhead();

    // Starts on the picture; call take() or takeInto() before starting again.
    void start(ShotPicture picture);
    // Waits for the picture started last and returns its pixels (empty for an absent
    // picture), valid until the next take. Rethrows what the expansion threw.
    const Bitmap& take();
    // The same, the pixels going into the target: a packed picture's are handed over
    // (the target's memory is kept for a later expansion), a plain one's are copied.
    void takeInto(Bitmap& target);

private:
    void work();
    // Whether the picture taken now was expanded by the worker; waits for it.
    bool awaitExpansion();

    std::mutex mutex_;
    std::condition_variable changed_;
    bool expanding_ = false;  // guarded by mutex_: the worker owns next_ and spare_
    bool quit_ = false;       // guarded by mutex_
    std::exception_ptr failure_;
    ShotPicture next_;
    Bitmap spare_;
    ShotPicture taken_;
    Bitmap expanded_;     // the pixels of taken_ when it is packed
    std::thread worker_;  // started with the first packed picture
};

}  // namespace sm
