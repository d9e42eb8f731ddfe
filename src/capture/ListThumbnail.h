#pragma once

#include "common/Bitmap.h"
#include "common/Canvas.h"

namespace sm {

// The side of a list thumbnail, in pixels.
constexpr int kListThumbSize = 100;

// Draws a one-pixel bevel: top and left edges from (x + width, y) over (x, y) to
// (x, y + height) in white when raised (grey 128 when sunken), then bottom and right
// edges on to (x + width, y + height) and back up to (x + width, y) in the other colour.
// Each line leaves out its end point.
void DrawBevelFrame(Canvas& canvas, int x, int y, int width, int height, bool raised);

// Makes the list's 100 x 100 thumbnail of a shot in target (resized to 100 x 100,
// 24 bits): a button-face tile with a raised frame, and the whole source scaled with
// its aspect ratio kept into the centred 84-pixel picture area inside a sunken frame.
// An empty source gives the framed tile without a picture. Never throws.
void MakeListThumbnail(const Bitmap& source, Bitmap& target);

// Where MakeListThumbnail puts the picture of a source of that size (right and bottom
// exclusive).
Rect ListThumbnailPictureRect(int sourceWidth, int sourceHeight);

}  // namespace sm
