#pragma once

// Holds TIABlend: the text engine's classes keep the names its parts know them by; files say what they do.

#include <stdexcept>

#include "common/Bitmap.h"
#include "common/ColorValue.h"

namespace sm {

class TIAFont;
class TIAMask;

// The foreground picture does not match the mask it is to be blended through.
class EInvalidForeBmp : public std::runtime_error {
public:
    EInvalidForeBmp();
};

// Composites a solid colour or a foreground picture through a coverage mask into the
// owner renderer's target canvas. Opacity is in percent (clamped to 0..100): with
// k = alpha x 256 div 100 a fully inked pixel moves (k - 1)/256 of the way to the ink,
// and at 100 % takes the ink exactly. With a solid canvas brush the mask's box is first
// filled with the brush colour; with any other brush the text goes over the picture. Only
// the part of the box inside the target is touched; a target that is not 24 or 32 bits is
// left alone, as is everything when the owner has no canvas.
class TIABlend {
public:
    explicit TIABlend(TIAFont* owner);

    // The 24-bit picture that the fills paint, one pixel per mask pixel.
    Bitmap& Foreground() { return foreground_; }
    const Bitmap& Foreground() const { return foreground_; }

    // Blends `color` through the mask with its top-left corner at (x, y).
    void BlendColor(int x, int y, ColorValue color, int alpha, const TIAMask& mask);
    // Blends the foreground the same way, pixel by pixel. Throws EInvalidForeBmp, before
    // touching the target, unless the foreground is 24-bit and exactly the mask's size.
    void BlendForeground(int x, int y, int alpha, const TIAMask& mask);

    // Copies the foreground picture.
    void Assign(const TIABlend& source);

private:
    template <typename InkAt>
    void Composite(int x, int y, int alpha, const TIAMask& mask, InkAt inkAt);

    TIAFont* owner_;
    Bitmap foreground_;
};

}  // namespace sm
