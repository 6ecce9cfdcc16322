#pragma once
// The 23 timecode frame rates with their per-rate constants. Rates and durations are
// exact table values, never quotients computed at run time.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "timecode/fraction.h"
#include "timecode/frame_rate_protocol.h"
#include "timecode/media_time.h"
#include "timecode/subframes_base.h"

namespace tallyvane {

class VideoFrameRate;

class TimecodeFrameRate : public FrameRateProtocol<TimecodeFrameRate> {
public:
    enum class Case : std::uint8_t {
        fps23_976, fps24, fps24_98, fps25, fps29_97, fps29_97d, fps30, fps30d, fps47_952, fps48, fps50, fps59_94,
        fps59_94d, fps60, fps60d, fps90, fps95_904, fps96, fps100, fps119_88, fps119_88d, fps120, fps120d,
    };
    using enum Case;

    enum class CompatibleGroup : std::uint8_t { ntscColor, ntscDrop, whole, ntscColorWallTime };

    constexpr TimecodeFrameRate(Case c) : case_(c) {}  // NOLINT: cases convert implicitly

    static constexpr std::array<Case, 23> allCases() {
        return {fps23_976, fps24, fps24_98, fps25, fps29_97, fps29_97d, fps30, fps30d, fps47_952, fps48, fps50, fps59_94,
                fps59_94d, fps60, fps60d, fps90, fps95_904, fps96, fps100, fps119_88, fps119_88d, fps120, fps120d};
    }
    static constexpr std::array<CompatibleGroup, 4> allCompatibleGroups() {
        return {CompatibleGroup::ntscColor, CompatibleGroup::ntscDrop, CompatibleGroup::whole,
                CompatibleGroup::ntscColorWallTime};
    }
    static const std::vector<TimecodeFrameRate>& allDrop();
    static const std::vector<TimecodeFrameRate>& allNonDrop();

    // Lookups by fraction (FrameRateProtocol::firstWith) with the drop flag.
    static std::optional<TimecodeFrameRate> fromRate(const Fraction& rate, bool drop);
    static std::optional<TimecodeFrameRate> fromRate(const MediaTime& rate, bool drop);
    static std::optional<TimecodeFrameRate> fromFrameDuration(const Fraction& duration, bool drop);
    static std::optional<TimecodeFrameRate> fromFrameDuration(const MediaTime& duration, bool drop);
    static std::optional<TimecodeFrameRate> fromRawValue(std::string_view text) { return fromStringValue(text); }

    constexpr Case value() const { return case_; }
    constexpr std::size_t index() const { return static_cast<std::size_t>(case_); }

    std::string_view stringValue() const;  // also the raw value: "29.97d"
    std::string_view rawValue() const { return stringValue(); }
    std::string_view stringValueVerbose() const;  // "29.97 fps drop"
    bool isDrop() const;
    double framesDroppedPerMinute() const;
    int maxFrames() const;  // frame labels per timecode second
    int maxFrameNumberDisplayable() const { return maxFrames() - 1; }
    int numberOfDigits() const;  // width of the frames field
    Fraction rate() const;
    Fraction frameDuration() const;
    std::optional<Fraction> alternateFrameDuration() const;
    double fps() const;
    double frameRateForElapsedFramesCalculation() const;

    std::int64_t maxTotalFrames(TimecodeUpperLimit limit) const;
    std::int64_t maxFrameNumberExpressible(TimecodeUpperLimit limit) const { return maxTotalFrames(limit) - 1; }
    std::int64_t maxTotalSubFrames(TimecodeUpperLimit limit, TimecodeSubFramesBase base) const {
        return maxTotalFrames(limit) * base.rawValue();
    }
    std::int64_t maxSubFrameNumberExpressible(TimecodeUpperLimit limit, TimecodeSubFramesBase base) const {
        return maxTotalSubFrames(limit, base) - 1;
    }

    // The frame duration as FCPXML text and "DF" or "NDF".
    std::pair<std::string, std::string> fcpxmlAttributes() const;
    // Rate as "N/D", "true" or "false" for drop, and the frame labels per second.
    std::array<std::string, 3> textFields() const;

    CompatibleGroup compatibleGroup() const;
    const std::vector<TimecodeFrameRate>& compatibleGroupRates() const { return members(compatibleGroup()); }
    bool isCompatible(TimecodeFrameRate other) const { return compatibleGroup() == other.compatibleGroup(); }
    static const std::vector<TimecodeFrameRate>& members(CompatibleGroup group);

    std::optional<VideoFrameRate> videoFrameRate(bool interlaced) const;

    friend constexpr bool operator==(TimecodeFrameRate a, TimecodeFrameRate b) { return a.case_ == b.case_; }

private:
    Case case_;
};

std::string_view description(TimecodeFrameRate::CompatibleGroup group);

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::TimecodeFrameRate> : tallyvane::FrameRateHash<tallyvane::TimecodeFrameRate> {};
