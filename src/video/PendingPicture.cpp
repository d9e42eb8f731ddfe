#include "video/PendingPicture.h"

#include <exception>

namespace sm {

void OnDemandConverter::SetOptions(const PictureOptions& options)
{
    std::lock_guard lock(mutex_);
    if (options == converter_.Options())
        return;
    converter_.SetOptions(options);
    last_.reset();
    lastBitmap_ = Bitmap();
}

Bitmap OnDemandConverter::Convert(const std::shared_ptr<const PendingPicture>& picture)
{
    std::lock_guard lock(mutex_);
    // The same owner means the same picture: the weak pointer keeps its owner block
    // alive, so a new picture never takes an old one's place.
    const bool same = !last_.owner_before(picture) && !picture.owner_before(last_);
    if (!same) {
        try {
            lastBitmap_
                = converter_.Convert(*picture->frame, picture->geometry, {picture->before.get(), picture->after.get()});
        } catch (const std::exception&) {
            lastBitmap_ = Bitmap();
        }
        last_ = picture;
    }
    return lastBitmap_;
}

}  // namespace sm
