#pragma once

// Holds TBitmapList: the shot store keeps the name the shot list and the batch know it by.

#include <cstdint>
#include <vector>

#include "capture/ShotPicture.h"
#include "common/Bitmap.h"

namespace sm {

// One stored shot: the list's own copy of a bitmap and a number the owner attaches.
struct ShotEntry {
    // Packed, so that a long list of full-size shots fits in memory; readers expand it.
    // Shared so that a run which took a reference keeps the picture alive after the list
    // has been cleared; the list never changes a stored picture.
    ShotPicture Bitmap;
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
    // Appends a copy of the bitmap with the tag; returns the new entry's index. The copy
    // expands to exactly the bitmap given.
    int Add(const sm::Bitmap& bitmap, std::int32_t tag);
    // The same, freeing a bitmap the caller no longer needs once it is stored.
    int Add(sm::Bitmap&& bitmap, std::int32_t tag);
    // Drops every entry, last to first.
    void Clear();

    // The entry at a 0-based index; throws std::out_of_range outside 0 .. Count - 1.
    const ShotEntry& operator[](int index) const;

private:
    std::vector<ShotEntry> entries_;
};

}  // namespace sm
