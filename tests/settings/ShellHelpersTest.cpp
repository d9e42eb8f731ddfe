#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <QImage>

#include <cerrno>
#include <new>
#include <stdexcept>
#include <system_error>

#include "common/QImageAdapter.h"
#include "settings/GuardedCommand.h"
#include "settings/StartTimeText.h"
#include "settings/Texts.h"
#include "settings/VideoOpenFilters.h"
#include "settings/WriteFailureText.h"
#include "support/ScriptedPrompts.h"

namespace sm {
namespace {

TEST(StartTimeText, ReadsTheStoredFormsAndWritesHourWithoutLeadingZero)
{
    EXPECT_EQ(ParseStartTime("0:00:00"), QTime(0, 0, 0));
    EXPECT_EQ(ParseStartTime("1:02:05"), QTime(1, 2, 5));
    EXPECT_EQ(ParseStartTime("13:5:7"), QTime(13, 5, 7));
    EXPECT_EQ(ParseStartTime("2:30"), QTime(2, 30, 0));
    // Text that is no time of day must not stop the start-up.
    EXPECT_EQ(ParseStartTime("soon"), QTime(0, 0, 0));
    EXPECT_EQ(ParseStartTime("25:00:00"), QTime(0, 0, 0));
    EXPECT_EQ(FormatStartTime(QTime(0, 0, 0)), "0:00:00");
    EXPECT_EQ(FormatStartTime(QTime(13, 2, 5)), "13:02:05");
}

TEST(RunGuarded, ShowsEveryEscapingErrorAndNothingElse)
{
    test::ScriptedPrompts prompts;
    bool ran = false;
    RunGuarded(prompts, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(prompts.shown.empty());

    RunGuarded(prompts, [] { throw std::runtime_error("disk full"); });
    RunGuarded(prompts, [] { throw 42; });
    RunGuarded(prompts, [] { throw FileWriteError(SystemFailure("/out/a.png", ENOSPC)); });
    EXPECT_EQ(prompts.texts("error"), (QStringList{"disk full", lang::kUnknownError,
                                                   "无法保存 /out/a.png：磁盘空间不足（No space left on device）"}));
}

TEST(WriteFailureText, NamesTheCommonCausesInChineseWithTheSystemsOwnText)
{
    using namespace lang;
    const struct {
        int error;
        QString cause;
    } cases[] = {
        {EACCES, kWriteNoPermission}, {EPERM, kWriteNoPermission},       {EROFS, kWriteNoPermission},
        {ENOSPC, kWriteDiskFull},     {EDQUOT, kWriteDiskFull},          {ENOENT, kWriteNoFolder},
        {ENOTDIR, kWriteNoFolder},    {ENAMETOOLONG, kWriteNameTooLong}, {EBUSY, kWriteFileInUse},
        {ETXTBSY, kWriteFileInUse},   {ENOMEM, kWriteOutOfMemory},       {EIO, kWriteFailed},
    };
    for (const auto& c : cases) {
        const QString system = QString::fromStdString(std::generic_category().message(c.error));
        EXPECT_EQ(WriteFailureText(SystemFailure("/out/a.png", c.error)), QStringLiteral("无法保存 /out/a.png：")
                                                                              + c.cause + QStringLiteral("（") + system
                                                                              + QStringLiteral("）"));
    }
    EXPECT_EQ(WriteFailureText(FailureOf(std::bad_alloc(), "/out/a.png")),
              WriteFailureText(SystemFailure("/out/a.png", ENOMEM)));
    EXPECT_EQ(WriteFailureText(FailureOf(std::runtime_error("too wide for GIF"), "/out/a.gif")),
              "无法保存 /out/a.gif：too wide for GIF")
        << "a failure that is not the system's is told by its message";
}

TEST(VideoOpenFilters, NineEntriesInOrderWithAllFilesLast)
{
    const QStringList filters = VideoOpenFilters();
    ASSERT_EQ(filters.size(), 9);
    EXPECT_TRUE(filters[0].startsWith(QStringLiteral("所有视频文件|*.wmv;*.asf;*.flv;")));
    // Today's containers follow the older list, so that a first video is visible at once.
    EXPECT_TRUE(filters[0].endsWith(
        QStringLiteral(";*.avi;*.mov;*.qt;*.vob;*.mp4;*.m4v;*.mkv;*.webm;*.ts;*.m2ts;*.mts;*.3gp")));
    EXPECT_EQ(filters[0].count(QLatin1Char(';')), 37);
    EXPECT_EQ(filters[0].section(QLatin1Char('|'), 1), AllVideoPatterns().join(QLatin1Char(';')));
    EXPECT_EQ(filters[3], QStringLiteral("MPEG 文件 (*.mpg;*.mpeg;*.mpa;*.mp2;*.dat)|*.mpg;*.mpeg;*.mpa;*.mp2;*.dat"));
    EXPECT_EQ(filters[7], QStringLiteral("QuickTime 文件 (*.mov;*.qt)|*.mov;*.qt"));
    EXPECT_EQ(filters[8], QStringLiteral("所有文件 (*.*)|*.*"));
}

TEST(QImageAdapter, ConvertsBothWaysKeepingEveryPixel)
{
    // An odd width exercises the row padding.
    Bitmap bitmap(3, 2, 24);
    const std::uint32_t colours[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000};
    for (int i = 0; i < 6; ++i)
        bitmap.setPixelRgb(i % 3, i / 3, colours[i]);

    const QImage image = ToQImage(bitmap);
    ASSERT_EQ(image.size(), QSize(3, 2));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(image.pixel(i % 3, i / 3), 0xFF000000u | colours[i]) << i;
    EXPECT_EQ(FromQImage(image), bitmap);
}

TEST(QImageAdapter, PalettedBitmapsAndEmptyPictures)
{
    Bitmap bitmap(2, 1, 8);
    bitmap.palette() = {{0, 0, 0, 0}, {0x30, 0x20, 0x10, 0}};
    bitmap.row(0)[1] = 1;
    const QImage image = ToQImage(bitmap);
    EXPECT_EQ(image.pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(image.pixel(1, 0), 0xFF102030u);
    EXPECT_TRUE(ToQImage(Bitmap()).isNull());
    EXPECT_TRUE(FromQImage(QImage()).isEmpty());
}

}  // namespace
}  // namespace sm
