#include <gtest/gtest.h>

#include "capture/ManualCapture.h"
#include "capture/MarkedFrame.h"
#include "support/FakeMediaEngine.h"

namespace sm {
namespace {

class ManualCaptureTest : public testing::Test {
protected:
    void SetUp() override
    {
        engine.frameAt = [](std::int64_t second) { return test::MarkedFrame(int(second)); };
        engine.SetActive(true);
        engine.OpenMedia("clip.mp4");
    }

    test::FakeMediaEngine engine;
    ShotList shots;
};

// The label names the grabbed frame's own second, whatever the last position report
// said: no report arrives while paused, nor between two reports while playing.
TEST_F(ManualCaptureTest, LabelsTheShotWithTheTruncatedTimeOfTheGrabbedFrame)
{
    engine.Play();
    engine.SeekToUnits(3'179'000'000);  // 00:05:17.9
    engine.Pause();
    EXPECT_TRUE(CaptureFrame(engine, shots));
    EXPECT_TRUE(CaptureFrame(engine, shots));
    engine.SeekTo(42);
    EXPECT_TRUE(CaptureFrame(engine, shots));

    ASSERT_EQ(shots.RowCount(), 3) << "two shots within one second give two rows";
    EXPECT_EQ(shots.Row(0).Caption, "00:00:42");
    EXPECT_EQ(shots.Row(1).Caption, "00:05:17");
    EXPECT_EQ(shots.Row(2).Caption, "00:05:17");
    EXPECT_EQ(test::MarkOf(shots.RowBitmap(1).expand()), 317);
    EXPECT_EQ(engine.GetPlayState(), PlayState::Paused) << "the play state is left alone";
}

TEST_F(ManualCaptureTest, AddsNothingWithoutAFrameOrAVideo)
{
    EXPECT_FALSE(CaptureFrame(engine, shots)) << "nothing presented before the first play";

    engine.Play();
    engine.SeekTo(5);
    engine.SetActive(false);
    EXPECT_FALSE(CaptureFrame(engine, shots));
    EXPECT_EQ(shots.RowCount(), 0);
}

}  // namespace
}  // namespace sm
