#include <gtest/gtest.h>

#include <QSignalSpy>

#include <algorithm>

#include "support/FakeMediaEngine.h"
#include "video/PlaybackControl.h"

using namespace sm;
using sm::test::FakeMediaEngine;

namespace {

// A position bar without a window: it clamps like a slider and can be "held".
class FakeTrackBar : public TrackBarView {
public:
    int maximum = 0;
    int position = 0;
    bool held = false;

    int Minimum() const override { return 0; }
    int Maximum() const override { return maximum; }
    int Position() const override { return position; }
    void SetMaximum(int value) override
    {
        maximum = value;
        position = std::min(position, maximum);
    }
    void SetPosition(int value) override { position = std::clamp(value, 0, maximum); }
    bool IsHeld() const override { return held; }
};

class PlaybackControlTest : public ::testing::Test {
protected:
    // A video of `seconds` open and stopped, the bar set up by a first report.
    void OpenVideo(std::int64_t seconds)
    {
        engine.durationSeconds = seconds;
        engine.SetActive(true);
        engine.OpenMedia(QStringLiteral("/videos/clip.avi"));
        bar.maximum = int(seconds);
        engine.calls.clear();
    }

    FakeMediaEngine engine;
    VideoSession session{engine};
    FakeTrackBar bar;
    PlaybackControl control{session, bar};
    QSignalSpy status{&control, &PlaybackControl::StatusText};
};

}  // namespace

TEST_F(PlaybackControlTest, PlayPauseAndStopMoveThePlayState)
{
    OpenVideo(100);
    bar.position = 42;

    EXPECT_TRUE(control.PlayVideo());
    EXPECT_EQ(engine.GetPlayState(), PlayState::Playing);
    control.PauseVideo();
    EXPECT_EQ(engine.GetPlayState(), PlayState::Paused);
    control.StopVideo();
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped);

    EXPECT_EQ(engine.calls, (std::vector<QString>{"Play", "Pause", "Stop", "SeekTo(0)"}));
    EXPECT_EQ(bar.position, 0) << "stop puts the bar back at the start";
}

TEST_F(PlaybackControlTest, PlayWithoutAVideoLeavesItToTheCaller)
{
    EXPECT_FALSE(control.PlayVideo());
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_EQ(engine.GetPlayState(), PlayState::Uninitialized);
}

TEST_F(PlaybackControlTest, StepsMoveTenSecondsWithinTheBarAndPlayFromThere)
{
    const struct {
        const char* name;
        int from;
        int direction;  // -1 back, +1 forward
        bool playing;
        std::vector<QString> calls;
        int to;
    } cases[] = {
        {"back from second 5 lands on 0", 5, -1, false, {"SeekTo(0)", "Play"}, 0},
        {"back while playing stops first", 50, -1, true, {"Stop", "SeekTo(40)", "Play"}, 40},
        {"forward near the end lands on the last second", 95, +1, true, {"Stop", "SeekTo(100)", "Play"}, 100},
        {"nothing back at the start", 0, -1, true, {}, 0},
        {"nothing forward at the end", 100, +1, false, {}, 100},
    };
    for (const auto& c : cases) {
        OpenVideo(100);
        if (c.playing)
            engine.Play();
        engine.calls.clear();
        bar.position = c.from;

        if (c.direction < 0)
            control.StepBackward();
        else
            control.StepForward();

        EXPECT_EQ(engine.calls, c.calls) << c.name;
        EXPECT_EQ(bar.position, c.to) << c.name;
    }
}

TEST_F(PlaybackControlTest, StepsDoNothingWithoutAVideo)
{
    bar.maximum = 100;
    bar.position = 50;
    control.StepForward();
    control.StepBackward();
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_EQ(bar.position, 50);
}

TEST_F(PlaybackControlTest, PositionReportsMoveTheBarAndTheReadout)
{
    OpenVideo(7200);
    bar.maximum = 0;

    engine.report(3'725'000);

    EXPECT_EQ(bar.maximum, 7200);
    EXPECT_EQ(bar.position, 3725);
    EXPECT_EQ(session.LastPositionMs, 3'725'000u);
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status.at(0).at(0).toString(), QStringLiteral("Position: 01:02:05 Duration: 02:00:00"));
}

TEST_F(PlaybackControlTest, ReportsAreIgnoredWhileTheBarIsHeldButEventsAreNot)
{
    OpenVideo(100);
    engine.report(10'000);
    bar.held = true;
    bar.position = 70;
    status.clear();

    engine.report(11'000);
    EXPECT_EQ(bar.position, 70) << "the bar stays where the user drags it";
    EXPECT_EQ(session.LastPositionMs, 10'000u);
    EXPECT_EQ(status.count(), 0);

    emit engine.GraphEvent(EC_COMPLETE);
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status.at(0).at(0).toString(), MediaEngine::EventText(EC_COMPLETE));
}

TEST_F(PlaybackControlTest, ReleasingTheBarSeeksToTheSameFractionOfTheVideo)
{
    OpenVideo(100);
    bar.position = 25;
    control.TrackBarReleased();
    ASSERT_FALSE(engine.calls.empty());
    EXPECT_EQ(engine.calls.front(), QStringLiteral("SeekToUnits(250000000)"));

    // 1,000,000 s x 10^7 units x 999,999 does not fit in 64 bits; the result does.
    OpenVideo(1'000'000);
    bar.position = 999'999;
    control.TrackBarReleased();
    ASSERT_FALSE(engine.calls.empty());
    EXPECT_EQ(engine.calls.front(), QStringLiteral("SeekToUnits(9999990000000)"));
}

TEST_F(PlaybackControlTest, ReleasingABarWithoutRangeDoesNotSeek)
{
    OpenVideo(100);
    bar.maximum = 0;
    control.TrackBarReleased();
    EXPECT_TRUE(engine.calls.empty());
}
