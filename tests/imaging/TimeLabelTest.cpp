#include <gtest/gtest.h>

#include "imaging/TimeLabel.h"

namespace sm {
namespace {

TEST(FormatTimeLabelTest, WritesHoursMinutesSeconds)
{
    const struct {
        std::int32_t seconds;
        const char* label;
    } cases[] = {
        {0, "00:00:00"},
        {59, "00:00:59"},
        {3725, "01:02:05"},
        {99 * 3600 + 59 * 60 + 59, "99:59:59"},
        {100 * 3600, "100:00:00"},
        {INT32_MAX, "596523:14:07"},
        // Truncating division gives every part the sign of the position.
        {-5, "00:00:-05"},
        {-3725, "-01:-02:-05"},
        {INT32_MIN, "-596523:-14:-08"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTimeLabel(c.seconds), QString::fromLatin1(c.label)) << c.seconds;
}

}  // namespace
}  // namespace sm
