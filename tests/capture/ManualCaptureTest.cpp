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

TEST_F(ManualCaptureTest, LabelsTheShownFrameWithTheTruncatedLastPosition)
{
    engine.Play();
    engine.SeekTo(317);
    engine.Pause();

    EXPECT_TRUE(CaptureFrame(engine, shots, 317'900));
    EXPECT_TRUE(CaptureFrame(engine, shots, 317'100));

    ASSERT_EQ(shots.RowCount(), 2) << "two shots within one second give two rows";
    EXPECT_EQ(shots.Row(0).Caption, "00:05:17");
    EXPECT_EQ(shots.Row(1).Caption, "00:05:17");
    EXPECT_EQ(test::MarkOf(*shots.RowBitmap(0)), 317);
    EXPECT_EQ(engine.GetPlayState(), PlayState::Paused) << "the play state is left alone";
}

TEST_F(ManualCaptureTest, AddsNothingWithoutAFrameOrAVideo)
{
    EXPECT_FALSE(CaptureFrame(engine, shots, 0)) << "nothing presented before the first play";

    engine.Play();
    engine.SeekTo(5);
    engine.SetActive(false);
    EXPECT_FALSE(CaptureFrame(engine, shots, 5000));
    EXPECT_EQ(shots.RowCount(), 0);
}

}  // namespace
}  // namespace sm
