#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "report/clipsheet/clock_text.h"

namespace tallyvane {
namespace {

TEST(ClockText, IsTheTimeOfDayInWholeSeconds) {
    const struct {
        std::int64_t milliseconds;
        const char* text;
    } cases[] = {
        {0, "00:00:00"},
        {999, "00:00:00"},
        {(1 * 3600 + 2 * 60 + 3) * 1000 + 500, "01:02:03"},
        {86'399'999, "23:59:59"},
        {86'400'000, "00:00:00"},           // a whole day wraps round
        {2 * 86'400'000 + 61'000, "00:01:01"},
        {-1, "23:59:59"},                   // just before midnight of the day before
        {-1000, "23:59:59"},
        {-1001, "23:59:58"},
        {-86'400'000, "00:00:00"},
        {INT64_MAX, "07:12:55"},
        {INT64_MIN, "16:47:04"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clockText(c.milliseconds), c.text) << c.milliseconds;
    }
}

}  // namespace
}  // namespace tallyvane
