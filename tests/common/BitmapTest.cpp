#include <gtest/gtest.h>

#include <stdexcept>

#include "common/Bitmap.h"
#include "common/ColorValue.h"

using namespace sm;

TEST(Bitmap, RowsArePaddedToFourBytesForEveryDepth)
{
    struct Case {
        int width, bpp;
        std::size_t stride;
    };
    const Case cases[] = {{1, 1, 4},  {33, 1, 8}, {7, 4, 4},  {9, 4, 8},   {5, 8, 8},
                          {3, 16, 8}, {1, 24, 4}, {2, 24, 8}, {3, 24, 12}, {5, 32, 20}};
    for (const Case& c : cases) {
        Bitmap b(c.width, 2, c.bpp);
        EXPECT_EQ(b.stride(), c.stride) << c.width << "x" << c.bpp;
        EXPECT_EQ(b.byteSize(), 2 * c.stride);
    }
}

TEST(Bitmap, EmptyCopiesAndRefusals)
{
    Bitmap empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.bitsPerPixel(), 24);

    Bitmap a(2, 2);
    a.setPixelRgb(1, 1, 0x123456);
    Bitmap b = a;
    b.setPixelRgb(1, 1, 0);
    EXPECT_EQ(a.pixelRgb(1, 1), 0x123456u) << "copies are deep";

    EXPECT_THROW(Bitmap(1, 1, 12), std::invalid_argument);
    EXPECT_THROW(Bitmap(-1, 1), std::invalid_argument);
    EXPECT_THROW(Bitmap(0x7FFFFFFF, 0x7FFFFFFF, 32), std::length_error);
}

TEST(Bitmap, PixelRgbReadsEveryDepth)
{
    Bitmap pal(9, 1, 4);
    pal.palette() = {{0, 0, 0, 0}, {0x30, 0x20, 0x10, 0}};
    pal.row(0)[4] = 0x01;  // pixels 8 (high nibble) = 0 and 9 would be the low nibble
    pal.row(0)[0] = 0x10;
    EXPECT_EQ(pal.pixelRgb(0, 0), 0x102030u);
    EXPECT_EQ(pal.pixelRgb(1, 0), 0u);

    Bitmap mono(9, 1, 1);
    mono.palette() = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    mono.row(0)[1] = 0x80;
    EXPECT_EQ(mono.pixelRgb(8, 0), 0xFFFFFFu);
    EXPECT_EQ(mono.pixelRgb(7, 0), 0u);

    Bitmap hi(1, 1, 16);
    hi.row(0)[0] = 0x1F;  // pure blue in 5-6-5
    hi.row(0)[1] = 0x00;
    EXPECT_EQ(hi.pixelRgb(0, 0), 0x0000FFu);
}

TEST(ColorValue, SystemColoursResolveThroughTheClassicTable)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), std::uint32_t(RgbColor(212, 208, 200)));
    EXPECT_EQ(ColorToRGB(clAppWorkSpace), std::uint32_t(RgbColor(128, 128, 128)));
    EXPECT_EQ(ColorToRGB(SystemColorCode(200)), 0u) << "unknown index";
    EXPECT_EQ(ColorToRGB(0x02FFFFFF), 0xFFFFFFu) << "top byte of a plain colour ignored";
    EXPECT_LT(clBtnFace, 0) << "system colours are stored as negative numbers";
}
