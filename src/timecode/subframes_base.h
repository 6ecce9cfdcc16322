#pragma once
// Subframes per frame (80, 100 or quarter frames) and the upper limit of a timecode
// (24 hours or 100 days).

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tallyvane {

class TimecodeSubFramesBase {
public:
    enum class Case : std::uint8_t { max80SubFrames, max100SubFrames, quarterFrames };
    using enum Case;

    constexpr TimecodeSubFramesBase(Case c) : case_(c) {}  // NOLINT: cases convert implicitly

    static constexpr std::array<Case, 3> allCases() { return {max80SubFrames, max100SubFrames, quarterFrames}; }
    static std::optional<TimecodeSubFramesBase> fromRawValue(std::int64_t rawValue);

    constexpr Case value() const { return case_; }
    // 80, 100 or 4.
    constexpr int rawValue() const { return case_ == max80SubFrames ? 80 : case_ == max100SubFrames ? 100 : 4; }
    constexpr int maxSubFrameNumberDisplayable() const { return rawValue() - 1; }
    // Width of the subframes field: 2, 2 or 1.
    constexpr int numberOfDigits() const { return case_ == quarterFrames ? 1 : 2; }
    std::string description() const { return std::to_string(rawValue()); }
    std::string stringValueVerbose() const;
    // Rescales a subframes value to another base, truncating toward zero (40 at 80 is 50 at 100).
    std::int64_t convert(std::int64_t subFrames, TimecodeSubFramesBase to) const;

    friend constexpr bool operator==(TimecodeSubFramesBase, TimecodeSubFramesBase) = default;

private:
    Case case_;
};

class TimecodeUpperLimit {
public:
    enum class Case : std::uint8_t { max24Hours, max100Days };
    using enum Case;

    constexpr TimecodeUpperLimit(Case c) : case_(c) {}  // NOLINT: cases convert implicitly

    static constexpr std::array<Case, 2> allCases() { return {max24Hours, max100Days}; }
    static std::optional<TimecodeUpperLimit> fromRawValue(std::string_view rawValue);

    constexpr Case value() const { return case_; }
    // "24 hours" or "100 days".
    std::string_view rawValue() const { return case_ == max24Hours ? "24 hours" : "100 days"; }
    // Highest days component: 0 or 99.
    constexpr int maxDays() const { return case_ == max24Hours ? 0 : 99; }

    friend constexpr bool operator==(TimecodeUpperLimit, TimecodeUpperLimit) = default;

private:
    Case case_;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::TimecodeSubFramesBase> {
    std::size_t operator()(tallyvane::TimecodeSubFramesBase b) const noexcept { return std::hash<int>()(b.rawValue()); }
};

template <>
struct std::hash<tallyvane::TimecodeUpperLimit> {
    std::size_t operator()(tallyvane::TimecodeUpperLimit l) const noexcept {
        return std::hash<std::string_view>()(l.rawValue());
    }
};
