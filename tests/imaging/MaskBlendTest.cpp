#include <gtest/gtest.h>

#include "FakeRasterizer.h"
#include "imaging/TextRenderer.h"

namespace sm {
namespace {

using Rows = std::vector<std::vector<int>>;

// A renderer on a 4 x 4 grey picture and a mask given pixel by pixel.
struct BlendBench {
    explicit BlendBench(int grey = 0)
    {
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixelRgb(x, y, 0x010101u * std::uint32_t(grey));
        canvas.brushStyle = BrushStyle::Clear;
        font.SetQuality(3);
    }
    const TIAMask& MaskOf(const Rows& rows)
    {
        raster.ink = rows;
        font.mask().Build("x");
        return font.mask();
    }

    Bitmap picture{4, 4, 24};
    Canvas canvas{picture};
    test::FakeRasterizer raster;
    TIAFontEx font{&canvas, raster};
};

TEST(MaskBlend, ColourMovesByTheMaskTimesOpacityWithFlooredSteps)
{
    const struct {
        int grey, coverage, alpha;
        ColorValue ink;
        int expected;
    } cases[] = {
        {0, 255, 80, clWhite, 202},   // t = 203: floor(255 x 203 / 256)
        {201, 1, 100, clBlack, 200},  // t = 1: floor(-0.79) is -1
        {0, 255, 100, clWhite, 255},  // t = 255 lands exactly
        {0, 254, 100, clWhite, 253},  // quality 1's full ink never quite does
        {0, 255, 0, clWhite, 0},      // opacity 0 changes nothing
        {0, 255, 250, clWhite, 255},  // opacity clamped to 100
        {90, 0, 100, clWhite, 90},    // no ink, no change
    };
    for (const auto& c : cases) {
        BlendBench bench(c.grey);
        bench.font.blend().BlendColor(1, 1, c.ink, c.alpha, bench.MaskOf({{c.coverage}}));
        EXPECT_EQ(bench.picture.pixelRgb(1, 1), 0x010101u * std::uint32_t(c.expected))
            << c.grey << " " << c.coverage << " " << c.alpha;
        EXPECT_EQ(bench.picture.pixelRgb(0, 0), 0x010101u * std::uint32_t(c.grey));
    }
}

TEST(MaskBlend, ChannelsKeepTheirOwnColour)
{
    BlendBench bench;
    bench.font.blend().BlendColor(0, 0, RgbColor(255, 128, 0), 100, bench.MaskOf({{255}}));
    EXPECT_EQ(bench.picture.pixelRgb(0, 0), 0xFF8000u);
}

TEST(MaskBlend, ASolidBrushPutsTheTextOnAnOpaqueBox)
{
    BlendBench bench(50);
    bench.canvas.brushStyle = BrushStyle::Solid;
    bench.canvas.brushColor = clWhite;
    bench.font.blend().BlendColor(1, 1, clBlack, 100, bench.MaskOf({{255, 0}}));
    EXPECT_EQ(bench.picture.pixelRgb(1, 1), 0x000000u);
    EXPECT_EQ(bench.picture.pixelRgb(2, 1), 0xFFFFFFu);
    EXPECT_EQ(bench.picture.pixelRgb(3, 1), 0x323232u);
}

TEST(MaskBlend, TextPartlyOrWhollyOutsideThePictureIsClipped)
{
    const Rows ink(3, std::vector<int>(3, 255));
    const struct {
        int x, y;
        int inked;
    } cases[] = {{-1, -1, 4},
                 {2, 2, 4},
                 {-2, 3, 1},
                 {4, 0, 0},
                 {-3, 0, 0},
                 {0, -3, 0},
                 {2'147'483'000, 2'147'483'000, 0},
                 {-2'147'483'000, 0, 0}};
    for (const auto& c : cases) {
        for (BrushStyle style : {BrushStyle::Clear, BrushStyle::Solid}) {
            BlendBench bench;
            bench.canvas.brushStyle = style;
            bench.canvas.brushColor = clBlack;
            bench.font.blend().BlendColor(c.x, c.y, clWhite, 100, bench.MaskOf(ink));
            int inked = 0;
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x) {
                    const bool inside = x >= c.x && x < c.x + 3 && y >= c.y && y < c.y + 3;
                    EXPECT_EQ(bench.picture.pixelRgb(x, y), inside ? 0xFFFFFFu : 0u);
                    inked += inside;
                }
            EXPECT_EQ(inked, c.inked) << c.x << "," << c.y;
        }
    }
}

TEST(MaskBlend, ForegroundPixelsAreBlendedOneToOne)
{
    BlendBench bench;
    const TIAMask& mask = bench.MaskOf({{255, 255}, {255, 0}});
    Bitmap& fore = bench.font.blend().Foreground();
    fore = Bitmap(2, 2, 24);
    fore.setPixelRgb(0, 0, 0x102030u);
    fore.setPixelRgb(1, 0, 0x405060u);
    fore.setPixelRgb(0, 1, 0x708090u);
    fore.setPixelRgb(1, 1, 0xFFFFFFu);
    bench.font.blend().BlendForeground(2, 2, 100, mask);
    EXPECT_EQ(bench.picture.pixelRgb(2, 2), 0x102030u);
    EXPECT_EQ(bench.picture.pixelRgb(3, 2), 0x405060u);
    EXPECT_EQ(bench.picture.pixelRgb(2, 3), 0x708090u);
    EXPECT_EQ(bench.picture.pixelRgb(3, 3), 0u);
}

TEST(MaskBlend, AForegroundThatDoesNotMatchTheMaskIsRefusedBeforeDrawing)
{
    BlendBench bench;
    bench.canvas.brushStyle = BrushStyle::Solid;
    bench.canvas.brushColor = clWhite;
    const TIAMask& mask = bench.MaskOf(Rows(2, std::vector<int>(3, 255)));
    const Bitmap before = bench.picture;
    for (const Bitmap& wrong : {Bitmap(2, 2, 24), Bitmap(3, 1, 24), Bitmap(3, 2, 32), Bitmap()}) {
        bench.font.blend().Foreground() = wrong;
        try {
            bench.font.blend().BlendForeground(0, 0, 100, mask);
            ADD_FAILURE() << "blended a " << wrong.width() << " x " << wrong.height() << " picture";
        } catch (const EInvalidForeBmp& e) {
            EXPECT_STREQ(e.what(), "Invalid foreground bitmap!");
        }
        EXPECT_EQ(bench.picture, before);
    }
}

TEST(MaskBlend, AssignCopiesTheForeground)
{
    BlendBench bench;
    bench.font.blend().Foreground() = Bitmap(2, 1, 24);
    bench.font.blend().Foreground().setPixelRgb(1, 0, 0xABCDEFu);
    TIABlend copy(&bench.font);
    copy.Assign(bench.font.blend());
    EXPECT_EQ(copy.Foreground(), bench.font.blend().Foreground());
}

}  // namespace
}  // namespace sm
