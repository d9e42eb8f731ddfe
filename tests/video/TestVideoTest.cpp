// The generator's videos, read back by the independent command-line decoder.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/CommandLineVideo.h"
#include "support/TestVideo.h"

namespace sm::test {
namespace {

// Frame `index` of a file as the command line shows it (rotation applied, aspect not),
// or an empty bitmap when the tool fails.
Bitmap CommandLineFrame(const QString& path, int index, int width, int height)
{
    return CommandLinePicture(path, QStringLiteral("select=eq(n\\,%1)").arg(index), width, height);
}

struct GeneratorCase {
    const char* name;
    TestVideoOptions options;
};

void PrintTo(const GeneratorCase& c, std::ostream* os) { *os << c.name; }

class GeneratedVideo : public ::testing::TestWithParam<GeneratorCase> {};

TEST_P(GeneratedVideo, FramesCarryTheirIndexUpright)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("clip.video"));
    const TestVideoOptions& options = GetParam().options;
    WriteTestVideo(path, options);
    // The command line turns the picture upright but keeps the coded aspect.
    int width = options.width;
    int height = options.height;
    if (options.rotationDegrees % 180 != 0)
        std::swap(width, height);
    for (int index : {0, 13, 37}) {
        const Bitmap frame = CommandLineFrame(path, index, width, height);
        ASSERT_FALSE(frame.isEmpty()) << "frame " << index;
        EXPECT_EQ(ReadFrameIndex(frame), index);
    }
}

TestVideoOptions With(VideoFormat format, int rotation = 0)
{
    TestVideoOptions options;
    options.format = format;
    options.rotationDegrees = rotation;
    return options;
}

INSTANTIATE_TEST_SUITE_P(Formats, GeneratedVideo,
                         ::testing::Values(GeneratorCase{"H264Mp4", With(VideoFormat::H264Mp4)},
                                           GeneratorCase{"Mpeg4Avi", With(VideoFormat::Mpeg4Avi)},
                                           GeneratorCase{"Mpeg2Ts", With(VideoFormat::Mpeg2Ts)},
                                           GeneratorCase{"Ffv1Mkv", With(VideoFormat::Ffv1Mkv)},
                                           GeneratorCase{"Rotated90", With(VideoFormat::H264Mp4, 90)},
                                           GeneratorCase{"Rotated270", With(VideoFormat::H264Mp4, 270)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FrameIndexPattern, RejectsPicturesNotShownUpright)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("clip.mkv"));
    WriteTestVideo(path, With(VideoFormat::Ffv1Mkv));
    const Bitmap upright = CommandLineFrame(path, 5, 160, 96);
    ASSERT_EQ(ReadFrameIndex(upright), 5);

    Bitmap mirrored(upright.width(), upright.height());
    Bitmap flipped(upright.width(), upright.height());
    Bitmap turned(upright.height(), upright.width());
    for (int y = 0; y < upright.height(); ++y) {
        for (int x = 0; x < upright.width(); ++x) {
            mirrored.setPixelRgb(upright.width() - 1 - x, y, upright.pixelRgb(x, y));
            flipped.setPixelRgb(x, upright.height() - 1 - y, upright.pixelRgb(x, y));
            turned.setPixelRgb(upright.height() - 1 - y, x, upright.pixelRgb(x, y));
        }
    }
    EXPECT_EQ(ReadFrameIndex(mirrored), -1);
    EXPECT_EQ(ReadFrameIndex(flipped), -1);
    EXPECT_EQ(ReadFrameIndex(turned), -1);
    EXPECT_EQ(ReadFrameIndex(Bitmap(160, 96)), -1);
}

}  // namespace
}  // namespace sm::test
