#include "viewer/ViewerPosition.h"

namespace sm {

ViewerPosition::ViewerPosition(int count, int selectedRow) : count_(count < 0 ? 0 : count)
{
    if (selectedRow > 0 && selectedRow < count_)
        current_ = selectedRow;
}

void ViewerPosition::Move(int step)
{
    if (step < 0 && CanGoBack())
        --current_;
    else if (step > 0 && CanGoForward())
        ++current_;
}

QPoint PictureOrigin(QSize picture, QSize box)
{
    auto along = [](int pictureSide, int boxSide) { return pictureSide < boxSide ? (boxSide - pictureSide) / 2 : 0; };
    return QPoint(along(picture.width(), box.width()), along(picture.height(), box.height()));
}

}  // namespace sm
