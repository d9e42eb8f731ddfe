#pragma once

#include "common/Bitmap.h"
#include "common/ColorValue.h"
#include "common/FontDesc.h"

namespace sm {

// A rectangle with exclusive right and bottom edges.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class BrushStyle { Solid, Clear };

// Drawing state over one 24- or 32-bit bitmap: a brush, a pen and a font, and the few
// primitives the program draws with. Everything is clipped to the bitmap; drawing on
// other depths does nothing.
class Canvas {
public:
    explicit Canvas(Bitmap& target) : target_(target) {}

    Bitmap& target() { return target_; }

    ColorValue brushColor = clWhite;
    BrushStyle brushStyle = BrushStyle::Solid;
    ColorValue penColor = clBlack;
    FontDesc font;

    // Fills the rectangle with the brush colour (a clear brush fills nothing).
    void fillRect(const Rect& r);
    // Copies the source unscaled with its top left corner at (x, y).
    void draw(int x, int y, const Bitmap& source);
    // Scales the whole source into the rectangle (nearest pixel centre).
    void stretchDraw(const Rect& r, const Bitmap& source);
    // Lines in the pen colour, one pixel wide, from the current point to (x, y); the
    // end point itself is left out, and becomes the current point.
    void moveTo(int x, int y);
    void lineTo(int x, int y);

private:
    void plot(int x, int y, std::uint32_t rgb);

    Bitmap& target_;
    int penX_ = 0;
    int penY_ = 0;
};

// 0x00BBGGRR (a resolved colour value) to the 0x00RRGGBB that Bitmap pixels use.
std::uint32_t BgrToRgb(std::uint32_t bgr);

}  // namespace sm
