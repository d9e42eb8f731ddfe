#include "capture/ShotList.h"

#include <algorithm>

#include "capture/ListThumbnail.h"

namespace sm {

ShotList::ShotList(QObject* parent) : QObject(parent), listThumbBitmap_(kListThumbSize, kListThumbSize, 24) {}

ShotPicture ShotList::RowBitmap(int row) const { return shotBitmaps_[Row(row).StoreIndex].Bitmap; }

std::vector<ShotToSave> ShotList::ShotsInDisplayOrder() const
{
    std::vector<ShotToSave> shots;
    shots.reserve(rows_.size());
    for (int row = 0; row < RowCount(); ++row)
        shots.push_back(ShotToSave{Row(row).Caption, RowBitmap(row)});
    return shots;
}

int ShotList::AddShot(const Bitmap& bitmap, const QString& timeLabel) { return AddShot(Bitmap(bitmap), timeLabel); }

int ShotList::AddShot(Bitmap&& bitmap, const QString& timeLabel)
{
    MakeListThumbnail(bitmap, listThumbBitmap_);
    const int storeIndex = shotBitmaps_.Add(std::move(bitmap), 0);
    imgPicList_.push_back(listThumbBitmap_);
    const ShotRow added{timeLabel, int(imgPicList_.size()) - 1, storeIndex, false};
    const auto at = std::upper_bound(rows_.begin(), rows_.end(), added, [](const ShotRow& a, const ShotRow& b) {
        return a.Caption.compare(b.Caption, Qt::CaseInsensitive) < 0;
    });
    const int row = int(at - rows_.begin());
    rows_.insert(at, added);
    emit RowInserted(row);
    return row;
}

void ShotList::SetSelected(int row, bool selected) { rows_.at(std::size_t(row)).Selected = selected; }

void ShotList::RemoveSelectedShots()
{
    if (std::none_of(rows_.begin(), rows_.end(), [](const ShotRow& r) { return r.Selected; }))
        return;
    for (int row = RowCount() - 1; row >= 0; --row) {
        if (rows_[std::size_t(row)].Selected) {
            rows_.erase(rows_.begin() + row);
            emit RowRemoved(row);
        }
    }
    if (rows_.empty())
        ClearShots();
}

void ShotList::ClearShots()
{
    imgPicList_.clear();
    rows_.clear();
    shotBitmaps_.Clear();
    ++generation_;
    emit Cleared();
}

}  // namespace sm
