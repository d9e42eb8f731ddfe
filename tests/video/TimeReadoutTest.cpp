#include <gtest/gtest.h>

#include "video/TimeReadout.h"

using namespace sm;

TEST(TimeReadout, ShowsTheTimeOfDayOfAPositionInMilliseconds)
{
    const struct {
        quint32 ms;
        const char* text;
    } cases[] = {
        {0, "00:00:00"},          {3'725'000, "01:02:05"},      {3'725'999, "01:02:05"},  // seconds are truncated
        {86'399'999, "23:59:59"}, {86'400'000, "00:00:00"},                               // a day wraps around
        {90'061'000, "01:01:01"}, {4'294'967'295u, "17:02:47"},                           // the largest report
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDayClock(c.ms), QLatin1String(c.text)) << c.ms;

    EXPECT_EQ(FormatPositionReadout(3'725'000, 7'200'000), QStringLiteral("Position: 01:02:05 Duration: 02:00:00"));
}
