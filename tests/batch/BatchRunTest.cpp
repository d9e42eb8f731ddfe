// The batch run on a fake engine: files, sheets, skipped items, aborts, time labels.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>

#include "batch/BatchRun.h"
#include "capture/MarkedFrame.h"
#include "capture/ShotFiles.h"
#include "common/QImageAdapter.h"
#include "output/Encoders.h"
#include "settings/SettingsStore.h"
#include "settings/Texts.h"
#include "support/FakeMediaEngine.h"
#include "support/ScriptedRunHost.h"

namespace sm {
namespace {

using test::MarkedFrame;
using test::MarkOf;

enum class Kind { Video, Unticked, Missing, Folder };

struct BatchEntry {
    const char* name;
    int seconds;  // the length of a video; 0: a file that does not open as one
    Kind kind = Kind::Video;
};

class BatchRunFixture : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(videos.isValid() && output.isValid());
        session.SetWait([](int) {});
        engine.frameAt = [this](std::int64_t second) { return MarkedFrame(int(second), frameWidth, frameHeight); };
        engine.onOpen = [this](const QString& path) {
            engine.failOpen = !lengths.count(path);
            engine.durationSeconds = engine.failOpen ? 0 : lengths[path];
        };
        // The settling wait lets the video play on, as a real one does.
        host.onWait = [this](int index) {
            engine.elapse(settings.CaptureSpeed);
            if (index == abortAtWait)
                control.AbortRequested = true;
        };
        settings.OutputFolder = output.path();
        settings.SaveFormat = 1;
        settings.NeedResize = false;
        settings.AddTimeStamp = false;
        events.ConfirmAbort = [this] {
            ++asked;
            return abortAnswer;
        };
        events.Status = [this](const QString& text, bool red) { statuses << (red ? "red: " : "") + text; };
        events.VideoDone = [this](int index) { videosDone.push_back(index); };
        events.AddToList = [this](const Bitmap&, const QString& label) { listed << label; };
    }

    BatchRunResult Run(const std::vector<BatchEntry>& entries)
    {
        std::vector<BatchItem> items;
        for (const BatchEntry& item : entries) {
            const QString path = videos.filePath(item.name);
            if (item.kind == Kind::Folder)
                QDir(videos.path()).mkdir(item.name);
            else if (item.kind != Kind::Missing)
                QFile(path).open(QIODevice::WriteOnly);
            if (item.seconds > 0)
                lengths[path] = item.seconds;
            items.push_back({path, item.kind != Kind::Unticked});
        }
        return RunBatch(session, host, control, settings, encoders, prefix, items, choices, events);
    }

    QStringList Written() const { return QDir(output.path()).entryList(QDir::Files, QDir::Name); }
    QImage Picture(const QString& name) const { return QImage(output.filePath(name)); }

    QTemporaryDir videos;
    QTemporaryDir output;
    std::map<QString, int> lengths;
    int frameWidth = 8;
    int frameHeight = 6;
    test::FakeMediaEngine engine;
    VideoSession session{engine};
    test::ScriptedRunHost host;
    RunControl control;
    AppSettings settings;
    Encoders encoders;
    QString prefix;
    BatchChoices choices;
    BatchRunEvents events;
    int abortAtWait = -1;
    bool abortAnswer = false;
    int asked = 0;
    QStringList statuses;
    std::vector<int> videosDone;
    QStringList listed;
};

// Names of the shot files first..last of a prefix, and its sheet.
QStringList ShotFiles(const QString& prefix, int first, int last, bool sheet = true)
{
    QStringList names;
    for (int n = first; n <= last; ++n)
        names << prefix + QStringLiteral("%1.png").arg(n, 4, 10, QLatin1Char('0'));
    if (sheet)
        names << prefix + "thumb.png";
    return names;
}

TEST_F(BatchRunFixture, TwelveShotsOfTheFramesAtTheirSecondsAndOneSheet)
{
    const BatchRunResult result = Run({{"clip.part1.avi", 100}});

    EXPECT_EQ(result.Outcome, BatchRunOutcome::Completed);
    EXPECT_EQ(result.SavedCount, 12);
    ASSERT_EQ(Written(), ShotFiles("clip_", 1, 12));
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(MarkOf(FromQImage(Picture(Written()[k]))), k * 8) << "the frame at t, not the one played on to";
    EXPECT_EQ(host.waits, std::vector<int>(13, 2000)) << "twelve settling waits and the pause, events handled";
    EXPECT_EQ(statuses, (QStringList{lang::kBatchProcessing, lang::kBatchFinished}));
    EXPECT_EQ(prefix, "clip_");
    EXPECT_EQ(settings.OutputFolder, output.path() + "/");
    EXPECT_TRUE(control.AbortRequested);
}

