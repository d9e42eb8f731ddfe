// The shot series with a fake engine whose decoder may be slow or stuck.
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "capture/MarkedFrame.h"
#include "capture/ShotSeries.h"
#include "support/FakeMediaEngine.h"
#include "support/ScriptedRunHost.h"

namespace sm {
namespace {

using test::MarkedFrame;
using test::MarkOf;

struct SeriesCase {
    const char* name;
    int slowGrabs;      // grabs per seek that find the frame still being decoded
    bool decoderStuck;  // the decoder makes no progress meanwhile
    int abortAtRound;   // the stop request comes in this round of events (-1: never)
    ShotSeriesOutcome outcome;
    int taken;
    int leftOut;
};

void PrintTo(const SeriesCase& c, std::ostream* os) { *os << c.name; }

// Each case with a settling time and without one (the frames then come through the
// engine's series).
class ShotSeriesTest : public testing::TestWithParam<std::tuple<SeriesCase, int>> {};

TEST_P(ShotSeriesTest, WaitsForTheFrameAsLongAsTheDecoderMakesProgress)
{
    const SeriesCase& c = std::get<0>(GetParam());
    const int captureSpeed = std::get<1>(GetParam());
    test::FakeMediaEngine engine;
    engine.frameAt = [](std::int64_t second) { return MarkedFrame(int(second)); };
    engine.SetActive(true);
    engine.OpenMedia("clip.mp4");
    engine.slowGrabs = c.slowGrabs;
    engine.decoderStuck = c.decoderStuck;
    test::ScriptedRunHost host;
    RunControl control;
    control.AbortRequested = false;
    host.onProcessMessages = [&] {
        if (host.messageRounds == c.abortAtRound)
            control.AbortRequested = true;
    };
    std::vector<TakenShot> taken;

    const ShotSeriesResult result = TakeShotSeries(engine, host, control, {0, 10, 20}, captureSpeed,
                                                   [&taken](TakenShot&& shot) { taken.push_back(std::move(shot)); });

    EXPECT_EQ(result.Outcome, c.outcome);
    EXPECT_EQ(result.Taken, c.taken);
    EXPECT_EQ(result.LeftOut, c.leftOut);
    ASSERT_EQ(int(taken.size()), c.taken);
    for (std::size_t i = 0; i < taken.size(); ++i) {
        EXPECT_EQ(taken[i].Second, int(i) * 10);
        EXPECT_EQ(taken[i].Label, QStringLiteral("00:00:%1").arg(i * 10, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(MarkOf(taken[i].Picture), int(i) * 10);
    }
    if (c.slowGrabs > 0) {
        EXPECT_GT(host.messageRounds, 0) << "events are handled while the frame is awaited";
    }
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped);
}

TEST(ShotSeries, NoSettlingTimeSeeksTheStoppedVideoWithoutPlayingOrWaiting)
{
    test::FakeMediaEngine engine;
    engine.frameAt = [](std::int64_t second) { return MarkedFrame(int(second)); };
    engine.SetActive(true);
    engine.OpenMedia("clip.mp4");
    engine.calls.clear();
    test::ScriptedRunHost host;
    RunControl control;
    control.AbortRequested = false;
    std::vector<int> marks;
    const ShotSeriesResult result = TakeShotSeries(
        engine, host, control, {4, 9}, 0, [&marks](TakenShot&& shot) { marks.push_back(MarkOf(shot.Picture)); });
    EXPECT_EQ(result.Taken, 2);
    EXPECT_EQ(marks, (std::vector<int>{4, 9}));
    EXPECT_EQ(engine.calls, (std::vector<QString>{"SeekTo(4)", "SeekTo(9)"}));
    EXPECT_TRUE(host.waits.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Decoders, ShotSeriesTest,
    testing::Combine(
        testing::Values(SeriesCase{"ReadyAtOnce", 0, false, -1, ShotSeriesOutcome::Completed, 3, 0},
                        // Far longer than the stall time, but never without progress.
                        SeriesCase{"SlowButProgressing", 1000, false, -1, ShotSeriesOutcome::Completed, 3, 0},
                        SeriesCase{"Stuck", 1000, true, -1, ShotSeriesOutcome::Completed, 0, 3},
                        SeriesCase{"StoppedDuringTheWait", 1000, false, 5, ShotSeriesOutcome::Aborted, 0, 1}),
        testing::Values(0, 1)),
    [](const testing::TestParamInfo<std::tuple<SeriesCase, int>>& info) {
        return std::string(std::get<0>(info.param).name) + "_Settling" + std::to_string(std::get<1>(info.param));
    });

}  // namespace
}  // namespace sm
