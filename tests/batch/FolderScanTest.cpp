#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "batch/FolderScan.h"

namespace sm {
namespace {

TEST(ScanMask, WantsTheExtensionAfterTheMasksFirstCharacter)
{
    const struct {
        const char* mask;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.*", "x.avi", true},
        {"*.*", "no-extension", true},
        {"*.MPG", "x.mpg", true},
        {"*.MPG", "y.MpG", true},
        {"*.MPG", "z.mpeg", false},
        {"*.MPG", "w.mpg.bak", false},
        {"*.avi", "clip.part1.avi", true},
        {"*.avi", "avi", false},
        {"abc", "x.bc", false},
        {"abc", "bc", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesScanMask(QString::fromUtf8(c.name), QString::fromUtf8(c.mask)), c.matches)
            << c.mask << " on " << c.name;
}

TEST(ScanMask, OffersAllFilesThenEveryVideoPattern)
{
    const QStringList masks = ScanMasks();
    // The 31 listed masks, then the present-day containers appended to the video entry.
    ASSERT_EQ(masks.size(), 31 + 8);
    EXPECT_EQ(masks.mid(0, 4), (QStringList{"*.*", "*.wmv", "*.asf", "*.flv"}));
    EXPECT_EQ(masks[30], "*.vob");
    EXPECT_EQ(masks.mid(31), (QStringList{"*.mp4", "*.m4v", "*.mkv", "*.webm", "*.ts", "*.m2ts", "*.mts", "*.3gp"}));
}

// root: a.MPG b.avi notes.txt .hidden.avi pipe.avi (a pipe) loop -> root,
// sub1/c.avi sub1/deep/d.avi sub2/e.avi .secret/f.avi
class FolderScan : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* folder : {"sub1/deep", "sub2", ".secret"})
            ASSERT_TRUE(QDir(root_.path()).mkpath(QString::fromUtf8(folder)));
        for (const char* file : {"a.MPG", "b.avi", "notes.txt", ".hidden.avi", "sub1/c.avi", "sub1/deep/d.avi",
                                 "sub2/e.avi", ".secret/f.avi"}) {
            QFile f(path(file));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.avi")).constData(), 0600), 0);
        ASSERT_TRUE(QFile::link(root_.path(), path("loop")));
    }

    QString path(const char* relative) const { return root_.path() + QLatin1Char('/') + QString::fromUtf8(relative); }
    QStringList paths(std::initializer_list<const char*> relative) const
    {
        QStringList out;
        for (const char* r : relative)
            out << path(r);
        return out;
    }

    QTemporaryDir root_;
};

TEST_F(FolderScan, GoesBreadthFirstAndSkipsHiddenSpecialAndDotEntries)
{
    EXPECT_EQ(ScanFolder(root_.path(), "*.*", true),
              paths({"a.MPG", "b.avi", "notes.txt", "sub1/c.avi", "sub2/e.avi", "sub1/deep/d.avi"}));
    EXPECT_EQ(ScanFolder(root_.path() + QLatin1Char('/'), "*.AVI", true),
              paths({"b.avi", "sub1/c.avi", "sub2/e.avi", "sub1/deep/d.avi"}));
    EXPECT_EQ(ScanFolder(root_.path(), "*.*", false), paths({"a.MPG", "b.avi", "notes.txt"}));
    EXPECT_EQ(ScanFolder(root_.path(), "abc", true), QStringList());
    EXPECT_EQ(ScanFolder(path("missing"), "*.*", true), QStringList());
}

}  // namespace
}  // namespace sm
