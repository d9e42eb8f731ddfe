#include <gtest/gtest.h>

#include "imaging/ForegroundFills.h"

namespace sm {
namespace {

std::vector<int> RedsAlongRow(const Bitmap& b, int y)
{
    std::vector<int> reds;
    for (int x = 0; x < b.width(); ++x)
        reds.push_back(int(b.pixelRgb(x, y) >> 16));
    return reds;
}

std::vector<int> RedsDownColumn(const Bitmap& b, int x)
{
    std::vector<int> reds;
    for (int y = 0; y < b.height(); ++y)
        reds.push_back(int(b.pixelRgb(x, y) >> 16));
    return reds;
}

TEST(ForegroundFills, GradientLinesStopOneStepShortOfTheSecondColour)
{
    const struct {
        TGradualStyle style;
        int length;
        std::vector<int> line;
    } cases[] = {
        {gsLeftToRight, 4, {255, 192, 128, 64}},
        {gsRightToLeft, 4, {0, 63, 127, 191}},
        {gsCenterToLR, 5, {0, 85, 170, 85, 0}},
        {gsCenterToLR, 4, {0, 127, 127, 0}},
        {gsTopToBottom, 3, {255, 170, 85}},
        {gsBottomToTop, 3, {0, 85, 170}},
        {gsCenterToTB, 1, {0}},
    };
    for (const auto& c : cases) {
        TIAGradual gradual;
        gradual.SetStyle(c.style);
        Bitmap fore;
        const bool horizontal = c.style == gsLeftToRight || c.style == gsRightToLeft || c.style == gsCenterToLR;
        FillGradient(fore, horizontal ? c.length : 2, horizontal ? 2 : c.length, gradual);
        EXPECT_EQ(fore.bitsPerPixel(), 24);
        for (int k = 0; k < 2; ++k)
            EXPECT_EQ(horizontal ? RedsAlongRow(fore, k) : RedsDownColumn(fore, k), c.line)
                << "style " << int(c.style) << " length " << c.length;
    }
}

TEST(ForegroundFills, GradientChannelsRunSeparately)
{
    TIAGradual gradual;
    gradual.SetStartColor(RgbColor(0, 100, 200));
    gradual.SetEndColor(RgbColor(200, 100, 0));
    Bitmap fore;
    FillGradient(fore, 2, 1, gradual);
    EXPECT_EQ(fore.pixelRgb(0, 0), 0x0064C8u);
    EXPECT_EQ(fore.pixelRgb(1, 0), 0x646464u);
}

TEST(ForegroundFills, NoiseStaysWithinItsRangeAndClamps)
{
    RandomSource random(7);
    Bitmap fore;
    FillNoise(fore, 16, 16, RgbColor(250, 100, 3), 10, random);
    bool varied = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const std::uint32_t p = fore.pixelRgb(x, y);
            const int r = int(p >> 16), g = int((p >> 8) & 0xFF), b = int(p & 0xFF);
            EXPECT_TRUE(r >= 245 && r <= 254) << r;
            EXPECT_TRUE(g >= 95 && g <= 104) << g;
            EXPECT_TRUE(b >= 0 && b <= 7) << b;
            varied = varied || p != fore.pixelRgb(0, 0);
        }
    EXPECT_TRUE(varied);

    Bitmap white(3, 2, 24);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            white.setPixelRgb(x, y, 0xFFFFFFu);
    AddNoise(white, 255, random);
    for (int y = 0; y < 2; ++y)
        EXPECT_EQ(white.row(y)[9], 0) << "row padding is left alone";
    FillNoise(fore, 2, 2, RgbColor(1, 2, 3), 1, random);
    EXPECT_EQ(fore.pixelRgb(1, 1), 0x010203u);
}

TEST(ForegroundFills, TextureIsDrawnOverTheFontColourByMode)
{
    Bitmap picture(2, 2, 24);
    picture.setPixelRgb(0, 0, 0x111111u);
    picture.setPixelRgb(1, 0, 0x222222u);
    picture.setPixelRgb(0, 1, 0x333333u);
    picture.setPixelRgb(1, 1, 0x444444u);
    const std::uint32_t f = 0x0000FFu;  // the font colour
    const struct {
        TTextureMode mode;
        int width;
        std::vector<std::uint32_t> row0, row1;
    } cases[] = {
        {tmTiled, 3, {0x111111u, 0x222222u, 0x111111u}, {0x333333u, 0x444444u, 0x333333u}},
        {tmNormal, 3, {0x111111u, 0x222222u, f}, {0x333333u, 0x444444u, f}},
        {tmCenter, 4, {f, 0x111111u, 0x222222u, f}, {f, 0x333333u, 0x444444u, f}},
        {tmCenter, 1, {0x111111u}, {0x333333u}},  // -1 div 2 = 0: cropped on the right
        {tmStretched, 4, {0x111111u, 0x111111u, 0x222222u, 0x222222u}, {0x333333u, 0x333333u, 0x444444u, 0x444444u}},
    };
    for (const auto& c : cases) {
        TIATexture texture;
        texture.SetMode(c.mode);
        texture.SetPicture(picture);
        Bitmap fore;
        FillTexture(fore, c.width, 2, RgbColor(0, 0, 255) /* blue in settings terms */, texture);
        std::vector<std::uint32_t> row0, row1;
        for (int x = 0; x < c.width; ++x) {
            row0.push_back(fore.pixelRgb(x, 0));
            row1.push_back(fore.pixelRgb(x, 1));
        }
        EXPECT_EQ(row0, c.row0) << "mode " << int(c.mode) << " width " << c.width;
        EXPECT_EQ(row1, c.row1) << "mode " << int(c.mode) << " width " << c.width;
    }
}

TEST(ForegroundFills, TextureAcceptsPicturesOfAnyDepth)
{
    Bitmap indexed(1, 1, 8);
    indexed.palette() = {PaletteEntry{0x30, 0x20, 0x10, 0}};
    TIATexture texture;
    texture.SetPicture(indexed);
    Bitmap fore;
    FillTexture(fore, 2, 1, clBlack, texture);
    EXPECT_EQ(fore.pixelRgb(1, 0), 0x102030u);
}

}  // namespace
}  // namespace sm
