// Preview tracks written by the command-line program, read back by a parser of its own kept
// apart from ours (Python's standard library), and the pictures their cues point at.
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "common/QImageAdapter.h"
#include "support/FileSizeLimit.h"
#include "support/TestVideo.h"

namespace sm {
namespace {

// Reads a track file as a player would: the header, blocks apart by blank lines, each cue
// a timing line and a payload that is a URL relative to the file with an xywh fragment
// naming a file that exists. Prints each cue as a JSON object; fails on anything else.
const char* const kTrackReader = R"(
import json, os, re, sys, urllib.parse
path = sys.argv[1]
text = open(path, 'rb').read().decode('utf-8')
lines = text.split('\n')
assert re.fullmatch(r'WEBVTT([ \t].*)?', lines[0]), 'header'
blocks, block = [], []
for line in lines[1:] + ['']:
    if line:
        block.append(line)
    elif block:
        blocks.append(block)
        block = []
stamp = r'(\d{2,}):([0-5]\d):([0-5]\d)\.(\d{3})'
def ms(parts):
    h, m, s, f = map(int, parts)
    return ((h * 60 + m) * 60 + s) * 1000 + f
for block in blocks:
    timing = re.fullmatch(stamp + r'[ \t]+-->[ \t]+' + stamp, block[0])
    assert timing and len(block) == 2, block
    url = urllib.parse.urlsplit(block[1])
    cell = re.fullmatch(r'xywh=(\d+),(\d+),(\d+),(\d+)', url.fragment)
    assert cell and not url.scheme and not url.query, block[1]
    sprite = os.path.join(os.path.dirname(path), urllib.parse.unquote(url.path, errors='strict'))
    assert os.path.isfile(sprite), sprite
    x, y, w, h = map(int, cell.groups())
    print(json.dumps({'start': ms(timing.groups()[:4]), 'end': ms(timing.groups()[4:]), 'sprite': sprite,
                      'x': x, 'y': y, 'w': w, 'h': h}))
)";

constexpr int kFps = 5;

struct CliResult {
    int exitCode = -1;
    QStringList lines;
    QString errors;
};

CliResult RunProgram(const QString& program, const QStringList& arguments, const std::function<void()>& inChild = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(program, arguments);
    CliResult result;
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

class PreviewTrackRun : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        test::TestVideoOptions options;
        options.fps = kFps;
        options.gopSize = 10 * kFps;
        options.durationSeconds = 125;
        test::WriteTestVideo(longClip, options);
        options.durationSeconds = 2;
        test::WriteTestVideo(shortClip, options);
    }

    QTemporaryDir dir;
    const QString longClip = dir.filePath("long.mp4");
    const QString shortClip = dir.filePath(QString::fromUtf8("kurz mit ü.mp4"));
    const QString out = dir.filePath("out");
};

TEST_F(PreviewTrackRun, CuesCoverTheVideoAndShowTheFrameOfTheirStart)
{
    const struct {
        QStringList arguments;
        QString video;
        int cues;
        int sprites;
        std::int64_t endMs;
    } cases[] = {
        {{}, longClip, 13, 1, 125'000},
        {{"--vtt-grid", "3x3"}, longClip, 13, 2, 125'000},
        // The key frames lie on the cues' starts, so they are the same frames.
        {{"--keyframes", "--vtt-grid=3x3"}, longClip, 13, 2, 125'000},
        {{}, shortClip, 1, 1, 2'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.arguments.join(' ') + ' ' + c.video).toStdString());
        QDir(out).removeRecursively();
        const CliResult cli = RunProgram(QStringLiteral(STILLMARK_CLI),
                                         QStringList{"--webvtt", "-f", "png", "-o", out, c.video} + c.arguments);
        ASSERT_EQ(cli.exitCode, 0) << cli.errors.toStdString();
        const QString base = QFileInfo(c.video).completeBaseName();
        const QString track = out + '/' + base + ".vtt";
        ASSERT_EQ(cli.lines, QStringList{QStringList({"ok", c.video, QString::number(c.sprites), track}).join('\t')});

        const CliResult read = RunProgram(QStringLiteral("python3"), {"-c", kTrackReader, track});
        ASSERT_EQ(read.exitCode, 0) << read.errors.toStdString();
        ASSERT_EQ(read.lines.size(), c.cues);
        QStringList sprites;
        for (int k = 0; k < c.cues; ++k) {
            const QJsonObject cue = QJsonDocument::fromJson(read.lines[k].toUtf8()).object();
            EXPECT_EQ(cue["start"].toInteger(), k * 10'000LL) << k;
            EXPECT_EQ(cue["end"].toInteger(), std::min<std::int64_t>((k + 1) * 10'000LL, c.endMs)) << k;
            const QString sprite = cue["sprite"].toString();
            if (!sprites.contains(sprite))
                sprites << sprite;
            const QImage picture(sprite);
            const QRect cell(cue["x"].toInt(), cue["y"].toInt(), cue["w"].toInt(), cue["h"].toInt());
            EXPECT_EQ(cell.size(), QSize(320, 192)) << k;
            ASSERT_TRUE(picture.rect().contains(cell)) << k;
            EXPECT_EQ(test::ReadFrameIndex(FromQImage(picture.copy(cell))), k * 10 * kFps) << k;
        }
        EXPECT_EQ(sprites.size(), c.sprites);
        EXPECT_EQ(QFileInfo(sprites.value(0)).fileName(), base + "_sprite_001.png");
    }

    const CliResult again
        = RunProgram(QStringLiteral(STILLMARK_CLI), {"--webvtt", "--skip-existing", "-o", out, shortClip});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.lines.value(0).startsWith(QString::fromUtf8("skipped: kurz mit ü.vtt exists")));
}

// An earlier run's track goes before the first sprite is written, and none is written
// after a sprite failed, so no track names a sprite that is missing or another run's.
TEST_F(PreviewTrackRun, ASpriteNotWrittenLeavesNoTrack)
{
    QDir().mkpath(out);
    QFile earlier(out + "/long.vtt");
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("WEBVTT\n");
    earlier.close();
    const CliResult cli
        = RunProgram(QStringLiteral(STILLMARK_CLI), {"--webvtt", "--vtt-grid", "2x2", "-o", out, longClip},
                     [] { test::LimitFileSize(2000); });
    EXPECT_EQ(cli.exitCode, 1);
    ASSERT_EQ(cli.lines.size(), 1);
    EXPECT_TRUE(cli.lines[0].startsWith("failed: 1 file(s) not written: Cannot write " + out + "/long_sprite_001.jpg"))
        << cli.lines[0].toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList());
}

}  // namespace
}  // namespace sm
