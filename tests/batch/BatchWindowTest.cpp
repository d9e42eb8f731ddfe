#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "ListedPaths.h"
#include "batch/ui/BatchWindow.h"
#include "batch/ui/SelDirDialog.h"
#include "capture/MarkedFrame.h"
#include "output/Encoders.h"
#include "settings/Settings.h"
#include "settings/Texts.h"
#include "settings/VideoOpenFilters.h"
#include "sheet/SheetLayout.h"
#include "support/FakeMediaEngine.h"
#include "support/ScriptedPrompts.h"

namespace sm {
namespace {

// A batch window over 100-second fake videos whose frames carry their second, saving
// PNG files into a folder of its own; the run's waits take no time.
struct BatchWindowRun {
    BatchWindowRun()
    {
        engine.frameAt = [](std::int64_t second) { return test::MarkedFrame(int(second)); };
        session.SetWait([](int) {});
        settings.OutputFolder = output.path();
        settings.SaveFormat = 1;
        settings.CountFrames = 2;
        settings.NeedResize = false;
        settings.AddTimeStamp = false;
        settings.Add2List = true;
    }
    QPushButton* button(const char* name) { return batch.findChild<QPushButton*>(name); }
    QProgressBar* bar(const char* name) { return batch.findChild<QProgressBar*>(name); }
    QString label(const char* name) { return batch.findChild<QLabel*>(name)->text(); }
    // Lists the files, unticking those named with a leading "-", and starts the run.
    void process(const QStringList& names)
    {
        for (QString name : names) {
            const bool ticked = !name.startsWith('-');
            const QString path = videos.filePath(name.remove('-'));
            QFile(path).open(QIODevice::WriteOnly);
            batch.AddFiles({path});
            if (!ticked)
                batch.files().setData(batch.files().index(batch.files().Count() - 1), Qt::Unchecked,
                                      Qt::CheckStateRole);
        }
        button("btnProcess")->click();
    }

