#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

extern "C" {
#include <libavutil/display.h>
}

#include "video/DisplayGeometry.h"
#include "video/FrameConverter.h"

namespace sm {
namespace {

TEST(DisplayGeometry, TurnsAndStretchesAsTheFileAsks)
{
    struct Case {
        double matrixAngle;  // as given to av_display_rotation_set; NAN: no matrix
        int sarNum, sarDen;
        int clockwise, width, height;
    };
    const Case cases[] = {
        {NAN, 1, 1, 0, 640, 360},   {90, 1, 1, 90, 360, 640},    {-90, 1, 1, 270, 360, 640},
        {180, 1, 1, 180, 640, 360}, {89.6, 1, 1, 90, 360, 640},  {NAN, 4, 3, 0, 853, 360},
        {NAN, 0, 1, 0, 640, 360},   {NAN, 1000, 1, 0, 640, 360}, {90, 2, 1, 90, 360, 1280},
    };
    for (const Case& c : cases) {
        std::int32_t matrix[9];
        av_display_rotation_set(matrix, std::isnan(c.matrixAngle) ? 0 : c.matrixAngle);
        const DisplayGeometry g
            = ComputeDisplayGeometry(640, 360, c.sarNum, c.sarDen, std::isnan(c.matrixAngle) ? nullptr : matrix);
        EXPECT_EQ(g.clockwiseDegrees, c.clockwise) << c.matrixAngle;
        EXPECT_EQ(g.displayWidth, c.width) << c.matrixAngle << " " << c.sarNum;
        EXPECT_EQ(g.displayHeight, c.height) << c.matrixAngle << " " << c.sarNum;
    }
}

TEST(TurnClockwise, MovesCornersWhereAQuarterTurnPutsThem)
{
    Bitmap source(3, 2);
    source.setPixelRgb(0, 0, 0x112233);  // top left
    source.setPixelRgb(2, 1, 0x445566);  // bottom right
    const Bitmap quarter = TurnClockwise(source, 90);
    ASSERT_EQ(quarter.width(), 2);
    ASSERT_EQ(quarter.height(), 3);
    EXPECT_EQ(quarter.pixelRgb(1, 0), 0x112233u);
    EXPECT_EQ(quarter.pixelRgb(0, 2), 0x445566u);
    const Bitmap half = TurnClockwise(source, 180);
    EXPECT_EQ(half.pixelRgb(2, 1), 0x112233u);
    const Bitmap threeQuarters = TurnClockwise(source, 270);
    EXPECT_EQ(threeQuarters.pixelRgb(0, 2), 0x112233u);
    EXPECT_EQ(threeQuarters.pixelRgb(1, 0), 0x445566u);
}

}  // namespace
}  // namespace sm
