#include <stdexcept>

#include <gtest/gtest.h>

#include "FakeRasterizer.h"
#include "imaging/TextRenderer.h"

namespace sm {
namespace {

// A renderer without supersampling on a grey 40 x 30 picture, drawing every character
// as a solid block of the font's pixel height (13 for the default size 10).
struct RenderBench {
    explicit RenderBench(int grey = 0)
    {
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixelRgb(x, y, 0x010101u * std::uint32_t(grey));
        canvas.brushStyle = BrushStyle::Clear;
        canvas.font.color = clWhite;
        font.SetQuality(3);
    }

    Bitmap picture{40, 30, 24};
    Canvas canvas{picture};
    test::FakeRasterizer raster;
    TIAFontEx font{&canvas, raster};
};

// A rasteriser that fails while drawing.
struct FailingRasterizer : test::FakeRasterizer {
    void draw(const LogicalFont&, const QString&, QPoint, Bitmap&) const override
    {
        throw std::runtime_error("no glyphs");
    }
};

TEST(TextRenderer, WidthAndHeightComeFromTheOverriddenExtent)
{
    RenderBench bench;
    bench.font.Effect().Shadow().SetEnabled(true);
    bench.font.Effect().Shadow().SetOffsetX(-3);
    bench.font.Effect().Shadow().SetOffsetY(2);
    TIAFont& base = bench.font;
    EXPECT_EQ(base.TextExtent("ab"), QSize(26 + 3, 13 + 2));
    EXPECT_EQ(base.TextWidth("ab"), 29);
    EXPECT_EQ(base.TextHeight("ab"), 15);
}

TEST(TextRenderer, ShadowAndLettersLandAtTheirOrigins)
{
    // Offsets -3/2 at (10, 10): letters at (13, 10), shadow at (10, 12).
    RenderBench bench;
    TIAShadow& shadow = bench.font.Effect().Shadow();
    shadow.SetEnabled(true);
    shadow.SetOffsetX(-3);
    shadow.SetOffsetY(2);
    shadow.SetBlur(0);
    shadow.SetAlpha(100);
    shadow.SetColor(RgbColor(255, 0, 0));
    bench.canvas.font.color = RgbColor(0, 255, 0);
    bench.font.TextOut(10, 10, "a");
    const auto at = [&](int x, int y) { return bench.picture.pixelRgb(x, y); };
    EXPECT_EQ(at(13, 10), 0x00FF00u);
    EXPECT_EQ(at(25, 22), 0x00FF00u);
    EXPECT_EQ(at(26, 22), 0u);
    EXPECT_EQ(at(10, 12), 0xFF0000u);
    EXPECT_EQ(at(12, 24), 0xFF0000u);
    EXPECT_EQ(at(13, 22), 0x00FF00u);  // the letters cover the shadow
    EXPECT_EQ(at(13, 24), 0xFF0000u);
    EXPECT_EQ(at(13, 25), 0u);
    EXPECT_EQ(at(10, 11), 0u);
    EXPECT_EQ(at(9, 12), 0u);
    EXPECT_EQ(bench.canvas.brushStyle, BrushStyle::Clear);
}

TEST(TextRenderer, ShadowOpacityIsTheProductOfBothAlphas)
{
    // 80 x 50 div 100 = 40 %: k = 102, t = 101 for the shadow; t = 203 for the letters.
    RenderBench bench(200);
    TIAShadow& shadow = bench.font.Effect().Shadow();
    shadow.SetEnabled(true);
    shadow.SetBlur(0);
    shadow.SetAlpha(50);
    shadow.SetColor(clBlack);
    shadow.SetOffsetX(1);
    shadow.SetOffsetY(1);
    bench.font.Effect().SetAlpha(80);
    // A solid brush gives the shadow an opaque box; the letters still go over both.
    bench.canvas.brushStyle = BrushStyle::Solid;
    bench.canvas.brushColor = RgbColor(200, 200, 200);
    bench.font.TextOut(0, 0, "a");
    const auto grey = [&](int x, int y) { return int(bench.picture.pixelRgb(x, y) & 0xFF); };
    EXPECT_EQ(grey(13, 13), 200 - 79);                // shadow only
    EXPECT_EQ(grey(0, 0), 200 + 43);                  // letters only
    EXPECT_EQ(grey(5, 5), 121 + ((134 * 203) >> 8));  // letters over shadow
    EXPECT_EQ(grey(14, 14), 200);
    EXPECT_EQ(bench.canvas.brushStyle, BrushStyle::Solid);
}

TEST(TextRenderer, EachBlurTouchesOnlyItsOwnMask)
{
    const auto render = [](int letterBlur, int shadowBlur) {
        RenderBench bench;
        bench.raster.ink = {{255, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};
        TIAShadow& shadow = bench.font.Effect().Shadow();
        shadow.SetEnabled(true);
        shadow.SetOffsetX(20);
        shadow.SetOffsetY(0);
        shadow.SetAlpha(100);
        shadow.SetColor(clWhite);
        shadow.SetBlur(shadowBlur);
        bench.font.Effect().SetBlur(letterBlur);
        bench.font.TextOut(0, 0, "a");
        return bench.picture;
    };
    const Bitmap crisp = render(0, 0);
    const Bitmap letters = render(100, 0);
    const Bitmap shadow = render(0, 100);
    const auto sameColumns = [](const Bitmap& a, const Bitmap& b, int from, int to) {
        for (int y = 0; y < a.height(); ++y)
            for (int x = from; x < to; ++x)
                if (a.pixelRgb(x, y) != b.pixelRgb(x, y))
                    return false;
        return true;
    };
    EXPECT_FALSE(sameColumns(crisp, letters, 0, 20));
    EXPECT_TRUE(sameColumns(crisp, letters, 20, 40));
    EXPECT_TRUE(sameColumns(crisp, shadow, 0, 20));
    EXPECT_FALSE(sameColumns(crisp, shadow, 20, 40));
}

TEST(TextRenderer, RotationTurnsTheFontOnlyDuringTheCall)
{
    RenderBench bench;
    bench.font.TextOut(0, 0, "a");
    EXPECT_EQ(bench.raster.drawnFonts.back().escapement, 0);
    bench.font.Effect().SetAngle(90);
    bench.font.TextOut(0, 0, "a");
    EXPECT_EQ(bench.raster.drawnFonts.back().escapement, 900);
    EXPECT_EQ(bench.font.CurrentFont().escapement, 0);

    FailingRasterizer failing;
    TIAFontEx font(&bench.canvas, failing);
    font.Effect().SetAngle(-45);
    font.Effect().Shadow().SetEnabled(true);
    EXPECT_THROW(font.TextOut(0, 0, "a"), std::runtime_error);
    EXPECT_EQ(font.CurrentFont().escapement, 0);
    EXPECT_EQ(bench.canvas.brushStyle, BrushStyle::Clear);
}

TEST(TextRenderer, NothingIsDrawnForEmptyTextOrWithoutACanvas)
{
    RenderBench bench(77);
    const Bitmap before = bench.picture;
    bench.font.Effect().Shadow().SetEnabled(true);
    bench.font.TextOut(0, 0, QString());
    EXPECT_EQ(bench.picture, before);
    EXPECT_TRUE(bench.raster.starts.empty());

    TIAFontEx orphan(nullptr, bench.raster);
    orphan.TextOut(0, 0, "abc");
    EXPECT_EQ(orphan.TextExtent("abc"), QSize(0, 0));
    EXPECT_TRUE(bench.raster.starts.empty());
}

TEST(TextRenderer, FillsAreChosenTextureGradientNoiseThenSolid)
{
    const auto render = [](auto configure) {
        RenderBench bench;
        bench.canvas.font.color = RgbColor(10, 20, 30);
        configure(bench.font.Effect());
        bench.font.TextOut(0, 0, "a");
        return bench.picture.pixelRgb(12, 0);  // the last column of the letter
    };
    const std::uint32_t solid = render([](TIAEffect&) {});
    EXPECT_EQ(solid, 0x0A141Eu);
    // A texture without a picture falls through to the next case.
    EXPECT_EQ(render([](TIAEffect& e) { e.Texture().SetEnabled(true); }), solid);
    EXPECT_EQ(render([](TIAEffect& e) {
                  e.Texture().SetEnabled(true);
                  e.Gradual().SetEnabled(true);
              }),
              0x010101u * 20);  // 13 steps white to black: 255 - 255 x 12 div 13
    Bitmap tile(1, 1, 24);
    tile.setPixelRgb(0, 0, 0x0000FFu);
    EXPECT_EQ(render([&](TIAEffect& e) {
                  e.Texture().SetPicture(tile);
                  e.Texture().SetEnabled(true);
                  e.Gradual().SetEnabled(true);
              }),
              0x0000FFu);
    const std::uint32_t noisy = render([](TIAEffect& e) { e.SetNoise(5); });
    EXPECT_NEAR(int(noisy >> 16), 10, 2);
    EXPECT_NEAR(int(noisy & 0xFF), 30, 2);
}

TEST(TextRenderer, MaskEffectsShapeTheLetters)
{
    RenderBench bench;
    bench.raster.ink = {{255, 0, 0}, {0, 0, 0}};
    bench.font.Effect().SetHorzMirror(true);
    bench.font.Effect().SetVertMirror(true);
    bench.font.TextOut(0, 0, "a");
    EXPECT_EQ(bench.picture.pixelRgb(2, 1), 0xFFFFFFu);
    EXPECT_EQ(bench.picture.pixelRgb(0, 0), 0u);
}

}  // namespace
}  // namespace sm
