// A batch run through the FFmpeg engine over generated videos mixed with files that are
// no videos: every good video gets its shots, each showing the frame its label names,
// and its sheet; the rest are skipped.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <initializer_list>

#include <gtest/gtest.h>

#include "batch/BatchRun.h"
#include "capture/HeadlessRunHost.h"
#include "common/QImageAdapter.h"
#include "output/Encoders.h"
#include "support/TestVideo.h"
#include "video/FfmpegEngine.h"

namespace sm {
namespace {

constexpr int kFps = 25;

TEST(BatchEndToEnd, GoodVideosGetShotsOfTheirLabelledFramesAndBadFilesAreSkipped)
{
    QTemporaryDir videos;
    QTemporaryDir output;
    ASSERT_TRUE(videos.isValid() && output.isValid());
    const auto in = [&](const char* name) { return videos.filePath(QString::fromUtf8(name)); };
    test::TestVideoOptions options;
    options.fps = kFps;
    options.durationSeconds = 12;
    test::WriteTestVideo(in("clip.part1.mp4"), options);
    options.format = test::VideoFormat::Mpeg4Avi;
    test::WriteTestVideo(in("second.avi"), options);
    options.format = test::VideoFormat::H264Mkv;
    options.video = false;
    options.audio = true;
    options.durationSeconds = 2;
    test::WriteTestVideo(in("sound.mkv"), options);
    QFile(in("empty.avi")).open(QIODevice::WriteOnly);
    QFile text(in("notes.avi"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a video at all\n");
    text.close();
    QFile whole(in("second.avi"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QFile cut(in("cut.avi"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.read(whole.size() / 3));
    cut.close();
    QDir(videos.path()).mkdir("folder.avi");

    AppSettings settings;
    settings.OutputFolder = output.path();
    settings.SaveFormat = 1;
    settings.CountFrames = 2;
    settings.CaptureSpeed = 1;
    settings.NeedResize = false;
    settings.AddTimeStamp = false;
    FfmpegEngine engine;
    VideoSession session(engine);
    session.SetWait([](int) {});  // releasing a graph here needs no time to wind down
    HeadlessRunHost host;
    RunControl control;
    Encoders encoders;
    QString prefix;
    std::vector<BatchItem> items;
    for (const char* name : {"clip.part1.mp4", "cut.avi", "empty.avi", "folder.avi", "notes.avi", "second.avi",
                             "sound.mkv", "vanished.avi"})
        items.push_back({in(name), true});

    const BatchRunResult result
        = RunBatch(session, host, control, settings, encoders, prefix, items, BatchChoices{}, BatchRunEvents{});

    EXPECT_EQ(result.Outcome, BatchRunOutcome::Completed);
    for (int i : {2, 3, 4, 7})
        EXPECT_EQ(result.Videos[std::size_t(i)].Status, BatchVideoStatus::NotLoaded) << i;
    EXPECT_TRUE(result.Videos[6].ShotFiles.isEmpty() && result.Videos[6].SheetFile.isEmpty()) << "no picture, no sheet";
    for (const QString name : {"clip_", "second_"}) {
        for (int k = 0; k < 2; ++k) {
            const QString file = output.filePath(name + QStringLiteral("000%1.png").arg(k + 1));
            EXPECT_EQ(test::ReadFrameIndex(FromQImage(QImage(file))), k * 6 * kFps) << file.toStdString();
        }
        EXPECT_FALSE(QImage(output.filePath(name + "thumb.png")).isNull());
    }
}

}  // namespace
}  // namespace sm
