#include "batch/BatchFileList.h"

#include <algorithm>

namespace sm {

void BatchFileList::AddFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (path.isEmpty())
            continue;
        const auto place
            = std::lower_bound(items_.cbegin(), items_.cend(), path, [](const Item& item, const QString& p) {
                  return QString::compare(item.path, p, Qt::CaseInsensitive) < 0;
              });
        if (place != items_.cend() && QString::compare(place->path, path, Qt::CaseInsensitive) == 0)
            continue;
        const int row = int(place - items_.cbegin());
        beginInsertRows({}, row, row);
        items_.insert(row, Item{path});
        endInsertRows();
    }
}

void BatchFileList::RemoveRows(QList<int> rows)
{
    // From the last row up, so that the rows still to remove keep their numbers.
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        if (row < 0 || row >= Count())
            continue;
        beginRemoveRows({}, row, row);
        items_.removeAt(row);
        endRemoveRows();
    }
}

int BatchFileList::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Count(); }

QVariant BatchFileList::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Item& item = items_[index.row()];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return item.path;
    if (role == Qt::CheckStateRole)
        return item.state;
    return {};
}

bool BatchFileList::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    items_[index.row()].state = Qt::CheckState(value.toInt());
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags BatchFileList::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    // A click cycles unticked, grey, ticked.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsUserTristate
           | Qt::ItemNeverHasChildren;
}

}  // namespace sm
