#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "ListedPaths.h"
#include "batch/ui/BatchWindow.h"
#include "capture/MarkedFrame.h"
#include "output/Encoders.h"
#include "settings/Settings.h"
#include "settings/Texts.h"
#include "settings/VideoOpenFilters.h"
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
        EXPECT_EQ(run.batch.isVisible(), !(c.closeWindow && c.yes)) << c.how;
        EXPECT_EQ(run.label("lbStatusMes") == lang::kBatchFinished, !c.yes) << c.how;
        EXPECT_TRUE(run.button("btnClose")->isEnabled()) << c.how;
    }
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
