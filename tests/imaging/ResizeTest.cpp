#include <cstdint>
#include <random>

#include <gtest/gtest.h>

#include "common/Bitmap.h"
#include "common/Canvas.h"
#include "common/ColorValue.h"
#include "imaging/MulDiv.h"
#include "imaging/Resize.h"

namespace sm {
namespace {

// The scaler as written: one MulDiv pair per pixel, 32-bit 16.16 positions. The fast
// implementation must agree with it byte for byte.
Bitmap ReferenceBilinear(const Bitmap& src, int dW, int dH)
{
    Bitmap dst(dW, dH, 24);
    const int sW = src.width(), sH = src.height();
    if (sW == dW && sH == dH)
        return src;
    const std::uint32_t xStep = std::uint32_t(MulDiv(sW - 1, 65536, dW));
    const std::uint32_t yStep = std::uint32_t(MulDiv(sH - 1, 65536, dH));
    std::uint32_t fy = 0;
    for (int y = 0; y < dH; ++y, fy += yStep) {
        const int iy = int(fy >> 16);
        const std::uint32_t fracY = fy & 0xFFFF;
        const std::uint8_t* r0 = src.row(iy);
        const std::uint8_t* r1 = src.row(iy < sH - 1 ? iy + 1 : iy);
        const std::int32_t wUp = 65536 - std::int32_t(fracY);
        const std::int32_t wDown = std::int32_t(fracY) + 1;
        std::uint32_t fx = 0;
        for (int x = 0; x < dW; ++x, fx += xStep) {
            const int ix = int(fx >> 16);
            const int ix1 = ix < sW - 1 ? ix + 1 : ix;
            const std::int32_t fracX = std::int32_t(fx & 0xFFFF);
            const auto w10 = std::uint32_t(MulDiv(fracX, wUp, 65536));
            const auto w00 = std::uint32_t(wUp) - w10;
            const auto w11 = std::uint32_t(MulDiv(fracX, wDown, 65536));
            const auto w01 = std::uint32_t(wDown) - w11;
            for (int k = 0; k < 3; ++k) {
                const std::uint32_t v
                    = r0[3 * ix + k] * w00 + r0[3 * ix1 + k] * w10 + r1[3 * ix + k] * w01 + r1[3 * ix1 + k] * w11;
                dst.row(y)[3 * x + k] = std::uint8_t(v >> 16);
            }
        }
    }
    return dst;
}

Bitmap RandomPicture(int w, int h, std::mt19937& rng)
{
    Bitmap b(w, h, 24);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < 3 * w; ++x)
            b.row(y)[x] = std::uint8_t(byte(rng));
    return b;
}

Bitmap Filled(int w, int h, std::uint32_t rgb)
{
    Bitmap b(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.setPixelRgb(x, y, rgb);
    return b;
}

TEST(MulDivTest, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(1, 3, 2), 2);
    EXPECT_EQ(MulDiv(-1, 3, 2), -2);
    EXPECT_EQ(MulDiv(1, -3, 2), -2);
    EXPECT_EQ(MulDiv(-1, -3, 2), 2);
    EXPECT_EQ(MulDiv(1, 3, -2), -2);
    EXPECT_EQ(MulDiv(5, 1, 4), 1);  // 1.25
    EXPECT_EQ(MulDiv(7, 1, 4), 2);  // 1.75
    EXPECT_EQ(MulDiv(1, 65536, 3), 21845);
    EXPECT_EQ(MulDiv(0, 5, -7), 0);
    // The product is taken in 64 bits.
    EXPECT_EQ(MulDiv(INT32_MAX, INT32_MAX, INT32_MAX), INT32_MAX);
    EXPECT_EQ(MulDiv(INT32_MIN, INT32_MIN, 1), std::int64_t(1) << 62);
    EXPECT_THROW(MulDiv(1, 1, 0), std::domain_error);
}

TEST(ResampleBilinearTest, TwoByTwoToThreeByTwoGivesTheWorkedValues)
{
    Bitmap src(2, 2, 24);
    src.setPixelRgb(1, 0, 0xFFFFFF);
    src.setPixelRgb(1, 1, 0xFFFFFF);
    Bitmap dst(3, 2, 24);
    ResampleBilinear(src, dst);
    const std::uint8_t top[] = {0, 84, 170}, bottom[] = {0, 85, 170};
    for (int x = 0; x < 3; ++x)
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(dst.row(0)[3 * x + k], top[x]) << "x " << x;
            EXPECT_EQ(dst.row(1)[3 * x + k], bottom[x]) << "x " << x;
        }
}

TEST(ResampleBilinearTest, ChannelsStayApartAndWhiteStaysWhite)
{
    for (const std::uint32_t colour : {0x0A80FFu, 0xFFFFFFu, 0xFF00FFu}) {
        const Bitmap src = Filled(7, 5, colour);
        Bitmap dst(13, 3, 24);
        ResampleBilinear(src, dst);
        for (int y = 0; y < dst.height(); ++y)
            for (int x = 0; x < dst.width(); ++x)
                ASSERT_EQ(dst.pixelRgb(x, y), colour) << x << "," << y;
    }
}

