#include "capture/ui/ShotListView.h"

#include <QListWidget>
#include <QPixmap>

#include "capture/ShotList.h"
#include "common/QImageAdapter.h"

namespace sm {

ShotListView::ShotListView(ShotList& shots, QListWidget& listView, QObject* parent)
    : QObject(parent), shots_(shots), listView_(listView)
{
    // The shot list decides the order, keeping shots of equal captions in the order
    // they were taken.
    listView_.setSortingEnabled(false);
    listView_.clear();
    for (int row = 0; row < shots_.RowCount(); ++row)
        InsertRow(row);
    connect(&shots_, &ShotList::RowInserted, this, &ShotListView::InsertRow);
    connect(&shots_, &ShotList::RowRemoved, this, [this](int row) { delete listView_.takeItem(row); });
    connect(&shots_, &ShotList::Cleared, &listView_, &QListWidget::clear);
}

void ShotListView::InsertRow(int row)
{
    const ShotRow& shot = shots_.Row(row);
    const QPixmap thumbnail = QPixmap::fromImage(ToQImage(shots_.ImgPicList().at(std::size_t(shot.ImageIndex))));
    auto* item = new QListWidgetItem(QIcon(thumbnail), shot.Caption);
    item->setData(Qt::UserRole, shot.StoreIndex);
    listView_.insertItem(row, item);
}

void ShotListView::RemoveSelectedShots()
{
    for (int row = 0; row < shots_.RowCount(); ++row)
        shots_.SetSelected(row, listView_.item(row)->isSelected());
    shots_.RemoveSelectedShots();
}

}  // namespace sm
