#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ListedPaths.h"
#include "batch/BatchFileList.h"
#include "batch/FolderChoice.h"
#include "settings/Settings.h"

namespace sm {
namespace {

QList<bool> Ticks(const BatchFileList& list)
{
    QList<bool> out;
    for (int row = 0; row < list.Count(); ++row)
        out << list.IsTicked(row);
    return out;
}

TEST(BatchFileList, KeepsOnePathPerSpellingSortedAndTicksWhatItAdds)
{
    BatchFileList list;
    list.AddFiles({"/v/b.avi", "/v/a.avi", "/V/C.avi"});
    EXPECT_EQ(test::ListedPaths(list), (QStringList{"/v/a.avi", "/v/b.avi", "/V/C.avi"}));
    EXPECT_EQ(Ticks(list), (QList<bool>{true, true, true}));

    // Unticked and grey rows keep their state and are not processed.
    list.setData(list.index(0), Qt::Unchecked, Qt::CheckStateRole);
    list.setData(list.index(1), Qt::PartiallyChecked, Qt::CheckStateRole);
    list.AddFiles({"/V/A.AVI", "/v/0.avi", "/v/0.avi", ""});
    EXPECT_EQ(test::ListedPaths(list), (QStringList{"/v/0.avi", "/v/a.avi", "/v/b.avi", "/V/C.avi"}));
    EXPECT_EQ(Ticks(list), (QList<bool>{true, false, false, true}));
    EXPECT_EQ(list.data(list.index(2), Qt::CheckStateRole).toInt(), Qt::PartiallyChecked);

    list.RemoveRows({3, 0, 3, 9});
    EXPECT_EQ(test::ListedPaths(list), (QStringList{"/v/a.avi", "/v/b.avi"}));
}

TEST(BatchFileList, AChosenFolderBecomesTheStartFolderAlsoWhenNothingMatches)
{
    QTemporaryDir folder;
    QFile(folder.filePath("x.mpg")).open(QIODevice::WriteOnly);
    BatchFileList list;
    list.AddFiles({folder.filePath("a.avi")});
    QString initDir = "/elsewhere/";

    AddChosenFolder({folder.path(), "*.avi", false}, initDir, list);
    EXPECT_EQ(initDir, folder.path() + "/");
    EXPECT_EQ(test::ListedPaths(list), QStringList{folder.filePath("a.avi")});

    AddChosenFolder({folder.path(), "*.MPG", false}, initDir, list);
    EXPECT_EQ(test::ListedPaths(list), (QStringList{folder.filePath("a.avi"), folder.filePath("x.mpg")}));
}

TEST(BatchFileList, AFolderDialogStartsInTheNearestFolderThatExists)
{
    QTemporaryDir folder;
    EXPECT_EQ(ExistingStartFolder(folder.path()), folder.path() + "/");
    EXPECT_EQ(ExistingStartFolder(folder.filePath("gone/deeper/")), folder.path() + "/");
    EXPECT_EQ(ExistingStartFolder("C:\\"), DefaultFolder());
    EXPECT_EQ(ExistingStartFolder(""), DefaultFolder());
}

}  // namespace
}  // namespace sm
