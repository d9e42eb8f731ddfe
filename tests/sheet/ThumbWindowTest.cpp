// The thumbnail window: the aspect-ratio lock, the delayed rebuild, the line list and saving.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include "capture/ShotList.h"
#include "output/Encoders.h"
#include "settings/Texts.h"
#include "sheet/SheetFileTypes.h"
#include "sheet/ui/ThumbWindow.h"
#include "support/ScriptedPrompts.h"

namespace sm {
namespace {

class ThumbWindowTest : public testing::Test {
protected:
    void Open(int shotWidth, int shotHeight, int count = 3)
    {
        for (int i = 0; i < count; ++i)
            shots.AddShot(Bitmap(shotWidth, shotHeight, 24), QStringLiteral("00:00:0%1").arg(i));
        Reopen();
    }
    void Reopen()
    {
        window.reset();
        window = std::make_unique<TfrmThumb>(settings, shots,
                                             VideoFacts{folder.filePath("holiday.2010.avi"), 60, QString()}, prompts,
                                             encoders, saveFolder);
        window->show();
    }
    template <typename T>
    T* child(const char* name) const
    {
        return window->findChild<T*>(QLatin1String(name));
    }
    QSpinBox* spin(const char* name) const { return child<QSpinBox>(name); }

    QTemporaryDir folder;
    AppSettings settings;
    ShotList shots;
    test::ScriptedPrompts prompts;
    Encoders encoders;
    QString saveFolder;  // the main window's, kept from one thumbnail window to the next
    std::unique_ptr<TfrmThumb> window;
};

TEST_F(ThumbWindowTest, TheFirstShotSetsTheTileSizeRoundingHalvesToEven)
{
    const struct {
        int shotWidth, shotHeight, tileWidth, tileHeight;
    } cases[] = {{640, 480, 240, 180}, {480, 640, 165, 220}};
    for (const auto& c : cases) {
        shots.ClearShots();
        settings.ThumbWidth = 240;
        settings.ThumbHeight = 220;
        Open(c.shotWidth, c.shotHeight);
        EXPECT_EQ(spin("edtThumbWidth")->value(), c.tileWidth);
        EXPECT_EQ(spin("edtThumbHeight")->value(), c.tileHeight);
    }
}

TEST_F(ThumbWindowTest, ALockedSizeFollowsAtOnceAndTheSheetIsRebuiltOnTheFourthTick)
{
    Open(640, 480);
    EXPECT_EQ(window->statusText(), QStringLiteral("图片的尺寸（宽 x 高）：372px x 375px"));
    auto* timer = child<QTimer>("TimerMake");
    EXPECT_FALSE(timer->isActive());
    spin("edtThumbWidth")->setValue(200);
    EXPECT_EQ(spin("edtThumbHeight")->value(), 150);
    EXPECT_TRUE(timer->isActive());
    for (int tick = 1; tick <= 3; ++tick) {
        window->TimerMakeTimer();
        EXPECT_EQ(window->SheetBitmap().width(), 372) << tick;
    }
    window->TimerMakeTimer();
    EXPECT_EQ(window->SheetBitmap().width(), 3 * 200 + 4 * 3);
    EXPECT_FALSE(timer->isActive());

    child<QAbstractButton>("cbAspectRatio")->click();  // unlocked: a new width waits for the user
    spin("edtThumbWidth")->setValue(100);
    EXPECT_FALSE(timer->isActive());
    spin("edtRows")->setValue(1);  // the grid always counts down
    EXPECT_TRUE(timer->isActive());

    shots.ClearShots();
    Open(480, 640);
    spin("edtThumbHeight")->setValue(100);
    EXPECT_EQ(spin("edtThumbWidth")->value(), 75);
}

TEST_F(ThumbWindowTest, ATooLargeSheetIsRefusedAndTheLastPreviewStays)
{
    Open(64, 48);
    spin("edtThumbWidth")->setValue(9999);
    spin("edtRows")->setValue(999);
    spin("edtCols")->setValue(999);
    child<QAction>("ActShots2Thumb")->trigger();
    ASSERT_EQ(prompts.texts("error").size(), 1);
    EXPECT_TRUE(prompts.texts("error")[0].contains("65500"));
    EXPECT_EQ(window->SheetBitmap().width(), 372);
    EXPECT_TRUE(child<QAction>("ActSave")->isEnabled());
}

TEST_F(ThumbWindowTest, OnlyARowTheUserChoosesFlipsItsTick)
{
    Open(64, 48);
    auto* grid = child<QTableWidget>("ngPics");
    ASSERT_EQ(grid->rowCount(), 3);
    // The focus goes from a box of the settings page to the grid as its page comes up.
    QApplication::setActiveWindow(window.get());
    spin("edtRows")->setFocus();
    child<QTabBar>("TabBarLeft")->setCurrentIndex(1);
    ASSERT_TRUE(grid->hasFocus());
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(grid->item(row, 0)->checkState(), Qt::Checked) << row;

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 2)).center());
    EXPECT_EQ(grid->item(0, 0)->checkState(), Qt::Unchecked);
    grid->setCurrentCell(2, 2);
    EXPECT_EQ(grid->item(2, 0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(grid->item(1, 0)->checkState(), Qt::Checked);
}

TEST_F(ThumbWindowTest, UserLinesNeedTwoBytesAndComeBackSplitAtTheBar)
{
    Open(64, 48);
    auto* list = child<QListWidget>("cbAddText");
    ASSERT_EQ(list->count(), 4);
    auto submit = [&](const QString& text) {
        child<QToolButton>("btnAddInfo")->click();
        child<QLineEdit>("edNewInfo")->setText(text);
        child<QToolButton>("btnSubmit")->click();
    };
    submit(QStringLiteral(" x "));
    EXPECT_EQ(list->count(), 4);
    EXPECT_TRUE(child<QLineEdit>("edNewInfo")->isEnabled());
    submit(QStringLiteral("a|{FILENAME}"));
    EXPECT_EQ(list->count(), 5);
    EXPECT_FALSE(child<QLineEdit>("edNewInfo")->isEnabled());
    Reopen();
    EXPECT_EQ(settings.AddText, QStringLiteral("a|{FILENAME}"));
    list = child<QListWidget>("cbAddText");
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->item(5)->text(), QStringLiteral("{FILENAME}"));
    EXPECT_EQ(list->item(5)->checkState(), Qt::Checked);
}

