#include <gtest/gtest.h>

#include "capture/ListThumbnail.h"
#include "capture/MarkedFrame.h"
#include "common/ColorValue.h"

namespace sm {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kPictureColour = 0x3366CC;

std::uint32_t ButtonFace() { return BgrToRgb(ColorToRGB(clBtnFace)); }

struct ThumbCase {
    int width;
    int height;
    Rect picture;
};

class ListThumbnailTest : public testing::TestWithParam<ThumbCase> {};

TEST_P(ListThumbnailTest, PutsThePictureInItsRectangleInsideASunkenFrame)
{
    const ThumbCase c = GetParam();
    EXPECT_EQ(ListThumbnailPictureRect(c.width, c.height), c.picture);

    Bitmap thumb;
    MakeListThumbnail(test::MarkedFrame(kPictureColour, c.width, c.height), thumb);
    ASSERT_EQ(thumb.width(), 100);
    ASSERT_EQ(thumb.height(), 100);
    const Rect& p = c.picture;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool inside = x >= p.left && x < p.right && y >= p.top && y < p.bottom;
            if (inside)
                ASSERT_EQ(thumb.pixelRgb(x, y), kPictureColour) << x << "," << y;
            else
                ASSERT_NE(thumb.pixelRgb(x, y), kPictureColour) << x << "," << y;
        }
    }
    const int midX = (p.left + p.right) / 2;
    const int midY = (p.top + p.bottom) / 2;
    EXPECT_EQ(thumb.pixelRgb(midX, p.top - 1), kGrey) << "sunken frame, top";
    EXPECT_EQ(thumb.pixelRgb(p.left - 1, midY), kGrey) << "sunken frame, left";
    EXPECT_EQ(thumb.pixelRgb(midX, p.bottom), kWhite) << "sunken frame, bottom";
    EXPECT_EQ(thumb.pixelRgb(p.right, midY), kWhite) << "sunken frame, right";
}

INSTANTIATE_TEST_SUITE_P(Shapes, ListThumbnailTest,
                         testing::Values(ThumbCase{640, 480, Rect{8, 18, 91, 81}},
                                         ThumbCase{480, 640, Rect{18, 8, 81, 91}},
                                         ThumbCase{300, 300, Rect{8, 8, 92, 91}}));

TEST(ListThumbnailFrameTest, DrawsARaisedOuterFrameOnButtonFace)
{
    Bitmap thumb;
    MakeListThumbnail(test::MarkedFrame(kPictureColour, 640, 480), thumb);
    EXPECT_EQ(thumb.pixelRgb(4, 4), ButtonFace());
    EXPECT_EQ(thumb.pixelRgb(50, 0), kWhite);
    EXPECT_EQ(thumb.pixelRgb(0, 50), kWhite);
    EXPECT_EQ(thumb.pixelRgb(99, 0), kWhite) << "the top edge starts at x + width";
    EXPECT_EQ(thumb.pixelRgb(50, 99), kGrey);
    EXPECT_EQ(thumb.pixelRgb(99, 50), kGrey);
    EXPECT_EQ(thumb.pixelRgb(0, 99), kGrey) << "the left edge leaves out its end point";
}

TEST(ListThumbnailFrameTest, SurvivesPicturesWithoutArea)
{
    Bitmap thumb(10, 10, 8);
    MakeListThumbnail(Bitmap(), thumb);
    EXPECT_EQ(thumb.bitsPerPixel(), 24);
    EXPECT_EQ(thumb.pixelRgb(50, 50), ButtonFace());

    MakeListThumbnail(test::MarkedFrame(kPictureColour, 1000, 1), thumb);  // scales to 0 rows
    for (int y = 0; y < 100; ++y)
        ASSERT_NE(thumb.pixelRgb(50, y), kPictureColour) << y;
}

TEST(DrawBevelFrameTest, SunkenSwapsTheColoursAndEveryLineLeavesOutItsEnd)
{
    Bitmap b(10, 10, 24);
    Canvas canvas(b);
    DrawBevelFrame(canvas, 1, 1, 5, 4, false);
    EXPECT_EQ(b.pixelRgb(6, 1), kGrey) << "start of the top edge";
    EXPECT_EQ(b.pixelRgb(1, 1), kGrey);
    EXPECT_EQ(b.pixelRgb(1, 4), kGrey);
    EXPECT_EQ(b.pixelRgb(1, 5), kWhite) << "bottom edge starts where the left one ended";
    EXPECT_EQ(b.pixelRgb(5, 5), kWhite);
    EXPECT_EQ(b.pixelRgb(6, 5), kWhite) << "right edge starts at the bottom right corner";
    EXPECT_EQ(b.pixelRgb(6, 2), kWhite);
    EXPECT_EQ(b.pixelRgb(3, 3), 0u) << "inside untouched";
}

}  // namespace
}  // namespace sm
