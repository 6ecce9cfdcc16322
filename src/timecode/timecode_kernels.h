#pragma once
// The arithmetic of timecodes on integer subframe totals. Totals are 128-bit so that
// sums, differences and the totals of far out-of-range components never overflow;
// a total is turned back into components at given properties by splitting it into
// frames and subframes and applying the drop-frame rule.

#include <cstdint>
#include <optional>

#include "timecode/timecode_components.h"
#include "timecode/timecode_validation.h"

namespace tallyvane {

using SubFrameTotal = __int128;

// Elapsed whole frames x base + subframes of the components at the rate and base;
// elapsed frames beyond 64 bits saturate, so huge values keep their direction.
SubFrameTotal subFrameTotal(const TimecodeComponents& components, const TimecodeProperties& properties);
// Subframes in the upper limit at the rate and base: the valid totals are 0 ... limit - 1.
std::int64_t limitSubFrameTotal(const TimecodeProperties& properties);
// The components of a total, which may be negative or beyond the limit.
TimecodeComponents splitSubFrameTotal(SubFrameTotal total, const TimecodeProperties& properties);

// A total within 0 ... limit - 1 split, else absent.
std::optional<TimecodeComponents> subFrameTotalExactly(SubFrameTotal total, const TimecodeProperties& properties);
// A total clamped (clamping, clampingComponents), wrapped (wrapping) or kept
// (allowingInvalid), then split.
TimecodeComponents subFrameTotalByRule(SubFrameTotal total, const TimecodeProperties& properties,
                                       TimecodeValidationRule rule);

// A scaled total (a product or quotient in double arithmetic). Exactly, the unscaled
// value is range-checked before truncation, and a value that is not a number is out of
// range; by rule it is truncated toward zero (saturated, NaN as 0) first.
std::optional<TimecodeComponents> scaledTotalExactly(double total, const TimecodeProperties& properties);
TimecodeComponents scaledTotalByRule(double total, const TimecodeProperties& properties, TimecodeValidationRule rule);

}  // namespace tallyvane
