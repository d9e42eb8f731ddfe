#include "capture/BitmapList.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace sm {

TBitmapList::~TBitmapList() { Clear(); }

int TBitmapList::Add(const sm::Bitmap& bitmap, std::int32_t tag)
{
    entries_.push_back(ShotEntry{std::make_shared<const PackedBitmap>(bitmap), tag});
    return Count() - 1;
}

int TBitmapList::Add(sm::Bitmap&& bitmap, std::int32_t tag)
{
    const sm::Bitmap taken(std::move(bitmap));
    return Add(taken, tag);
}

void TBitmapList::Clear()
{
    while (!entries_.empty())
        entries_.pop_back();
}

const ShotEntry& TBitmapList::operator[](int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("bitmap list index " + std::to_string(index) + " out of range");
    return entries_[std::size_t(index)];
}

}  // namespace sm
