// Exact seeking, grabbing and the picture geometry of the FFmpeg engine.
#include <QSignalSpy>

#include "EngineFixture.h"

namespace sm::test {
namespace {

struct SeekCase {
    const char* name;
    VideoFormat format;
    int gopSize;
    double startSeconds;
};

void PrintTo(const SeekCase& c, std::ostream* os) { *os << c.name; }

class ExactSeek : public EngineTest, public ::testing::WithParamInterface<SeekCase> {};

// Paused, a seek presents the picture whose display interval holds the target: key
// frames, pictures deep inside a group, B-frames, backwards and to the very start.
TEST_P(ExactSeek, PausedSeekPresentsThePictureAtTheTarget)
{
    TestVideoOptions options;
    options.format = GetParam().format;
    options.gopSize = GetParam().gopSize;
    options.startSeconds = GetParam().startSeconds;
    options.durationSeconds = 4;
    engine.OpenMedia(Make(QStringLiteral("clip"), options));
    if (options.startSeconds == 0) {
        EXPECT_EQ(engine.GetDuration(), 4);
    }
    ASSERT_TRUE(engine.Pause());

    struct Target {
        std::int64_t units;
        int frame;
    };
    const Target targets[] = {
        {20'000'000, 50},  // a whole second
        {5'300'000, 13},   // inside a picture's interval, inside a group
        {38'000'000, 95},  // near the end
        {9'600'000, 24},   // the picture just before a key frame at 1 s
        {0, 0},            // back to the start
        {39'900'000, 99},  // the last picture
    };
    for (const Target& target : targets) {
        ASSERT_TRUE(engine.SeekToUnits(target.units));
        EXPECT_EQ(SeekFrameIndex(), target.frame) << "seek to " << target.units;
        EXPECT_EQ(PresentedIndex(), target.frame) << "seek to " << target.units;
        EXPECT_TRUE(PresentedTimeMatchesPicture()) << "seek to " << target.units;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, ExactSeek,
                         ::testing::Values(SeekCase{"H264Mp4", VideoFormat::H264Mp4, 25, 0},
                                           SeekCase{"Mpeg4Avi", VideoFormat::Mpeg4Avi, 12, 0},
                                           SeekCase{"Mpeg2Ts", VideoFormat::Mpeg2Ts, 12, 0},
                                           SeekCase{"H264MkvLateStart", VideoFormat::H264Mkv, 25, 1.5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, SeekWhileStoppedKeepsThePictureButDecodesTheSeekFrame)
{
    TestVideoOptions options;
    options.durationSeconds = 4;
    engine.OpenMedia(Make(QStringLiteral("clip.mp4"), options));
    ASSERT_TRUE(engine.SeekTo(2));
    EXPECT_EQ(SeekFrameIndex(), 50);
    Bitmap untouched(3, 3);
    EXPECT_FALSE(engine.GrabFrame(untouched)) << "nothing was presented yet";
    EXPECT_EQ(untouched, Bitmap(3, 3));

    // A picture on screen stays through a stop and a seek while stopped.
    ASSERT_TRUE(engine.Pause());
    ASSERT_TRUE(engine.SeekTo(1));
    EXPECT_EQ(SeekFrameIndex(), 25);
    ASSERT_TRUE(engine.Stop());
    ASSERT_TRUE(engine.SeekTo(3));
    EXPECT_EQ(SeekFrameIndex(), 75);
    EXPECT_EQ(PresentedIndex(), 25);

    // Playing on from there starts at the stopped position.
    ASSERT_TRUE(engine.Play());
    EXPECT_TRUE(WaitUntil([this] { return PresentedIndex() >= 75; }));
}

// What the automatic capture does: play, seek, let it play on, stop, grab.
TEST_F(EngineTest, SeekFrameStaysAtTheTargetWhilePlayingOn)
{
    TestVideoOptions options;
    options.durationSeconds = 4;
    options.audio = true;
    engine.OpenMedia(Make(QStringLiteral("clip.mp4"), options));
    ASSERT_TRUE(engine.Play());
    ASSERT_TRUE(engine.SeekTo(1));
    EXPECT_EQ(SeekFrameIndex(), 25);
    EXPECT_GE(PresentedIndex(), 25) << "the target is shown as soon as it is found";
    EXPECT_TRUE(WaitUntil([this] { return PresentedIndex() > 40; })) << "plays on from the target";
    EXPECT_TRUE(PresentedTimeMatchesPicture());
    ASSERT_TRUE(engine.Stop());
    EXPECT_EQ(SeekFrameIndex(), 25);
    EXPECT_GT(PresentedIndex(), 25);
}

TEST_F(EngineTest, NoSeekFrameBeforeAnySeek)
{
    engine.OpenMedia(Make(QStringLiteral("clip.mp4"), {}));
    Bitmap untouched(2, 2);
    EXPECT_FALSE(engine.GrabSeekFrame(untouched, 0));
    EXPECT_EQ(untouched, Bitmap(2, 2));
}

struct GeometryCase {
    const char* name;
    int width, height, rotation, sarNum, sarDen;
    int displayWidth, displayHeight;
    VideoFormat format = VideoFormat::H264Mp4;
    int containerSarNum = 0, containerSarDen = 0;
};

void PrintTo(const GeometryCase& c, std::ostream* os) { *os << c.name; }

class DisplayedPicture : public EngineTest, public ::testing::WithParamInterface<GeometryCase> {};

// Pictures come out upright and with square pixels, at the size GetVideoSize reports.
TEST_P(DisplayedPicture, IsUprightAndUnsqueezed)
{
    const GeometryCase& c = GetParam();
    TestVideoOptions options;
    options.width = c.width;
    options.height = c.height;
    options.rotationDegrees = c.rotation;
    options.sarNum = c.sarNum;
    options.sarDen = c.sarDen;
    options.format = c.format;
    options.containerSarNum = c.containerSarNum;
    options.containerSarDen = c.containerSarDen;
    engine.OpenMedia(Make(QStringLiteral("clip"), options));
    int width = -1, height = -1;
    engine.GetVideoSize(width, height);
    EXPECT_EQ(width, c.displayWidth);
    EXPECT_EQ(height, c.displayHeight);

    ASSERT_TRUE(engine.Pause());
    ASSERT_TRUE(engine.SeekToUnits(4'000'000));
    Bitmap picture;
    ASSERT_TRUE(engine.GrabSeekFrame(picture, 10000));
    EXPECT_EQ(picture.width(), c.displayWidth);
    EXPECT_EQ(picture.height(), c.displayHeight);
    EXPECT_EQ(picture.bitsPerPixel(), 24);
    EXPECT_EQ(ReadFrameIndex(picture), 10);
}

INSTANTIATE_TEST_SUITE_P(Geometry, DisplayedPicture,
                         ::testing::Values(GeometryCase{"Plain", 160, 96, 0, 1, 1, 160, 96},
                                           GeometryCase{"Portrait", 160, 96, 90, 1, 1, 96, 160},
                                           GeometryCase{"UpsideDown", 160, 96, 180, 1, 1, 160, 96},
                                           GeometryCase{"TurnedLeft", 160, 96, 270, 1, 1, 96, 160},
                                           GeometryCase{"Anamorphic", 80, 96, 0, 2, 1, 160, 96},
                                           GeometryCase{"AnamorphicPortrait", 80, 96, 90, 2, 1, 96, 160},
                                           // Square pixels in the stream, 16:9 in the container.
                                           GeometryCase{"ContainerAspect", 320, 240, 0, 1, 1, 426, 240,
                                                        VideoFormat::H264Mkv, 4, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, ListsTheChainAndMeasuresTheFile)
{
    EXPECT_EQ(engine.ListFilterNames(), QStringLiteral("Video Renderer\rFrame Grabber\r"));
    TestVideoOptions options;
    options.durationSeconds = 3;
    options.audio = true;
    engine.OpenMedia(Make(QStringLiteral("clip.mp4"), options));
    const QStringList names = engine.ListFilterNames().split(QChar(13));
    ASSERT_EQ(names.size(), 7) << engine.ListFilterNames().toStdString();
    EXPECT_EQ(names[0], QStringLiteral("Video Renderer"));
    EXPECT_EQ(names[1], QStringLiteral("Frame Grabber"));
    EXPECT_TRUE(names[2].contains(QStringLiteral("demultiplexer")));
    EXPECT_EQ(names[3], QStringLiteral("h264 decoder"));
    EXPECT_EQ(names[4], QStringLiteral("mp3 decoder"));
    EXPECT_EQ(names[5], QStringLiteral("Audio Renderer"));
    EXPECT_TRUE(names[6].isEmpty()) << "every name ends with a CR";
    EXPECT_EQ(engine.GetDuration(), 3);
    EXPECT_GE(engine.GetStopPosition(), 30'000'000);

    engine.SetActive(false);
    EXPECT_TRUE(engine.ListFilterNames().isEmpty());
    EXPECT_EQ(engine.GetDuration(), 0);
}

}  // namespace
}  // namespace sm::test
