#include "imaging/TextStamp.h"

#include "imaging/RandomSource.h"
#include "imaging/TextRenderer.h"

namespace sm {

void StampText(Bitmap& bitmap, const QString& text, const FontDesc& font, int position, int dx, int dy, int angle,
               int alpha, bool shadow, const TextRasterizer& rasterizer)
{
    Canvas canvas(bitmap);
    StampText(canvas, text, font, position, dx, dy, angle, alpha, shadow, rasterizer);
}

void StampText(Canvas& canvas, const QString& text, const FontDesc& font, int position, int dx, int dy, int angle,
               int alpha, bool shadow, const TextRasterizer& rasterizer)
{
    TIAFontEx renderer(&canvas, rasterizer);
    canvas.font = font;
    renderer.SetQuality(0);
    canvas.brushStyle = BrushStyle::Clear;
    TIAEffect& effect = renderer.Effect();
    TIAShadow& drop = effect.Shadow();
    drop.SetEnabled(shadow);
    if (shadow) {
        drop.SetBlur(0);
        drop.SetColor(clBlack);
        drop.SetOffsetX(1);
        drop.SetOffsetY(1);
        drop.SetAlpha(50);
    }
    effect.SetAngle(angle);
    effect.SetAlpha(alpha);
    const int width = renderer.TextWidth(text);
    const int height = renderer.TextHeight(text);
    const QPoint at = PlaceText(canvas.target(), width, height, position);
    renderer.TextOut(at.x() + dx, at.y() + dy, text);
}

QPoint PlaceText(const Bitmap& bitmap, int textWidth, int textHeight, int position)
{
    const int w = bitmap.width(), h = bitmap.height();
    RandomSource random;
    switch (position) {
    case 1:
        return QPoint(2, 2);
    case 2:
        return QPoint((w - textWidth) / 2, 2);
    case 3:
        return QPoint(w - textWidth, 2);
    case 4:
        return QPoint(2, (h - textHeight) / 2);
    case 5:
        return QPoint((w - textWidth) / 2, (h - textHeight) / 2);
    case 6:
        return QPoint(w - textWidth - 2, (h - textHeight) / 2);
    case 7:
        return QPoint(2, h - textHeight - 2);
    case 8:
        return QPoint((w - textWidth) / 2, h - textHeight - 2);
    case 9:
        return QPoint(w - textWidth - 2, h - textHeight - 2);
    default: {
        // A text that does not fit has no room to wander: Next gives 0 for an empty range.
        const int x = random.Next(w - textWidth);
        const int y = random.Next(h - textHeight);
        return QPoint(x, y);
    }
    }
}

}  // namespace sm
