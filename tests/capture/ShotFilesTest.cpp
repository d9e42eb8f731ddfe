#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "capture/ShotFiles.h"
#include "capture/ShotList.h"
#include "common/QImageAdapter.h"
#include "output/Encoders.h"
#include "support/ScriptedRunHost.h"

namespace sm {
namespace {

// A picture whose pixels all carry a number.
Bitmap Picture(int mark, int width = 6, int height = 4)
{
    Bitmap picture(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixelRgb(x, y, std::uint32_t(mark));
    return picture;
}

ShotToSave Shot(const QString& label, int mark)
{
    return ShotToSave{label, std::make_shared<const Bitmap>(Picture(mark))};
}

class SaveShotsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(out.isValid());
        settings.OutputFolder = out.path() + "/";
        settings.SaveFormat = 1;
        settings.NeedResize = false;
    }

    // Writes "label mark widthxheight" as the file's content.
    bool WriteText(Bitmap& picture, const QString& fileName, const QString& label, QString& error)
    {
        written.push_back(fileName);
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            error = file.errorString();
            return false;
        }
        file.write(QStringLiteral("%1 %2 %3x%4")
                       .arg(label)
                       .arg(picture.pixelRgb(0, 0))
                       .arg(picture.width())
                       .arg(picture.height())
                       .toUtf8());
        return true;
    }

    SaveShotsResult Save(const std::vector<ShotToSave>& shots)
    {
        SaveShotsRun run(settings, host, control, [this](Bitmap& p, const QString& f, const QString& l, QString& e) {
            return writer(p, f, l, e);
        });
        return run.Run(shots, [this] { return prefix; });
    }

