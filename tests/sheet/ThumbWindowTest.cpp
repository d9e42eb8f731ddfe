// The thumbnail window: the aspect-ratio lock, the delayed rebuild, the line list and saving.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include "capture/ShotList.h"
#include "output/Encoders.h"
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
        window = std::make_unique<TfrmThumb>(
            settings, shots, VideoFacts{folder.filePath("holiday.2010.avi"), 60, QString()}, prompts, encoders);
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

TEST_F(ThumbWindowTest, SelectingARowFlipsItsTick)
{
    Open(64, 48);
    auto* grid = child<QTableWidget>("ngPics");
    ASSERT_EQ(grid->rowCount(), 3);
    grid->setCurrentCell(1, 2);
    EXPECT_EQ(grid->item(1, 0)->checkState(), Qt::Unchecked);
    grid->setCurrentCell(2, 2);
    EXPECT_EQ(grid->item(2, 0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(grid->item(1, 0)->checkState(), Qt::Unchecked);
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

TEST_F(ThumbWindowTest, SavesByTheChosenEntryAndReportsAFailedWrite)
{
    Open(64, 48);
    prompts.saveFilterAnswers = {2, 2};
    prompts.fileAnswers = {folder.filePath("sheet.jpg"), folder.filePath("next")};
    child<QAction>("ActSave")->trigger();
    child<QAction>("ActSave")->trigger();
    for (const char* name : {"sheet.jpg", "next.png"}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(file.read(8).startsWith("\x89PNG")) << name;
    }
    EXPECT_TRUE(prompts.texts("error").isEmpty());

    prompts.fileAnswers = {folder.filePath("missing/sheet.png")};
    child<QAction>("ActSave")->trigger();
    EXPECT_EQ(prompts.texts("error").size(), 1);
    EXPECT_FALSE(QFile::exists(folder.filePath("missing/sheet.png")));
}

}  // namespace
}  // namespace sm
