// Play states, position reports, graph events and sound of the FFmpeg engine.
#include <QSignalSpy>

#include "EngineFixture.h"
#include "video/AudioOutput.h"

namespace sm::test {
namespace {

TEST_F(EngineTest, PlayStateFollowsTheCommands)
{
    FfmpegEngine idle;
    EXPECT_EQ(idle.GetPlayState(), PlayState::Uninitialized);
    EXPECT_FALSE(idle.Play()) << "nothing to play";

    engine.OpenMedia(Make(QStringLiteral("clip.mp4"), {}));
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped);
    engine.Play();
    EXPECT_EQ(engine.GetPlayState(), PlayState::Playing);
    engine.Pause();
    EXPECT_EQ(engine.GetPlayState(), PlayState::Paused);
    engine.Stop();
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped);
    engine.ClearGraph();
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped);
    engine.SetActive(false);
    EXPECT_EQ(engine.GetPlayState(), PlayState::Uninitialized);
}

TEST_F(EngineTest, PositionIsReportedWhilePlayingOnly)
{
    TestVideoOptions options;
    options.durationSeconds = 6;
    engine.OpenMedia(Make(QStringLiteral("clip.mp4"), options));
    QSignalSpy reports(&engine, &MediaEngine::PositionReport);
    engine.Play();
    ASSERT_TRUE(WaitUntil([&] { return reports.size() >= 2; }));
    EXPECT_LE(reports.at(1).at(0).toUInt(), 6000u);
    EXPECT_GT(reports.at(1).at(0).toUInt(), reports.at(0).at(0).toUInt()) << "the position moves on";
    EXPECT_EQ(reports.first().at(1).toUInt(), 6000u);

    engine.Pause();
    reports.clear();
    ProcessEventsFor(1500);
    EXPECT_TRUE(reports.isEmpty());
}

// The end of the stream is announced once, with sound or without, muted or not.
TEST_F(EngineTest, PlayingToTheEndRaisesComplete)
{
    for (const bool audio : {false, true}) {
        for (const bool muted : {false, true}) {
            TestVideoOptions options;
            options.durationSeconds = 1;
            options.audio = audio;
            engine.SetMuted(muted);
            engine.OpenMedia(Make(QStringLiteral("clip%1%2.mp4").arg(audio).arg(muted), options));
            QSignalSpy events(&engine, &MediaEngine::GraphEvent);
            engine.Play();
            ASSERT_TRUE(WaitUntil([&] { return events.size() > 0; })) << audio << muted;
            EXPECT_EQ(events.first().at(0).toInt(), int(EC_COMPLETE));
            EXPECT_EQ(PresentedIndex(), 24) << "the last picture is on screen";
            LetThePlayerRunOn(300);
            EXPECT_EQ(events.size(), 1) << "announced once";
        }
    }
}

// Playing behind a hidden window decodes only what is asked for: the seek pictures, the
// picture at the position when the presented one is grabbed, and when it is seen again.
TEST_F(EngineTest, PicturesNobodyWatchesAreNotDecoded)
{
    TestVideoOptions options;
    options.durationSeconds = 6;
    engine.SetPicturesWatched(false);
    engine.OpenMedia(Make(QStringLiteral("clip.mp4"), options));
    QSignalSpy presented(&engine, &MediaEngine::FramePresented);
    engine.Play();
    QDeadlineTimer played(1200);
    ASSERT_TRUE(WaitUntil([&] { return played.hasExpired() && !presented.isEmpty(); }));
    engine.Pause();
    EXPECT_EQ(presented.size(), 1) << "only the picture at the start";
    EXPECT_GT(PresentedIndex(), 0) << "a grab gets the picture at the position";
    EXPECT_TRUE(PresentedTimeMatchesPicture());

    engine.Play();
    engine.SeekTo(3);
    EXPECT_EQ(SeekFrameIndex(), 75);
    engine.SetPicturesWatched(true);
    ASSERT_TRUE(WaitUntil([&] { return PresentedIndex() > 75; }));
    EXPECT_TRUE(PresentedTimeMatchesPicture());

    engine.SetPicturesWatched(false);
    QSignalSpy events(&engine, &MediaEngine::GraphEvent);
    engine.SeekTo(5);
    ASSERT_TRUE(WaitUntil([&] { return events.size() > 0; })) << "the end is reached unseen too";
    EXPECT_EQ(events.first().at(0).toInt(), int(EC_COMPLETE));
    LetThePlayerRunOn(300);
    EXPECT_EQ(events.size(), 1) << "announced once";
}

TEST_F(EngineTest, SoundOnlyFilePlaysToTheEndWithoutPictures)
{
    TestVideoOptions options;
    options.video = false;
    options.audio = true;
    options.durationSeconds = 1;
    engine.OpenMedia(Make(QStringLiteral("tone.mkv"), options));
    int width = 7, height = 9;
    engine.GetVideoSize(width, height);
    EXPECT_EQ(width, 7);
    EXPECT_EQ(height, 9);
    QSignalSpy events(&engine, &MediaEngine::GraphEvent);
    engine.Play();
    ASSERT_TRUE(WaitUntil([&] { return events.size() > 0; }));
    EXPECT_EQ(events.first().at(0).toInt(), int(EC_COMPLETE));
    Bitmap untouched;
    EXPECT_FALSE(engine.GrabFrame(untouched));
    engine.SeekTo(0);
    EXPECT_FALSE(engine.GrabSeekFrame(untouched, 5000));
}

TEST_F(EngineTest, ReleasingTheGraphWhilePlayingStopsEverything)
{
    TestVideoOptions options;
    options.durationSeconds = 4;
    options.audio = true;
    const QString path = Make(QStringLiteral("clip.mp4"), options);
    engine.OpenMedia(path);
    QSignalSpy events(&engine, &MediaEngine::GraphEvent);
    engine.Play();
    ASSERT_TRUE(WaitUntil([this] { return PresentedIndex() > 5; }));
    engine.SetActive(false);
    EXPECT_FALSE(engine.IsActive());
    EXPECT_FALSE(engine.GrabFrame(*std::make_unique<Bitmap>()));
    // The release joined the player's threads: whatever they raised is queued by now.
    QCoreApplication::processEvents();
    EXPECT_TRUE(events.isEmpty()) << "no event of the released graph arrives";

    // Destroying a playing engine joins its threads.
    auto another = std::make_unique<FfmpegEngine>();
    another->SetActive(true);
    another->OpenMedia(path);
    another->Play();
    another->SeekTo(2);
    another.reset();
}

TEST(Volume, MapsTheLinearScaleThroughDecibels)
{
    EXPECT_DOUBLE_EQ(VolumeToGain(10000), 1.0);
    EXPECT_NEAR(VolumeToGain(0), 1e-5, 1e-12);
    EXPECT_NEAR(VolumeToGain(8000), 0.1, 1e-12);  // -20 dB
    EXPECT_DOUBLE_EQ(VolumeToGain(12000), 1.0);
    EXPECT_NEAR(VolumeToGain(-5), 1e-5, 1e-12);
}

}  // namespace
}  // namespace sm::test
