// A batch run through the FFmpeg engine over generated videos mixed with files that are
// no videos: every good video gets its shots, each showing the frame its label names,
// and its sheet; the rest are skipped.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "batch/BatchRun.h"
#include "capture/HeadlessRunHost.h"
#include "common/QImageAdapter.h"
#include "imaging/PictureQuality.h"
#include "imaging/TimeLabel.h"
#include "output/Encoders.h"
#include "support/TestVideo.h"
#include "video/FfmpegEngine.h"

namespace sm {
namespace {

constexpr int kFps = 25;

class BatchEndToEnd : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(videos.isValid() && output.isValid());
        session.SetWait([](int) {});  // releasing a graph here needs no time to wind down
        settings.OutputFolder = output.path();
        settings.CaptureSpeed = 0;
        settings.NeedResize = false;
        settings.AddTimeStamp = false;
    }

    BatchRunResult Run(const std::vector<BatchItem>& items, BatchChoices choices = {}, BatchRunEvents events = {})
    {
        return RunBatch(session, host, control, settings, encoders, prefix, items, choices, events);
    }

    QTemporaryDir videos;
    QTemporaryDir output;
    AppSettings settings;
    FfmpegEngine engine;
    VideoSession session{engine};
    HeadlessRunHost host;
    RunControl control;
    Encoders encoders;
    QString prefix;
};

TEST_F(BatchEndToEnd, GoodVideosGetShotsOfTheirLabelledFramesAndBadFilesAreSkipped)
{
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

    settings.SaveFormat = 1;
    settings.CountFrames = 2;
    settings.CaptureSpeed = 1;
    std::vector<BatchItem> items;
    for (const char* name : {"clip.part1.mp4", "cut.avi", "empty.avi", "folder.avi", "notes.avi", "second.avi",
                             "sound.mkv", "vanished.avi"})
        items.push_back({in(name), true});

    const BatchRunResult result = Run(items);

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

// Sound that runs on past the last picture: the series spans the pictures, so no two
// shots show the same last frame, and the duration shown stays the file's.
TEST_F(BatchEndToEnd, TheSeriesSpansThePicturesWhenTheSoundRunsOn)
{
    settings.CountFrames = 4;
    settings.Add2List = true;
    for (test::VideoFormat format : {test::VideoFormat::H264Mp4, test::VideoFormat::H264Mkv}) {
        test::TestVideoOptions options;
        options.format = format;
        options.fps = 5;
        options.durationSeconds = 4;
        options.audio = true;
        options.audioSeconds = 10;
        const QString video = videos.filePath(QStringLiteral("long-sound-%1").arg(int(format)));
        test::WriteTestVideo(video, options);
        BatchRunEvents events;
        std::vector<int> frames;
        events.AddToList = [&](const Bitmap& shot, const QString&) { frames.push_back(test::ReadFrameIndex(shot)); };
        const BatchRunResult result = Run({{video, true}}, BatchChoices{false, false}, events);

        ASSERT_EQ(result.Videos.size(), 1u);
        EXPECT_GE(result.Videos[0].DurationSeconds, 9) << "the file's duration is kept";
        ASSERT_EQ(frames.size(), 4u);
        for (int k = 0; k < 4; ++k)  // Matroska's millisecond stamps may round a frame early
            EXPECT_NEAR(frames[std::size_t(k)], k * options.fps, 1) << int(format);
    }
}

// Shots due on a black start, a white slate and a card of one colour take the first
// picture after them that is not blank, labelled with its own second; the count stays,
// and every other shot is byte for byte what the run without the option writes.
TEST_F(BatchEndToEnd, BlankShotsMoveToTheFirstLaterPictureAndTheOthersStayAsTheyWere)
{
    test::TestVideoOptions options;
    options.fps = 5;
    options.durationSeconds = 70;
    options.flat = {{0, 2}, {30, 32, 235}, {60, 61, 82, 90, 240}};
    const QString video = videos.filePath(QStringLiteral("cards.mp4"));
    test::WriteTestVideo(video, options);
    settings.SaveFormat = 1;
    settings.CountFrames = 7;  // a shot every 10 s
    settings.Add2List = true;
    struct Outcome {
        BatchVideoResult video;
        QStringList labels;
    } runs[2];
    for (bool skip : {false, true}) {
        settings.SkipBlank = skip;
        settings.OutputFolder = output.filePath(skip ? QStringLiteral("on") : QStringLiteral("off"));
        ASSERT_TRUE(QDir().mkpath(settings.OutputFolder));
        BatchRunEvents events;
        events.AddToList = [&](const Bitmap&, const QString& label) { runs[skip].labels << label; };
        const BatchRunResult result = Run({{video, true}}, {}, events);
        ASSERT_EQ(result.Videos.size(), 1u);
        runs[skip].video = result.Videos[0];
        ASSERT_EQ(runs[skip].video.ShotFiles.size(), 7);
    }
    EXPECT_TRUE(runs[0].video.MovedShots.empty());
    EXPECT_EQ(runs[1].video.MovedShots, (std::vector<MovedShot>{{0, 2}, {30, 32}, {60, 61}}));
    const auto contents = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(k);
        const QString off = runs[0].video.ShotFiles[k];
        const QString on = runs[1].video.ShotFiles[k];
        EXPECT_EQ(QFileInfo(off).fileName(), QFileInfo(on).fileName());
        EXPECT_EQ(runs[0].labels[k], FormatTimeLabel(10 * k));
        if (k % 3 != 0) {
            EXPECT_EQ(contents(off), contents(on));
            EXPECT_EQ(runs[1].labels[k], runs[0].labels[k]);
            continue;
        }
        const SkipRule blank{true, false, 5};
        EXPECT_TRUE(Rejects(blank, FromQImage(QImage(off))));
        const Bitmap kept = FromQImage(QImage(on));
        EXPECT_FALSE(Rejects(blank, kept));
        const int keptSecond = runs[1].video.MovedShots[std::size_t(k / 3)].Kept;
        EXPECT_EQ(test::ReadFrameIndex(kept) / options.fps, keptSecond) << "the label names the frame";
        EXPECT_EQ(runs[1].labels[k], FormatTimeLabel(keptSecond));
    }
}

