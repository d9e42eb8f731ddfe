#pragma once

#include <QPoint>
#include <QString>

#include <vector>

#include "capture/BitmapList.h"
#include "capture/ShotPicture.h"
#include "common/Bitmap.h"
#include "common/ColorValue.h"
#include "settings/Settings.h"

namespace sm {

// A shot as the thumbnail window offers it to the sheet: its label, its picture and
// whether its tick in the window's grid is set.
struct SheetShot {
    QString Label;
    ShotPicture Picture;
    bool Ticked = true;
};

// Makes the bitmap width x height at 24 bits and fills it with the colour.
void FillBitmap(Bitmap& bitmap, int width, int height, ColorValue color);

// Draws the tile unscaled onto the target with its top-left corner at the point; a
// failure to draw is swallowed (the sheet then lacks that tile).
void DrawAt(Bitmap& target, const Bitmap& tile, QPoint point);

// Fills the cells, row by row, with the ticked shots that have a picture, in list order,
// each resized to ThumbWidth x ThumbHeight by ResizeType and FillColor and, with
// AddTimeStamp, stamped with its own label; at most ThumbRows x ThumbCols shots, the
// remaining cells left as they are. `tile` is the one working bitmap every cell uses;
// packed shots are expanded one at a time into one more.
void DrawTiles(Bitmap& sheet, Bitmap& tile, const std::vector<SheetShot>& shots, const AppSettings& settings,
               int headerOffset);

// The same for a batch sheet: every entry of the store in the order added, labelled with
// the time label of its tag (seconds); no header unless the command line's information
// block on top moves the grid down. An empty store draws nothing.
void DrawBatchTiles(Bitmap& sheet, const TBitmapList& store, const AppSettings& settings, int headerOffset = 0);

}  // namespace sm
