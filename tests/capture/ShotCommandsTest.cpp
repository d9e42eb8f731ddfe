#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "capture/MarkedFrame.h"
#include "capture/ui/ProcessDialog.h"
#include "capture/ui/ShotCommands.h"
#include "settings/Texts.h"
#include "support/FakeMediaEngine.h"
#include "support/ScriptedPrompts.h"

namespace sm {
namespace {

using test::MarkedFrame;

class ShotCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        listView = new QListWidget(&window);
        listView->setSelectionMode(QAbstractItemView::ExtendedSelection);
        listView->setSortingEnabled(true);  // as the window builds it; the binding takes over
        layout->addWidget(listView);
        window.show();
        engine.frameAt = [](std::int64_t second) { return MarkedFrame(int(second)); };
        engine.SetActive(true);
        engine.OpenMedia("clip.mp4");
        settings.CaptureSpeed = 0;
        commands = std::make_unique<ShotCommands>(
            window, *listView, engine, prompts,
            [this](const QString& text) {
                statuses.push_back(text);
                onStatus();
            },
            [this] { statuses.push_back(QStringLiteral("refreshed")); });
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (int row = 0; row < listView->count(); ++row)
            texts << listView->item(row)->text();
        return texts;
    }

    QWidget window;
    QListWidget* listView = nullptr;
    test::FakeMediaEngine engine;
    test::ScriptedPrompts prompts;
    AppSettings settings;
    std::vector<QString> statuses;
    std::function<void()> onStatus = [] {};
    std::unique_ptr<ShotCommands> commands;
};

TEST_F(ShotCommandsTest, TheListWidgetShowsTheRowsInTheListsOrder)
{
    ShotList& shots = commands->Shots();
    shots.AddShot(MarkedFrame(1), "00:00:20");
    shots.AddShot(MarkedFrame(2), "00:00:10");
    shots.AddShot(MarkedFrame(3), "00:00:10");
    EXPECT_EQ(Texts(), (QStringList{"00:00:10", "00:00:10", "00:00:20"}));
    EXPECT_EQ(listView->item(0)->data(Qt::UserRole).toInt(), 1);
    EXPECT_EQ(listView->item(1)->data(Qt::UserRole).toInt(), 2);
    EXPECT_EQ(listView->item(2)->icon().availableSizes().value(0), QSize(100, 100));

    listView->item(1)->setSelected(true);
    commands->RemoveSelectedShots();
    EXPECT_EQ(Texts(), (QStringList{"00:00:10", "00:00:20"}));
    EXPECT_EQ(listView->item(1)->data(Qt::UserRole).toInt(), 0);

    listView->selectAll();
    commands->RemoveSelectedShots();
    EXPECT_EQ(listView->count(), 0);
    EXPECT_EQ(shots.ShotBitmaps().Count(), 0);
}

TEST_F(ShotCommandsTest, TheProgressDialogLooksAndBehavesAsARunNeedsIt)
{
    TfrmProcess& dialog = commands->ProgressDialog();
    EXPECT_EQ(dialog.windowTitle(), lang::kProcessCaption);
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.size(), QSize(381, 84));
    auto* bar = dialog.findChild<QProgressBar*>("ProgBar");
    auto* abort = dialog.findChild<QPushButton*>("btnAbort");
    ASSERT_TRUE(bar && abort);
    EXPECT_EQ(abort->text(), lang::kBtnAbort);
    dialog.SetProgress(25);
    EXPECT_EQ(bar->text(), QStringLiteral("进度...[25%]"));

    // A twelve-shot run: the dialog shows while it runs; its close box only hides it,
    // and its abort button ends the run after the shot in progress.
    bool shownDuringRun = false;
    onStatus = [&] {
        shownDuringRun = shownDuringRun || dialog.isVisible();
        if (statuses.size() == 2)
            dialog.close();
        if (statuses.size() == 4)
            abort->click();
    };
    EXPECT_EQ(commands->AutoCapture(settings, 0, 100), AutoCaptureOutcome::Aborted);
    EXPECT_TRUE(shownDuringRun);
    EXPECT_EQ(commands->Shots().RowCount(), 4);
    EXPECT_EQ(listView->count(), 4);
    EXPECT_EQ(statuses, (std::vector<QString>{lang::kShotCount.arg(1), lang::kShotCount.arg(2), lang::kShotCount.arg(3),
                                              lang::kShotCount.arg(4), "refreshed"}));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(commands->Runs().AbortRequested);
}

