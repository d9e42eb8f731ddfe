#include <gtest/gtest.h>

#include "capture/AutoCapture.h"
#include "capture/MarkedFrame.h"
#include "settings/Texts.h"
#include "support/FakeMediaEngine.h"
#include "support/ScriptedRunHost.h"

namespace sm {
namespace {

using test::MarkedFrame;
using test::MarkOf;

class AutoCaptureTest : public testing::Test {
protected:
    void SetUp() override
    {
        engine.frameAt = [](std::int64_t second) { return MarkedFrame(int(second)); };
        engine.SetActive(true);
        engine.OpenMedia("clip.mp4");
        // The settling wait lets a playing video run on, as a real one does.
        host.onWait = [this](int) { engine.elapse(request.CaptureSpeed); };
    }

    AutoCaptureOutcome Run() { return AutoCapture(engine, shots, host, control).Run(request); }

    std::vector<QString> Captions() const
    {
        std::vector<QString> captions;
        for (int r = 0; r < shots.RowCount(); ++r)
            captions.push_back(shots.Row(r).Caption);
        return captions;
    }

    test::FakeMediaEngine engine;
    ShotList shots;
    test::ScriptedRunHost host;
    RunControl control;
    AutoCaptureRequest request{CaptureMethod::CountOfShots, 12, 60, 0, 100, 2, {}};
};

TEST_F(AutoCaptureTest, TakesTwelveShotsEachShowingTheFrameItsLabelNames)
{
    shots.AddShot(MarkedFrame(999), "00:00:01");  // discarded without asking

    EXPECT_EQ(Run(), AutoCaptureOutcome::Completed);

    ASSERT_EQ(shots.RowCount(), 12);
    for (int r = 0; r < 12; ++r) {
        const int second = r * 8;
        EXPECT_EQ(shots.Row(r).Caption, QStringLiteral("00:%1:%2")
                                            .arg(second / 60, 2, 10, QLatin1Char('0'))
                                            .arg(second % 60, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(MarkOf(shots.RowBitmap(r).expand()), second) << "the frame at the label, not " << second + 2;
    }
    EXPECT_EQ(host.waits, std::vector<int>(12, 2000));
    EXPECT_EQ(host.progress, (std::vector<int>{0, 0, 8, 16, 25, 33, 41, 50, 58, 66, 75, 83, 91}));
    EXPECT_EQ(host.statuses.back(), lang::kShotCount.arg(12));
    EXPECT_EQ(host.timesShown, 1);
    EXPECT_FALSE(host.visible);
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped);
    EXPECT_TRUE(control.AbortRequested);
    EXPECT_FALSE(control.Running);
}

TEST_F(AutoCaptureTest, PlaysSeeksWaitsAndStopsForEveryShot)
{
    request.CountFrames = 2;
    engine.Play();
    engine.calls.clear();
    Run();
    EXPECT_EQ(engine.calls, (std::vector<QString>{"Stop", "Play", "SeekTo(0)", "Stop", "Play", "SeekTo(50)", "Stop"}));
}

TEST_F(AutoCaptureTest, LabelsComeFromTheScheduleNotTheEnginePosition)
{
    request.StartSecond = 90;
    EXPECT_EQ(Run(), AutoCaptureOutcome::Completed);
    EXPECT_EQ(Captions(), std::vector<QString>(12, "00:01:30"));
    for (int r = 0; r < shots.RowCount(); ++r)
        EXPECT_EQ(MarkOf(shots.RowBitmap(r).expand()), 90);
}

TEST_F(AutoCaptureTest, StartAfterTheDurationEmptiesTheListAndTakesNothing)
{
    shots.AddShot(MarkedFrame(1), "00:00:01");
    request.StartSecond = 101;
    engine.calls.clear();

    EXPECT_EQ(Run(), AutoCaptureOutcome::StartAfterEnd);

    EXPECT_EQ(shots.RowCount(), 0);
    EXPECT_EQ(host.timesShown, 0);
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_TRUE(control.AbortRequested);
}

TEST_F(AutoCaptureTest, StartEqualToTheDuration)
{
    request.StartSecond = 100;
    request.CountFrames = 3;
    EXPECT_EQ(Run(), AutoCaptureOutcome::Completed);
    EXPECT_EQ(Captions(), std::vector<QString>(3, "00:01:40"));

    request.Method = CaptureMethod::EveryNSeconds;
    EXPECT_EQ(Run(), AutoCaptureOutcome::Completed);
    EXPECT_EQ(shots.RowCount(), 0);
}

TEST_F(AutoCaptureTest, IntervalLargerThanTheSpanFlashesTheDialogAndTakesNothing)
{
    request.Method = CaptureMethod::EveryNSeconds;
    request.EveryFrame = 60;
    request.StartSecond = 50;
    EXPECT_EQ(Run(), AutoCaptureOutcome::Completed);
    EXPECT_EQ(shots.RowCount(), 0);
    EXPECT_EQ(host.timesShown, 1);
    EXPECT_EQ(host.timesHidden, 1);
    EXPECT_TRUE(host.waits.empty());
}

TEST_F(AutoCaptureTest, AbortDuringTheThirdWaitStillAddsTheThirdShot)
{
    host.onWait = [this](int wait) {
        engine.elapse(2);
        if (wait == 2)
            control.AbortRequested = true;
    };
    EXPECT_EQ(Run(), AutoCaptureOutcome::Aborted);
    EXPECT_EQ(Captions(), (std::vector<QString>{"00:00:00", "00:00:08", "00:00:16"}));
    EXPECT_FALSE(host.visible);
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped);
    EXPECT_TRUE(control.AbortRequested);
}

TEST_F(AutoCaptureTest, AnEngineWithoutFramesGivesNoShotsButTheRunGoesOn)
{
    engine.frameAt = [](std::int64_t) { return Bitmap(); };
    EXPECT_EQ(Run(), AutoCaptureOutcome::Completed);
    EXPECT_EQ(shots.RowCount(), 0);
    EXPECT_EQ(host.statuses.size(), 12u);
    EXPECT_EQ(host.statuses.back(), lang::kShotCount.arg(0));
    EXPECT_EQ(host.progress.back(), 91);
}

TEST_F(AutoCaptureTest, DoesNothingWithoutAVideo)
{
    engine.SetActive(false);
    shots.AddShot(MarkedFrame(1), "00:00:01");
    EXPECT_EQ(Run(), AutoCaptureOutcome::NoVideo);
    EXPECT_EQ(shots.RowCount(), 1);
    EXPECT_EQ(host.timesShown, 0);
}

TEST_F(AutoCaptureTest, ClearingTheListDuringAWaitEndsTheRunWithoutAnOldShot)
{
    host.onWait = [this](int wait) {
        engine.elapse(2);
        if (wait == 3)
            shots.ClearShots();
    };
    EXPECT_EQ(Run(), AutoCaptureOutcome::ListReplaced);
    EXPECT_EQ(shots.RowCount(), 0);
    EXPECT_EQ(host.waits.size(), 4u);
    EXPECT_FALSE(host.visible);
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped);
    EXPECT_TRUE(control.AbortRequested);
}

TEST_F(AutoCaptureTest, AnotherVideoOpenedDuringAWaitKeepsItsEmptyList)
{
    host.onWait = [this](int wait) {
        if (wait != 1)
            return;
        shots.ClearShots();  // what opening a video does first
        engine.OpenMedia("other.mp4");
        engine.frameAt = [](std::int64_t second) { return MarkedFrame(5000 + int(second)); };
    };
    EXPECT_EQ(Run(), AutoCaptureOutcome::ListReplaced);
    EXPECT_EQ(shots.RowCount(), 0) << "no shot of the first video lands in the second one's list";
}

TEST_F(AutoCaptureTest, ASecondRunStartedInsideAWaitIsRefused)
{
    AutoCaptureOutcome nested = AutoCaptureOutcome::Completed;
    host.onWait = [this, &nested](int wait) {
        engine.elapse(2);
        if (wait == 0)
            nested = AutoCapture(engine, shots, host, control).Run(request);
    };
    EXPECT_EQ(Run(), AutoCaptureOutcome::Completed);
    EXPECT_EQ(nested, AutoCaptureOutcome::Refused);
    EXPECT_EQ(shots.RowCount(), 12);
}

TEST_F(AutoCaptureTest, AnErrorEndsTheRunHidesTheDialogAndIsPassedOn)
{
    host.onWait = [this](int wait) {
        engine.elapse(2);
        if (wait == 1)
            throw std::runtime_error("decoder gone");
    };
    EXPECT_THROW(Run(), std::runtime_error);
    EXPECT_EQ(shots.RowCount(), 1);
    EXPECT_FALSE(host.visible);
    EXPECT_TRUE(control.AbortRequested);
    EXPECT_FALSE(control.Running);
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped);
}

}  // namespace
}  // namespace sm
