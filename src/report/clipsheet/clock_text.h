#pragma once
// Wall-clock texts of the clip sheet's clock columns.

#include <cstdint>
#include <string>

namespace tallyvane {

// The time of day "HH:mm:ss" that lies `milliseconds` after midnight UTC: the fraction of
// a second is dropped, whole days wrap round to 00:00:00, and a negative count gives a
// time of the day before.
std::string clockText(std::int64_t milliseconds);

}  // namespace tallyvane