TEST_F(ShotCommandsTest, ClosingTheWindowDuringARunEndsTheRunThenCloses)
{
    onStatus = [&] {
        if (statuses.size() == 3)
            window.close();
        EXPECT_TRUE(window.isVisible()) << "the window stays while the run goes on";
    };
    EXPECT_EQ(commands->AutoCapture(settings, 0, 100), AutoCaptureOutcome::Aborted);
    EXPECT_EQ(commands->Shots().RowCount(), 3);
    QApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(commands->Runs().WindowClosing);

    window.show();
    EXPECT_EQ(commands->AutoCapture(settings, 0, 100), AutoCaptureOutcome::Completed) << "a later run is unaffected";
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(ShotCommandsTest, ClosingTheWindowDuringASaveWritesNoMoreAndAsksNothing)
{
    commands->Shots().AddShot(MarkedFrame(1), "00:00:01");
    commands->Shots().AddShot(MarkedFrame(2), "00:00:02");
    settings.OutputFolder = QDir::tempPath();
    int files = 0;
    const ShotFileWriter writer = [&](Bitmap&, const QString&, const QString&, QString&) {
        ++files;
        window.close();
        return false;
    };
    EXPECT_EQ(commands->SaveShots(
                  settings, [] { return QStringLiteral("x_"); }, writer),
              SaveShotsOutcome::Finished);
    EXPECT_EQ(files, 1);
    EXPECT_TRUE(prompts.shown.empty());
    QApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ShotCommandsTest, ShotsLeftOutAreNamedInTheStatusAtTheEnd)
{
    engine.frameAt = [](std::int64_t second) { return second == 16 ? Bitmap() : MarkedFrame(int(second)); };
    EXPECT_EQ(commands->AutoCapture(settings, 0, 100), AutoCaptureOutcome::Completed);
    EXPECT_EQ(commands->Shots().RowCount(), 11);
    EXPECT_EQ(statuses.back(), lang::kShotCountLeftOut.arg(11).arg(1)) << "written after the window's refresh";
}

// What the user hears after a save: failures with their first reason, and no folder to
// open when nothing was written.
TEST_F(ShotCommandsTest, TheSaveReportCountsOnlyFailedWritesAndOffersOnlyAFolderWithFiles)
{
    const struct {
        const char* name;
        std::vector<bool> writes;  // per shot: the writer succeeds
        int abortDuring;           // the stop request comes during this write (-1: never)
        QStringList errors;
        QStringList confirms;
    } cases[] = {
        {"all written", {true, true}, -1, {}, {lang::kShotsSavedOpenFolder.arg(2)}},
        {"one failed",
         {true, false, true},
         -1,
         {lang::kShotsNotSaved.arg(1) + "\ndisk full"},
         {lang::kShotsSavedOpenFolder.arg(2)}},
        {"aborted", {true, true, true}, 0, {}, {lang::kShotsSavedOpenFolder.arg(1)}},
        {"all failed", {false, false}, -1, {lang::kShotsNotSaved.arg(2) + "\ndisk full\n" + lang::kNothingSaved}, {}},
        {"failed, then aborted",
         {false, true, true},
         0,
         {lang::kShotsNotSaved.arg(1) + "\ndisk full\n" + lang::kNothingSaved},
         {}},
    };
    QTemporaryDir out;
    settings.OutputFolder = out.path();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        commands->ClearShots();
        for (std::size_t i = 0; i < c.writes.size(); ++i)
            commands->Shots().AddShot(MarkedFrame(int(i)), QStringLiteral("00:00:%1").arg(i + 10));
        prompts.shown.clear();
        prompts.confirmAnswers = {true};
        std::size_t calls = 0;
        const ShotFileWriter writer = [&](Bitmap&, const QString& fileName, const QString&, QString& error) {
            if (int(calls) == c.abortDuring)
                commands->StopCapture();
            if (!c.writes[calls++]) {
                error = QStringLiteral("disk full");
                return false;
            }
            QFile file(fileName);
            return file.open(QIODevice::WriteOnly);
        };
        commands->SaveShots(
            settings, [] { return QStringLiteral("x_"); }, writer);
        EXPECT_EQ(prompts.texts("error"), c.errors);
        EXPECT_EQ(prompts.texts("confirm"), c.confirms);
        EXPECT_EQ(prompts.texts("shell").size(), c.confirms.size()) << "Yes opens the folder";
    }
}

TEST_F(ShotCommandsTest, ManualCaptureAddsTheShownFrame)
{
    engine.Play();
    engine.SeekTo(42);
    EXPECT_TRUE(commands->CaptureFrame());
    EXPECT_EQ(Texts(), QStringList{"00:00:42"});
    EXPECT_EQ(engine.GetPlayState(), PlayState::Playing);
}

}  // namespace
}  // namespace sm
