#include "common/Canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace sm {

std::uint32_t BgrToRgb(std::uint32_t bgr) { return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF); }

namespace {

bool drawable(const Bitmap& b) { return b.bitsPerPixel() == 24 || b.bitsPerPixel() == 32; }

}  // namespace

void Canvas::plot(int x, int y, std::uint32_t rgb)
{
    if (x >= 0 && y >= 0 && x < target_.width() && y < target_.height())
        target_.setPixelRgb(x, y, rgb);
}

void Canvas::fillRect(const Rect& r)
{
    if (brushStyle == BrushStyle::Clear || !drawable(target_))
        return;
    const int left = std::max(r.left, 0), right = std::min(r.right, target_.width());
    const int top = std::max(r.top, 0), bottom = std::min(r.bottom, target_.height());
    if (left >= right || top >= bottom)
        return;
    const std::uint32_t rgb = BgrToRgb(ColorToRGB(brushColor));
    const int bytes = target_.bitsPerPixel() / 8;
    std::uint8_t pixel[4] = {std::uint8_t(rgb), std::uint8_t(rgb >> 8), std::uint8_t(rgb >> 16), 0};
    for (int y = top; y < bottom; ++y) {
        std::uint8_t* p = target_.row(y) + bytes * left;
        for (int x = left; x < right; ++x, p += bytes)
            std::memcpy(p, pixel, bytes);
    }
}

void Canvas::draw(int x, int y, const Bitmap& source)
{
    stretchDraw(Rect{x, y, x + source.width(), y + source.height()}, source);
}

void Canvas::stretchDraw(const Rect& r, const Bitmap& source)
{
    if (!drawable(target_) || source.isEmpty() || r.width() <= 0 || r.height() <= 0)
        return;
    const int left = std::max(r.left, 0), right = std::min(r.right, target_.width());
    const int top = std::max(r.top, 0), bottom = std::min(r.bottom, target_.height());
    const bool sameDepth = source.bitsPerPixel() == target_.bitsPerPixel();
    const int bytes = target_.bitsPerPixel() / 8;
    for (int y = top; y < bottom; ++y) {
        const int sy = int((2LL * (y - r.top) + 1) * source.height() / (2LL * r.height()));
        std::uint8_t* out = target_.row(y);
        const std::uint8_t* in = source.row(sy);
        for (int x = left; x < right; ++x) {
            const int sx = int((2LL * (x - r.left) + 1) * source.width() / (2LL * r.width()));
            if (sameDepth)
                std::memcpy(out + bytes * x, in + bytes * sx, bytes);
            else
                target_.setPixelRgb(x, y, source.pixelRgb(sx, sy));
        }
    }
}

void Canvas::moveTo(int x, int y)
{
    penX_ = x;
    penY_ = y;
}

void Canvas::lineTo(int x, int y)
{
    const std::uint32_t rgb = BgrToRgb(ColorToRGB(penColor));
    // Bresenham from the current point, stopping one step short of (x, y).
    int cx = penX_, cy = penY_;
    const int dx = std::abs(x - cx), dy = -std::abs(y - cy);
    const int sx = cx < x ? 1 : -1, sy = cy < y ? 1 : -1;
    int err = dx + dy;
    while (cx != x || cy != y) {
        plot(cx, cy, rgb);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            err += dx;
            cy += sy;
        }
    }
    moveTo(x, y);
}

}  // namespace sm
