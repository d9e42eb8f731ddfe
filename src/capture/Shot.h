#pragma once

// Holds ShotToSave, a shot as the readers of the shot list take it; the file names the concept.

#include <QString>

#include "capture/ShotPicture.h"

namespace sm {

// One captured frame as the readers of the shot list take it (saving, the sheet, the
// viewer): its time label and its picture, taken from a shot-list row when the reader
// starts so that later changes to the list cannot mix them up.
struct ShotToSave {
    QString Label;
    ShotPicture Picture;
};

}  // namespace sm
