#include "common/ShotExpansionAhead.h"

#include <system_error>
#include <utility>

namespace sm {

ShotExpansionAhead::~ShotExpansionAhead()
{
    if (pending_.valid())
        pending_.wait();
}

void ShotExpansionAhead::start(ShotPicture picture)
{
    auto expand = [this, picture = std::move(picture)] { picture.expandInto(spare_); };
    try {
        pending_ = std::async(std::launch::async, expand);
    } catch (const std::system_error&) {
        // No thread to be had: the expansion then runs when it is taken.
        pending_ = std::async(std::launch::deferred, expand);
    }
}

void ShotExpansionAhead::takeInto(Bitmap& target)
{
    pending_.get();
    std::swap(target, spare_);
}

}  // namespace sm
