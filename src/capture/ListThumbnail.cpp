#include "capture/ListThumbnail.h"

#include "common/ColorValue.h"

namespace sm {

namespace {

constexpr int kPictureArea = 84;  // the picture's longer side
constexpr int kPictureInset = 8;  // from the tile's edge to the picture

}  // namespace

void DrawBevelFrame(Canvas& canvas, int x, int y, int width, int height, bool raised)
{
    const ColorValue light = RgbColor(255, 255, 255);
    const ColorValue dark = RgbColor(128, 128, 128);
    canvas.penColor = raised ? light : dark;
    canvas.moveTo(x + width, y);
    canvas.lineTo(x, y);
    canvas.lineTo(x, y + height);
    canvas.penColor = raised ? dark : light;
    canvas.lineTo(x + width, y + height);
    canvas.lineTo(x + width, y);
}

Rect ListThumbnailPictureRect(int sourceWidth, int sourceHeight)
{
    if (sourceHeight >= sourceWidth) {
        const int s = sourceWidth * kPictureArea / sourceHeight;
        const int o = (kPictureArea - s) / 2;
        return Rect{o + kPictureInset, kPictureInset, o + kPictureInset + s, kPictureInset + kPictureArea - 1};
    }
    const int s = sourceHeight * kPictureArea / sourceWidth;
    const int o = (kPictureArea - s) / 2;
    return Rect{kPictureInset, o + kPictureInset, kPictureInset + kPictureArea - 1, o + kPictureInset + s};
}

void MakeListThumbnail(const Bitmap& source, Bitmap& target)
{
    try {
        if (target.width() != kListThumbSize || target.height() != kListThumbSize || target.bitsPerPixel() != 24)
            target = Bitmap(kListThumbSize, kListThumbSize, 24);
        Canvas canvas(target);
        canvas.brushColor = clBtnFace;
        canvas.brushStyle = BrushStyle::Solid;
        canvas.fillRect(Rect{0, 0, kListThumbSize, kListThumbSize});
        DrawBevelFrame(canvas, 0, 0, kListThumbSize - 1, kListThumbSize - 1, true);
        if (source.isEmpty())
            return;
        const Rect picture = ListThumbnailPictureRect(source.width(), source.height());
        // The sunken frame sits one pixel outside the picture on the top and left and
        // on its last row or column on the bottom and right.
        DrawBevelFrame(canvas, picture.left - 1, picture.top - 1, picture.width() + 1, picture.height() + 1, false);
        canvas.stretchDraw(picture, source);
    } catch (...) {
        // A thumbnail that could not be finished stays as far as it was drawn.
    }
}

}  // namespace sm
