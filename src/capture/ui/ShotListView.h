#pragma once

#include <QObject>

class QListWidget;

namespace sm {

class ShotList;

// Keeps a list widget showing the rows of a shot list: one icon per row, in the
// list's order (the widget's own sorting is turned off), the caption as text and the
// store index as the item's Qt::UserRole data.
class ShotListView : public QObject {
    Q_OBJECT
public:
    ShotListView(ShotList& shots, QListWidget& listView, QObject* parent = nullptr);

    // Removes the rows selected in the widget (and empties the list when none is left).
    void RemoveSelectedShots();

private:
    void InsertRow(int row);

    ShotList& shots_;
    QListWidget& listView_;
};

}  // namespace sm
