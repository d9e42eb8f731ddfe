#include "imaging/ForegroundFills.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/Canvas.h"

namespace sm {

namespace {

using Bgr = std::array<int, 3>;

Bgr ChannelsOf(ColorValue color)
{
    const std::uint32_t bgr = ColorToRGB(color);
    return {BlueOf(bgr), GreenOf(bgr), RedOf(bgr)};
}

bool IsHorizontal(TGradualStyle style)
{
    return style == gsLeftToRight || style == gsRightToLeft || style == gsCenterToLR;
}

bool IsCentred(TGradualStyle style) { return style == gsCenterToLR || style == gsCenterToTB; }

std::vector<Bgr> GradientLine(int length, const TIAGradual& gradual)
{
    const TGradualStyle style = gradual.Style();
    const int steps = IsCentred(style) ? (length + 1) / 2 : length;
    const bool forward = style == gsLeftToRight || style == gsTopToBottom;
    const Bgr first = ChannelsOf(forward ? gradual.StartColor() : gradual.EndColor());
    const Bgr second = ChannelsOf(forward ? gradual.EndColor() : gradual.StartColor());
    std::vector<Bgr> line(static_cast<std::size_t>(length));
    // The last entry stops one step short of the second colour.
    for (int i = 0; i < steps; ++i)
        for (int c = 0; c < 3; ++c)
            line[i][c] = first[c] + (second[c] - first[c]) * i / steps;
    if (IsCentred(style))
        for (int m = 0; m < steps; ++m)
            line[length - 1 - m] = line[m];
    return line;
}

inline std::uint8_t Noisy(int value, int amount, RandomSource& random)
{
    return std::uint8_t(std::clamp(value + random.Next(amount) - amount / 2, 0, 255));
}

}  // namespace

void FillGradient(Bitmap& foreground, int width, int height, const TIAGradual& gradual)
{
    foreground = Bitmap(width, height, 24);
    const bool horizontal = IsHorizontal(gradual.Style());
    const std::vector<Bgr> line = GradientLine(horizontal ? width : height, gradual);
    for (int r = 0; r < height; ++r) {
        std::uint8_t* p = foreground.row(r);
        for (int i = 0; i < width; ++i, p += 3) {
            const Bgr& c = line[horizontal ? i : r];
            p[0] = std::uint8_t(c[0]);
            p[1] = std::uint8_t(c[1]);
            p[2] = std::uint8_t(c[2]);
        }
    }
}

void FillNoise(Bitmap& foreground, int width, int height, ColorValue base, int amount, RandomSource& random)
{
    foreground = Bitmap(width, height, 24);
    const Bgr channels = ChannelsOf(base);
    for (int r = 0; r < height; ++r) {
        std::uint8_t* p = foreground.row(r);
        for (int i = 0; i < width; ++i, p += 3)
            for (int c = 0; c < 3; ++c)
                p[c] = Noisy(channels[c], amount, random);
    }
}

void AddNoise(Bitmap& foreground, int amount, RandomSource& random)
{
    const int bytes = foreground.width() * (foreground.bitsPerPixel() / 8);
    for (int r = 0; r < foreground.height(); ++r) {
        std::uint8_t* p = foreground.row(r);
        for (int b = 0; b < bytes; ++b)
            p[b] = Noisy(p[b], amount, random);
    }
}

void FillTexture(Bitmap& foreground, int width, int height, ColorValue fontColor, const TIATexture& texture)
{
    foreground = Bitmap(width, height, 24);
    Canvas canvas(foreground);
    canvas.brushColor = fontColor;
    canvas.fillRect(Rect{0, 0, width, height});
    const Bitmap& picture = texture.Picture();
    if (picture.isEmpty())
        return;
    const int gw = picture.width(), gh = picture.height();
    switch (texture.Mode()) {
    case tmTiled:
        for (int y = 0; y < height; y += gh)
            for (int x = 0; x < width; x += gw)
                canvas.draw(x, y, picture);
        break;
    case tmStretched:
        canvas.stretchDraw(Rect{0, 0, width, height}, picture);
        break;
    case tmCenter:
        canvas.draw((width - gw) / 2, (height - gh) / 2, picture);
        break;
    case tmNormal:
        canvas.draw(0, 0, picture);
        break;
    }
}

}  // namespace sm
