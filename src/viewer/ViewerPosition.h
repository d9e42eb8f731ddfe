#pragma once

#include <QPoint>
#include <QSize>

namespace sm {

// Which row of the shot list the viewer shows: the first selected row when it opens,
// the first row when none is selected, then one row back or forward at a time and
// never past either end.
class ViewerPosition {
public:
    // selectedRow is the first selected row, or -1 when no row is selected.
    ViewerPosition(int count, int selectedRow);

    int Count() const { return count_; }
    int Current() const { return current_; }
    // Moves by step (-1 back, 1 forward); at either end the row stays.
    void Move(int step);
    bool CanGoBack() const { return current_ > 0; }
    bool CanGoForward() const { return current_ + 1 < count_; }

private:
    int count_;
    int current_ = 0;
};

// The top-left corner of a picture shown at its natural size in a box: centred along
// each side where the picture is smaller than the box, at 0 where it is not (the
// scroll bars reach the rest).
QPoint PictureOrigin(QSize picture, QSize box);

}  // namespace sm
