#include "capture/ShotExpansionAhead.h"

#include <system_error>
#include <utility>

namespace sm {

ShotExpansionAhead::~ShotExpansionAhead()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void ShotExpansionAhead::start(ShotPicture picture)
{
    next_ = std::move(picture);
    if (!next_.isPacked())
        return;
    if (!worker_.joinable()) {
        try {
            worker_ = std::thread([this] { work(); });
        } catch (const std::system_error&) {
            // No thread to be had: the picture is expanded when it is taken.
            return;
        }
    }
    {
        std::lock_guard lock(mutex_);
        expanding_ = true;
    }
    changed_.notify_all();
}

void ShotExpansionAhead::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return quit_ || expanding_; });
        if (quit_)
            return;
        lock.unlock();
        std::exception_ptr failure;
        try {
            // Each expansion reuses the memory of the one before last, which has the
            // same size whenever the shots do.
            next_.expandInto(spare_);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        failure_ = failure;
        expanding_ = false;
        changed_.notify_all();
    }
}

bool ShotExpansionAhead::awaitExpansion()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !expanding_; });
    const bool expanded = next_.isPacked() && worker_.joinable();
    taken_ = std::exchange(next_, ShotPicture());
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
    return expanded;
}

const Bitmap& ShotExpansionAhead::take()
{
    if (!awaitExpansion())
        return taken_.expandedIn(expanded_);
    std::swap(expanded_, spare_);
    return expanded_;
}

void ShotExpansionAhead::takeInto(Bitmap& target)
{
    if (awaitExpansion())
        std::swap(target, spare_);
    else
        target = taken_.expandedIn(expanded_);
}

}  // namespace sm
