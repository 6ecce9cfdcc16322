#pragma once
// The six components of a timecode, its properties, and which component values are
// valid at given properties. A timecode may hold invalid components: validity is a
// query, not an invariant.

#include <array>
#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string_view>
#include <utility>

#include "timecode/subframes_base.h"
#include "timecode/timecode_frame_rate.h"

namespace tallyvane {

class TimecodeComponent {
public:
    enum class Case : std::uint8_t { days, hours, minutes, seconds, frames, subFrames };
    using enum Case;

    constexpr TimecodeComponent(Case c) : case_(c) {}  // NOLINT: cases convert implicitly

    static constexpr std::array<Case, 6> allCases() { return {days, hours, minutes, seconds, frames, subFrames}; }

    constexpr Case value() const { return case_; }
    constexpr std::size_t index() const { return static_cast<std::size_t>(case_); }
    std::string_view name() const;            // "subFrames"
    std::string_view title() const;           // "SubFrames"
    std::string_view lowercasedName() const;  // "subframes"
    // Width of the component's field in timecode text.
    int numberOfDigits(TimecodeFrameRate rate, TimecodeSubFramesBase base) const;

    // Navigation over the components that are not excluded (entry fields skip hidden
    // ones). With every component excluded, first/last are absent and next/previous
    // return this component.
    static std::optional<TimecodeComponent> firstComponent(const std::set<TimecodeComponent>& excluded);
    static std::optional<TimecodeComponent> lastComponent(const std::set<TimecodeComponent>& excluded);
    TimecodeComponent next(const std::set<TimecodeComponent>& excluded, bool wrapping) const;
    TimecodeComponent previous(const std::set<TimecodeComponent>& excluded, bool wrapping) const;

    friend constexpr auto operator<=>(TimecodeComponent, TimecodeComponent) = default;

private:
    Case case_;
};

using TimecodeComponentSet = std::set<TimecodeComponent>;

struct ClosedRange {
    std::int64_t lower = 0;
    std::int64_t upper = 0;

    constexpr bool contains(std::int64_t v) const { return v >= lower && v <= upper; }
    constexpr std::int64_t clamp(std::int64_t v) const { return v < lower ? lower : v > upper ? upper : v; }
    friend constexpr bool operator==(const ClosedRange&, const ClosedRange&) = default;
};

struct TimecodeComponentRanges {
    ClosedRange days, hours, minutes, seconds, frames, subFrames;

    static constexpr TimecodeComponentRanges twoDigit() {
        return {{0, 99}, {0, 99}, {0, 99}, {0, 99}, {0, 99}, {0, 99}};
    }
    friend constexpr bool operator==(const TimecodeComponentRanges&, const TimecodeComponentRanges&) = default;
};

struct TimecodeProperties {
    TimecodeFrameRate frameRate;
    TimecodeSubFramesBase subFramesBase;
    TimecodeUpperLimit upperLimit;

    friend constexpr bool operator==(const TimecodeProperties&, const TimecodeProperties&) = default;
};

struct TimecodeComponents {
    std::int64_t days = 0;
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
    std::int64_t seconds = 0;
    std::int64_t frames = 0;
    std::int64_t subFrames = 0;

    static constexpr TimecodeComponents zero() { return {}; }

    std::int64_t value(TimecodeComponent component) const;
    void setValue(TimecodeComponent component, std::int64_t value);

    using Pair = std::pair<TimecodeComponent, std::int64_t>;
    // The six pairs in component order.
    std::array<Pair, 6> array() const;
    // Assigns each pair's value to its component, in order (a later pair wins).
    void assign(std::span<const Pair> pairs);
    static TimecodeComponents fromPairs(std::span<const Pair> pairs);
    std::map<TimecodeComponent, std::int64_t> dictionary() const;
    void assign(const std::map<TimecodeComponent, std::int64_t>& entries);
    static TimecodeComponents fromDictionary(const std::map<TimecodeComponent, std::int64_t>& entries);

    // The valid range of one component; for frames it depends on minutes and seconds
    // (the labels dropped at the start of most minutes at drop-frame rates).
    ClosedRange validRange(TimecodeComponent component, const TimecodeProperties& properties) const;
    TimecodeComponentSet invalidComponents(const TimecodeProperties& properties) const;
    bool hasValidDigitCounts(TimecodeFrameRate rate, TimecodeSubFramesBase base) const;
    // Each component clamped into its valid range, frames after minutes and seconds.
    void clamp(const TimecodeProperties& properties);

    // Valid components drawn uniformly at the given properties.
    static TimecodeComponents random(const TimecodeProperties& properties);
    // Each component drawn uniformly from its range.
    static TimecodeComponents random(const TimecodeComponentRanges& ranges);

    friend constexpr bool operator==(const TimecodeComponents&, const TimecodeComponents&) = default;
};

// Properties drawn uniformly: upper limit, then subframes base, then frame rate.
TimecodeProperties randomTimecodeProperties();

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::TimecodeProperties> {
    std::size_t operator()(const tallyvane::TimecodeProperties& p) const noexcept;
};

template <>
struct std::hash<tallyvane::TimecodeComponentRanges> {
    std::size_t operator()(const tallyvane::TimecodeComponentRanges& r) const noexcept;
};

template <>
struct std::hash<tallyvane::TimecodeComponents> {
    std::size_t operator()(const tallyvane::TimecodeComponents& c) const noexcept;
};
