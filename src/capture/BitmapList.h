#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "common/Bitmap.h"

namespace sm {

// One stored shot: the list's own copy of a bitmap and a number the owner attaches.
struct ShotEntry {
    // Shared so that a run which took a reference keeps the picture alive after the
    // list has been cleared; the list never changes a stored picture.
    std::shared_ptr<const sm::Bitmap> Bitmap;
    std::int32_t Tag = 0;
};

// A growable store of bitmap copies, addressed by the index at which each was added.
// Entries are only ever appended or all cleared at once, so an index stays valid (and
// keeps naming the same picture) until the next Clear.
class TBitmapList {
public:
    TBitmapList() = default;
    TBitmapList(const TBitmapList&) = delete;
    TBitmapList& operator=(const TBitmapList&) = delete;
    ~TBitmapList();

    int Count() const { return int(entries_.size()); }
    // Appends a deep copy of the bitmap with the tag; returns the new entry's index.
    int Add(const sm::Bitmap& bitmap, std::int32_t tag);
    // The same, taking over a bitmap the caller no longer needs instead of copying it.
    int Add(sm::Bitmap&& bitmap, std::int32_t tag);
    // Drops every entry, last to first.
    void Clear();

    // The entry at a 0-based index; throws std::out_of_range outside 0 .. Count - 1.
    const ShotEntry& operator[](int index) const;

private:
    std::vector<ShotEntry> entries_;
};

}  // namespace sm
