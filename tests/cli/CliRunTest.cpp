// The command-line program itself, run as a user runs it: without a display, over a
// folder of generated videos and files that are no videos.
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <utility>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include "batch/BatchRun.h"
#include "capture/HeadlessRunHost.h"
#include "cli/VideoWorker.h"
#include "common/QImageAdapter.h"
#include "output/Encoders.h"
#include "settings/SettingsStore.h"
#include "sheet/InfoPlaceholders.h"
#include "support/CommandLineVideo.h"
#include "support/FileSizeLimit.h"
#include "support/TestVideo.h"
#include "video/FfmpegEngine.h"
#include "video/VideoSession.h"

namespace sm {
namespace {

struct CliResult {
    int exitCode = -1;
    QStringList lines;  // stdout
    QString errors;     // stderr
};

// No display, no platform chosen: the program must find its own way.
QProcessEnvironment Headless()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

void Start(QProcess& process, const QStringList& arguments, const QProcessEnvironment& environment = Headless())
{
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(STILLMARK_CLI), arguments);
    ASSERT_TRUE(process.waitForStarted());
}

CliResult Finish(QProcess& process)
{
    EXPECT_TRUE(process.waitForFinished(120'000));
    CliResult result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

CliResult RunCli(const QStringList& arguments, const QProcessEnvironment& environment = Headless())
{
    QProcess process;
    Start(process, arguments, environment);
    return Finish(process);
}

// The files of a folder with their sizes and times, to see that nothing was written.
QStringList Listing(const QString& folder)
{
    QStringList listing;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files, QDir::Name))
        listing << QStringLiteral("%1 %2 %3")
                       .arg(info.fileName())
                       .arg(info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    return listing;
}

class CliRunTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        videos = dir.filePath("videos");
        out = dir.filePath("out");
        QDir().mkpath(videos);
        test::TestVideoOptions options;
        options.durationSeconds = 4;
        test::WriteTestVideo(videos + "/b.mp4", options);
        options.format = test::VideoFormat::H264Mkv;
        test::WriteTestVideo(videos + "/A.mkv", options);
        QFile junk(videos + "/junk.avi");
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
    }

    QTemporaryDir dir;
    QString videos;
    QString out;
};

TEST_F(CliRunTest, MixedFolderInParallelThenSkippedOnTheSecondRun)
{
    const CliResult first = RunCli({"-j2", "-n", "4", "-f", "png", "-o", out, videos});
    EXPECT_EQ(first.exitCode, 1) << first.errors.toStdString();
    ASSERT_EQ(first.lines.size(), 3) << first.lines.join('\n').toStdString();
    EXPECT_EQ(first.lines[0], QStringList({"ok", videos + "/A.mkv", "4", out + "/A_thumb.png"}).join('\t'));
    EXPECT_EQ(first.lines[1], QStringList({"ok", videos + "/b.mp4", "4", out + "/b_thumb.png"}).join('\t'));
    EXPECT_TRUE(first.lines[2].startsWith("failed: ")) << first.lines[2].toStdString();
    EXPECT_TRUE(first.lines[2].contains(videos + "/junk.avi"));
    for (const char* name : {"A_0001.png", "A_0004.png", "A_thumb.png", "b_0001.png", "b_0004.png", "b_thumb.png"})
        EXPECT_TRUE(QFileInfo::exists(out + '/' + name)) << name;

    const QStringList before = Listing(out);
    const CliResult second = RunCli({"--skip-existing", "--json", "-n", "4", "-f", "png", "-o", out, videos});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_EQ(Listing(out), before);
    ASSERT_EQ(second.lines.size(), 3);
    const char* const statuses[] = {"skipped", "skipped", "failed"};
    for (int i = 0; i < 3; ++i) {
        QJsonParseError error;
        const QJsonObject line = QJsonDocument::fromJson(second.lines[i].toUtf8(), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << second.lines[i].toStdString();
        EXPECT_EQ(line["status"].toString(), statuses[i]);
        EXPECT_TRUE(line["reason"].isString());
        EXPECT_TRUE(line["shots"].isArray() && line["shots"].toArray().isEmpty());
        EXPECT_TRUE(line["hdr"].isNull());
        EXPECT_FALSE(line["tonemapped"].toBool(true));
    }
    EXPECT_EQ(QJsonDocument::fromJson(second.lines[0].toUtf8()).object()["reason"].toString(), "A_thumb.png exists");
}

TEST_F(CliRunTest, HdrVideosTellTheirTransferAndDolbyVisionProfileFiveANote)
{
    const QString hdr = dir.filePath("hdr");
    QDir().mkpath(hdr);
    test::WriteColorBars(hdr + "/pq.mkv", test::BarsTransfer::Pq, 128, 72);
    test::WriteColorBars(hdr + "/vision.mkv", test::BarsTransfer::Pq, 128, 72, 5);
    const CliResult json = RunCli({"--json", "-n", "1", "--no-sheet", "-o", out, hdr});
    EXPECT_EQ(json.exitCode, 0) << json.errors.toStdString();
    ASSERT_EQ(json.lines.size(), 2) << json.lines.join('\n').toStdString();
    const QJsonObject pq = QJsonDocument::fromJson(json.lines[0].toUtf8()).object();
    const QJsonObject vision = QJsonDocument::fromJson(json.lines[1].toUtf8()).object();
    EXPECT_EQ(pq["hdr"].toString(), "pq");
    EXPECT_TRUE(pq["tonemapped"].toBool());
    EXPECT_TRUE(pq["note"].isNull());
    EXPECT_EQ(vision["note"].toString(), "dolby vision profile 5, colours not exact");
    EXPECT_EQ(vision["shots"].toArray().size(), 1) << "the shots are written all the same";

    const CliResult text = RunCli({"--tonemap", "off", "-n", "1", "--no-sheet", "-o", out, hdr + "/vision.mkv"});
    ASSERT_EQ(text.lines.size(), 1);
    EXPECT_EQ(text.lines[0],
              QStringList({"ok", hdr + "/vision.mkv", "1", "", "note: dolby vision profile 5, colours not exact"})
                  .join('\t'));
}

TEST_F(CliRunTest, MovedShotsAreListedAndAnAllBlackVideoKeepsEveryShotUnmoved)
{
    const QString clips = dir.filePath("clips");
    QDir().mkpath(clips);
    test::TestVideoOptions options;
    options.fps = 5;
    options.gopSize = 5;  // a key frame every second
    options.durationSeconds = 4;
    options.flat = {{0, 4}};
    test::WriteTestVideo(clips + "/black.mp4", options);
    options.flat = {{0, 0.8}};
    test::WriteTestVideo(clips + "/fade.mp4", options);
    // The exact shot at 0 s moves to the picture at 0.8 s; the key-frame shot to 1 s.
    for (const auto& [mode, kept] : {std::pair{"--skip-seconds=5", 0}, std::pair{"--keyframes", 1}}) {
        SCOPED_TRACE(mode);
        const CliResult run = RunCli({"--json", "--skip-blank", mode, "-n", "2", "--no-sheet", "-o", out, clips});
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        ASSERT_EQ(run.lines.size(), 2) << run.lines.join('\n').toStdString();
        const QJsonObject black = QJsonDocument::fromJson(run.lines[0].toUtf8()).object();
        const QJsonObject fade = QJsonDocument::fromJson(run.lines[1].toUtf8()).object();
        EXPECT_EQ(black["shots"].toArray().size(), 2);
        EXPECT_EQ(black["moved"], QJsonArray()) << "none could be moved";
        EXPECT_EQ(fade["moved"], QJsonArray({QJsonObject{{"planned", 0}, {"kept", kept}}}));
    }
}

TEST_F(CliRunTest, SheetOnlyWritesOneSheetAVideoAndAResumedRunIsDone)
{
    const QString three = dir.filePath("three");
    QDir().mkpath(three);
    for (const char* name : {"A.mkv", "b.mp4"})
        ASSERT_TRUE(QFile::copy(videos + '/' + name, three + '/' + name));
    ASSERT_TRUE(QFile::copy(videos + "/b.mp4", three + "/c.mp4"));
    const QStringList arguments{"--sheet-only", "--info", "-f",          "webp",   "-n", "16", "--set",
                                "ThumbCols=4",  "--set",  "ThumbRows=4", "--json", "-o", out,  three};
    const CliResult first = RunCli(arguments);
    ASSERT_EQ(first.exitCode, 0) << first.errors.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"A_thumb.webp", "b_thumb.webp", "c_thumb.webp"}));
    ASSERT_EQ(first.lines.size(), 3);
    for (const QString& line : first.lines) {
        const QJsonObject video = QJsonDocument::fromJson(line.toUtf8()).object();
        EXPECT_TRUE(video["sheet"].toString().endsWith("_thumb.webp"));
        EXPECT_EQ(video["facts"]["resolution"].toString(), "160x96");
        EXPECT_EQ(video["facts"]["fps"].toString(), "25");
        const QJsonArray shots = video["shots"].toArray();
        ASSERT_EQ(shots.size(), 16) << line.toStdString();
        for (const QJsonValue shot : shots) {
            EXPECT_TRUE(shot["file"].isNull());
            // The picture shown at the planned second started at most one frame before it.
            const double late = shot["planned"].toDouble() - shot["time"].toDouble();
            EXPECT_TRUE(late >= 0 && late < 0.04) << line.toStdString();
        }
    }

    // A second pass finds every sheet there: each video is done, as the job logs of a
    // spread run must see it.
    const CliResult second = RunCli(QStringList{"--skip-existing"} + arguments);
    EXPECT_EQ(second.exitCode, 0) << second.errors.toStdString();
    for (const QString& line : second.lines)
        EXPECT_EQ(QJsonDocument::fromJson(line.toUtf8()).object()["status"].toString(), "skipped");
}

