#include "imaging/TextStamp.h"

namespace sm {

void StampText(Bitmap& bitmap, const QString& text, const FontDesc& font, int position, int dx,
               int dy, int angle, int alpha, bool shadow)
{
    Canvas canvas(bitmap);
    StampText(canvas, text, font, position, dx, dy, angle, alpha, shadow);
}

void StampText(Canvas& canvas, const QString& text, const FontDesc& font, int position, int dx,
               int dy, int angle, int alpha, bool shadow)
{
    canvas.font = font;
    canvas.brushStyle = BrushStyle::Clear;
}

QPoint PlaceText(const Bitmap& bitmap, int textWidth, int textHeight, int position)
{
    return QPoint(2, 2);
}

}  // namespace sm
