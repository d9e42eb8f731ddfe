// Automatic capture from a real video through the FFmpeg engine, then saving the
// shots as PNG files and reading them back.
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "capture/AutoCapture.h"
#include "capture/HeadlessRunHost.h"
#include "capture/ShotFiles.h"
#include "capture/ShotSeries.h"
#include "common/QImageAdapter.h"
#include "output/Encoders.h"
#include "support/TestVideo.h"
#include "video/DelayWithMessages.h"
#include "video/FfmpegEngine.h"

namespace sm {
namespace {

constexpr int kFps = 25;

class CaptureEndToEndTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        test::TestVideoOptions options;
        options.format = test::VideoFormat::H264Mp4;
        options.fps = kFps;
        options.durationSeconds = 12;
        video = dir.filePath("clip.mp4");
        test::WriteTestVideo(video, options);
        engine.SetActive(true);
        engine.OpenMedia(video);
    }

    // Every row's picture shows the frame of the second its label names.
    void ExpectRowsShowTheirLabelledFrames(const std::vector<int>& seconds)
    {
        ASSERT_EQ(shots.RowCount(), int(seconds.size()));
        for (int row = 0; row < shots.RowCount(); ++row)
            EXPECT_EQ(test::ReadFrameIndex(shots.RowBitmap(row).expand()), seconds[std::size_t(row)] * kFps)
                << "row " << row;
    }

    QTemporaryDir dir;
    QString video;
    FfmpegEngine engine;
    ShotList shots;
    // Waits for real, as the window does, and records every wait.
    std::vector<int> waits;
    HeadlessRunHost host{[this](int milliseconds) {
        waits.push_back(milliseconds);
        DelayWithMessages(milliseconds);
    }};
    RunControl control;
};

TEST_F(CaptureEndToEndTest, TwelveShotsSavedAsPngShowTheFramesOfTheirLabels)
{
    const AutoCaptureRequest request{CaptureMethod::CountOfShots, 12, 60, 0, int(engine.GetDuration()), 0, {}};
    ASSERT_EQ(AutoCapture(engine, shots, host, control).Run(request), AutoCaptureOutcome::Completed);
    ExpectRowsShowTheirLabelledFrames({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});

    AppSettings settings;
    settings.OutputFolder = dir.path();
    settings.SaveFormat = 1;
    settings.NeedResize = false;
    settings.AddTimeStamp = false;
    Encoders encoders;
    SaveShotsRun save(settings, host, control, BitmapFileWriter(settings, encoders));
    const SaveShotsResult result = save.Run(shots.ShotsInDisplayOrder(), [] { return QStringLiteral("clip_"); });
    EXPECT_EQ(result.Written, 12);

    for (int n = 1; n <= 12; ++n) {
        const QString file = ShotFileName(settings.OutputFolder, "clip_", n, ".png");
        const QImage image(file);
        ASSERT_FALSE(image.isNull()) << file.toStdString();
        EXPECT_EQ(test::ReadFrameIndex(FromQImage(image)), (n - 1) * kFps) << file.toStdString();
    }
}

TEST_F(CaptureEndToEndTest, ThePlayingTimeAfterTheSeekDoesNotMoveTheShotAwayFromItsLabel)
{
    const AutoCaptureRequest request{CaptureMethod::EveryNSeconds, 12, 4, 1, int(engine.GetDuration()), 1, {}};
    ASSERT_EQ(AutoCapture(engine, shots, host, control).Run(request), AutoCaptureOutcome::Completed);
    EXPECT_EQ(waits, (std::vector<int>{1000, 1000}));
    ExpectRowsShowTheirLabelledFrames({1, 5});
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped);
}

// The stop request after the second shot, while the later seconds are being decoded
// ahead: the series ends there, and the engine seeks as before.
TEST_F(CaptureEndToEndTest, AStopBetweenShotsEndsASeriesDecodedAhead)
{
    control.AbortRequested = false;
    std::vector<int> frames;
    const ShotSeriesResult result
        = TakeShotSeries(engine, host, control, {1, 3, 5, 7, 9, 11}, 0, [this, &frames](TakenShot&& shot) {
              frames.push_back(test::ReadFrameIndex(shot.Picture));
              control.AbortRequested = frames.size() == 2;
          });
    EXPECT_EQ(result.Outcome, ShotSeriesOutcome::Aborted);
    EXPECT_EQ(result.Taken, 2);
    EXPECT_EQ(frames, (std::vector<int>{1 * kFps, 3 * kFps}));

    ASSERT_TRUE(engine.SeekTo(10));
    Bitmap picture;
    ASSERT_TRUE(engine.GrabSeekFrame(picture, 10000));
    EXPECT_EQ(test::ReadFrameIndex(picture), 10 * kFps);
}

}  // namespace
}  // namespace sm