struct ListCase {
    const char* name;
    std::function<void(AppSettings&, BatchChoices&, const QString& output)> setUp;
    std::vector<BatchEntry> items;
    std::vector<BatchVideoStatus> statuses;
    QStringList files;
    int saved;
    int failures;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

class BatchRunList : public BatchRunFixture, public testing::WithParamInterface<ListCase> {};

using S = BatchVideoStatus;

TEST_P(BatchRunList, WritesWhatEachItemGivesAndGoesOn)
{
    const ListCase& c = GetParam();
    c.setUp(settings, choices, output.path());
    const BatchRunResult result = Run(c.items);

    EXPECT_EQ(result.Outcome, BatchRunOutcome::Completed);
    std::vector<BatchVideoStatus> statusesSeen;
    for (const BatchVideoResult& video : result.Videos)
        statusesSeen.push_back(video.Status);
    EXPECT_EQ(statusesSeen, c.statuses);
    EXPECT_EQ(Written(), c.files);
    EXPECT_EQ(result.SavedCount, c.saved);
    EXPECT_EQ(result.WriteFailures, c.failures);
    EXPECT_EQ(result.FirstWriteError.FileName.isEmpty(), c.failures == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Items, BatchRunList,
    testing::Values(ListCase{"AnIntervalBeyondTheSpanGivesNoShotAndNoSheet",
                             [](AppSettings& s, BatchChoices&, const QString&) { s.CaptureMethod = 1; },
                             {{"short.avi", 50}, {"next.avi", 60}},
                             {S::Done, S::Done},
                             {"next_0001.png", "next_thumb.png"},
                             1,
                             0},
                    ListCase{"UnsavedShotsMakeNoSheet",
                             [](AppSettings&, BatchChoices& c, const QString&) { c.SaveDirectly = false; },
                             {{"a.avi", 100}},
                             {S::Done},
                             {},
                             0,
                             0},
                    ListCase{"UntickedMissingFoldersAndBrokenFilesAreSkipped",
                             [](AppSettings& s, BatchChoices&, const QString&) { s.CountFrames = 1; },
                             {{"a.avi", 100},
                              {"b.avi", 100, Kind::Unticked},
                              {"gone.avi", 100, Kind::Missing},
                              {"dir.avi", 0, Kind::Folder},
                              {"broken.avi", 0},
                              {"c.avi", 100}},
                             {S::Done, S::NotTicked, S::NotLoaded, S::NotLoaded, S::NotLoaded, S::Done},
                             ShotFiles("a_", 1, 1) + ShotFiles("c_", 1, 1),
                             2,
                             0},
                    ListCase{"AStartAfterTheEndSkipsThatVideo",
                             [](AppSettings& s, BatchChoices&, const QString&) {
                                 s.StartTime = "0:01:00";
                                 s.CountFrames = 1;
                             },
                             {{"a.avi", 50}, {"b.avi", 100}},
                             {S::StartAfterEnd, S::Done},
                             ShotFiles("b_", 1, 1),
                             1,
                             0},
                    ListCase{"FilesThatCannotBeWrittenAreCountedApart",
                             [](AppSettings&, BatchChoices&, const QString& out) {
                                 QDir(out).mkdir("a_0003.png");
                                 QDir(out).mkdir("a_thumb.png");
                             },
                             {{"a.avi", 100}},
                             {S::Done},
                             ShotFiles("a_", 1, 2, false) + ShotFiles("a_", 4, 12, false),
                             11,
                             2},
                    ListCase{"ASheetTooLargeToComposeIsNotWrittenAndTheRunGoesOn",
                             [](AppSettings& s, BatchChoices&, const QString&) {
                                 s.CountFrames = 1;
                                 s.ThumbCols = 1000;
                             },
                             {{"a.avi", 100}, {"b.avi", 100}},
                             {S::Done, S::Done},
                             ShotFiles("a_", 1, 1, false) + ShotFiles("b_", 1, 1, false),
                             2,
                             2}));

TEST_F(BatchRunFixture, SkippedItemsNeitherPauseNorMoveTheFileProgress)
{
    settings.CountFrames = 1;
    Run({{"a.avi", 100}, {"b.avi", 100, Kind::Unticked}, {"c.avi", 0}, {"d.avi", 100}});
    EXPECT_EQ(videosDone, (std::vector<int>{0, 3}));
    EXPECT_EQ(host.waits, std::vector<int>(4, 2000));
}

struct AbortCase {
    const char* name;
    int atWait;  // 2: during the third shot of the first video; 12: during its pause
    bool yes;
    BatchRunOutcome outcome;
    QStringList files;
};

void PrintTo(const AbortCase& c, std::ostream* os) { *os << c.name; }

class BatchRunAbort : public BatchRunFixture, public testing::WithParamInterface<AbortCase> {};

TEST_P(BatchRunAbort, IsConfirmedBeforeTheNextShot)
{
    const AbortCase& c = GetParam();
    abortAtWait = c.atWait;
    abortAnswer = c.yes;
    const BatchRunResult result = Run({{"a.avi", 100}, {"b.avi", 100}});
    EXPECT_EQ(result.Outcome, c.outcome);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Written(), c.files);
    EXPECT_EQ(statuses.contains(lang::kBatchFinished), !c.yes);
    EXPECT_TRUE(control.AbortRequested);
}

INSTANTIATE_TEST_SUITE_P(Answers, BatchRunAbort,
                         testing::Values(AbortCase{"NoGoesOn", 2, false, BatchRunOutcome::Completed,
                                                   ShotFiles("a_", 1, 12) + ShotFiles("b_", 1, 12)},
                                         AbortCase{"YesStopsBeforeTheNextShot", 2, true, BatchRunOutcome::Aborted,
                                                   ShotFiles("a_", 1, 3, false)},
                                         AbortCase{"DuringThePauseYesStopsBeforeTheNextVideo", 12, true,
                                                   BatchRunOutcome::Aborted, ShotFiles("a_", 1, 12)}));

TEST_F(BatchRunFixture, AggregateLabelsContinueAcrossVideosButNotOnTheSheet)
{
    settings.Aggregate = true;
    settings.AddTimeStamp = true;
    settings.Add2List = true;
    settings.CountFrames = 2;
    frameWidth = 160;
    frameHeight = 120;
    Run({{"a.avi", 100}, {"b.avi", 100}});

    EXPECT_EQ(listed, (QStringList{"00:00:00", "00:00:50", "00:01:40", "00:02:30"}));
    Bitmap expected = MarkedFrame(0, frameWidth, frameHeight);
    ASSERT_TRUE(SaveShotFile(expected, videos.filePath("expected.png"), "00:01:40", settings, encoders));
    EXPECT_EQ(Picture("b_0001.png"), QImage(videos.filePath("expected.png")));
    EXPECT_NE(Picture("b_0001.png"), Picture("a_0001.png"));
    EXPECT_EQ(Picture("b_thumb.png"), Picture("a_thumb.png")) << "tiles are labelled from their own second";
}

TEST_F(BatchRunFixture, AggregateAddsOnlyTheDurationsOfTheVideosThatWereProcessed)
{
    settings.Aggregate = true;
    settings.Add2List = true;
    settings.CountFrames = 1;
    settings.StartTime = "0:00:30";
    Run({{"a.avi", 100},
         {"unticked.avi", 100, Kind::Unticked},
         {"gone.avi", 100, Kind::Missing},
         {"broken.avi", 0},
         {"short.avi", 20},
         {"c.avi", 100}});
    EXPECT_EQ(listed, (QStringList{"00:00:30", "00:02:10"})) << "c's labels start after a's 100 seconds";
}

TEST_F(BatchRunFixture, NeedResizeSavesEveryShotAtTheTileSize)
{
    settings.CountFrames = 3;
    frameWidth = 640;
    frameHeight = 480;
    settings.NeedResize = true;
    Run({{"a.avi", 100}});
    for (const QString& name : ShotFiles("a_", 1, 3, false))
        EXPECT_EQ(Picture(name).size(), QSize(120, 90)) << name.toStdString();
}

TEST_F(BatchRunFixture, AZeroIntervalFromTheSettingsFileEndsTheRunWithAMessage)
{
    QFile file(SettingsFilePath(videos.path()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\nCaptureMethod=1\nEveryFrame=0\n");
    file.close();
    LoadSettings(videos.path(), settings);
    settings.OutputFolder = output.path();
    try {
        Run({{"a.avi", 100}});
        ADD_FAILURE() << "no error";
    } catch (const std::invalid_argument& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), lang::kBadCaptureSetting.arg("EveryFrame").arg(0));
    }
    EXPECT_TRUE(Written().isEmpty());
    EXPECT_TRUE(control.AbortRequested);
}

}  // namespace
}  // namespace sm