    QString Content(const QString& name) const
    {
        QFile file(out.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("<missing>");
        return QString::fromUtf8(file.readAll());
    }

    QTemporaryDir out;
    AppSettings settings;
    test::ScriptedRunHost host;
    RunControl control;
    QString prefix = QStringLiteral("shots_");
    std::vector<QString> written;
    ShotFileWriter writer
        = [this](Bitmap& p, const QString& f, const QString& l, QString& e) { return WriteText(p, f, l, e); };
};

TEST_F(SaveShotsTest, WritesNumberedFilesInDisplayOrder)
{
    const SaveShotsResult result = Save({Shot("00:00:08", 8), Shot("00:00:16", 16), Shot("00:00:24", 24)});

    EXPECT_EQ(result.Outcome, SaveShotsOutcome::Finished);
    EXPECT_EQ(result.Written, 3);
    EXPECT_EQ(result.Failed, 0);
    EXPECT_EQ(written, (std::vector<QString>{out.filePath("shots_0001.png"), out.filePath("shots_0002.png"),
                                             out.filePath("shots_0003.png")}));
    EXPECT_EQ(Content("shots_0002.png"), "00:00:16 16 6x4");
    EXPECT_FALSE(host.visible);
    EXPECT_TRUE(control.AbortRequested);
}

TEST_F(SaveShotsTest, TheProgramsWriterSavesPicturesThatReadBackExactly)
{
    settings.AddTimeStamp = false;
    Encoders encoders;
    writer = BitmapFileWriter(settings, encoders);
    EXPECT_EQ(Save({Shot("00:00:01", 0x102030), Shot("00:00:02", 0x405060)}).Written, 2);

    const QImage second(out.filePath("shots_0002.png"));
    ASSERT_EQ(second.size(), QSize(6, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(second.pixel(x, y) & 0xFFFFFF, 0x405060u) << x << "," << y;
}

TEST_F(SaveShotsTest, FileNamesAndExtensions)
{
    EXPECT_EQ(ShotFileName("/o/", "a_", 1, ".png"), "/o/a_0001.png");
    EXPECT_EQ(ShotFileName("/o/", "", 12345, ".jpg"), "/o/12345.jpg");
    EXPECT_EQ(SheetFileName("/o/", "a_", ".gif"), "/o/a_thumb.gif");
    const std::pair<const char*, const char*> prefixes[] = {{"/videos/clip.part1.avi", "clip_"},
                                                            {"/videos/holiday.mp4", "holiday_"},
                                                            {"/videos/no_extension", "no_extension_"},
                                                            {"/videos.d/film", "film_"},
                                                            {"relative/假期.mkv", "假期_"}};
    for (const auto& [path, prefix] : prefixes)
        EXPECT_EQ(ShotPrefixForVideo(QString::fromUtf8(path)), QString::fromUtf8(prefix)) << path;

    const std::pair<int, QString> formats[]
        = {{0, ".jpg"}, {1, ".png"}, {2, ".bmp"}, {3, ".gif"}, {4, ".tif"}, {7, ".jpg"}, {-1, ".jpg"}};
    for (const auto& [format, extension] : formats) {
        settings.SaveFormat = format;
        written.clear();
        Save({Shot("00:00:01", 1)});
        ASSERT_EQ(written.size(), 1u);
        EXPECT_TRUE(written[0].endsWith(extension)) << format;
    }
    EXPECT_EQ(settings.SaveFormat, 0) << "no format chosen means JPG";
}

TEST_F(SaveShotsTest, ProgressShowsTheShareDoneBeforeEachFile)
{
    Save({Shot("a", 1), Shot("b", 2), Shot("c", 3), Shot("d", 4)});
    EXPECT_EQ(host.progress, (std::vector<int>{0, 0, 25, 50, 75}));
    EXPECT_EQ(host.timesShown, 1);
    EXPECT_EQ(host.timesHidden, 1);
}

TEST_F(SaveShotsTest, AMissingFolderIsReportedAndNothingIsWritten)
{
    const QString asFile = out.filePath("plain.txt");
    QFile(asFile).open(QIODevice::WriteOnly);
    for (const QString& folder : {out.filePath("nowhere"), asFile}) {
        settings.OutputFolder = folder;
        EXPECT_EQ(Save({Shot("a", 1)}).Outcome, SaveShotsOutcome::MissingFolder) << folder.toStdString();
        EXPECT_EQ(settings.OutputFolder, folder);
    }
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(host.timesShown, 0);
}

TEST_F(SaveShotsTest, AFolderWithoutTrailingSeparatorGetsOne)
{
    settings.OutputFolder = out.path();
    Save({Shot("a", 1)});
    EXPECT_EQ(settings.OutputFolder, out.path() + QDir::separator());
    EXPECT_EQ(Content("shots_0001.png"), "a 1 6x4");
}

TEST_F(SaveShotsTest, AFileThatCannotBeWrittenIsNotCountedAsSaved)
{
    ASSERT_TRUE(QDir(out.path()).mkdir("shots_0002.png"));  // a folder where the file should go
    const SaveShotsResult result = Save({Shot("a", 1), Shot("b", 2), Shot("c", 3)});

    EXPECT_EQ(result.Written, 2);
    EXPECT_EQ(result.Failed, 1);
    EXPECT_FALSE(result.FirstError.isEmpty()) << "the reason is kept for the user";
    EXPECT_EQ(Content("shots_0003.png"), "c 3 6x4") << "the run goes on after a failed file";
}

TEST_F(SaveShotsTest, AWriterThatClaimsSuccessWithoutAFileIsNotBelieved)
{
    writer = [](Bitmap&, const QString&, const QString&, QString&) { return true; };
    const SaveShotsResult result = Save({Shot("a", 1)});
    EXPECT_EQ(result.Written, 0);
    EXPECT_EQ(result.Failed, 1);
}

TEST_F(SaveShotsTest, ASecondSaveOverwritesTheFirstOnesFiles)
{
    Save({Shot("a", 1), Shot("b", 2)});
    Save({Shot("c", 3)});
    EXPECT_EQ(Content("shots_0001.png"), "c 3 6x4");
    EXPECT_EQ(Content("shots_0002.png"), "b 2 6x4");
}

TEST_F(SaveShotsTest, AbortStopsBeforeTheNextFileAndTheRowsLeftAreNoFailures)
{
    writer = [this](Bitmap& p, const QString& f, const QString& l, QString& e) {
        if (written.size() == 1)
            control.AbortRequested = true;  // pressed while the second file is written
        return WriteText(p, f, l, e);
    };
    const SaveShotsResult result = Save({Shot("a", 1), Shot("b", 2), Shot("c", 3), Shot("d", 4)});

    EXPECT_EQ(written.size(), 2u);
    EXPECT_EQ(result.Written, 2);
    EXPECT_EQ(result.Failed, 0);
    EXPECT_FALSE(host.visible);
    EXPECT_TRUE(control.AbortRequested);
}

TEST_F(SaveShotsTest, ResizesToTheShotSizeWhenAsked)
{
    settings.NeedResize = true;
    settings.ShotsWidth = 320;
    settings.ShotsHeight = 240;
    Save({ShotToSave{"a", std::make_shared<const Bitmap>(Picture(5, 720, 576))}});
    EXPECT_EQ(Content("shots_0001.png"), "a 5 320x240");
}

TEST_F(SaveShotsTest, ThePrefixIsReadForEveryFileAndEmptyPicturesLeaveTheirNumberUnused)
{
    int files = 0;
    const std::vector<ShotToSave> shots{Shot("a", 1), ShotToSave{"b", std::make_shared<const Bitmap>()}, Shot("c", 3)};
    SaveShotsRun run(settings, host, control, writer);
    const SaveShotsResult result = run.Run(shots, [&files] { return QStringLiteral("p%1_").arg(++files); });

    EXPECT_EQ(written, (std::vector<QString>{out.filePath("p1_0001.png"), out.filePath("p2_0003.png")}));
    EXPECT_EQ(result.Failed, 0) << "an empty picture is no failed write";
    EXPECT_EQ(host.progress, (std::vector<int>{0, 0, 66})) << "an empty picture makes no progress step";
}

TEST_F(SaveShotsTest, AnErrorEndsTheRunAndIsPassedOn)
{
    writer
        = [](Bitmap&, const QString&, const QString&, QString&) -> bool { throw std::runtime_error("encoder broke"); };
    EXPECT_THROW(Save({Shot("a", 1)}), std::runtime_error);
    EXPECT_FALSE(host.visible);
    EXPECT_TRUE(control.AbortRequested);
    EXPECT_FALSE(control.Running);
}

TEST_F(SaveShotsTest, NothingHappensWithoutShotsOrWhileAnotherRunGoesOn)
{
    EXPECT_EQ(Save({}).Outcome, SaveShotsOutcome::NothingToSave);
    control.Running = true;
    EXPECT_EQ(Save({Shot("a", 1)}).Outcome, SaveShotsOutcome::Refused);
    EXPECT_TRUE(written.empty());
}

TEST_F(SaveShotsTest, RowsRemovedOrClearedDuringTheRunAreStillSavedUnderTheirOwnLabels)
{
    ShotList list;
    list.AddShot(Picture(1), "00:00:01");
    list.AddShot(Picture(2), "00:00:02");
    list.AddShot(Picture(3), "00:00:03");
    host.onProcessMessages = [&list, this] {
        if (written.size() == 1) {
            list.SetSelected(0, true);
            list.RemoveSelectedShots();
        } else if (written.size() == 2) {
            list.ClearShots();
            list.AddShot(Picture(9), "00:00:09");
        }
    };
    const SaveShotsResult result = Save(list.ShotsInDisplayOrder());

    EXPECT_EQ(result.Written, 3);
    EXPECT_EQ(Content("shots_0001.png"), "00:00:01 1 6x4");
    EXPECT_EQ(Content("shots_0002.png"), "00:00:02 2 6x4");
    EXPECT_EQ(Content("shots_0003.png"), "00:00:03 3 6x4");
}

TEST_F(SaveShotsTest, TheTimeLabelIsStampedOnlyWhenAskedAndNotEmpty)
{
    Encoders encoders;
    settings.TimePosit = 1;
    settings.TimeTrans = 100;
    const Bitmap black(60, 30);
    const QString file = out.filePath("stamp.png");

    struct Case {
        bool addTimeStamp;
        const char* label;
        bool stamped;
    };
    for (const Case c : {Case{true, "", false}, Case{false, "00:01:02", false}, Case{true, "00:01:02", true}}) {
        settings.AddTimeStamp = c.addTimeStamp;
        Bitmap copy = black;
        ASSERT_TRUE(SaveShotFile(copy, file, QString::fromLatin1(c.label), settings, encoders));
        EXPECT_EQ(copy != black, c.stamped) << c.addTimeStamp << " '" << c.label << "'";
        EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_RGB32), ToQImage(copy)) << "the file shows the stamp";
    }

    // A font the text engine refuses: the picture is saved without the stamp.
    settings.AddTimeStamp = true;
    settings.TimeFont.size = 1000000;
    Bitmap copy = black;
    EXPECT_TRUE(SaveShotFile(copy, file, "00:01:02", settings, encoders));
    EXPECT_EQ(QImage(file).width(), 60);
}

}  // namespace
}  // namespace sm