    QTemporaryDir videos;
    QTemporaryDir output;
    test::FakeMediaEngine engine;
    VideoSession session{engine};
    Encoders encoders;
    AppSettings settings;
    test::ScriptedPrompts prompts;
    QString prefix = "old_";
    QStringList listed;
    QList<bool> opened;
    std::function<void(int waitIndex)> duringWait = [](int) {};
    int waits = 0;
    TfrmBatch batch{settings, prompts,
                    BatchMainParts{session, encoders, [this] { return prefix; },
                                   [this](const QString& p) { prefix = p; },
                                   [this](const Bitmap&, const QString& label) { listed << label; },
                                   [this](bool loaded) { opened << loaded; }, [this](int) { duringWait(waits++); }}};
};

TEST(BatchWindow, ProcessesTheTickedFilesShowingProgressAndReportsFailuresBeforeTheQuestion)
{
    BatchWindowRun run;
    QDir(run.output.path()).mkdir("a_0002.png");
    run.prompts.confirmAnswers = {true};
    run.duringWait = [&run](int index) {
        if (index > 0)
            return;
        EXPECT_EQ(run.batch.findChild<QStackedWidget*>("pcMain")->currentIndex(), 1);
        EXPECT_TRUE(run.button("btnList")->isEnabled());
        EXPECT_FALSE(run.button("btnProcess")->isEnabled());
        EXPECT_TRUE(run.button("btnAbort")->isEnabled());
        EXPECT_FALSE(run.button("btnClose")->isEnabled());
        EXPECT_EQ(run.label("lbStatusMes"), "Processing...");
        EXPECT_EQ(run.label("lbFilename"), run.videos.filePath("a.avi"));
        EXPECT_EQ(run.bar("FileProgress")->maximum(), 3);
    };
    run.process({"a.avi", "-b.avi", "c.avi"});

    EXPECT_EQ(run.label("lbStatusMes"), "批量处理已完成。");
    EXPECT_EQ(run.label("lbFilename"), "");
    EXPECT_EQ(run.bar("FileProgress")->value(), 3);
    EXPECT_EQ(run.bar("PicProgress")->value(), 2);
    EXPECT_TRUE(run.button("btnProcess")->isEnabled());
    EXPECT_FALSE(run.button("btnAbort")->isEnabled());
    EXPECT_TRUE(run.button("btnClose")->isEnabled());
    EXPECT_EQ(run.prefix, "c_");
    EXPECT_EQ(run.opened, QList<bool>{true}) << "the main window's read-out starts over once, after the run";
    EXPECT_EQ(run.listed, (QStringList{"00:00:00", "00:00:50", "00:00:00", "00:00:50"}));
    ASSERT_EQ(run.prompts.shown.size(), 3u);
    EXPECT_TRUE(run.prompts.shown[0].text.startsWith("1 个文件未能保存。\n"))
        << run.prompts.shown[0].text.toStdString();
    EXPECT_EQ(run.prompts.shown[1].text, lang::kShotsSavedOpenFolder.arg(3));
    EXPECT_EQ(run.prompts.texts("shell"), QStringList{run.output.path() + "/"});
}

struct InterruptCase {
    const char* how;
    bool closeWindow;  // the title-bar close box instead of the abort button
    bool yes;
    QStringList shown;  // every prompt's text, in order
};

struct ReportCase {
    const char* how;
    QStringList videos;
    std::function<void(BatchWindowRun&)> setUp;
    QString status;
    std::function<QStringList(BatchWindowRun&)> shown;  // every prompt's kind and text, in order
};

TEST(BatchWindow, TellsHowTheRunWentAndEndsItWhateverHappened)
{
    const ReportCase cases[] = {
        {"a missing output folder: the message, and the bars stay empty",
         {"a.avi"},
         [](BatchWindowRun& run) { run.settings.OutputFolder = run.output.filePath("gone"); },
         lang::kOutputFolderMissing,
         [](BatchWindowRun&) { return QStringList(); }},
        {"nothing could be written: no offer to open the folder",
         {"a.avi"},
         [](BatchWindowRun& run) {
             for (const char* name : {"a_0001.png", "a_0002.png", "a_thumb.png"})
                 QDir(run.output.path()).mkdir(name);
         },
         lang::kBatchFinished,
         [](BatchWindowRun& run) {
             const QString why = lang::kWriteFailure.arg(run.output.filePath("a_0001.png"), lang::kWriteFailed,
                                                         QString::fromStdString(std::strerror(EISDIR)));
             return QStringList{"error: " + lang::kBatchFilesNotSaved.arg(3).arg(why) + "\n" + lang::kNothingSaved};
         }},
        {"a sheet too large: the shots are saved and the run goes on to its summary",
         {"a.avi", "b.avi"},
         [](BatchWindowRun& run) { run.settings.ThumbCols = 1000; },
         lang::kBatchFinished,
         [](BatchWindowRun& run) {
             const QString why = lang::kWriteFailureMessage.arg(run.output.filePath("a_thumb.png"),
                                                                QString::fromUtf8(SheetTooLargeError().what()));
             return QStringList{"error: " + lang::kBatchFilesNotSaved.arg(2).arg(why),
                                "confirm: " + lang::kShotsSavedOpenFolder.arg(4)};
         }},
    };
    for (const ReportCase& c : cases) {
        BatchWindowRun run;
        c.setUp(run);
        run.process(c.videos);
        QStringList shown;
        for (const auto& prompt : run.prompts.shown)
            shown << prompt.kind + ": " + prompt.text;
        EXPECT_EQ(shown, c.shown(run)) << c.how;
        EXPECT_EQ(run.label("lbStatusMes"), c.status) << c.how;
        EXPECT_TRUE(run.button("btnProcess")->isEnabled() && run.button("btnClose")->isEnabled()) << c.how;
        for (const char* name : {"FileProgress", "PicProgress"})
            EXPECT_LT(run.bar(name)->minimum(), run.bar(name)->maximum()) << c.how << ": never busy";
    }
}

TEST(BatchWindow, AnAbortOrACloseDuringARunIsConfirmedFirst)
{
    const QString folder = lang::kShotsSavedOpenFolder;
    const InterruptCase cases[] = {
        {"abort, yes", false, true, {lang::kConfirmBatchAbort}},
        {"close, no", true, false, {lang::kConfirmBatchAbort, folder.arg(2)}},
        {"close, yes", true, true, {lang::kConfirmBatchAbort}},
    };
    for (const InterruptCase& c : cases) {
        BatchWindowRun run;
        run.batch.show();
        run.prompts.confirmAnswers = {c.yes};
        run.duringWait = [&](int index) {
            if (index == 0 && c.closeWindow)
                run.batch.close();
            else if (index == 0)
                run.button("btnAbort")->click();
        };
        run.process({"a.avi"});
        QStringList shown;
        for (const auto& prompt : run.prompts.shown)
            shown << prompt.text;
        EXPECT_EQ(shown, c.shown) << c.how;
        EXPECT_EQ(run.batch.isVisible(), !c.closeWindow) << c.how << ": a close takes effect when the run has ended";
        EXPECT_EQ(run.label("lbStatusMes") == lang::kBatchFinished, !c.yes) << c.how;
        EXPECT_TRUE(run.button("btnClose")->isEnabled()) << c.how;
    }
}

TEST(BatchWindow, TheFolderDialogShowsTheStartFolderAndTakesItOnOk)
{
    QTemporaryDir root;
    const QString folder = root.filePath("a/b");
    QDir().mkpath(folder + "/c");
    QDir().mkpath(root.filePath("a/other"));
    TfrmSelDir dialog;
    auto* tree = dialog.findChild<QTreeView*>("TreeViewMain");
    QSignalSpy loaded(tree->model(), SIGNAL(directoryLoaded(QString)));
    dialog.SetFolder(folder + "/");
    dialog.show();
    // Every folder above it read, and what that moved settled.
    QStringList above;
    for (QString up = QFileInfo(folder).path(); above.isEmpty() || above.last() != up; up = QFileInfo(up).path())
        above << up;
    const auto allRead = [&] {
        QStringList read;
        for (const QList<QVariant>& signal : loaded)
            read << signal[0].toString();
        return std::all_of(above.cbegin(), above.cend(), [&](const QString& path) { return read.contains(path); });
    };
    ASSERT_TRUE(QTest::qWaitFor(allRead, 60'000)) << above.join(' ').toStdString();
    QTest::qWait(100);

    const QModelIndex current = tree->currentIndex();
    EXPECT_EQ(QFileInfo(current.data(QFileSystemModel::FilePathRole).toString()), QFileInfo(folder));
    EXPECT_TRUE(tree->selectionModel()->isSelected(current));
    EXPECT_TRUE(tree->isExpanded(current.parent()));
    EXPECT_TRUE(tree->viewport()->rect().contains(tree->visualRect(current))) << "scrolled into view";
    EXPECT_EQ(dialog.Choice().folder, folder);
}

TEST(BatchWindow, FillsItsListFromTheDialogsADropAndRemovesByButtonOrDeleteKey)
{
    QTemporaryDir folder;
    QFile(folder.filePath("scan.avi")).open(QIODevice::WriteOnly);
    QDir(folder.path()).mkdir("dropped");
    AppSettings settings;
    settings.SaveDirectly = false;
    settings.InitDir = "/start/";
    test::ScriptedPrompts prompts;
    // Every path shares the folder's prefix, so the sorted order does not depend on it.
    const auto in = [&](const char* name) { return folder.filePath(QString::fromUtf8(name)); };
    prompts.filesAnswers.push_back({in("b.avi"), in("a.avi")});
    QString askedStart;
    test::FakeMediaEngine engine;
    VideoSession session(engine);
    Encoders encoders;
    TfrmBatch batch(settings, prompts, BatchMainParts{session, encoders, {}, {}, {}, {}, {}}, nullptr,
                    [&](const QString& initDir, QWidget*) {
                        askedStart = initDir;
                        return std::optional<FolderChoice>(FolderChoice{folder.path(), "*.AVI", false});
                    });

    EXPECT_EQ(batch.windowTitle(), "批量处理");
    EXPECT_EQ(batch.size(), QSize(458, 295));
    EXPECT_FALSE(batch.findChild<QCheckBox*>("cbSaveDirectly")->isChecked());
    EXPECT_TRUE(batch.findChild<QCheckBox*>("cbThumbnails")->isChecked());
    EXPECT_FALSE(batch.findChild<QPushButton*>("btnList")->isEnabled());
    EXPECT_FALSE(batch.findChild<QPushButton*>("btnAbort")->isEnabled());
    EXPECT_EQ(batch.findChild<QToolButton*>("btnAdd")->toolTip(), "添加文件");

    batch.findChild<QAction*>("mnuSelectFiles")->trigger();
    EXPECT_EQ(prompts.texts("openFiles").size(), 1);
    EXPECT_EQ(prompts.lastFilters, VideoOpenFilters());
    batch.findChild<QAction*>("mnuSelectFolder")->trigger();
    EXPECT_EQ(askedStart, "/start/");
    EXPECT_EQ(settings.InitDir, folder.path() + "/");

    // A dropped folder is listed as it is.
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(in("dropped")), QUrl("https://example.org/x.avi")});
    QDragEnterEvent enter(QPoint(200, 100), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&batch, &enter);
    QDropEvent drop(QPointF(200, 100), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&batch, &drop);
    EXPECT_EQ(test::ListedPaths(batch.files()), (QStringList{in("a.avi"), in("b.avi"), in("dropped"), in("scan.avi")}));

    auto* list = batch.findChild<QListView*>("clistFiles");
    list->selectionModel()->select(batch.files().index(0), QItemSelectionModel::Select);
    list->selectionModel()->select(batch.files().index(2), QItemSelectionModel::Select);
    QTest::keyRelease(list, Qt::Key_Delete);
    EXPECT_EQ(test::ListedPaths(batch.files()), (QStringList{in("b.avi"), in("scan.avi")}));
    list->selectionModel()->select(batch.files().index(1), QItemSelectionModel::Select);
    batch.findChild<QToolButton*>("btnRemove")->click();
    EXPECT_EQ(test::ListedPaths(batch.files()), QStringList{in("b.avi")});

    batch.findChild<QCheckBox*>("cbSaveDirectly")->click();
    EXPECT_TRUE(settings.SaveDirectly);
}

}  // namespace
}  // namespace sm
