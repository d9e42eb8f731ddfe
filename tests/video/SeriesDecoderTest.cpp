// A series of exact frames decoded several seconds at a time against the engine's own
// seeks, one after another.
#include <QFile>

#include <initializer_list>

#include "EngineFixture.h"
#include "video/SeekFrameSearch.h"
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

// Seconds whose own picture is blank take the first later picture that is not, within
// the stretch: the workers decode on from the picture they found, the engine steps its
// seek frame on, and both come to the same picture.
class LaterPictureTest : public EngineTest {};

TEST_F(LaterPictureTest, ABlankSecondTakesTheFirstLaterPictureBeforeTheNextShotsSecond)
{
    TestVideoOptions options;
    options.fps = 5;
    options.durationSeconds = 10;
    options.flat = {{0, 2}, {4, 4.6, 235}, {6, 9}};  // black, a white slate, black again
    const QString path = Make(QStringLiteral("clip.mp4"), options);
    engine.OpenMedia(path);
    EXPECT_EQ(LaterPictureLimit(0, 4, 5), 40'000'000) << "before the next shot's second";
    EXPECT_EQ(LaterPictureLimit(8, std::nullopt, 5), 140'000'000) << "the fifth second after included";
    EXPECT_EQ(LaterPictureLimit(90, 90, 5), 900'000'000) << "no room";
    const std::vector<std::int64_t> seconds{0, 4, 6, 8};
    const struct {
        int skipSeconds;
        std::vector<int> frames;  // the index of the frame each second gives
        std::vector<bool> later;
    } cases[] = {
        // 6 s finds nothing before 8 s and keeps its own black picture.
        {5, {10, 23, 30, 45}, {true, true, false, true}},
        {1, {0, 23, 30, 45}, {false, true, false, true}},
    };
    for (const auto& c : cases) {
        const SkipRule rule{true, false, c.skipSeconds};
        SeriesDecoder decoder(QFile::encodeName(path).toStdString(), seconds, {2, 2, 1}, {}, rule);
        EngineSeekSeries stepped(engine, seconds, rule);
        for (SeekSeries* series : std::initializer_list<SeekSeries*>{&decoder, &stepped}) {
            for (std::size_t i = 0; i < seconds.size(); ++i) {
                SCOPED_TRACE(testing::Message() << "SkipSeconds " << c.skipSeconds << ", second " << seconds[i]
                                                << (series == &decoder ? " decoded" : " stepped"));
                series->SeekNext();
                Bitmap picture;
                std::int64_t units = -1;
                QDeadlineTimer deadline(kPatienceMs);
                while (!series->GrabTimedSeekFrame(picture, 100, units) && series->GetSeekProgress().Pending
                       && !deadline.hasExpired()) {}
                // A picture kept for want of a later one is its own black one.
                EXPECT_EQ(ReadFrameIndex(picture), c.later[i] ? c.frames[i] : -1);
                EXPECT_EQ(units, c.frames[i] * 2'000'000LL);
                EXPECT_EQ(series->TookLaterPicture(), c.later[i]);
            }
        }
    }
}

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
