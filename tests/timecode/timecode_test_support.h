#pragma once
// Building timecodes in tests: components stored as given (no range check) at chosen
// properties, readable output of components in failure messages, and the short names
// and limits the timecode tests share.

#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>

#include "timecode/timecode_sources.h"

namespace tallyvane {

using R = TimecodeFrameRate;
using B = TimecodeSubFramesBase;
using L = TimecodeUpperLimit;
using Rule = TimecodeValidationRule;

inline constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
inline constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
inline constexpr double kInf = std::numeric_limits<double>::infinity();
inline constexpr auto kOutOfBounds = TimecodeValidationError::Code::outOfBounds;

// The code of the Error the operation throws, or nothing when it throws none.
template <typename Error, typename Operation>
std::optional<typename Error::Code> errorCode(const Operation& operation) {
    try {
        (void)operation();
    } catch (const Error& e) {
        return e.code();
    }
    return std::nullopt;
}

inline TimecodeProperties props(R rate, B base = B::max80SubFrames, L limit = L::max24Hours) {
    return {rate, base, limit};
}

inline Timecode tc(const TimecodeComponents& components, const TimecodeProperties& properties) {
    return Timecode(TimecodeSourceValue::components(components), properties, Rule::allowingInvalid);
}

inline Timecode tcAt(R rate, std::int64_t h, std::int64_t m, std::int64_t s, std::int64_t f, std::int64_t sf = 0) {
    return tc({0, h, m, s, f, sf}, props(rate));
}

inline Timecode tc24(std::int64_t h, std::int64_t m, std::int64_t s, std::int64_t f, std::int64_t sf = 0) {
    return tcAt(R::fps24, h, m, s, f, sf);
}

inline std::ostream& operator<<(std::ostream& out, const TimecodeComponents& c) {
    return out << c.days << " " << c.hours << ":" << c.minutes << ":" << c.seconds << ":" << c.frames << "." << c.subFrames;
}

}  // namespace tallyvane
