#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QStringList>

namespace sm {

// The files of a batch run: one row per path, kept in order by path without regard
// to letter case, each with a tick box that is ticked, unticked or grey. Only ticked
// rows are processed; grey counts as unticked. The batch window shows it in its file
// list, where the user ticks and selects rows.
class BatchFileList : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Adds each non-empty path that the list does not hold yet (compared without
    // letter case) in its sorted place, ticked.
    void AddFiles(const QStringList& paths);
    // Removes the given rows, in any order; rows out of range are ignored.
    void RemoveRows(QList<int> rows);

    int Count() const { return int(items_.size()); }
    const QString& Path(int row) const { return items_[row].path; }
    bool IsTicked(int row) const { return items_[row].state == Qt::Checked; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Item {
        QString path;
        Qt::CheckState state = Qt::Checked;
    };
    QList<Item> items_;
};

}  // namespace sm