// The facts of an information line are what the independent prober reads in the file.
TEST_F(CliRunTest, AnInfoLineTellsWhatFfprobeSaysOfTheVideo)
{
    for (const bool sound : {true, false}) {
        SCOPED_TRACE(sound);
        test::TestVideoOptions options;
        options.audio = sound;
        const QString path = dir.filePath(sound ? "sound.mp4" : "silent.mp4");
        test::WriteTestVideo(path, options);
        QProcess probe;
        probe.start("ffprobe", {"-v", "error", "-of", "json", "-show_entries",
                                "stream=codec_type,codec_name,profile,width,height,avg_frame_rate,sample_rate,"
                                "channel_layout:format=bit_rate",
                                path});
        ASSERT_TRUE(probe.waitForFinished(60'000));
        const QJsonObject probed = QJsonDocument::fromJson(probe.readAllStandardOutput()).object();
        QStringList expected{QFileInfo(path).fileName()};
        QString audio;
        for (const QJsonValue stream : probed["streams"].toArray()) {
            if (stream["codec_type"] == "audio") {
                audio = QStringLiteral("%1 %2 Hz %3")
                            .arg(stream["codec_name"].toString(), stream["sample_rate"].toString(),
                                 stream["channel_layout"].toString());
                continue;
            }
            const QStringList rate = stream["avg_frame_rate"].toString().split('/');
            ASSERT_EQ(rate.size(), 2);
            ASSERT_EQ(rate[0].toInt() % rate[1].toInt(), 0) << "a whole rate, written without decimals";
            expected << QStringLiteral("%1x%2").arg(stream["width"].toInt()).arg(stream["height"].toInt())
                     << QString::number(rate[0].toInt() / rate[1].toInt())
                     << stream["codec_name"].toString() + ' ' + stream["profile"].toString();
        }
        const qint64 bitRate = probed["format"]["bit_rate"].toString().toLongLong();
        ASSERT_TRUE(bitRate > 1000 && bitRate < 1'000'000) << bitRate;
        expected << audio << QString::number((bitRate + 500) / 1000) + " kb/s";

        FfmpegEngine engine;
        engine.SetActive(true);
        engine.OpenMedia(path);
        VideoFacts video{path, 0, QString()};
        video.Media = engine.GetMediaFacts();
        EXPECT_EQ(FillPlaceholders("{FILENAME} {RESOLUTION} {FPS} {VIDEOCODEC} {AUDIOCODEC} {BITRATE}", video),
                  expected.join(' '));
    }
}

TEST_F(CliRunTest, ArgumentErrorsHelpAndVersion)
{
    const struct {
        QStringList arguments;
        int exitCode;
        const char* says;
    } cases[] = {
        {{"--set", "NoSuchKey=1", "x.mp4"}, 2, "unknown setting NoSuchKey"},
        {{"--set", "ThumbCols=many", "x.mp4"}, 2, "bad value"},
        {{"--frobnicate", "x.mp4"}, 2, "Usage:"},
        {{"--info-line", "{FILENAME} {NOPE}", "x.mp4"}, 2, "unknown placeholder {NOPE}"},
        {{}, 2, "no video"},
        {{"--help"}, 0, "--keyframes"},
        {{"--version"}, 0, "stillmark-cli "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliResult result = RunCli(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_TRUE((result.errors + result.lines.join('\n')).contains(QString::fromUtf8(c.says)))
            << result.errors.toStdString();
    }
}

TEST_F(CliRunTest, InterruptEndsAfterTheShotInProgressWithoutPartialFiles)
{
    QProcess process;
    Start(process, {"-j1", "-n", "40", "-o", out, videos});
    // The first video has started once its progress line is out.
    QByteArray progress;
    while (!progress.contains('\n') && process.waitForReadyRead(60'000))
        progress += process.readAllStandardError();
    ::kill(pid_t(process.processId()), SIGINT);
    const CliResult result = Finish(process);
    EXPECT_EQ(result.exitCode, 130) << result.errors.toStdString();
    EXPECT_EQ(result.lines.size(), 3);
    for (const QString& name : QDir(out).entryList(QDir::Files))
        EXPECT_TRUE(QRegularExpression("^(A|b)_(\\d{4}|thumb)\\.jpg$").match(name).hasMatch()) << name.toStdString();
}

// A worker made to fail as a broken library would, after its first shot: the video fails
// alone with its cause, keeps the shot it finished, and the others are done.
TEST_F(CliRunTest, AWorkerThatCrashesOrHangsFailsAloneAndTheRunGoesOn)
{
    const struct {
        const char* fault;
        const char* timeout;
        const char* says;
    } cases[] = {
        {"crash:b.mp4", "120", "failed: crashed (signal 6)"},
        {"hang:b.mp4", "5", "failed: timed out after 5 s"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        QDir(out).removeRecursively();
        QProcessEnvironment environment = Headless();
        environment.insert("STILLMARK_WORKER_FAULT", c.fault);
        const CliResult result = RunCli(
            {"-j2", "-n", "4", "--timeout", c.timeout, "-o", out, videos + "/A.mkv", videos + "/b.mp4"}, environment);
        EXPECT_EQ(result.exitCode, 1) << result.errors.toStdString();
        EXPECT_EQ(result.lines,
                  (QStringList{QStringList({"ok", videos + "/A.mkv", "4", out + "/A_thumb.jpg"}).join('\t'),
                               QStringList({c.says, videos + "/b.mp4", "0", ""}).join('\t')}));
        EXPECT_EQ(QDir(out).entryList({"b*"}, QDir::Files | QDir::Hidden), QStringList{"b_0001.jpg"});
    }
}

// Whether the condition comes true within a minute, looked at every 50 ms.
bool Eventually(const std::function<bool()>& condition)
{
    for (int i = 0; i < 1200 && !condition(); ++i)
        QThread::msleep(50);
    return condition();
}

// A process that is gone or dead (a zombie nobody reaps, in a container without init).
bool Ended(const QString& pid)
{
    QFile stat("/proc/" + pid + "/stat");
    return !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ");
}

TEST_F(CliRunTest, AWorkerDiesWithItsRunKilledOutright)
{
    QProcessEnvironment environment = Headless();
    environment.insert("STILLMARK_WORKER_FAULT", "hang:b.mp4");
    QProcess process;
    Start(process, {"-n", "2", "--timeout", "0", "-o", out, videos + "/b.mp4"}, environment);
    // The worker hangs for good once its first shot is written.
    ASSERT_TRUE(Eventually([this] { return QFileInfo::exists(out + "/b_0001.jpg"); }));
    const QString run = QString::number(process.processId());
    QFile children("/proc/" + run + "/task/" + run + "/children");
    ASSERT_TRUE(children.open(QIODevice::ReadOnly));
    const QString worker = QString::fromLatin1(children.readAll()).trimmed();
    ASSERT_FALSE(worker.isEmpty());
    ::kill(pid_t(process.processId()), SIGKILL);
    process.waitForFinished();
    EXPECT_TRUE(Eventually([&worker] { return Ended(worker); })) << worker.toStdString();
}

// Inputs the run cannot use end it at once with the reason (settings) or fail their video
// without blocking (a FIFO nobody writes, a device that never ends).
TEST_F(CliRunTest, BadSettingsFilesAndInputsThatAreNoFilesAreToldAtOnce)
{
    const QString fifo = dir.filePath("fifo.mp4");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString unreadable = dir.filePath("Unreadable.dat");
    QFile file(unreadable);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QFile::setPermissions(unreadable, QFileDevice::Permissions()));
    // The folder of the test stays open to nobody, who reads the file.
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFileDevice::ExeOther));
    const struct {
        QStringList arguments;
        int exitCode;
        QString says;
    } cases[] = {
        {{"--settings", dir.filePath("None.dat"), "x.mp4"}, 2, "no settings file " + dir.filePath("None.dat")},
        {{"--settings", videos, "x.mp4"}, 2, "the settings file " + videos + " is a folder"},
        {{"--settings", "/dev/null", "x.mp4"}, 2, "the settings file /dev/null is not a regular file"},
        {{"--settings", unreadable, "x.mp4"}, 2, "Cannot read " + unreadable + ": Permission denied"},
        {{"-o", out, fifo}, 1, "failed: not a video that opens\t" + fifo},
        {{"-o", out, "/dev/zero"}, 1, "failed: not a video that opens\t/dev/zero"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QProcess process;
        // Root reads any file: the unreadable one is tried as nobody.
        if (c.arguments.contains(unreadable) && ::geteuid() == 0)
            process.setChildProcessModifier(
                [] { (void)!(::setgroups(0, nullptr) + ::setgid(65534) + ::setuid(65534)); });
        Start(process, c.arguments);
        const CliResult result = Finish(process);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_TRUE((result.errors + result.lines.join('\n')).contains(c.says)) << result.errors.toStdString();
    }
}

// The output folder is a small file system of its own, mounted read-only or too full
// for a picture (skipped where mounting is not allowed).
TEST_F(CliRunTest, EveryVideoTellsAFolderThatTakesNoFilesAndNothingIsLeftThere)
{
    const struct {
        const char* mountOptions;
        const char* says;
    } cases[] = {
        {"ro,size=1m", "Read-only file system"},
        {"size=16k", "No space left on device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mountOptions);
        const QString folder = dir.filePath(QStringLiteral("mount%1").arg(c.says[0]));
        QDir().mkpath(folder);
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", c.mountOptions, "tmpfs", folder}) != 0)
            GTEST_SKIP() << "cannot mount a file system here";
        const CliResult result
            = RunCli({"-j2", "-n", "2", "-f", "bmp", "-o", folder, videos + "/A.mkv", videos + "/b.mp4"});
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        QProcess::execute("umount", {folder});
        EXPECT_EQ(result.exitCode, 1) << result.errors.toStdString();
        ASSERT_EQ(result.lines.size(), 2);
        for (const QString& line : result.lines) {
            EXPECT_TRUE(line.startsWith("failed: 3 file(s) not written: Cannot write " + folder)) << line.toStdString();
            EXPECT_TRUE(line.contains(c.says)) << line.toStdString();
        }
        EXPECT_EQ(left, QStringList());
    }
}

// The output folder removed after the first shot: that video and the next one tell the
// write failure, and no file is taken for written.
TEST_F(CliRunTest, AnOutputFolderThatVanishesFailsTheVideoThenAndEveryOneAfter)
{
    ParallelRunSetup setup;
    setup.Settings.OutputFolder = out;
    setup.Settings.CountFrames = 3;
    setup.Settings.CaptureSpeed = 0;
    PrepareBatchRun(setup.Settings);
    ASSERT_TRUE(QDir().mkpath(out));
    VideoWorker worker(setup);
    VideoRunEvents events;
    events.ShotDone = [this](int done) {
        if (done == 1)
            QDir(out).removeRecursively();
    };
    const VideoReport first = worker.Run(videos + "/A.mkv", events);
    const VideoReport second = worker.Run(videos + "/b.mp4", {});
    for (const VideoReport& report : {first, second}) {
        SCOPED_TRACE(report.Path.toStdString());
        EXPECT_EQ(report.Outcome, VideoOutcome::Failed);
        EXPECT_TRUE(report.Reason.startsWith("4 file(s) not written: Cannot write " + out))
            << report.Reason.toStdString();
        EXPECT_TRUE(report.Reason.endsWith("No such file or directory")) << report.Reason.toStdString();
        EXPECT_EQ(report.Shots, 0);
        EXPECT_EQ(report.Sheet, "");
    }
}

TEST_F(CliRunTest, ASheetCutShortByAFullDiskIsReportedAndLeftNowhere)
{
    const auto arguments = [this](const QString& folder) {
        return QStringList{"-j1",         "-n",    "4",           "-f", "bmp",  "--set",
                           "ThumbCols=2", "--set", "ThumbRows=2", "-o", folder, videos + "/b.mp4"};
    };
    const CliResult whole = RunCli(arguments(dir.filePath("whole")));
    ASSERT_EQ(whole.exitCode, 0) << whole.errors.toStdString();
    const qint64 sheetSize = QFileInfo(dir.filePath("whole/b_thumb.bmp")).size();
    ASSERT_GT(sheetSize, QFileInfo(dir.filePath("whole/b_0001.bmp")).size());

    // The disk is full one byte before the sheet's end: only the last flush meets it.
    QProcess process;
    process.setChildProcessModifier([sheetSize] { test::LimitFileSize(rlim_t(sheetSize - 1)); });
    Start(process, arguments(out));
    const CliResult cut = Finish(process);
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_EQ(cut.lines, QStringList{QStringList({"failed: 1 file(s) not written: Cannot write " + out
                                                      + "/b_thumb.bmp: File too large",
                                                  videos + "/b.mp4", "4", ""})
                                         .join('\t')});
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"b_0001.bmp", "b_0002.bmp", "b_0003.bmp", "b_0004.bmp"}));
}

TEST_F(CliRunTest, VideosOfTheSameNameWriteOneAfterTheOtherInInputOrder)
{
    // Both write clip_0001.png ... clip_thumb.png; the later one must win whole, as in a
    // run one video after another, however the two workers meet.
    QDir().mkpath(videos + "/a");
    QDir().mkpath(videos + "/b");
    test::TestVideoOptions options;
    options.durationSeconds = 4;
    test::WriteTestVideo(videos + "/a/clip.mp4", options);
    options.durationSeconds = 8;
    test::WriteTestVideo(videos + "/b/clip.mp4", options);
    const CliResult result = RunCli({"-j2", "-n", "4", "-f", "png", "--set", "AddTimeStamp=0", "--set", "NeedResize=0",
                                     "-o", out, videos + "/a/clip.mp4", videos + "/b/clip.mp4"});
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    for (int n = 1; n <= 4; ++n) {
        const QString file = QStringLiteral("%1/clip_%2.png").arg(out).arg(n, 4, 10, QLatin1Char('0'));
        EXPECT_EQ(test::ReadFrameIndex(FromQImage(QImage(file))), (n - 1) * 2 * 25) << file.toStdString();
    }
}

// A video that does not load or starts after its end moves no label on, as in the batch
// window: b's stamp is the same with them in the list as without.
TEST_F(CliRunTest, AggregateLeavesOutVideosThatWereNotProcessed)
{
    test::TestVideoOptions options;
    options.durationSeconds = 1;
    test::WriteTestVideo(videos + "/short.mp4", options);
    const QStringList settings{"-n",    "1",           "-s",    "0:00:02",       "-f", "png", "--no-sheet",
                               "--set", "Aggregate=1", "--set", "AddTimeStamp=1"};
    const CliResult with = RunCli(settings
                                  + QStringList{"-o", out + "/with", videos + "/A.mkv", videos + "/short.mp4",
                                                videos + "/junk.avi", videos + "/b.mp4"});
    const CliResult without
        = RunCli(settings + QStringList{"-o", out + "/without", videos + "/A.mkv", videos + "/b.mp4"});
    EXPECT_EQ(with.exitCode, 1) << with.errors.toStdString();
    ASSERT_EQ(without.exitCode, 0) << without.errors.toStdString();
    QFile withShot(out + "/with/b_0001.png");
    QFile withoutShot(out + "/without/b_0001.png");
    ASSERT_TRUE(withShot.open(QIODevice::ReadOnly) && withoutShot.open(QIODevice::ReadOnly));
    EXPECT_TRUE(withShot.readAll() == withoutShot.readAll());
}

// What the batch window's run writes for the videos with the settings of a file.
void RunBatchAsTheWindowDoes(const QString& settingsFile, const QStringList& videos)
{
    AppSettings settings;
    LoadSettingsFile(settingsFile, settings);
    FfmpegEngine engine;
    VideoSession session(engine);
    session.SetWait([](int) {});
    HeadlessRunHost host([](int) {});
    RunControl control;
    Encoders encoders;
    QString prefix;
    std::vector<BatchItem> items;
    for (const QString& video : videos)
        items.push_back({video, true});
    const BatchChoices choices{settings.SaveDirectly, true};
    const BatchRunResult result = RunBatch(session, host, control, settings, encoders, prefix, items, choices, {});
    ASSERT_EQ(result.Outcome, BatchRunOutcome::Completed);
}

TEST_F(CliRunTest, FilesAreByteForByteTheBatchRunsInEveryFormat)
{
    const struct {
        const char* format;
        const char* extra;
    } cases[] = {
        {"0", "JpgCompress=75"}, {"1", "PngCompress=3"}, {"2", "MaxColor=1"},
        {"3", "ResizeType=1"},   {"4", "NeedResize=0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const QString batchOut = dir.filePath(QStringLiteral("batch%1").arg(c.format));
        const QString cliOut = dir.filePath(QStringLiteral("cli%1").arg(c.format));
        QDir().mkpath(batchOut);
        const QString settingsFile = dir.filePath(QStringLiteral("Settings%1.dat").arg(c.format));
        QFile file(settingsFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("[Settings]\nOutputFolder=%1\nSaveFormat=%2\nCaptureSpeed=0\nCountFrames=3\n"
                                  "StartTime=0:00:01\nThumbCols=2\nThumbRows=3\n%3\n[TimeFont]\nSize=12\nStyle=1\n")
                       .arg(batchOut, c.format, c.extra)
                       .toUtf8());
        file.close();
        const QStringList inputs = {videos + "/A.mkv", videos + "/b.mp4"};
        RunBatchAsTheWindowDoes(settingsFile, inputs);
        const CliResult cli = RunCli(QStringList{"--settings", settingsFile, "-o", cliOut} + inputs);
        ASSERT_EQ(cli.exitCode, 0) << cli.errors.toStdString();

        const QStringList names = QDir(batchOut).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(names.size(), 8);
        EXPECT_EQ(QDir(cliOut).entryList(QDir::Files, QDir::Name), names);
        for (const QString& name : names) {
            QFile batchFile(batchOut + '/' + name);
            QFile cliFile(cliOut + '/' + name);
            ASSERT_TRUE(batchFile.open(QIODevice::ReadOnly) && cliFile.open(QIODevice::ReadOnly));
            EXPECT_TRUE(batchFile.readAll() == cliFile.readAll()) << name.toStdString();
        }
    }
}

}  // namespace
}  // namespace sm
