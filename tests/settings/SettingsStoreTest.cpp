#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include "settings/SettingsStore.h"
#include "support/TempFolder.h"

namespace sm {
namespace {

using test::ReadOnlyFolder;
using test::TempFolder;

AppSettings Loaded(const TempFolder& folder)
{
    AppSettings s;
    s.JpgCompress = -1;  // proves the load assigns every value
    LoadSettings(folder.path(), s);
    return s;
}

TEST(SettingsStore, MissingFileGivesTheDefaults)
{
    TempFolder folder;
    EXPECT_EQ(Loaded(folder), AppSettings{});
}

TEST(SettingsStore, HexadecimalQualityAndDefaultsForEverythingElse)
{
    TempFolder folder;
    folder.write("Settings.dat", "[Settings]\r\nJpgCompress=0x50\r\n");
    AppSettings expected;
    expected.JpgCompress = 80;
    EXPECT_EQ(Loaded(folder), expected);
}

TEST(SettingsStore, FileEditedWithByteOrderMarkStillReads)
{
    TempFolder folder;
    folder.write("Settings.dat", "\xEF\xBB\xBF[Settings]\r\nSaveFormat=3\r\n");
    EXPECT_EQ(Loaded(folder).SaveFormat, 3);
}

TEST(SettingsStore, ReadsDollarHexBadIntegersAndFonts)
{
    TempFolder folder;
    folder.write("Settings.dat", "[Settings]\nPngCompress=$7\nCaptureSpeed=fast\nSaveFormat=7\nStartTime=1:02:05\n"
                                 "[TimeFont]\nName=宋体\nColor=$FF\nSize=12\nStyle=3\nPitch=2\n"
                                 "[AddonFont]\nSize=0x10\n");
    const AppSettings s = Loaded(folder);
    EXPECT_EQ(s.PngCompress, 7);
    EXPECT_EQ(s.CaptureSpeed, 2);  // not an integer: the default
    EXPECT_EQ(s.SaveFormat, 7);    // out of range but used unchanged
    EXPECT_EQ(s.StartTime, "1:02:05");
    EXPECT_EQ(s.TimeFont, (FontDesc{QStringLiteral("宋体"), 0xFF, 12, 1, 3, 2}));
    EXPECT_EQ(s.AddonFont.size, 16);
    EXPECT_EQ(s.AddonFont.name, "Verdana");
    EXPECT_EQ(s.AddonFont.color, clBlack);
}

TEST(SettingsStore, BooleansReadAnyNonZeroAndWriteOneOrZero)
{
    TempFolder folder;
    folder.write("Settings.dat", "[Settings]\nAddTimeStamp=2\nStopSound=0\nNeedResize=-1\n");
    const AppSettings s = Loaded(folder);
    EXPECT_TRUE(s.AddTimeStamp);
    EXPECT_FALSE(s.StopSound);
    EXPECT_TRUE(s.NeedResize);
    SaveSettings(folder.path(), s);
    const QByteArray text = folder.read("Settings.dat");
    EXPECT_TRUE(text.contains("\nAddTimeStamp=1\n"));
    EXPECT_TRUE(text.contains("\nStopSound=0\n"));
    EXPECT_TRUE(text.contains("\nNeedResize=1\n"));
}

TEST(SettingsStore, SystemColourSurvivesAsTheSameNegativeNumber)
{
    TempFolder folder;
    folder.write("Settings.dat", "[Settings]\nFillColor=-16777201\n");
    const AppSettings s = Loaded(folder);
    EXPECT_EQ(s.FillColor, clBtnFace);
    SaveSettings(folder.path(), s);
    EXPECT_TRUE(folder.read("Settings.dat").contains("\nFillColor=-16777201\n"));
    EXPECT_EQ(Loaded(folder).FillColor, clBtnFace);
}

TEST(SettingsStore, EveryValueRoundTrips)
{
    TempFolder folder;
    AppSettings s;
    s.CaptureMethod = 1;
    s.EveryFrame = 3600;
    s.StartTime = QStringLiteral("2:03:04");
    s.OutputFolder = QStringLiteral("/tmp/截图/");
    s.NeedResize = false;
    s.ShotsWidth = 1920;
    s.MaxColor = 2;
    s.FillColor = RgbColor(1, 2, 3);
    s.Aggregate = true;
    s.AddText = QStringLiteral("first|second");
    s.WinState = 2;
    s.TimeFont = {QStringLiteral("Noto Sans CJK SC"), clBtnFace, 14, 134, FontDesc::Bold | FontDesc::StrikeOut, 1};
    s.AddonFont.size = 9;
    SaveSettings(folder.path(), s);
    EXPECT_EQ(Loaded(folder), s);
}

TEST(SettingsStore, UnknownSectionsAndKeysStayWhereTheyWere)
{
    TempFolder folder;
    folder.write("Settings.dat", "[Settings]\nCaptureMethod=1\nMyKey=mine\nEveryFrame=30\n\n"
                                 "[Plugins]\nPath=/opt/x\n\n"
                                 "[TimeFont]\nName=Arial\n");
    SaveSettings(folder.path(), Loaded(folder));
    const QString text = QString::fromUtf8(folder.read("Settings.dat"));
    EXPECT_TRUE(text.startsWith("[Settings]\nCaptureMethod=1\nMyKey=mine\nEveryFrame=30\nCountFrames=12\n"))
        << text.toStdString();
    const qsizetype plugins = text.indexOf("[Plugins]\nPath=/opt/x\n\n[TimeFont]\nName=Arial\nColor=16777215\n");
    EXPECT_GT(plugins, 0) << text.toStdString();
    EXPECT_GT(text.indexOf("[AddonFont]"), plugins);
}

TEST(SettingsStore, FileInTheGbkCodePageKeepsItsTextsAndIsWrittenBackInUtf8)
{
    TempFolder folder;
    const QString unknown = QStringLiteral("[插件]\n路径=C:\\程序\\\n; 说明\n");
    QStringEncoder gbk("GB18030");
    ASSERT_TRUE(gbk.isValid());
    folder.write("Settings.dat", gbk(QStringLiteral("[Settings]\nOutputFolder=D:\\截图\\\nAddText=第一行|第二行\n\n"
                                                    "[TimeFont]\nName=宋体\n\n")
                                     + unknown));
    const AppSettings s = Loaded(folder);
    EXPECT_EQ(s.OutputFolder, QStringLiteral("D:\\截图\\"));
    EXPECT_EQ(s.AddText, QStringLiteral("第一行|第二行"));
    EXPECT_EQ(s.TimeFont.name, QStringLiteral("宋体"));

    SaveSettings(folder.path(), s);
    const QString text = QString::fromUtf8(folder.read("Settings.dat"));
    for (const QString& line :
         {QStringLiteral("\nOutputFolder=D:\\截图\\\n"), QStringLiteral("\nAddText=第一行|第二行\n"),
          QStringLiteral("[TimeFont]\nName=宋体\n"), unknown})
        EXPECT_TRUE(text.contains(line)) << line.toStdString() << " missing from\n" << text.toStdString();
    EXPECT_EQ(Loaded(folder), s);
}

TEST(SettingsStore, FileWrittenFromScratch)
{
    TempFolder folder;
    SaveSettings(folder.path(), AppSettings{});
    const QString home = QDir::toNativeSeparators(QDir::homePath());
    const QString homeFolder = home.endsWith(QDir::separator()) ? home : home + QDir::separator();
    const QString expected
        = QStringLiteral(
              "[Settings]\n"
              "CaptureMethod=0\nEveryFrame=60\nCountFrames=12\nStartTime=0:00:00\nSaveFormat=0\n"
              "OutputFolder=%1\nNeedResize=1\nShotsWidth=320\nShotsHeight=240\nJpgCompress=90\nPngCompress=9\n"
              "MaxColor=8\nThumbWidth=120\nThumbHeight=90\nThumbCols=3\nThumbRows=4\nThumbSpace=3\nResizeType=0\n"
              "FillColor=0\nAddTimeStamp=1\nTimeTrans=80\nTimePosit=9\nCaptureSpeed=2\nStopSound=1\nAdd2List=0\n"
              "Aggregate=0\nSaveDirectly=1\nInitDir=%1\nAddon=0\nTxtLocation=0\nAddText=\nWinWidth=780\n"
              "WinHeight=580\nWinState=0\nToneMapping=1\nDeinterlace=1\nSkipBlank=0\nSkipBlurred=0\nSkipSeconds=5\n"
              "\n"
              "[TimeFont]\nName=Verdana\nColor=16777215\nSize=8\nCharSet=1\nStyle=0\nPitch=0\n"
              "\n"
              "[AddonFont]\nName=Verdana\nColor=0\nSize=10\nCharSet=1\nStyle=0\nPitch=0\n"
              "\n")
              .arg(homeFolder);
    EXPECT_EQ(QString::fromUtf8(folder.read("Settings.dat")), expected);
    EXPECT_EQ(QStringList(QDir(folder.path()).entryList(QDir::Files)), QStringList{"Settings.dat"});
}

TEST(SettingsStore, UnwritableFolderKeepsTheOldFile)
{
    TempFolder folder;
    const QByteArray old = "[Settings]\nSaveFormat=2\n";
    folder.write("Settings.dat", old);
    AppSettings s;
    s.SaveFormat = 4;
    {
        ReadOnlyFolder readOnly(folder.path());
        if (!readOnly.effective())
            GTEST_SKIP() << "cannot make a folder read-only here";
        EXPECT_THROW(SaveSettings(folder.path(), s), std::runtime_error);
    }
    EXPECT_EQ(folder.read("Settings.dat"), old);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Settings.dat"});
}

// Root may write any file, so the file's own mode decides, as for any other user.
TEST(SettingsStore, ReadOnlyFileStaysAsItWas)
{
    TempFolder folder;
    const QByteArray old = "[Settings]\nSaveFormat=2\n";
    folder.write("Settings.dat", old);
    const QString path = folder.file("Settings.dat");
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path, readOnly));
    EXPECT_THROW(SaveSettings(folder.path(), AppSettings{}), std::runtime_error);
    EXPECT_EQ(folder.read("Settings.dat"), old);
    EXPECT_EQ(QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), readOnly);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Settings.dat"});
}

}  // namespace
}  // namespace sm
