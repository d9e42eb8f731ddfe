#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include <vector>

extern "C" {
#include <libavutil/display.h>
#include <libavutil/frame.h>
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

// Widths whose rows are not a whole number of the scaler's vector blocks; the scaler used
// to write past the end of the picture at many of them.
std::vector<int> SweptWidths()
{
    std::vector<int> widths;
    for (int w = 1; w <= 64; ++w)
        widths.push_back(w);
    for (int w : {199, 200, 360, 541, 540, 1080, 1366, 1918, 1919})
        widths.push_back(w);
    return widths;
}

TEST(FrameConverter, ConvertsEveryWidthToItsExactPixels)
{
    FrameConverter converter;
    for (int width : SweptWidths()) {
        for (int height : {1, 3}) {
            for (int degrees : {0, 90}) {
                AVFrame* frame = av_frame_alloc();
                frame->format = AV_PIX_FMT_YUV420P;
                frame->width = width;
                frame->height = height;
                frame->color_range = AVCOL_RANGE_JPEG;
                ASSERT_GE(av_frame_get_buffer(frame, 0), 0);
                for (int plane = 0; plane < 3; ++plane) {
                    const int shift = plane == 0 ? 0 : 1;  // the colour planes are halved each way
                    for (int y = 0; y < (height + shift) >> shift; ++y)
                        std::memset(frame->data[plane] + y * frame->linesize[plane], plane == 0 ? 200 : 128,
                                    std::size_t((width + shift) >> shift));
                }
                DisplayGeometry geometry = ComputeDisplayGeometry(width, height, 1, 1, nullptr);
                geometry.clockwiseDegrees = degrees;
                const Bitmap picture = converter.Convert(*frame, geometry);
                av_frame_free(&frame);
                ASSERT_EQ(picture.width(), degrees ? height : width);
                ASSERT_EQ(picture.height(), degrees ? width : height);
                for (int y = 0; y < picture.height(); ++y) {
                    for (int x = 0; x < picture.width(); ++x)
                        ASSERT_EQ(picture.pixelRgb(x, y), 0xC8C8C8u) << width << " x " << height << " at " << x;
                    for (std::size_t pad = std::size_t(picture.width()) * 3; pad < picture.stride(); ++pad)
                        ASSERT_EQ(picture.row(y)[pad], 0) << "row padding stays zero at width " << width;
                }
            }
        }
    }
}

}  // namespace
}  // namespace sm
