#include "imaging/MaskBlend.h"

#include <algorithm>
#include <cstdint>

#include "common/Canvas.h"
#include "imaging/GlyphMask.h"
#include "imaging/TextRenderer.h"
#include "settings/Texts.h"

namespace sm {

EInvalidForeBmp::EInvalidForeBmp() : std::runtime_error(lang::kInvalidForeBmp.toStdString()) {}

TIABlend::TIABlend(TIAFont* owner) : owner_(owner), foreground_(0, 0, 24) {}

namespace {

// Moves one channel t/256 of the way toward the ink (arithmetic shift, so the step
// rounds toward minus infinity); t = 255 lands on the ink exactly.
inline std::uint8_t BlendChannel(int channel, int ink, int t)
{
    if (t == 255)
        return std::uint8_t(ink);
    return std::uint8_t(channel + (((ink - channel) * t) >> 8));
}

}  // namespace

template <typename InkAt>
void TIABlend::Composite(int x, int y, int alpha, const TIAMask& mask, InkAt inkAt)
{
    Canvas* canvas = owner_ ? owner_->canvas() : nullptr;
    if (!canvas)
        return;
    Bitmap& target = canvas->target();
    if (target.bitsPerPixel() != 24 && target.bitsPerPixel() != 32)
        return;
    // The box of the mask, clipped to the target; 64-bit so far-off points cannot wrap.
    const int left = int(std::max<long long>(x, 0));
    const int top = int(std::max<long long>(y, 0));
    const int right = int(std::min<long long>(static_cast<long long>(x) + mask.width(), target.width()));
    const int bottom = int(std::min<long long>(static_cast<long long>(y) + mask.height(), target.height()));
    if (left >= right || top >= bottom)
        return;
    if (canvas->brushStyle == BrushStyle::Solid)
        canvas->fillRect(Rect{left, top, right, bottom});

    const int k = std::clamp(alpha, 0, 100) * 256 / 100;
    const int bytes = target.bitsPerPixel() / 8;
    for (int row = top; row < bottom; ++row) {
        const std::uint8_t* coverage = mask.Lines(row - y);
        std::uint8_t* p = target.row(row) + static_cast<std::size_t>(left) * bytes;
        for (int column = left; column < right; ++column, p += bytes) {
            const int t = (coverage[column - x] * k) >> 8;
            if (t == 0)
                continue;
            const std::uint8_t* ink = inkAt(row - y, column - x);
            p[0] = BlendChannel(p[0], ink[0], t);
            p[1] = BlendChannel(p[1], ink[1], t);
            p[2] = BlendChannel(p[2], ink[2], t);
        }
    }
}

void TIABlend::BlendColor(int x, int y, ColorValue color, int alpha, const TIAMask& mask)
{
    const std::uint32_t bgr = ColorToRGB(color);
    const std::uint8_t ink[3] = {std::uint8_t(BlueOf(bgr)), std::uint8_t(GreenOf(bgr)), std::uint8_t(RedOf(bgr))};
    Composite(x, y, alpha, mask, [&ink](int, int) { return ink; });
}

void TIABlend::BlendForeground(int x, int y, int alpha, const TIAMask& mask)
{
    if (foreground_.bitsPerPixel() != 24 || foreground_.width() != mask.width()
        || foreground_.height() != mask.height())
        throw EInvalidForeBmp();
    Composite(x, y, alpha, mask,
              [this](int r, int i) { return static_cast<const Bitmap&>(foreground_).row(r) + 3 * i; });
}

void TIABlend::Assign(const TIABlend& source) { foreground_ = source.foreground_; }

}  // namespace sm
