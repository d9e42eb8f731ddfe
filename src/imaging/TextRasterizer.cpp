#include "imaging/TextRasterizer.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "imaging/QtTextRasterizer.h"

namespace sm {

LogicalFont LogicalFontFromDesc(const FontDesc& desc)
{
    LogicalFont font;
    font.face = desc.name;
    // Points to pixels at 96 dpi, halves rounded away from zero; 64-bit so that an
    // absurd size stays a (huge) height instead of wrapping round.
    const long long pixels = (std::llabs(desc.size) * 96 + 36) / 72;
    font.height = int(std::min<long long>(pixels, std::numeric_limits<int>::max()));
    font.weight = desc.bold() ? 700 : 400;
    font.italic = desc.italic();
    font.underline = desc.underline();
    font.strikeOut = desc.strikeOut();
    font.charSet = desc.charSet;
    font.pitch = desc.pitch;
    return font;
}

const TextRasterizer& DefaultTextRasterizer()
{
    static const QtTextRasterizer rasterizer;
    return rasterizer;
}

}  // namespace sm
