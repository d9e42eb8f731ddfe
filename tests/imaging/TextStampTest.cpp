#include <gtest/gtest.h>

#include <QRect>

#include "FakeRasterizer.h"
#include "imaging/TextStamp.h"

namespace sm {
namespace {

Bitmap Grey(int width, int height, int level)
{
    Bitmap b(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.setPixelRgb(x, y, 0x010101u * std::uint32_t(level));
    return b;
}

FontDesc WhiteFont(int size = 8)
{
    FontDesc font;
    font.color = clWhite;
    font.size = size;
    return font;
}

// Where the pixels differ from the untouched picture.
QRect ChangedArea(const Bitmap& before, const Bitmap& after)
{
    QRect area;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (before.pixelRgb(x, y) != after.pixelRgb(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

TEST(PlaceText, FixedCodesFollowTheTable)
{
    const Bitmap frame(640, 480, 24);
    const struct {
        int code;
        QPoint point;
    } cases[] = {
        {1, {2, 2}},     {2, {270, 2}}, {3, {540, 2}},   {4, {2, 230}},   {5, {270, 230}},
        {6, {538, 230}}, {7, {2, 458}}, {8, {270, 458}}, {9, {538, 458}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceText(frame, 100, 20, c.code), c.point) << "code " << c.code;
    EXPECT_EQ(PlaceText(Bitmap(5, 5, 24), 8, 8, 5), QPoint(-1, -1));  // div truncates
}

TEST(PlaceText, RandomCodesStayInsideAndFallToZeroWhenTheTextDoesNotFit)
{
    const Bitmap frame(640, 480, 24);
    for (int code : {0, 10, 12, -1}) {
        for (int i = 0; i < 50; ++i) {
            const QPoint p = PlaceText(frame, 100, 20, code);
            EXPECT_TRUE(p.x() >= 0 && p.x() < 540 && p.y() >= 0 && p.y() < 460) << code;
        }
        EXPECT_EQ(PlaceText(frame, 700, 480, code), QPoint(0, 0));
        EXPECT_EQ(PlaceText(frame, 640, 900, code).y(), 0);
        EXPECT_EQ(PlaceText(Bitmap(), 1, 1, code), QPoint(0, 0));
    }
}

TEST(StampText, TheShadowGrowsTheExtentByOnePixelSoCornersMoveIn)
{
    // Size 8 is an 11-pixel block per character at 4 x 4: fully inked, so exact colours.
    test::FakeRasterizer raster;
    const Bitmap before = Grey(64, 48, 128);
    Bitmap plain = before, shadowed = before;
    StampText(plain, "ab", WhiteFont(), 9, 0, 0, 0, 100, false, raster);
    StampText(shadowed, "ab", WhiteFont(), 9, 0, 0, 0, 100, true, raster);
    EXPECT_EQ(ChangedArea(before, plain), QRect(64 - 22 - 2, 48 - 11 - 2, 22, 11));
    EXPECT_EQ(ChangedArea(before, shadowed), QRect(64 - 23 - 2, 48 - 12 - 2, 23, 12));
    EXPECT_EQ(plain.pixelRgb(40, 35), 0xFFFFFFu);
    EXPECT_EQ(shadowed.pixelRgb(39, 34), 0xFFFFFFu);
    // The black shadow at 100 x 50 div 100 %: 128 + floor(-128 x 127 / 256).
    EXPECT_EQ(shadowed.pixelRgb(61, 45), 0x010101u * 64);
}

TEST(StampText, OpacityZeroLeavesThePictureAsItWas)
{
    Bitmap frame = Grey(120, 40, 90);
    const Bitmap before = frame;
    StampText(frame, QStringLiteral("00:12:34"), WhiteFont(), 5, 0, 0, 0, 0, true);
    EXPECT_EQ(frame, before);
    StampText(frame, QString(), WhiteFont(), 5, 0, 0, 0, 100, true);
    EXPECT_EQ(frame, before);
}

TEST(StampText, OffsetsMoveThePlacedTextAndTheCanvasKeepsTheFont)
{
    test::FakeRasterizer raster;
    const Bitmap before = Grey(64, 48, 0);
    Bitmap frame = before;
    Canvas canvas(frame);
    const FontDesc font = WhiteFont();
    StampText(canvas, "a", font, 1, 3, 14, 0, 100, false, raster);
    EXPECT_EQ(ChangedArea(before, frame), QRect(2 + 3, 2 + 14, 11, 11));
    EXPECT_EQ(canvas.font, font);
    EXPECT_EQ(canvas.brushStyle, BrushStyle::Clear);
}

TEST(StampText, TextPartlyOutsideThePictureIsClipped)
{
    test::FakeRasterizer raster;
    const Bitmap before = Grey(20, 10, 100);
    Bitmap frame = before;
    StampText(frame, "abcd", WhiteFont(), 1, -30, 5, 0, 100, true, raster);
    EXPECT_EQ(ChangedArea(before, frame), QRect(0, 7, 17, 3));
}

TEST(StampText, AFontTooLargeToDrawFailsCatchablyAndLeavesThePicture)
{
    Bitmap frame = Grey(32, 32, 10);
    const Bitmap before = frame;
    FontDesc huge = WhiteFont(2'000'000'000);
    EXPECT_THROW(StampText(frame, "00:00:01", huge, 9, 0, 0, 0, 80, true), std::length_error);
    EXPECT_EQ(frame, before);
}

}  // namespace
}  // namespace sm