// A shot due one second before the next one's looks no further than its own second,
// through the series and through the engine's seek after playing alike.
TEST_F(BatchEndToEnd, AShotDueASecondBeforeTheNextOneStaysWithinItsSecond)
{
    test::TestVideoOptions options;
    options.fps = 5;
    options.durationSeconds = 2;
    options.flat = {{0, 1.6}};
    const QString video = videos.filePath(QStringLiteral("short.mp4"));
    test::WriteTestVideo(video, options);
    settings.CountFrames = 2;  // at 0 and 1 s
    settings.SkipBlank = true;
    settings.Add2List = true;
    for (int speed : {0, 1}) {
        settings.CaptureSpeed = speed;
        std::vector<int> frames;
        BatchRunEvents events;
        events.AddToList = [&](const Bitmap& shot, const QString&) { frames.push_back(test::ReadFrameIndex(shot)); };
        const BatchRunResult result = Run({{video, true}}, {}, events);
        ASSERT_EQ(result.Videos.size(), 1u);
        EXPECT_EQ(result.Videos[0].MovedShots, (std::vector<MovedShot>{{1, 1}})) << "CaptureSpeed " << speed;
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(frames[1], 8) << "CaptureSpeed " << speed << ": the first picture after the black, at 1.6 s";
    }
}

// The scaler, the stamping, every encoder and the sheet once wrote past the end of
// pictures whose rows are not a whole number of vector blocks wide.
TEST_F(BatchEndToEnd, EveryWidthGoesThroughTheSeriesEveryFormatAndTheSheet)
{
    std::vector<int> widths;
    for (int w = 1; w <= 64; ++w)
        widths.push_back(w);
    widths.insert(widths.end(), {199, 200, 360, 540, 541, 1080, 1366, 1918});

    settings.CountFrames = 2;
    settings.AddTimeStamp = true;
    settings.ThumbCols = 2;
    settings.ThumbRows = 1;
    settings.ThumbHeight = 6;
    for (int width : widths) {
        test::TestVideoOptions options;
        options.format = test::VideoFormat::Ffv1Mkv;
        options.width = width;
        options.height = 6;
        options.fps = 5;
        options.durationSeconds = 2;
        options.flat = {{0, 0.6}};  // the first shot's picture is blank: a skipping run decodes on
        const QString video = videos.filePath(QStringLiteral("w%1.mkv").arg(width));
        test::WriteTestVideo(video, options);
        settings.ThumbWidth = width;
        for (int format = 0; format < 5; ++format) {
            settings.SaveFormat = format;
            // Every other format judges each shot, and may look on, at that width too.
            settings.SkipBlank = settings.SkipBlurred = format % 2 == 1;
            const BatchRunResult result = Run({{video, true}});
            ASSERT_EQ(result.Videos.size(), 1u);
            const BatchVideoResult& done = result.Videos[0];
            EXPECT_EQ(done.Status, BatchVideoStatus::Done) << width << " format " << format;
            EXPECT_EQ(done.Width, width);
            EXPECT_EQ(done.ShotFiles.size(), 2) << width << " format " << format;
            EXPECT_FALSE(done.SheetFile.isEmpty()) << width << " format " << format;
            EXPECT_EQ(done.WriteFailures, 0)
                << width << " format " << format << " " << done.FirstWriteError.Message().toStdString();
        }
    }
}

}  // namespace
}  // namespace sm
