#include "timecode/media_time.h"

#include <cmath>
#include <limits>

namespace tallyvane {

double MediaTime::seconds() const {
    if (isPositiveInfinity()) return std::numeric_limits<double>::infinity();
    if (isNegativeInfinity()) return -std::numeric_limits<double>::infinity();
    if (!isNumeric()) return std::nan("");
    return static_cast<double>(value) / static_cast<double>(timescale);
}

namespace {

int rank(const MediaTime& t) {
    if (!t.isValid()) return 0;
    if (t.isNegativeInfinity()) return 1;
    if (t.isPositiveInfinity()) return 3;
    if (t.isIndefinite() || t.timescale <= 0) return 4;
    return 2;
}

}  // namespace

std::strong_ordering operator<=>(const MediaTime& a, const MediaTime& b) {
    int ra = rank(a), rb = rank(b);
    if (ra != rb || ra != 2) return ra <=> rb;
    if (a.epoch != b.epoch) return a.epoch <=> b.epoch;
    // Cross products of a 64-bit value and a 32-bit timescale fit in 128 bits.
    return static_cast<__int128>(a.value) * b.timescale <=> static_cast<__int128>(b.value) * a.timescale;
}

bool MediaTimeRange::isValid() const {
    if (!start.isValid() || !duration.isValid()) return false;
    if (start.isIndefinite() || duration.isIndefinite()) return false;
    if (duration.isNegativeInfinity()) return false;
    return duration.epoch == 0 && (!duration.isNumeric() || duration.value >= 0);
}

}  // namespace tallyvane
