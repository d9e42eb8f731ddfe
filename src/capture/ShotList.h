#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "capture/BitmapList.h"
#include "capture/Shot.h"
#include "common/Bitmap.h"

namespace sm {

// One visible row of the shot list.
struct ShotRow {
    QString Caption;     // the shot's time label
    int ImageIndex = 0;  // its thumbnail in ImgPicList
    int StoreIndex = 0;  // its entry in ShotBitmaps
    bool Selected = false;
};

// The shot list: full-size (packed) copies in ShotBitmaps, one 100 x 100 thumbnail per copy in
// ImgPicList (the n-th of each belong to the same shot), and the visible rows, kept
// sorted by caption with later shots after earlier ones of the same caption. Removing
// rows leaves their pictures behind until the list is cleared, so a row's indices
// never change. The list-view binding follows the signals.
class ShotList : public QObject {
    Q_OBJECT
public:
    explicit ShotList(QObject* parent = nullptr);

    const TBitmapList& ShotBitmaps() const { return shotBitmaps_; }
    const std::vector<Bitmap>& ImgPicList() const { return imgPicList_; }

    // The rows in display order.
    int RowCount() const { return int(rows_.size()); }
    const ShotRow& Row(int row) const { return rows_.at(std::size_t(row)); }
    // The full-size picture of a row; kept alive by the holder even after ClearShots.
    ShotPicture RowBitmap(int row) const;
    // Label and picture of every row, in display order, independent of later changes.
    std::vector<ShotToSave> ShotsInDisplayOrder() const;

    // Changes whenever the list is emptied (ClearShots, removing the last row), so a
    // run that started on earlier contents can tell that they are gone.
    std::uint64_t Generation() const { return generation_; }

    // Stores a copy of the bitmap and its thumbnail and inserts a row for it after
    // every row whose caption sorts before or equal to the label. Returns the row.
    int AddShot(const Bitmap& bitmap, const QString& timeLabel);
    // The same, taking over a frame the caller no longer needs (a full-size frame is
    // then not copied once more).
    int AddShot(Bitmap&& bitmap, const QString& timeLabel);
    // Marks which rows are selected (the binding mirrors the view's selection here).
    void SetSelected(int row, bool selected);
    // Deletes the selected rows; empties the whole list when no row is left.
    void RemoveSelectedShots();
    // Empties all three layers.
    void ClearShots();

signals:
    void RowInserted(int row);
    void RowRemoved(int row);
    void Cleared();

private:
    TBitmapList shotBitmaps_;
    std::vector<Bitmap> imgPicList_;
    Bitmap listThumbBitmap_;
    std::vector<ShotRow> rows_;
    std::uint64_t generation_ = 0;
};

}  // namespace sm
