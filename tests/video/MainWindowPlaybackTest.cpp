#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <algorithm>

#include "app/ui/MainWindow.h"
#include "settings/Texts.h"
#include "support/FakeMediaEngine.h"
#include "support/ScriptedPrompts.h"

using namespace sm;
using sm::test::FakeMediaEngine;
using sm::test::PlaceholderVideo;
using sm::test::ScriptedPrompts;

namespace {

class MainWindowPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(clip.created);
        window = std::make_unique<TfrmMain>(clip.folder.path(), prompts, engine);
        window->session().SetWait([](int) {});
        window->show();
        engine.calls.clear();
    }

    void Trigger(const char* name) { window->action(QLatin1String(name))->trigger(); }
    bool Enabled(const char* name) const { return window->action(QLatin1String(name))->isEnabled(); }
    template <typename W>
    W* Child(const char* name) const
    {
        return window->findChild<W*>(QLatin1String(name));
    }
    bool Called(const QString& call) const { return std::ranges::count(engine.calls, call) > 0; }

    PlaceholderVideo clip;
    FakeMediaEngine engine;
    ScriptedPrompts prompts;
    std::unique_ptr<TfrmMain> window;
};

}  // namespace

TEST_F(MainWindowPlaybackTest, PlayWithoutAVideoOffersTheOpenDialogAndTheVideoWaitsStopped)
{
    Trigger("ActPlayVideo");
    EXPECT_EQ(prompts.texts(QStringLiteral("open")).size(), 1);
    EXPECT_TRUE(engine.calls.empty()) << "a cancelled dialog changes nothing";

    prompts.fileAnswers.push_back(clip.path);
    engine.videoWidth = 720;
    Trigger("ActPlayVideo");

    EXPECT_EQ(prompts.texts(QStringLiteral("open")).size(), 2);
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped) << "opening does not start playback";
    EXPECT_FALSE(Called(QStringLiteral("Play")));
    EXPECT_EQ(window->session().VideoFileName, clip.path);
    EXPECT_EQ(window->session().VideoDuration, engine.durationSeconds);
    EXPECT_EQ(window->session().DecoderList, engine.filterNames);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Stillmark (%1)").arg(clip.path));
    EXPECT_EQ(Child<QLineEdit>("edPrefix")->text(), QStringLiteral("clip_"));
    EXPECT_EQ(window->settings().ShotsWidth, 720);
    EXPECT_TRUE(Enabled("ActPlayVideo"));
    EXPECT_FALSE(Enabled("ActPauseVideo"));

    Trigger("ActPlayVideo");
    EXPECT_EQ(engine.GetPlayState(), PlayState::Playing);
    EXPECT_FALSE(Enabled("ActPlayVideo"));
    EXPECT_TRUE(Enabled("ActPauseVideo"));
    EXPECT_TRUE(Child<QToolButton>("btnForward")->isEnabled());

    Trigger("ActPauseVideo");
    EXPECT_EQ(engine.GetPlayState(), PlayState::Paused);
    EXPECT_TRUE(Enabled("ActPlayVideo"));
    EXPECT_FALSE(Enabled("ActStopVideo"));
}

TEST_F(MainWindowPlaybackTest, TheBarAndTheReadoutFollowReportsAndTheUsersHand)
{
    window->OpenVideoFile(clip.path);
    Trigger("ActPlayVideo");
    auto* bar = Child<QSlider>("TrackBar");

    engine.report(30'000);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 30);
    EXPECT_EQ(window->statusText(1), QStringLiteral("Position: 00:00:30 Duration: 00:01:40"));

    Child<QToolButton>("btnForward")->click();
    EXPECT_EQ(bar->value(), 40);
    EXPECT_TRUE(Called(QStringLiteral("SeekTo(40)")));

    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->width() / 4, bar->height() / 2));
    const int held = bar->value();
    engine.report(90'000);
    EXPECT_EQ(bar->value(), held) << "reports do not move a held bar";
    EXPECT_EQ(window->session().LastPositionMs, 30'000u);
    EXPECT_EQ(window->statusText(1), QStringLiteral("Position: 00:00:30 Duration: 00:01:40"));

    engine.calls.clear();
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->width() / 4, bar->height() / 2));
    QCoreApplication::processEvents();
    ASSERT_FALSE(engine.calls.empty());
    EXPECT_EQ(engine.calls.front(), QStringLiteral("SeekToUnits(%1)").arg(qint64(bar->value()) * 10'000'000));

    emit engine.GraphEvent(EC_COMPLETE);
    EXPECT_EQ(window->statusText(1), MediaEngine::EventText(EC_COMPLETE));

    Trigger("ActStopVideo");
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped);
    EXPECT_EQ(window->session().LastPositionMs, 30'000u) << "a stop keeps the last reported position";
}

// The read-out never shows another video's values: each open starts it over, and a
// file that does not open says so there (and nowhere else: no box is shown).
TEST_F(MainWindowPlaybackTest, OpeningResetsTheReadoutOrSaysTheFileDidNotOpen)
{
    window->OpenVideoFile(clip.path);
    Trigger("ActPlayVideo");
    engine.report(30'000);
    auto* bar = Child<QSlider>("TrackBar");
    const QString missing = clip.folder.filePath(QStringLiteral("gone.avi"));
    struct Case {
        QString path;
        bool failOpen;
        std::int64_t seconds;
        QString readout;
    };
    const Case cases[] = {
        {missing, false, 100, lang::kVideoNotOpened},
        {clip.path, true, 100, lang::kVideoNotOpened},
        {clip.path, false, 50, QStringLiteral("Position: 00:00:00 Duration: 00:00:50")},
    };
    for (const Case& c : cases) {
        engine.failOpen = c.failOpen;
        engine.durationSeconds = c.seconds;
        window->OpenVideoFile(c.path);
        EXPECT_EQ(window->statusText(1), c.readout) << c.path.toStdString() << " " << c.failOpen;
        EXPECT_EQ(bar->value(), 0);
    }
    EXPECT_EQ(bar->maximum(), 50);
    EXPECT_TRUE(prompts.shown.empty());
}