TEST_F(ThumbWindowTest, EveryFileIsNamedForItsFormatAndTheNextSaveStartsInItsFolder)
{
    Open(64, 48);
    ASSERT_TRUE(QDir(folder.path()).mkdir("out"));
    const QString out = folder.filePath("out");
    const struct {
        int entry;
        const char* typed;
        const char* written;
        QByteArray head;
    } cases[] = {
        {SheetGif, "s2", "s2.gif", "GIF8"},
        {SheetBmp8, "s4", "s4.bmp", "BM"},
        {SheetPng, "sheet.jpg", "sheet.jpg", "\xFF\xD8"},  // the typed extension decides
        {SheetPng, "sheet.PNG", "sheet.PNG", "\x89PNG"},
    };
    for (const auto& c : cases) {
        prompts.saveFilterAnswers = {c.entry};
        prompts.fileAnswers = {out + "/" + c.typed};
        child<QAction>("ActSave")->trigger();
        QFile file(out + "/" + c.written);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.written;
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith(c.head)) << c.written;
        if (c.entry == SheetBmp8) {
            EXPECT_EQ(bytes.at(28), 8) << "bits per pixel";
        }
    }
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 4);
    EXPECT_TRUE(prompts.texts("confirm").isEmpty());

    // A file the dialog did not ask about is replaced only on Yes.
    const QString gif = out + "/s2.gif";
    prompts.saveFilterAnswers = {SheetGif};
    prompts.fileAnswers = {out + "/s2"};
    prompts.confirmAnswers = {false};
    QFile::resize(gif, 5);
    child<QAction>("ActSave")->trigger();
    EXPECT_EQ(prompts.texts("confirm"), QStringList{lang::kConfirmReplaceFile.arg(gif)});
    EXPECT_EQ(QFileInfo(gif).size(), 5);

    Reopen();
    prompts.fileAnswers = {std::nullopt};
    child<QAction>("ActSave")->trigger();
    EXPECT_EQ(prompts.lastStartFolder, out);

    prompts.fileAnswers = {folder.filePath("missing/sheet.png")};
    child<QAction>("ActSave")->trigger();
    EXPECT_EQ(prompts.texts("error").size(), 1);
    EXPECT_FALSE(QFile::exists(folder.filePath("missing/sheet.png")));
}

}  // namespace
}  // namespace sm
