// The shot commands as the main window runs them: its controls feed the runs, and the
// focus goes where the user must correct something.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

#include "app/ui/MainWindow.h"
#include "capture/MarkedFrame.h"
#include "capture/ShotList.h"
#include "capture/ui/ProcessDialog.h"
#include "settings/Texts.h"
#include "support/FakeMediaEngine.h"
#include "support/ScriptedPrompts.h"

namespace sm {
namespace {

// Prompts that let a test look at the window while an error box would be up.
class WatchingPrompts : public test::ScriptedPrompts {
public:
    std::function<void()> onError = [] {};
    void Error(const QString& text) override
    {
        onError();
        ScriptedPrompts::Error(text);
    }
};

class MainWindowShotsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        engine.frameAt = [](std::int64_t second) { return test::MarkedFrame(int(second), 64, 48); };
        window = std::make_unique<TfrmMain>(folder.path(), prompts, engine);
        window->session().SetWait([](int) {});
        window->settings().CaptureSpeed = 0;
        window->show();
        QApplication::setActiveWindow(window.get());
        const QString video = folder.filePath("clip.avi");
        QFile(video).open(QIODevice::WriteOnly);
        window->OpenVideoFile(video);
        ASSERT_TRUE(engine.IsActive());
    }

    template <typename T>
    T* child(const char* name) const
    {
        return window->findChild<T*>(QLatin1String(name));
    }

    QListWidget* list() const { return child<QListWidget>("lvPicList"); }

    QTemporaryDir folder;
    WatchingPrompts prompts;
    test::FakeMediaEngine engine;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(MainWindowShotsTest, AutomaticCaptureFillsTheListAndRefreshesTheCommands)
{
    EXPECT_FALSE(window->action("ActSaveShots")->isEnabled());
    window->action("ActAutoCapture")->trigger();
    ASSERT_EQ(list()->count(), 12);
    EXPECT_EQ(list()->item(11)->text(), "00:01:28");
    EXPECT_EQ(window->statusText(0), lang::kShotCount.arg(12));
    EXPECT_TRUE(window->action("ActSaveShots")->isEnabled());
}

TEST_F(MainWindowShotsTest, AStartLaterThanTheVideoPutsTheFocusOnTheStartTime)
{
    window->action("ActAutoCapture")->trigger();
    ASSERT_TRUE(window->action("ActSaveShots")->isEnabled());
    QApplication::setActiveWindow(window.get());  // given back by the desktop when the progress dialog hides
    child<QTimeEdit>("meStartTime")->setTime(QTime(0, 1, 41));
    child<QLineEdit>("edPrefix")->setFocus();
    prompts.onError = [this] {
        EXPECT_EQ(window->statusText(0), lang::kShotCount.arg(0)) << "the box comes up over the emptied list";
        EXPECT_FALSE(window->action("ActSaveShots")->isEnabled());
        EXPECT_FALSE(window->action("ActRemoveSelShots")->isEnabled());
    };
    window->action("ActAutoCapture")->trigger();
    EXPECT_EQ(prompts.texts("error"), QStringList{lang::kStartAfterDuration});
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(QApplication::focusWidget(), child<QTimeEdit>("meStartTime"));
}

TEST_F(MainWindowShotsTest, ManualCaptureLabelsTheShotWithTheLastReportedPosition)
{
    engine.Play();
    engine.SeekTo(61);
    engine.report(61'700);
    window->action("ActCaptureFrame")->trigger();
    ASSERT_EQ(list()->count(), 1);
    EXPECT_EQ(list()->item(0)->text(), "00:01:01");
    EXPECT_EQ(engine.GetPlayState(), PlayState::Playing);
    EXPECT_TRUE(window->action("ActRemoveAllShots")->isEnabled());
}

TEST_F(MainWindowShotsTest, SavingUsesThePrefixBoxAndAMissingFolderGetsTheFocus)
{
    window->action("ActAutoCapture")->trigger();
    QApplication::setActiveWindow(window.get());  // given back by the desktop when the progress dialog hides
    child<QLineEdit>("seOutput")->setText(folder.filePath("missing"));
    child<QLineEdit>("edPrefix")->setFocus();
    window->action("ActSaveShots")->trigger();
    EXPECT_EQ(prompts.texts("error"), QStringList{lang::kOutputFolderMissing});
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>("seOutput"));

    ASSERT_TRUE(QDir(folder.path()).mkdir("out"));
    child<QLineEdit>("seOutput")->setText(folder.filePath("out"));
    child<QLineEdit>("edPrefix")->setText("take_");
    prompts.confirmAnswers = {true};
    window->action("ActSaveShots")->trigger();
    const QStringList files = QDir(folder.filePath("out")).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 12);
    EXPECT_EQ(files.first(), "take_0001.jpg");
    EXPECT_EQ(files.last(), "take_0012.jpg");
    EXPECT_EQ(prompts.texts("confirm"), QStringList{lang::kShotsSavedOpenFolder.arg(12)});
    EXPECT_EQ(prompts.texts("shell"), QStringList{folder.filePath("out") + QDir::separator()});
}

TEST_F(MainWindowShotsTest, ClosingDuringACaptureEndsItThenClosesAndKeepsTheSettings)
{
    // The second shot's seek asks to close; the request arrives while that shot is taken.
    engine.frameAt = [this](std::int64_t second) {
        if (second == 8)
            QMetaObject::invokeMethod(window.get(), &QWidget::close, Qt::QueuedConnection);
        return test::MarkedFrame(int(second), 64, 48);
    };
    window->action("ActAutoCapture")->trigger();
    EXPECT_EQ(list()->count(), 2) << "the shot in progress is finished, no more are taken";
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(engine.calls.back(), "ClearGraph") << "the window's own close ran after the run";
}

TEST_F(MainWindowShotsTest, F9StopsTheRunWhileTheProgressDialogHasTheFocus)
{
    window->settings().CaptureSpeed = 1;
    auto* progress = window->findChild<TfrmProcess*>();
    ASSERT_NE(progress, nullptr);
    // The user presses F9 in the dialog during the second shot's wait.
    engine.frameAt = [&](std::int64_t second) {
        if (second == 8)
            QMetaObject::invokeMethod(
                progress,
                [progress] {
                    QApplication::setActiveWindow(progress);
                    QWidget* focused = QApplication::focusWidget();
                    ASSERT_NE(focused, nullptr);
                    ASSERT_EQ(focused->window(), progress);
                    QTest::keyClick(focused, Qt::Key_F9);
                },
                Qt::QueuedConnection);
        return test::MarkedFrame(int(second), 64, 48);
    };
    window->action("ActAutoCapture")->trigger();
    EXPECT_EQ(list()->count(), 2) << "the shot in progress is finished, no more are taken";
}

}  // namespace
}  // namespace sm
