// The texts of the information block: sizes, byte counting, filled lines, new lines.
#include <gtest/gtest.h>

#include "common/AnsiText.h"
#include "sheet/FileSizeText.h"
#include "sheet/InfoBlock.h"
#include "sheet/InfoPlaceholders.h"
#include "sheet/TextPieces.h"

namespace sm {
namespace {

TEST(FileSizeText, WritesEveryRangeWithItsUnitAndRounding)
{
    const struct {
        std::int64_t bytes;
        const char* text;
    } cases[] = {
        {0, "0 KB"},
        {512, "0.5 KB"},
        {1024, "1 KB"},
        {1536, "2 KB"},  // above 1 KB whole kilobytes, 1.5 to the even 2
        {2560, "2 KB"},  // 2.5 to the even 2
        {1048576, "1024 KB"},
        {1572864, "1.5 MB"},
        {3145728, "3 MB"},
        {2055208, "2.0 MB"},  // 1.96: the tenths reach 10 and carry
        {1310720, "1.2 MB"},  // 1.25: the tenths 2.5 go to the even 2
        {5368709120, "5120 MB"},
        {-1, "0.0 KB"},  // a file not found
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileSizeText(c.bytes), QString::fromUtf8(c.text)) << c.bytes;
    EXPECT_EQ(FileSizeOf(QStringLiteral("/no/such/file")), -1);
}

TEST(AnsiText, CountsOneByteForAsciiAndTwoForAnyOtherCharacterAndNeverCutsOne)
{
    const struct {
        QString text;
        int bytes;
        int cutAt;
        QString left;
    } cases[] = {
        {QStringLiteral("abc"), 3, 2, QStringLiteral("ab")},
        {QStringLiteral("解码器"), 6, 3, QStringLiteral("解")},  // half a character is left out
        {QStringLiteral("a\U0001F600b"), 4, 2, QStringLiteral("a")},
        {QString(), 0, 5, QString()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiByteCount(c.text), c.bytes) << c.text.toStdString();
        EXPECT_EQ(AnsiLeft(c.text, c.cutAt), c.left) << c.text.toStdString();
    }
}

TEST(InfoLines, FillTheFixedLinesAndLeaveUserLinesLiteral)
{
    VideoFacts video{QStringLiteral("/videos/holiday.2010.avi"), 3723, QString()};
    EXPECT_EQ(FilledInfoLine(0, FixedInfoLineTexts()[0], video), QStringLiteral("文件名称：holiday.2010.avi"));
    EXPECT_EQ(FilledInfoLine(1, FixedInfoLineTexts()[1], video), QStringLiteral("文件大小：0.0 KB"));
    EXPECT_EQ(FilledInfoLine(2, FixedInfoLineTexts()[2], video), QStringLiteral("持续时间：01:02:03 "));
    EXPECT_EQ(FilledInfoLine(4, QStringLiteral("{FILENAME}"), video), QStringLiteral("{FILENAME}"));
}

TEST(InfoLines, TheDecoderLineNamesDecodersAndContainerFirstBetweenSlashesAndIsCutAfter45Bytes)
{
    // "解码器：" takes 8 bytes, so 37 more make 45.
    const QString x18 = QString(18, QLatin1Char('x'));
    const struct {
        QString decoderList;
        QString line;
    } cases[] = {
        {QStringLiteral("Video Renderer\rFrame Grabber\rmov,mp4 demultiplexer\rh264 decoder\raac decoder\r"
                        "Audio Renderer\r"),
         QStringLiteral("h264 decoder / aac decoder / mov,mp4 ...")},
        {QStringLiteral("Video Renderer\rAVI demultiplexer\r"), QStringLiteral("AVI demultiplexer / Video Renderer")},
        {QString(), QString()},
        {x18 + "\r" + QString(16, QLatin1Char('y')) + "\r", x18 + " / " + QString(16, QLatin1Char('y'))},  // 45
        {x18 + "\r" + QString(17, QLatin1Char('y')) + "\r", x18 + " / " + QString(16, QLatin1Char('y')) + "..."},
        {x18 + "\r" + QString(15, QLatin1Char('y')) + QStringLiteral("视"),  // the cut falls inside
         x18 + " / " + QString(15, QLatin1Char('y')) + "..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilledInfoLine(3, FixedInfoLineTexts()[3], {QString(), 0, c.decoderList}),
                  QStringLiteral("解码器：") + c.line)
            << c.decoderList.toStdString();
}

TEST(InfoLines, GivenLinesFillEveryPlaceholderAndAFactTheFileLacksIsEmpty)
{
    VideoFacts full{QStringLiteral("/v/film.mkv"), 125, QStringLiteral("h264 decoder\r")};
    full.Media = {1920, 1080, 24000, 1001, "h264", "High", "aac", 48000, "stereo", 4'213'000};
    VideoFacts odd = full;
    odd.Media = {720, 576, 30000, 1001, "mpeg2video", "", "", 0, "", 800'400};
    const VideoFacts none{QStringLiteral("/v/sound.mka"), 0, QString()};
    const struct {
        const VideoFacts& video;
        const char* line;
        const char* filled;
    } cases[] = {
        {full, "{FILENAME} {RESOLUTION} {FPS} {VIDEOCODEC} {AUDIOCODEC} {BITRATE}",
         "film.mkv 1920x1080 23.976 h264 High aac 48000 Hz stereo 4.2 Mb/s"},
        {full, "{DURATION}|{DECODER}|{{FPS}}|{fps}", "00:02:05|h264 decoder|{23.976}|{fps}"},
        {odd, "{FPS}/{VIDEOCODEC}/{AUDIOCODEC}/{BITRATE}", "29.97/mpeg2video//800 kb/s"},
        {none, "[{RESOLUTION}{FPS}{VIDEOCODEC}{AUDIOCODEC}{BITRATE}{DATE}]", "[]"},  // no file, no facts
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillPlaceholders(QString::fromUtf8(c.line), c.video), QString::fromUtf8(c.filled)) << c.line;

    // Only the command line's given lines are checked; a stray brace is text.
    EXPECT_EQ(UnknownPlaceholder(QStringLiteral("{FILENAME} { x } {fps} {DATE}")), QStringLiteral("{fps}"));
    EXPECT_EQ(UnknownPlaceholder(QStringLiteral("{ x } {} {FILENAME}")), QString());
    AppSettings s;
    s.AddText = QStringLiteral("{FILENAME}");  // a user line of the window stays literal
    EXPECT_EQ(CommandLineInfoTexts({}, full, s).mid(3),
              (QStringList{QStringLiteral("解码器：h264 decoder"), QStringLiteral("{FILENAME}")}));
}

TEST(InfoLines, AcceptANewLineOnlyWhenItIsLongerThanOneByteAfterTrimming)
{
    const struct {
        QString typed;
        std::optional<QString> accepted;
    } cases[] = {
        {QString(), std::nullopt},
        {QStringLiteral("  a  "), std::nullopt},
        {QStringLiteral(" 中 "), QStringLiteral("中")},
        {QStringLiteral(" ab"), QStringLiteral("ab")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AcceptedNewLine(c.typed), c.accepted) << c.typed.toStdString();
}

TEST(TextPieces, ReplaceGoesOnAfterEachMatchAndSplitKeepsEmptyPieces)
{
    EXPECT_EQ(ReplaceText("aXbxc", "x", "xx", true), "aXbxxc");
    EXPECT_EQ(ReplaceText("aXbxc", "x", "-x-", false), "a-x-b-x-c");
    EXPECT_EQ(ReplaceText("abc", "", "z", true), "abc");
    EXPECT_EQ(UserLinesFrom(QString()), QStringList());
    EXPECT_EQ(UserLinesFrom("a||b|"), QStringList({"a", "", "b", ""}));
    EXPECT_EQ(AddTextFrom({"a", "b"}), "a|b");
}

}  // namespace
}  // namespace sm
