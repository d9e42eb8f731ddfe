#include "capture/ShotPicture.h"

namespace sm {

bool ShotPicture::isEmpty() const { return plain_ ? plain_->isEmpty() : (!packed_ || packed_->isEmpty()); }

int ShotPicture::width() const { return plain_ ? plain_->width() : (packed_ ? packed_->width() : 0); }

int ShotPicture::height() const { return plain_ ? plain_->height() : (packed_ ? packed_->height() : 0); }

void ShotPicture::expandInto(Bitmap& target) const
{
    if (plain_)
        target = *plain_;
    else if (packed_)
        packed_->expandInto(target);
    else
        target = Bitmap();
}

Bitmap ShotPicture::expand() const
{
    Bitmap bitmap;
    expandInto(bitmap);
    return bitmap;
}

const Bitmap& ShotPicture::expandedIn(Bitmap& work) const
{
    if (plain_)
        return *plain_;
    expandInto(work);
    return work;
}

}  // namespace sm
