#include "imaging/Resize.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <utility>
#include <vector>

#include "common/Canvas.h"
#include "imaging/MulDiv.h"
#include "imaging/To24Bits.h"

namespace sm {

namespace {

// Where one destination column reads: byte offsets of its left and right source
// pixels and its 16-bit horizontal fraction.
struct SourceColumn {
    std::uint32_t left;
    std::uint32_t right;
    std::uint32_t fraction;
};

// Positions are accumulated in 64 bits; for sources narrower than 65536 pixels they
// equal the 16.16 sums of 32-bit arithmetic. The index is clamped so that rounding
// of the step can never reach past the last source pixel.
std::vector<SourceColumn> ColumnTable(int sourceWidth, int destWidth)
{
    const auto step = static_cast<std::uint64_t>(MulDiv(sourceWidth - 1, 65536, destWidth));
    const auto last = static_cast<std::uint64_t>(sourceWidth - 1);
    std::vector<SourceColumn> columns(static_cast<std::size_t>(destWidth));
    std::uint64_t fx = 0;
    for (SourceColumn& c : columns) {
        const std::uint64_t ix = std::min(fx >> 16, last);
        const std::uint64_t right = ix < last ? ix + 1 : ix;
        c = {std::uint32_t(3 * ix), std::uint32_t(3 * right), std::uint32_t(fx & 0xFFFF)};
        fx += step;
    }
    return columns;
}

// MulDiv(fraction, weight, 65536) for non-negative operands whose product stays
// below 2^32 - 2^15: rounding half up is rounding half away from zero here.
inline std::uint32_t ScaleWeight(std::uint32_t fraction, std::uint32_t weight)
{
    return (fraction * weight + 32768u) >> 16;
}

void ScaleRow(const std::uint8_t* upper, const std::uint8_t* lower, std::uint8_t* out,
              const std::vector<SourceColumn>& columns, std::uint32_t fracY)
{
    // The two row weights add up to 65537; the largest sum, 255 x 65537, still shifts
    // down to 255.
    const std::uint32_t wUp = 65536u - fracY;
    const std::uint32_t wDown = fracY + 1u;
    for (const SourceColumn& c : columns) {
        const std::uint32_t w10 = ScaleWeight(c.fraction, wUp);
        const std::uint32_t w00 = wUp - w10;
        const std::uint32_t w11 = ScaleWeight(c.fraction, wDown);
        const std::uint32_t w01 = wDown - w11;
        const std::uint8_t* a = upper + c.left;
        const std::uint8_t* b = upper + c.right;
        const std::uint8_t* d = lower + c.left;
        const std::uint8_t* e = lower + c.right;
        // Blue and red share one 64-bit multiply, 32 bits apart: each sum stays below
        // 2^24, so neither lane spills into the other.
        auto br = [](const std::uint8_t* p) { return p[0] | (std::uint64_t(p[2]) << 32); };
        const std::uint64_t sumBR = br(a) * w00 + br(b) * w10 + br(d) * w01 + br(e) * w11;
        const std::uint32_t sumG = a[1] * w00 + b[1] * w10 + d[1] * w01 + e[1] * w11;
        out[0] = std::uint8_t(sumBR >> 16);
        out[1] = std::uint8_t(sumG >> 16);
        out[2] = std::uint8_t(sumBR >> 48);
        out += 3;
    }
}

void ResampleBilinear24(const Bitmap& source, Bitmap& destination)
{
    const int sW = source.width(), sH = source.height();
    const int dW = destination.width(), dH = destination.height();
    const std::vector<SourceColumn> columns = ColumnTable(sW, dW);
    const auto yStep = static_cast<std::uint64_t>(MulDiv(sH - 1, 65536, dH));
    const auto lastRow = static_cast<std::uint64_t>(sH - 1);
    std::uint64_t fy = 0;
    for (int y = 0; y < dH; ++y, fy += yStep) {
        const std::uint64_t iy = std::min(fy >> 16, lastRow);
        const std::uint64_t below = iy < lastRow ? iy + 1 : iy;
        ScaleRow(source.row(int(iy)), source.row(int(below)), destination.row(y), columns, std::uint32_t(fy & 0xFFFF));
    }
}

}  // namespace

void ResampleBilinear(const Bitmap& source, Bitmap& destination)
{
    if (destination.bitsPerPixel() != 24)
        destination.setBitsPerPixel(24);
    if (destination.isEmpty())
        return;
    if (source.isEmpty())
        throw std::invalid_argument("Cannot scale an empty bitmap");
    Bitmap converted;
    const Bitmap* input = &source;
    if (source.bitsPerPixel() != 24) {
        converted = source;
        ConvertTo24Bits(converted);
        input = &converted;
    }
    if (input->width() == destination.width() && input->height() == destination.height()) {
        destination = *input;
        return;
    }
    ResampleBilinear24(*input, destination);
}

namespace {

struct Placement {
    int width;
    int height;
    int left;
    int top;
};

// The scaled size and offset of a W x H picture fitted into tW x tH. The ratios are
// compared and divided in extended precision, in the order that gives 1280 x 720 into
// 120 x 90 a height of 67.
Placement FitInside(int w, int h, int tW, int tH)
{
    Placement p{tW, tH, 0, 0};
    const long double sourceW = w, sourceH = h, targetW = tW, targetH = tH;
    if (targetH / targetW >= sourceH / sourceW)
        p.height = int(sourceH / (sourceW / targetW));
    else
        p.width = int(sourceW / (sourceH / targetH));
    p.left = (tW - p.width) / 2;
    p.top = (tH - p.height) / 2;
    return p;
}

Bitmap Resized(const Bitmap& bitmap, int width, int height, int mode, ColorValue fillColor)
{
    if (mode <= ResizeStretch) {
        Bitmap scaled(width, height, 24);
        ResampleBilinear(bitmap, scaled);
        return scaled;
    }
    const Placement p = FitInside(bitmap.width(), bitmap.height(), width, height);
    Bitmap scaled(p.width, p.height, 24);
    ResampleBilinear(bitmap, scaled);
    Bitmap result(width, height, 24);
    Canvas canvas(result);
    canvas.brushColor = fillColor;
    canvas.brushStyle = BrushStyle::Solid;
    canvas.fillRect(Rect{0, 0, width, height});
    canvas.draw(p.left, p.top, scaled);
    return result;
}

}  // namespace

bool ResizeBitmap(Bitmap& bitmap, int width, int height, int mode, ColorValue fillColor)
{
    return ResizeBitmapInto(bitmap, bitmap, width, height, mode, fillColor);
}

bool ResizeBitmapInto(const Bitmap& source, Bitmap& target, int width, int height, int mode, ColorValue fillColor)
{
    if (width <= 0 || height <= 0 || source.isEmpty())
        return false;
    try {
        target = Resized(source, width, height, mode, fillColor);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace sm
