#pragma once

#include <QStringList>

#include <vector>

#include "capture/BitmapList.h"
#include "common/Bitmap.h"
#include "settings/Settings.h"
#include "sheet/InfoBlock.h"
#include "sheet/SheetTiles.h"

namespace sm {

// Composes the thumbnail window's sheet from scratch into `sheet`: white, the grid of
// the ticked shots and, with settings.Addon, the information block of the ticked lines
// above or below it. `scratch` is the working bitmap for the tiles and the block.
// Throws SheetTooLargeError, leaving `sheet` as it was, for a sheet beyond
// SheetSizeLimit; std::bad_alloc when its memory cannot be had; and the text stamp's
// errors from the information block.
void ComposeThumbSheet(Bitmap& sheet, Bitmap& scratch, const std::vector<SheetShot>& shots,
                       const std::vector<InfoLine>& lines, const VideoFacts& video, const AppSettings& settings);

// Composes a batch sheet: white with the grid of the store's shots, no information
// block. Throws as ComposeThumbSheet.
void ComposeBatchSheet(Bitmap& sheet, const TBitmapList& store, const AppSettings& settings);
// The same with an information block of the given lines (filled already), placed and
// drawn as the thumbnail window places and draws its block; the command line's sheets.
void ComposeBatchSheet(Bitmap& sheet, const TBitmapList& store, const AppSettings& settings,
                       const QStringList& infoTexts);

}  // namespace sm
