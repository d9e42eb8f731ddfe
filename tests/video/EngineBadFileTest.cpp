// Files the engine cannot or can only partly play: it must never crash or hang.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>

#include "EngineFixture.h"

namespace sm::test {
namespace {

// Loads a file as the video session does; false when OpenMedia throws.
bool Load(FfmpegEngine& engine, const QString& path)
{
    try {
        engine.OpenMedia(path);
        return true;
    } catch (const std::runtime_error&) {
        engine.SetActive(false);
        return false;
    }
}

// Plays a loaded file a little and releases it: the release stops everything (a hang
// would stop the test program here).
void PlayAndRelease(FfmpegEngine& engine)
{
    engine.Play();
    engine.SeekTo(1);
    QElapsedTimer spin;
    spin.start();
    while (spin.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    engine.SetActive(false);
    EXPECT_FALSE(engine.IsActive());
    EXPECT_EQ(engine.GetPlayState(), PlayState::Uninitialized);
    Bitmap none;
    EXPECT_FALSE(engine.GrabFrame(none)) << "nothing of the released graph remains";
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(EngineTest, UnreadableFilesFailToOpen)
{
    WriteFile(dir.filePath(QStringLiteral("empty.avi")), {});
    WriteFile(dir.filePath(QStringLiteral("notes.avi")), QByteArray("These are notes, not a video.\n").repeated(200));
    QDir(dir.path()).mkdir(QStringLiteral("folder.avi"));
    const QString vanished = Make(QStringLiteral("vanished.mp4"), {});
    QFile::remove(vanished);
    for (const QString& name : {QStringLiteral("empty.avi"), QStringLiteral("notes.avi"), QStringLiteral("folder.avi"),
                                QStringLiteral("vanished.mp4")}) {
        engine.SetActive(true);
        EXPECT_FALSE(Load(engine, dir.filePath(name))) << name.toStdString();
        EXPECT_FALSE(engine.IsActive());
    }
}

struct OddCase {
    const char* name;
    TestVideoOptions options;
    int width, height;  // the expected video size
};

void PrintTo(const OddCase& c, std::ostream* os) { *os << c.name; }

class OddVideo : public EngineTest, public ::testing::WithParamInterface<OddCase> {};

TEST_P(OddVideo, LoadsPlaysAndReleases)
{
    const OddCase& c = GetParam();
    const QString path = Make(QStringLiteral("odd"), c.options);
    ASSERT_TRUE(Load(engine, path));
    int width = 0, height = 0;
    engine.GetVideoSize(width, height);
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(height, c.height);
    engine.Pause();
    engine.SeekTo(0);
    Bitmap picture;
    ASSERT_TRUE(engine.GrabSeekFrame(picture, 20000));
    EXPECT_EQ(picture.width(), c.width);
    EXPECT_EQ(picture.height(), c.height);
    PlayAndRelease(engine);
}

TestVideoOptions Odd(VideoFormat format, int width, int height, double seconds)
{
    TestVideoOptions options;
    options.format = format;
    options.width = width;
    options.height = height;
    options.durationSeconds = seconds;
    return options;
}

TestVideoOptions Jumping()
{
    TestVideoOptions options = Odd(VideoFormat::H264Mkv, 160, 96, 2);
    options.timestampJumpSeconds = 36000;
    return options;
}

INSTANTIATE_TEST_SUITE_P(Files, OddVideo,
                         ::testing::Values(OddCase{"OnePixel", Odd(VideoFormat::Ffv1Mkv, 1, 1, 1), 1, 1},
                                           OddCase{"Huge", Odd(VideoFormat::H264Mkv, 8000, 8000, 0.04), 8000, 8000},
                                           OddCase{"NoTimestamps", Odd(VideoFormat::H264Raw, 160, 96, 2), 160, 96},
                                           OddCase{"TimestampJump", Jumping(), 160, 96}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, TruncatedVideoShowsWhatItHas)
{
    TestVideoOptions options;
    options.format = VideoFormat::Mpeg2Ts;
    options.durationSeconds = 4;
    const QString path = Make(QStringLiteral("clip.ts"), options);
    const QByteArray whole = ReadFile(path);
    WriteFile(path, whole.left(whole.size() / 3));
    ASSERT_TRUE(Load(engine, path));
    engine.Pause();
    engine.SeekTo(0);
    EXPECT_EQ(SeekFrameIndex(), 0);
    engine.SeekTo(3);
    Bitmap picture;
    EXPECT_TRUE(engine.GrabSeekFrame(picture, 10000)) << "beyond the end: the last picture there is";
    QSignalSpy events(&engine, &MediaEngine::GraphEvent);
    engine.Play();
    EXPECT_TRUE(WaitUntil([&] { return !events.isEmpty() && events.last().at(0).toInt() == EC_COMPLETE; }));
    PlayAndRelease(engine);
}

// Damage in the middle of a file is reported as a graph event at worst; playback ends.
TEST_F(EngineTest, DamagedVideoPlaysToTheEnd)
{
    TestVideoOptions options;
    options.format = VideoFormat::Mpeg4Avi;
    options.durationSeconds = 2;
    const QString path = Make(QStringLiteral("clip.avi"), options);
    QByteArray bytes = ReadFile(path);
    for (qsizetype i = bytes.size() / 3; i < bytes.size() * 2 / 3; i += 7)
        bytes[i] = char(bytes[i] ^ 0x5A);
    WriteFile(path, bytes);
    ASSERT_TRUE(Load(engine, path));
    QSignalSpy events(&engine, &MediaEngine::GraphEvent);
    engine.Play();
    EXPECT_TRUE(WaitUntil([&] { return !events.isEmpty() && events.last().at(0).toInt() == EC_COMPLETE; }));
    for (const QList<QVariant>& event : events)
        EXPECT_TRUE(event.at(0).toInt() == EC_COMPLETE || event.at(0).toInt() == EC_STREAM_ERROR_STILLPLAYING);
}

// Inputs the fuzzer found faults with, kept as the few bytes it cut them down to: each
// opens and gives a picture, or fails to open, and nothing else happens (the sanitized
// suite sees what went wrong inside).
TEST_F(EngineTest, FilesTheFuzzerFoundOpenOrFailCleanly)
{
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        // MPEG-4 pictures whose colour codes are reserved values, beyond the libraries' enums.
        {"reserved-colour-codes.m4v", QByteArray("\x00\x00\x01\xb5\x81\x1f\xf3\x00\x00\x01\x00\x00\x01\x20\x00\xc4"
                                                 "\x8d\x88\x00\x55\x02\x04\x06\x08\x00\x00\x00\x01\xb6\xf6\x9f\x8e"
                                                 "\xe5\x00",
                                                 34)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        WriteFile(path, c.bytes);
        engine.SetActive(true);
        if (!Load(engine, path))
            continue;
        engine.Pause();
        engine.SeekTo(0);
        Bitmap picture;
        engine.GrabSeekFrame(picture, 10000);
        PlayAndRelease(engine);
    }
}

}  // namespace
}  // namespace sm::test
