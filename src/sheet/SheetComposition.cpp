#include "sheet/SheetComposition.h"

#include <algorithm>

#include "sheet/SheetLayout.h"

namespace sm {

void ComposeThumbSheet(Bitmap& sheet, Bitmap& scratch, const std::vector<SheetShot>& shots,
                       const std::vector<InfoLine>& lines, const VideoFacts& video, const AppSettings& settings)
{
    const int ticked = int(std::count_if(lines.begin(), lines.end(), [](const InfoLine& l) { return l.Ticked; }));
    const SheetLayout layout = ThumbSheetLayout(settings, ticked);
    FillBitmap(sheet, layout.size.width(), layout.size.height(), clWhite);
    if (settings.Addon)
        DrawInfoBlock(sheet, scratch, layout.blockTop, layout.blockHeight, lines, video, settings);
    DrawTiles(sheet, scratch, shots, settings, layout.headerOffset);
}

void ComposeBatchSheet(Bitmap& sheet, const TBitmapList& store, const AppSettings& settings)
{
    const SheetLayout layout = BatchSheetLayout(settings);
    FillBitmap(sheet, layout.size.width(), layout.size.height(), clWhite);
    DrawBatchTiles(sheet, store, settings);
}

void ComposeBatchSheet(Bitmap& sheet, const TBitmapList& store, const AppSettings& settings,
                       const QStringList& infoTexts)
{
    const SheetLayout layout = InfoSheetLayout(settings, int(infoTexts.size()));
    FillBitmap(sheet, layout.size.width(), layout.size.height(), clWhite);
    Bitmap scratch;
    DrawInfoTexts(sheet, scratch, layout.blockTop, layout.blockHeight, infoTexts, settings);
    DrawBatchTiles(sheet, store, settings, layout.headerOffset);
}

}  // namespace sm
