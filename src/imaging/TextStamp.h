#pragma once

#include <QPoint>
#include <QString>

#include "common/Bitmap.h"
#include "common/Canvas.h"
#include "common/FontDesc.h"
#include "imaging/TextRasterizer.h"

namespace sm {

// Draws one line of text onto a 24-bit bitmap, anti-aliased at 4 x 4, at the point that
// `PlaceText` gives for `position` (0 random, 1 top left ... 9 bottom right, anything
// else random) moved by (dx, dy). `angle` turns the text counter-clockwise in degrees
// (-360..360), `alpha` is its opacity in percent (0 leaves the picture unchanged, 100
// draws it opaque; values outside 0..100 are clamped), `shadow` adds a black drop
// shadow one pixel right and down at half the text's opacity. Text outside the picture
// is clipped. Throws std::bad_alloc when the work memory cannot be had, and the text
// engine's errors (std::length_error for a font too large to draw); the bitmap is
// unchanged when the text cannot be measured or rendered. The default rasteriser needs
// a QGuiApplication.
void StampText(Bitmap& bitmap, const QString& text, const FontDesc& font, int position, int dx, int dy, int angle,
               int alpha, bool shadow, const TextRasterizer& rasterizer = DefaultTextRasterizer());

// The same on a canvas; afterwards the canvas keeps `font` and a clear brush.
void StampText(Canvas& canvas, const QString& text, const FontDesc& font, int position, int dx, int dy, int angle,
               int alpha, bool shadow, const TextRasterizer& rasterizer = DefaultTextRasterizer());

// The top-left point for a text extent of textWidth x textHeight on the bitmap: margins
// of 2 pixels except flush right for code 3, a uniform random point for code 0 and codes
// outside 0..9 (0 on an axis where the text does not fit).
QPoint PlaceText(const Bitmap& bitmap, int textWidth, int textHeight, int position);

}  // namespace sm
