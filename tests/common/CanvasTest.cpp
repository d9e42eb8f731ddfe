#include <gtest/gtest.h>

#include "common/Canvas.h"

using namespace sm;

TEST(Canvas, FillIsClippedAndClearBrushFillsNothing)
{
    Bitmap b(4, 3);
    Canvas c(b);
    c.brushColor = RgbColor(255, 0, 0);
    c.fillRect({-5, 2, 2, 10});
    EXPECT_EQ(b.pixelRgb(0, 2), 0xFF0000u);
    EXPECT_EQ(b.pixelRgb(1, 2), 0xFF0000u);
    EXPECT_EQ(b.pixelRgb(2, 2), 0u) << "right edge is exclusive";
    EXPECT_EQ(b.pixelRgb(0, 1), 0u);

    c.brushStyle = BrushStyle::Clear;
    c.fillRect({0, 0, 4, 3});
    EXPECT_EQ(b.pixelRgb(3, 0), 0u);
}

TEST(Canvas, LinesLeaveOutTheirEndPoint)
{
    Bitmap b(5, 5);
    Canvas c(b);
    c.penColor = clWhite;
    c.moveTo(4, 0);
    c.lineTo(0, 0);
    c.lineTo(0, 4);
    for (int x = 1; x <= 4; ++x)
        EXPECT_EQ(b.pixelRgb(x, 0), 0xFFFFFFu) << x;
    for (int y = 0; y <= 3; ++y)
        EXPECT_EQ(b.pixelRgb(0, y), 0xFFFFFFu) << y;
    EXPECT_EQ(b.pixelRgb(0, 4), 0u) << "end point left out";
}

TEST(Canvas, StretchAndDrawCoverExactlyTheirRectangle)
{
    Bitmap src(2, 2);
    src.setPixelRgb(0, 0, 0x0000FF);
    src.setPixelRgb(1, 0, 0x00FF00);
    src.setPixelRgb(0, 1, 0xFF0000);
    src.setPixelRgb(1, 1, 0xFFFFFF);
    Bitmap dst(6, 6);
    Canvas c(dst);
    c.stretchDraw({1, 1, 5, 5}, src);
    EXPECT_EQ(dst.pixelRgb(0, 0), 0u);
    EXPECT_EQ(dst.pixelRgb(1, 1), 0x0000FFu);
    EXPECT_EQ(dst.pixelRgb(4, 1), 0x00FF00u);
    EXPECT_EQ(dst.pixelRgb(1, 4), 0xFF0000u);
    EXPECT_EQ(dst.pixelRgb(4, 4), 0xFFFFFFu);
    EXPECT_EQ(dst.pixelRgb(5, 5), 0u);

    c.draw(5, 5, src);  // mostly outside: clipped
    EXPECT_EQ(dst.pixelRgb(5, 5), 0x0000FFu);
}
