#include <gtest/gtest.h>

#include "app/QtPrinters.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "ListedPaths.h"
#include "app/Settings.h"
#include "app/VideoOpenFilters.h"
#include "batch/ui/BatchWindow.h"
#include "support/ScriptedPrompts.h"

namespace sm {
namespace {

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
    TfrmBatch batch(settings, prompts, nullptr, [&](const QString& initDir, QWidget*) {
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
