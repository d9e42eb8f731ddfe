#pragma once

#include <concepts>
#include <memory>

#include "common/Bitmap.h"
#include "common/PackedBitmap.h"

namespace sm {

// The picture of a stored shot, cheap to copy and shared by every holder: packed, as the
// shot store keeps it, or plain, as a caller handed it over. Readers expand it when they
// need the pixels and drop the expanded bitmap afterwards, so no holder keeps a second
// full-size copy alive. A default-constructed picture is absent.
class ShotPicture {
public:
    ShotPicture() = default;
    ShotPicture(std::shared_ptr<const PackedBitmap> packed) : packed_(std::move(packed)) {}
    template <typename Plain>
    requires std::convertible_to<std::shared_ptr<Plain>, std::shared_ptr<const Bitmap>>
    ShotPicture(std::shared_ptr<Plain> plain) : plain_(std::move(plain))
    {
    }

    explicit operator bool() const { return plain_ || packed_; }
    // True for an absent picture and for one without pixels.
    bool isEmpty() const;
    int width() const;
    int height() const;
    // Whether reading the pixels means expanding them.
    bool isPacked() const { return bool(packed_); }

    // Makes the target an exact copy of the picture (an empty bitmap when it is absent),
    // reusing the target's memory where it can.
    void expandInto(Bitmap& target) const;
    Bitmap expand() const;
    // The picture to read: a plain one itself, a packed one expanded into `work`.
    const Bitmap& expandedIn(Bitmap& work) const;

private:
    std::shared_ptr<const Bitmap> plain_;
    std::shared_ptr<const PackedBitmap> packed_;
};

}  // namespace sm
