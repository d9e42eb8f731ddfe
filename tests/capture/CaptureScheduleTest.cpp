#include <gtest/gtest.h>

#include "capture/CaptureSchedule.h"

namespace sm {
namespace {

struct ScheduleCase {
    const char* name;
    CaptureMethod method;
    int countFrames;
    int everyFrame;
    int start;
    int duration;
    std::vector<int> seconds;
};

class CaptureScheduleTest : public testing::TestWithParam<ScheduleCase> {};

TEST_P(CaptureScheduleTest, GivesTheSecondsOfTheShots)
{
    const ScheduleCase& c = GetParam();
    EXPECT_EQ(CaptureSeconds(c.method, c.countFrames, c.everyFrame, c.start, c.duration), c.seconds);
}

constexpr auto Count = CaptureMethod::CountOfShots;
constexpr auto Every = CaptureMethod::EveryNSeconds;

INSTANTIATE_TEST_SUITE_P(
    WorkedFigures, CaptureScheduleTest,
    testing::Values(
        ScheduleCase{
            "TwelveOverAHundredSeconds", Count, 12, 60, 0, 100, {0, 8, 16, 24, 32, 40, 48, 56, 64, 72, 80, 88}},
        ScheduleCase{"EverySixtySecondsGivesOne", Every, 12, 60, 0, 100, {0}},
        ScheduleCase{"StartLateGivesTwelveAtNinety", Count, 12, 60, 90, 100, std::vector<int>(12, 90)},
        ScheduleCase{"StartAtTheEndCountMethod", Count, 3, 60, 100, 100, {100, 100, 100}},
        ScheduleCase{"StartAtTheEndIntervalMethod", Every, 3, 60, 100, 100, {}},
        ScheduleCase{"IntervalLargerThanTheSpan", Every, 12, 30, 80, 100, {}},
        ScheduleCase{"IntervalFitsExactly", Every, 12, 25, 0, 100, {0, 25, 50, 75}},
        ScheduleCase{"StartAfterTheEnd", Count, 12, 60, 101, 100, {}},
        ScheduleCase{"CountBelowRangeIsOne", Count, 0, 60, 0, 100, {0}},
        ScheduleCase{"CountAboveRangeIs999", Count, 5000, 60, 0, 999,
                     [] {
                         std::vector<int> all(999);
                         for (int i = 0; i < 999; ++i)
                             all[std::size_t(i)] = i;
                         return all;
                     }()},
        ScheduleCase{"IntervalBelowRangeIsTwo", Every, 12, 0, 0, 7, {0, 2, 4}}),
    [](const testing::TestParamInfo<ScheduleCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sm
