#include "common/ColorValue.h"

#include <array>

namespace sm {

namespace {

// One fixed desktop scheme, indexed by system-colour number: the current desktop's
// theme must not change the colours of saved pictures.
constexpr std::array<ColorValue, 31> kSystemColors = {
    RgbColor(200, 200, 200),  //  0 scroll bar
    RgbColor(58, 110, 165),   //  1 desktop background
    RgbColor(10, 36, 106),    //  2 active caption
    RgbColor(128, 128, 128),  //  3 inactive caption
    RgbColor(212, 208, 200),  //  4 menu
    RgbColor(255, 255, 255),  //  5 window
    RgbColor(0, 0, 0),        //  6 window frame
    RgbColor(0, 0, 0),        //  7 menu text
    RgbColor(0, 0, 0),        //  8 window text
    RgbColor(255, 255, 255),  //  9 caption text
    RgbColor(212, 208, 200),  // 10 active border
    RgbColor(212, 208, 200),  // 11 inactive border
    RgbColor(128, 128, 128),  // 12 application workspace
    RgbColor(10, 36, 106),    // 13 highlight
    RgbColor(255, 255, 255),  // 14 highlight text
    RgbColor(212, 208, 200),  // 15 button face
    RgbColor(128, 128, 128),  // 16 button shadow
    RgbColor(128, 128, 128),  // 17 grey text
    RgbColor(0, 0, 0),        // 18 button text
    RgbColor(212, 208, 200),  // 19 inactive caption text
    RgbColor(255, 255, 255),  // 20 button highlight
    RgbColor(64, 64, 64),     // 21 3-D dark shadow
    RgbColor(212, 208, 200),  // 22 3-D light
    RgbColor(0, 0, 0),        // 23 tooltip text
    RgbColor(255, 255, 225),  // 24 tooltip background
    RgbColor(181, 181, 181),  // 25 (unused slot)
    RgbColor(0, 0, 128),      // 26 hot-tracked item
    RgbColor(166, 202, 240),  // 27 active caption gradient
    RgbColor(192, 192, 192),  // 28 inactive caption gradient
    RgbColor(10, 36, 106),    // 29 menu highlight
    RgbColor(212, 208, 200),  // 30 menu bar
};

}  // namespace

std::uint32_t ColorToRGB(ColorValue color)
{
    const auto raw = static_cast<std::uint32_t>(color);
    if ((raw & 0x80000000u) == 0)
        return raw & 0x00FFFFFFu;
    const unsigned index = raw & 0xFFu;
    return index < kSystemColors.size() ? std::uint32_t(kSystemColors[index]) : 0u;
}

}  // namespace sm
