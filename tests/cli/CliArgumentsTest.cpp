// The command line's options, the settings they make and the videos they name.
#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "cli/CliInputs.h"
#include "cli/CliOptions.h"
#include "cli/CliSettings.h"
#include "settings/SettingsStore.h"

namespace sm {
namespace {

QStringList Split(const char* arguments) { return QString::fromUtf8(arguments).split(u' ', Qt::SkipEmptyParts); }

// The settings the arguments make from the defaults, with no settings file.
CliSettings SettingsFrom(const char* arguments)
{
    const CliParse parse = ParseCliArguments(Split(arguments));
    EXPECT_TRUE(parse.error.isEmpty()) << parse.error.toStdString();
    return BuildCliSettings(parse.options, QStringLiteral("/nonexistent"), QStringLiteral("/work/"));
}

TEST(CliOptions, EachNamedOptionSetsItsSetting)
{
    const struct {
        const char* arguments;
        void (*expect)(const AppSettings&);
    } cases[] = {
        {"-o /out", [](const AppSettings& s) { EXPECT_EQ(s.OutputFolder, "/out"); }},
        {"--output=/out", [](const AppSettings& s) { EXPECT_EQ(s.OutputFolder, "/out"); }},
        {"-n 16",
         [](const AppSettings& s) {
             EXPECT_EQ(s.CaptureMethod, 0);
             EXPECT_EQ(s.CountFrames, 16);
         }},
        {"-e 30 --count 5",  // the later option wins the method
         [](const AppSettings& s) {
             EXPECT_EQ(s.CaptureMethod, 0);
             EXPECT_EQ(s.EveryFrame, 30);
             EXPECT_EQ(s.CountFrames, 5);
         }},
        {"--every 30", [](const AppSettings& s) { EXPECT_EQ(s.CaptureMethod, 1); }},
        {"-s 1:02:05", [](const AppSettings& s) { EXPECT_EQ(s.StartTime, "1:02:05"); }},
        {"-f png", [](const AppSettings& s) { EXPECT_EQ(s.SaveFormat, 1); }},
        {"--format TIF", [](const AppSettings& s) { EXPECT_EQ(s.SaveFormat, 4); }},
        {"-f webp", [](const AppSettings& s) { EXPECT_EQ(s.SaveFormat, 5); }},
        {"-f AVIF", [](const AppSettings& s) { EXPECT_EQ(s.SaveFormat, 6); }},
        {"--no-shots", [](const AppSettings& s) { EXPECT_FALSE(s.SaveDirectly); }},
        {"--set thumbcols=5 --set TimeFont.Size=0x10 --set AddText=a=b",
         [](const AppSettings& s) {
             EXPECT_EQ(s.ThumbCols, 5);
             EXPECT_EQ(s.TimeFont.size, 16);
             EXPECT_EQ(s.AddText, "a=b");
         }},
        {"--tonemap off --deinterlace=OFF", [](const AppSettings& s) { EXPECT_FALSE(s.ToneMapping || s.Deinterlace); }},
        {"--set ToneMapping=0 --tonemap on", [](const AppSettings& s) { EXPECT_TRUE(s.ToneMapping); }},
        {"--skip-blank --skip-seconds=60",
         [](const AppSettings& s) {
             EXPECT_TRUE(s.SkipBlank && !s.SkipBlurred);
             EXPECT_EQ(s.SkipSeconds, 60);
         }},
        {"--skip-blurred", [](const AppSettings& s) { EXPECT_TRUE(s.SkipBlurred && !s.SkipBlank); }},
        {"--set CaptureSpeed=3 --set AddTimeStamp=0",
         [](const AppSettings& s) {
             EXPECT_EQ(s.CaptureSpeed, 3);
             EXPECT_FALSE(s.AddTimeStamp);
         }},
        {"",
         [](const AppSettings& s) {
             EXPECT_EQ(s.CaptureSpeed, 0);  // no settling wait unless asked for
             EXPECT_EQ(s.OutputFolder, "/work/");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliSettings built = SettingsFrom(c.arguments);
        EXPECT_TRUE(built.error.isEmpty()) << built.error.toStdString();
        c.expect(built.settings);
    }
}

TEST(CliOptions, FlagsInputsAndJobs)
{
    const CliParse parse = ParseCliArguments(
        Split("a.mp4 --mask *.MP4 -r --no-sheet --skip-existing --keyframes --json -j2 dir -- --odd-name"));
    ASSERT_TRUE(parse.error.isEmpty()) << parse.error.toStdString();
    const CliOptions& o = parse.options;
    EXPECT_EQ(o.inputs, (QStringList{"a.mp4", "dir", "--odd-name"}));
    EXPECT_EQ(o.mask, "*.MP4");
    EXPECT_TRUE(o.recursive && !o.thumbnails && o.skipExisting && o.keyFrames && o.json);
    EXPECT_EQ(o.jobs, 2);
    const CliOptions sheet = ParseCliArguments(Split("--sheet-only --info-line {FPS}x --info-line {DATE}")).options;
    EXPECT_TRUE(sheet.sheetOnly && sheet.info);
    EXPECT_EQ(sheet.infoLines, (QStringList{"{FPS}x", "{DATE}"}));
    const CliParse track = ParseCliArguments(Split("--vtt-every 5 --vtt-grid 4x3 --webvtt --vtt-width=160 -f png x"));
    ASSERT_TRUE(track.error.isEmpty()) << track.error.toStdString();
    const PreviewTrackShape& shape = track.options.previewShape;
    EXPECT_TRUE(track.options.webVtt);
    EXPECT_EQ(std::vector<int>({shape.Every, shape.Width, shape.Columns, shape.Rows}),
              std::vector<int>({5, 160, 4, 3}));
    EXPECT_EQ(ParseCliArguments(Split("--help x")).options.action, CliOptions::Action::Help);
    EXPECT_EQ(ParseCliArguments(Split("-V")).options.action, CliOptions::Action::Version);
}

TEST(CliOptions, MistakesAreArgumentErrors)
{
    const char* const parseErrors[] = {
        "--frobnicate",
        "-x",
        "-n",
        "-n 0",
        "-n 1000",
        "-n many",
        "-e 1",
        "-f jpeg",
        "-j 0",
        "--json=1",
        "--set ThumbCols",
        "--set =3",
        "--tonemap 1",
        "--deinterlace",
        "--skip-seconds 0",
        "--skip-seconds 61",
        "--skip-blank=1",
        "--info-line {fps}",
        "--sheet-only --no-sheet",
        "--no-shots --sheet-only",
    };
    for (const char* arguments : parseErrors)
        EXPECT_FALSE(ParseCliArguments(Split(arguments)).error.isEmpty()) << arguments;
    // A preview track's options without it, out of range, or with what it replaces.
    const char* const trackErrors[] = {
        "--vtt-grid 3x3",      "--webvtt --vtt-every 0", "--webvtt --vtt-width 8", "--webvtt --vtt-grid 0x3",
        "--webvtt -n 5",       "--webvtt --every=30",    "--webvtt -s 0:01:00",    "--webvtt --no-shots",
        "--webvtt --no-sheet", "--webvtt --sheet-only",  "--webvtt --info",        "--webvtt --info-line x",
    };
    for (const char* arguments : trackErrors)
        EXPECT_FALSE(ParseCliArguments(Split(arguments)).error.isEmpty()) << arguments;

    const char* const settingErrors[] = {
        "--set NoSuchKey=1",
        "--set ThumbCols=many",
        "--set AddTimeStamp=yes",
        "--set TimeFont.Size=big",
        "--set Size=8",
        "-s 25:00:00",
        "-s noon",
        "--set StartTime=x",
        "--settings /nonexistent/Settings.dat",
    };
    for (const char* arguments : settingErrors) {
        const CliParse parse = ParseCliArguments(Split(arguments));
        ASSERT_TRUE(parse.error.isEmpty()) << arguments;
        EXPECT_FALSE(BuildCliSettings(parse.options, QStringLiteral("/nonexistent"), QString()).error.isEmpty())
            << arguments;
    }
}

TEST(CliSettings, TheFileGivenOrBesideTheProgramThenTheCommandLine)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("Settings.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\nOutputFolder=/shots/\nThumbCols=4\nCaptureSpeed=2\nUnknown=kept\n");
    file.close();

    CliParse parse = ParseCliArguments(Split("--set ThumbRows=2"));
    const CliSettings beside = BuildCliSettings(parse.options, dir.path(), QStringLiteral("/work/"));
    EXPECT_EQ(beside.settings.OutputFolder, "/shots/");
    EXPECT_EQ(beside.settings.ThumbCols, 4);
    EXPECT_EQ(beside.settings.ThumbRows, 2);
    EXPECT_EQ(beside.settings.CaptureSpeed, 0);

    parse = ParseCliArguments(QStringList{"--settings", file.fileName(), "-o", "/else"});
    const CliSettings given = BuildCliSettings(parse.options, QStringLiteral("/nonexistent"), QString());
    EXPECT_EQ(given.settings.ThumbCols, 4);
    EXPECT_EQ(given.settings.OutputFolder, "/else");
    QFile reread(file.fileName());
    ASSERT_TRUE(reread.open(QIODevice::ReadOnly));
    EXPECT_EQ(reread.readAll(),
              QByteArray("[Settings]\nOutputFolder=/shots/\nThumbCols=4\nCaptureSpeed=2\nUnknown=kept\n"));
}

TEST(CliInputs, FoldersScannedAndEverythingInTheListsOrderOnce)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    QDir(root).mkpath("sub");
    for (const char* name : {"b.mp4", "A.MP4", "notes.txt", "sub/c.mp4"})
        QFile(root + u'/' + QString::fromUtf8(name)).open(QIODevice::WriteOnly);

    EXPECT_EQ(GatherInputs({root}, QStringLiteral("*.mp4"), false), (QStringList{root + "/A.MP4", root + "/b.mp4"}));
    // A file named twice in other letter case, and once more through the scan, is listed once.
    EXPECT_EQ(GatherInputs({root + "/b.mp4", root + "/B.mp4", root}, QStringLiteral("*.mp4"), true),
              (QStringList{root + "/A.MP4", root + "/b.mp4", root + "/sub/c.mp4"}));
    // Files named on the command line are taken whatever their extension.
    EXPECT_EQ(GatherInputs({root + "/notes.txt"}, QStringLiteral("*.mp4"), false), (QStringList{root + "/notes.txt"}));
}

}  // namespace
}  // namespace sm