TEST(ResampleBilinearTest, MatchesTheWrittenArithmeticOnRandomPictures)
{
    struct Case {
        int sW, sH, dW, dH;
    };
    const Case cases[] = {
        {1, 1, 5, 3},
        {1, 9, 4, 4},
        {9, 1, 3, 7},
        {3, 3, 1, 1},
        {17, 13, 5, 3},
        {5, 3, 17, 13},
        {101, 37, 33, 99},
        {64, 48, 64, 47},
        {31, 7, 32, 7},
        {250, 141, 77, 201},
        {1920 / 8, 1080 / 8, 320 / 8, 240 / 8},
    };
    std::mt19937 rng(20261208);
    for (const Case& c : cases) {
        const Bitmap src = RandomPicture(c.sW, c.sH, rng);
        Bitmap dst(c.dW, c.dH, 24);
        ResampleBilinear(src, dst);
        ASSERT_EQ(dst, ReferenceBilinear(src, c.dW, c.dH)) << c.sW << "x" << c.sH << " -> " << c.dW << "x" << c.dH;
    }
}

TEST(ResampleBilinearTest, ConvertsOtherDepthsAndHandlesEmptyBitmaps)
{
    Bitmap pal(4, 2, 8);
    pal.palette() = {{0, 0, 0, 0}, {10, 20, 30, 0}};
    pal.row(0)[1] = 1;
    Bitmap dst(4, 2, 32);
    ResampleBilinear(pal, dst);
    EXPECT_EQ(dst.bitsPerPixel(), 24);
    EXPECT_EQ(dst.pixelRgb(1, 0), 0x1E140Au);
    EXPECT_EQ(dst.pixelRgb(0, 0), 0u);

    Bitmap empty;
    Bitmap nothing(0, 5, 32);
    EXPECT_NO_THROW(ResampleBilinear(Filled(3, 3, 1), nothing));
    EXPECT_EQ(nothing.bitsPerPixel(), 24);
    Bitmap some(2, 2, 24);
    EXPECT_THROW(ResampleBilinear(empty, some), std::invalid_argument);
}

struct FitCase {
    int w, h, tW, tH;
    int left, top, right, bottom;  // the picture's rectangle inside the target
};

class ResizeKeepAspectTest : public ::testing::TestWithParam<FitCase> {};

// A white source fitted onto a red fill: the white rectangle is the placed picture.
TEST_P(ResizeKeepAspectTest, PlacesThePictureAndFillsTheBands)
{
    const FitCase c = GetParam();
    Bitmap b = Filled(c.w, c.h, 0xFFFFFF);
    ASSERT_TRUE(ResizeBitmap(b, c.tW, c.tH, ResizeKeepAspect, RgbColor(255, 0, 0)));
    ASSERT_EQ(b.width(), c.tW);
    ASSERT_EQ(b.height(), c.tH);
    ASSERT_EQ(b.bitsPerPixel(), 24);
    for (int y = 0; y < c.tH; ++y)
        for (int x = 0; x < c.tW; ++x) {
            const bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
            ASSERT_EQ(b.pixelRgb(x, y), inside ? 0xFFFFFFu : 0xFF0000u) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    CommonSizes, ResizeKeepAspectTest,
    ::testing::Values(FitCase{720, 576, 320, 240, 10, 0, 310, 240}, FitCase{1920, 1080, 320, 240, 0, 30, 320, 210},
                      FitCase{1280, 720, 120, 90, 0, 11, 120, 78},  // 67 high: one more fill row below
                      FitCase{640, 480, 320, 240, 0, 0, 320, 240}, FitCase{300, 300, 320, 240, 40, 0, 280, 240},
                      FitCase{1000, 1, 10, 10, 0, 0, 0, 0}));  // scaled to nothing high: fill only

TEST(ResizeBitmapTest, StretchesToExactlyTheTarget)
{
    std::mt19937 rng(7);
    const Bitmap src = RandomPicture(37, 23, rng);
    Bitmap b = src;
    ASSERT_TRUE(ResizeBitmap(b, 20, 41, ResizeStretch, clBlack));
    EXPECT_EQ(b, ReferenceBilinear(src, 20, 41));
    // Negative modes stretch too.
    Bitmap c = src;
    ASSERT_TRUE(ResizeBitmap(c, 20, 41, -2, clBlack));
    EXPECT_EQ(c, b);
}

TEST(ResizeBitmapTest, SameSizeOnlyChangesTheDepth)
{
    Bitmap b(3, 2, 32);
    b.setPixelRgb(2, 1, 0x123456);
    ASSERT_TRUE(ResizeBitmap(b, 3, 2, ResizeStretch, clBlack));
    EXPECT_EQ(b.bitsPerPixel(), 24);
    EXPECT_EQ(b.pixelRgb(2, 1), 0x123456u);
    EXPECT_EQ(b.pixelRgb(0, 0), 0u);
}

TEST(ResizeBitmapTest, RefusesImpossibleTargetsAndKeepsTheBitmap)
{
    const Bitmap original = Filled(8, 6, 0x336699);
    for (const int mode : {0, 1}) {
        for (const auto& [w, h] : {std::pair{0, 240}, {320, 0}, {-5, 10}, {10, -5}}) {
            Bitmap b = original;
            EXPECT_FALSE(ResizeBitmap(b, w, h, mode, clBlack)) << w << "x" << h;
            EXPECT_EQ(b, original);
        }
        Bitmap empty;
        EXPECT_FALSE(ResizeBitmap(empty, 10, 10, mode, clBlack));
        EXPECT_TRUE(empty.isEmpty());
    }
}

TEST(ResizeBitmapTest, FillColourMayBeASystemColour)
{
    Bitmap b = Filled(100, 50, 0xFFFFFF);
    ASSERT_TRUE(ResizeBitmap(b, 100, 100, ResizeKeepAspect, clBtnFace));
    EXPECT_EQ(b.pixelRgb(0, 0), BgrToRgb(ColorToRGB(clBtnFace)));
}

}  // namespace
}  // namespace sm
