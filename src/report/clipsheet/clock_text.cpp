#include "report/clipsheet/clock_text.h"

#include <cstdio>

namespace tallyvane {

std::string clockText(std::int64_t milliseconds) {
    constexpr std::int64_t kSecondsPerDay = 86400;
    // Floor division: -500 ms is half a second before midnight, still in second 86399.
    std::int64_t seconds = milliseconds / 1000;
    if (milliseconds % 1000 < 0) --seconds;
    std::int64_t ofDay = seconds % kSecondsPerDay;
    if (ofDay < 0) ofDay += kSecondsPerDay;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(ofDay / 3600),
                  static_cast<int>(ofDay / 60 % 60), static_cast<int>(ofDay % 60));
    return text;
}

}  // namespace tallyvane
