// A series of exact frames decoded several seconds at a time against the engine's own
// seeks, one after another.
#include <QFile>

#include "EngineFixture.h"
#include "video/SeriesDecoder.h"

namespace sm::test {
namespace {

struct SeriesCase {
    const char* name;
    TestVideoOptions video;
    SeriesLimits limits;
};

void PrintTo(const SeriesCase& c, std::ostream* os) { *os << c.name; }

TestVideoOptions Video(VideoFormat format, int gopSize, int rotation = 0, int containerSarNum = 0,
                       double startSeconds = 0)
{
    TestVideoOptions options;
    options.format = format;
    options.durationSeconds = 6;
    options.gopSize = gopSize;
    options.rotationDegrees = rotation;
    options.containerSarNum = containerSarNum;
    options.containerSarDen = containerSarNum > 0 ? 3 : 0;
    options.startSeconds = startSeconds;
    return options;
}

class SeriesDecoderTest : public EngineTest, public ::testing::WithParamInterface<SeriesCase> {};

// The start, a key frame, two seconds of one group of pictures (with key frames every
// 3 s in the first case) and the end, which gives the last picture.
TEST_P(SeriesDecoderTest, GivesThePicturesOfTheEnginesSeeksInOrder)
{
    const SeriesCase& c = GetParam();
    const QString path = Make(QStringLiteral("clip"), c.video);
    engine.OpenMedia(path);
    const std::vector<std::int64_t> seconds{0, 3, 4, 5, 6};
    std::vector<Bitmap> expected;
    std::vector<std::int64_t> expectedUnits;
    for (std::int64_t second : seconds) {
        ASSERT_TRUE(engine.SeekTo(second));
        Bitmap picture;
        std::int64_t units = -1;
        ASSERT_TRUE(engine.GrabTimedSeekFrame(picture, 10000, units)) << "second " << second;
        const int index = std::min<int>(int(second) * 25, 149);
        EXPECT_EQ(ReadFrameIndex(picture), index) << "second " << second;
        // The picture's own time, which the last one's is not the second's.
        EXPECT_NEAR(double(units), index * 400'000.0, 10'000.0) << "second " << second;
        expected.push_back(std::move(picture));
        expectedUnits.push_back(units);
    }

    SeriesDecoder series(QFile::encodeName(path).toStdString(), seconds, c.limits);
    for (std::size_t i = 0; i < seconds.size(); ++i) {
        series.SeekNext();
        Bitmap picture;
        std::int64_t units = -1;
        ASSERT_TRUE(series.GrabTimedSeekFrame(picture, 10000, units)) << "second " << seconds[i];
        EXPECT_TRUE(picture == expected[i]) << "second " << seconds[i];
        EXPECT_EQ(units, expectedUnits[i]) << "second " << seconds[i];
        EXPECT_FALSE(series.GetSeekProgress().Pending);
    }
    series.SeekNext();
    Bitmap untouched(2, 2);
    EXPECT_FALSE(series.GrabSeekFrame(untouched, 0)) << "past the last second";
    EXPECT_EQ(untouched, Bitmap(2, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Videos, SeriesDecoderTest,
    ::testing::Values(SeriesCase{"H264TurnedTwoWorkers", Video(VideoFormat::H264Mp4, 75, 90), {2, 2, 1}},
                      SeriesCase{"Mpeg2OneAheadOfThreeWorkers", Video(VideoFormat::Mpeg2Ts, 12), {3, 1, 0}},
                      // The container's aspect ratio and a start time other than 0.
                      SeriesCase{"H264MkvStretchedLateStart", Video(VideoFormat::H264Mkv, 25, 0, 4, 1.5), {2, 5, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SeriesDecoder, AFileNoWorkerCanOpenGivesNoFramesWithoutKeepingTheCallerWaiting)
{
    SeriesDecoder series("/nonexistent/clip.mp4", {1, 2}, {2, 2, 1});
    for (int i = 0; i < 2; ++i) {
        series.SeekNext();
        Bitmap untouched(2, 2);
        EXPECT_FALSE(series.GrabSeekFrame(untouched, 10000));
        EXPECT_EQ(untouched, Bitmap(2, 2));
        EXPECT_FALSE(series.GetSeekProgress().Pending);
    }
}

}  // namespace
}  // namespace sm::test
