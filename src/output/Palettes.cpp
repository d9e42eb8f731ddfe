#include "output/Palettes.h"

#include <algorithm>

namespace sm {

namespace {

constexpr PaletteEntry Rgb(int red, int green, int blue)
{
    return PaletteEntry{std::uint8_t(blue), std::uint8_t(green), std::uint8_t(red), 0};
}

std::vector<PaletteEntry> BuildHalftonePalette()
{
    const std::vector<PaletteEntry>& fixed = DefaultPaletteFixedColors();
    std::vector<PaletteEntry> middle;
    auto addUnique = [&](PaletteEntry e) {
        if (std::find(fixed.begin(), fixed.end(), e) == fixed.end()
            && std::find(middle.begin(), middle.end(), e) == middle.end())
            middle.push_back(e);
    };
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                addUnique(Rgb(r * 51, g * 51, b * 51));
    // The greys fill the gaps of the cube's diagonal; none of them falls on a cube level.
    const int greys = 236 - static_cast<int>(middle.size());
    for (int k = 1; k <= greys; ++k) {
        const int level = (k * 255 + (greys + 1) / 2) / (greys + 1);
        addUnique(Rgb(level, level, level));
    }
    std::vector<PaletteEntry> palette(fixed.begin(), fixed.begin() + 10);
    palette.insert(palette.end(), middle.begin(), middle.end());
    palette.insert(palette.end(), fixed.begin() + 10, fixed.end());
    return palette;
}

}  // namespace

const std::vector<PaletteEntry>& DefaultPaletteFixedColors()
{
    static const std::vector<PaletteEntry> colors = {
        Rgb(0, 0, 0),       Rgb(128, 0, 0),     Rgb(0, 128, 0),     Rgb(128, 128, 0),   Rgb(0, 0, 128),
        Rgb(128, 0, 128),   Rgb(0, 128, 128),   Rgb(192, 192, 192), Rgb(192, 220, 192), Rgb(166, 202, 240),
        Rgb(255, 251, 240), Rgb(160, 160, 164), Rgb(128, 128, 128), Rgb(255, 0, 0),     Rgb(0, 255, 0),
        Rgb(255, 255, 0),   Rgb(0, 0, 255),     Rgb(255, 0, 255),   Rgb(0, 255, 255),   Rgb(255, 255, 255),
    };
    return colors;
}

const std::vector<PaletteEntry>& StandardColors16()
{
    static const std::vector<PaletteEntry> colors = {
        Rgb(0, 0, 0),     Rgb(128, 0, 0),     Rgb(0, 128, 0),     Rgb(128, 128, 0),   Rgb(0, 0, 128), Rgb(128, 0, 128),
        Rgb(0, 128, 128), Rgb(128, 128, 128), Rgb(192, 192, 192), Rgb(255, 0, 0),     Rgb(0, 255, 0), Rgb(255, 255, 0),
        Rgb(0, 0, 255),   Rgb(255, 0, 255),   Rgb(0, 255, 255),   Rgb(255, 255, 255),
    };
    return colors;
}

const std::vector<PaletteEntry>& HalftonePalette()
{
    static const std::vector<PaletteEntry> palette = BuildHalftonePalette();
    return palette;
}

}  // namespace sm
