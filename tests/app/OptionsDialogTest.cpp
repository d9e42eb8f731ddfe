// The options dialog: what OK stores, what Cancel and the close box keep, the dependent
// controls, the font's working copy and the colour button.
#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>
#include <optional>

#include "app/ui/ColorButton.h"
#include "app/ui/MainWindow.h"
#include "app/ui/OptionsDialog.h"
#include "sheet/SheetPixelSize.h"
#include "support/FakeMediaEngine.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

namespace sm {
namespace {

// Settings away from the defaults wherever the dialog edits one, so that two values
// swapped on the way through the dialog show.
AppSettings EditedSettings()
{
    AppSettings s;
    s.AddTimeStamp = false;
    s.TimeTrans = 35;
    s.TimePosit = 4;
    s.CaptureSpeed = 7;
    s.NeedResize = false;
    s.StopSound = false;
    s.TimeFont = {QStringLiteral("DejaVu Sans"), RgbColor(1, 2, 3), 13, 1, FontDesc::Bold | FontDesc::Italic, 0};
    s.ShotsWidth = 641;
    s.ShotsHeight = 359;
    s.ThumbWidth = 161;
    s.ThumbHeight = 97;
    s.ThumbCols = 6;
    s.ThumbRows = 8;
    s.ThumbSpace = 11;
    s.ResizeType = 1;
    s.FillColor = clBtnFace;  // a system colour comes back as the same code
    s.Add2List = true;
    s.Aggregate = true;
    s.SkipBlank = true;  // the one box shows both switches, of which only one is on here
    return s;
}

class OptionsDialogTest : public ::testing::Test {
protected:
    template <typename T>
    T* child(const char* name) const
    {
        T* found = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void open() { dialog = std::make_unique<TfrmOption>(settings, prompts); }
    void click(const char* button) { child<QPushButton>(button)->click(); }

    AppSettings settings = EditedSettings();
    test::ScriptedPrompts prompts;
    std::unique_ptr<TfrmOption> dialog;
};

TEST_F(OptionsDialogTest, OkWithoutChangesKeepsEverySettingButAnIndexNoListHas)
{
    for (int position : {4, 12}) {
        settings.TimePosit = position;
        AppSettings expected = settings;
        expected.TimePosit = position == 12 ? -1 : position;
        open();
        click("btnOK");
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_TRUE(settings == expected) << "TimePosit " << position;
    }
}

TEST_F(OptionsDialogTest, CancelAndTheCloseBoxKeepEverythingAndTheFontIsAWorkingCopy)
{
    const FontDesc original = EditedSettings().TimeFont;
    const FontDesc chosen{QStringLiteral("DejaVu Serif"), RgbColor(1, 2, 3), 20, 1, 0, 0};
    enum class Finish { Ok, Cancel, CloseBox };
    const struct {
        std::optional<FontDesc> fontAnswer;
        Finish finish;
    } cases[] = {
        {chosen, Finish::Cancel},
        {chosen, Finish::CloseBox},
        {chosen, Finish::Ok},
        {std::nullopt, Finish::Ok},
    };
    for (const auto& c : cases) {
        settings = EditedSettings();
        settings.AddTimeStamp = true;  // the font button works only then
        open();
        prompts.fontAnswers = {c.fontAnswer};
        click("btnFont");
        child<QSpinBox>("edtRows")->setValue(2);
        if (c.finish == Finish::Ok)
            click("btnOK");
        else if (c.finish == Finish::Cancel)
            click("btnCancel");
        else
            dialog->close();
        const bool ok = c.finish == Finish::Ok;
        EXPECT_EQ(prompts.texts("font"), QStringList{original.name}) << int(c.finish);
        prompts.shown.clear();
        EXPECT_EQ(settings.TimeFont, ok && c.fontAnswer ? chosen : original) << int(c.finish);
        EXPECT_EQ(settings.ThumbRows, ok ? 2 : EditedSettings().ThumbRows) << int(c.finish);
    }
}

TEST_F(OptionsDialogTest, CheckBoxesEnableTheirControlsAndOkStillStoresTheDisabledOnes)
{
    settings = AppSettings{};
    open();
    const char* timeStampControls[] = {"lbFont", "btnFont", "lbTimeTrans", "seTimeTrans", "lbTimePosit", "cbTimePosit"};
    const char* resizeControls[] = {"lbShotsWidth", "seShotsWidth", "lbShotsHeight", "seShotsHeight"};
    for (const char* name : timeStampControls)
        EXPECT_TRUE(child<QWidget>(name)->isEnabled()) << name;
    child<QCheckBox>("cbAddTime")->setChecked(false);
    child<QCheckBox>("cbResize")->setChecked(false);
    for (const char* name : timeStampControls)
        EXPECT_FALSE(child<QWidget>(name)->isEnabled()) << name;
    for (const char* name : resizeControls)
        EXPECT_FALSE(child<QWidget>(name)->isEnabled()) << name;
    click("btnOK");
    AppSettings expected;
    expected.AddTimeStamp = false;
    expected.NeedResize = false;
    EXPECT_TRUE(settings == expected);

    settings = EditedSettings();  // both boxes unchecked from the start
    open();
    for (const char* name : resizeControls)
        EXPECT_FALSE(child<QWidget>(name)->isEnabled()) << name;
}

TEST_F(OptionsDialogTest, TheSkipBoxTurnsBothSwitchesOnAndOffTogether)
{
    const struct {
        bool blank, blurred, check, expected;
    } cases[] = {{false, false, true, true}, {true, false, false, false}, {true, true, false, false}};
    for (const auto& c : cases) {
        settings.SkipBlank = c.blank;
        settings.SkipBlurred = c.blurred;
        open();
        auto* box = child<QCheckBox>("cbSkipShots");
        EXPECT_EQ(box->isChecked(), c.blank || c.blurred);
        box->setChecked(c.check);
        click("btnOK");
        EXPECT_EQ(settings.SkipBlank, c.expected);
        EXPECT_EQ(settings.SkipBlurred, c.expected);
    }
}

TEST_F(OptionsDialogTest, TheGridAndTheFillColourReachTheSheet)
{
    settings = AppSettings{};
    open();
    child<QSpinBox>("edtRows")->setValue(2);
    child<QSpinBox>("edtCols")->setValue(5);
    auto* fill = child<ColorButton>("cbFillColor");
    fill->menu()->findChild<QToolButton*>("clRed")->click();
    EXPECT_EQ(fill->Color(), RgbColor(255, 0, 0));
    prompts.colorAnswers = {std::nullopt, RgbColor(10, 20, 30)};
    QAction* other = fill->menu()->findChild<QAction*>("actOtherColor");
    other->trigger();
    EXPECT_EQ(fill->Color(), RgbColor(255, 0, 0)) << "a cancelled colour dialog keeps the colour";
    other->trigger();
    click("btnOK");
    EXPECT_EQ(SheetPixelSize(settings), QSize(618, 189));
    EXPECT_EQ(settings.FillColor, RgbColor(10, 20, 30));
}

TEST(OptionsCommandTest, TheMainWindowsDialogTakesACaptureSpeedOfZeroAndShowsItAgain)
{
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    test::FakeMediaEngine engine;
    TfrmMain window(folder.path(), prompts, engine);
    // Runs one step on the modal dialog once it is open.
    int shownSpeed = -1;
    auto onDialog = [&](std::function<void(TfrmOption&)> step) {
        QTimer::singleShot(0, [step] {
            if (auto* dialog = qobject_cast<TfrmOption*>(QApplication::activeModalWidget()))
                step(*dialog);
        });
        window.action("ActStandardOptions")->trigger();
    };
    onDialog([](TfrmOption& d) {
        auto* speed = d.findChild<QSpinBox*>("seSpeed");
        EXPECT_EQ(speed->minimum(), 0);
        EXPECT_EQ(speed->maximum(), 100);
        speed->setValue(0);
        d.findChild<QPushButton*>("btnOK")->click();
    });
    EXPECT_EQ(window.settings().CaptureSpeed, 0);
    onDialog([&shownSpeed](TfrmOption& d) {
        shownSpeed = d.findChild<QSpinBox*>("seSpeed")->value();
        d.close();
    });
    EXPECT_EQ(shownSpeed, 0);
}

}  // namespace
}  // namespace sm
