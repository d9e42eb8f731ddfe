#pragma once

#include <cstdint>

namespace sm {

// A colour as stored in settings: 0x00BBGGRR, or a system-colour code with the top
// bit set (0x80000000 | index, written as a negative number) that names a desktop
// colour by its index.
using ColorValue = std::int32_t;

constexpr ColorValue RgbColor(int red, int green, int blue)
{
    return ColorValue((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// System-colour indices used by the program.
enum SystemColor : int {
    SysColorWindow = 5,
    SysColorAppWorkspace = 12,
    SysColorBtnFace = 15,
    SysColorBtnShadow = 16,
    SysColorBtnHighlight = 20,
};

constexpr ColorValue SystemColorCode(int index) { return ColorValue(0xFF000000u | unsigned(index)); }

constexpr ColorValue clBlack = RgbColor(0, 0, 0);
constexpr ColorValue clWhite = RgbColor(255, 255, 255);
constexpr ColorValue clBtnFace = SystemColorCode(SysColorBtnFace);
constexpr ColorValue clAppWorkSpace = SystemColorCode(SysColorAppWorkspace);

// Resolves a colour value to a plain 0x00BBGGRR: a system-colour code through a fixed
// table of desktop colours, so that a stored code draws the same on every desktop (an
// unknown index gives black), any other value with its top byte cleared.
std::uint32_t ColorToRGB(ColorValue color);

inline int RedOf(std::uint32_t bgr) { return int(bgr & 0xFF); }
inline int GreenOf(std::uint32_t bgr) { return int((bgr >> 8) & 0xFF); }
inline int BlueOf(std::uint32_t bgr) { return int((bgr >> 16) & 0xFF); }

}  // namespace sm
