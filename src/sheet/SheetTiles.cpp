#include "sheet/SheetTiles.h"

#include <exception>

#include "common/Canvas.h"
#include "imaging/Resize.h"
#include "imaging/TextStamp.h"
#include "imaging/TimeLabel.h"
#include "sheet/SheetLayout.h"

namespace sm {

namespace {

// Scales the picture (expanded into `expanded` when packed) into the tile, stamps the
// label and draws the tile into its cell. A picture that cannot be scaled is left out
// rather than drawn at full size over its neighbours; a stamp that fails leaves the tile
// without its label.
void PlaceTile(Bitmap& sheet, Bitmap& tile, Bitmap& expanded, const ShotPicture& picture, const QString& label,
               const AppSettings& settings, QPoint corner)
{
    if (!ResizeBitmapInto(picture.expandedIn(expanded), tile, settings.ThumbWidth, settings.ThumbHeight,
                          settings.ResizeType, settings.FillColor))
        return;
    if (settings.AddTimeStamp) {
        try {
            StampText(tile, label, settings.TimeFont, settings.TimePosit, 0, 0, 0, settings.TimeTrans, true);
        } catch (const std::exception&) {
        }
    }
    DrawAt(sheet, tile, corner);
}

}  // namespace

void FillBitmap(Bitmap& bitmap, int width, int height, ColorValue color)
{
    if (bitmap.bitsPerPixel() != 24)
        bitmap = Bitmap(width, height, 24);
    else
        bitmap.setSize(width, height);
    Canvas canvas(bitmap);
    canvas.brushColor = color;
    canvas.brushStyle = BrushStyle::Solid;
    canvas.fillRect(Rect{0, 0, width, height});
}

void DrawAt(Bitmap& target, const Bitmap& tile, QPoint point)
{
    try {
        Canvas(target).draw(point.x(), point.y(), tile);
    } catch (...) {
    }
}

void DrawTiles(Bitmap& sheet, Bitmap& tile, const std::vector<SheetShot>& shots, const AppSettings& settings,
               int headerOffset)
{
    const auto usable = [](const SheetShot& s) { return s.Ticked && !s.Picture.isEmpty(); };
    Bitmap expanded;
    std::size_t cursor = 0;
    for (int row = 0; row < settings.ThumbRows; ++row) {
        for (int column = 0; column < settings.ThumbCols; ++column) {
            while (cursor < shots.size() && !usable(shots[cursor]))
                ++cursor;
            if (cursor >= shots.size())
                return;
            const SheetShot& shot = shots[cursor++];
            PlaceTile(sheet, tile, expanded, shot.Picture, shot.Label, settings,
                      CellCorner(settings, row, column, headerOffset));
        }
    }
}

void DrawBatchTiles(Bitmap& sheet, const TBitmapList& store, const AppSettings& settings, int headerOffset)
{
    Bitmap tile, expanded;
    int next = 0;
    for (int row = 0; row < settings.ThumbRows; ++row) {
        for (int column = 0; column < settings.ThumbCols; ++column) {
            if (next >= store.Count())
                return;
            const ShotEntry& entry = store[next++];
            if (entry.Bitmap)
                PlaceTile(sheet, tile, expanded, entry.Bitmap, FormatTimeLabel(entry.Tag), settings,
                          CellCorner(settings, row, column, headerOffset));
        }
    }
}

}  // namespace sm
