#pragma once
// How an out-of-range source value is treated, and the errors of the timecode core.

#include <array>
#include <cstdint>
#include <stdexcept>

namespace tallyvane {

enum class TimecodeValidationRule : std::uint8_t {
    clamping,            // the whole timecode limited to zero ... upper limit
    clampingComponents,  // each component clamped into its own range
    wrapping,            // wrapped around the upper limit
    allowingInvalid,     // kept as computed
};

constexpr std::array<TimecodeValidationRule, 4> allTimecodeValidationRules() {
    return {TimecodeValidationRule::clamping, TimecodeValidationRule::clampingComponents,
            TimecodeValidationRule::wrapping, TimecodeValidationRule::allowingInvalid};
}

class TimecodeValidationError : public std::runtime_error {
public:
    enum class Code : std::uint8_t { invalid, outOfBounds };
    static constexpr std::array<Code, 2> allCases() { return {Code::invalid, Code::outOfBounds}; }
    explicit TimecodeValidationError(Code code)
        : std::runtime_error(code == Code::invalid ? "Invalid timecode." : "Timecode out of bounds."), code_(code) {}
    Code code() const { return code_; }

private:
    Code code_;
};

class TimecodeStringParseError : public std::runtime_error {
public:
    TimecodeStringParseError() : std::runtime_error("Malformed timecode text.") {}
};

}  // namespace tallyvane
