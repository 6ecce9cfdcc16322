#pragma once
// The 21 video frame rates of media and FCPXML formats: progressive and interlaced
// scanning, no drop-frame counting.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "timecode/fraction.h"
#include "timecode/frame_rate_protocol.h"
#include "timecode/media_time.h"
#include "timecode/timecode_frame_rate.h"

namespace tallyvane {

class VideoFrameRate : public FrameRateProtocol<VideoFrameRate> {
public:
    enum class Case : std::uint8_t {
        fps23_98p, fps24p, fps25p, fps25i, fps29_97p, fps29_97i, fps30p, fps47_95p, fps48p, fps50p, fps50i,
        fps59_94p, fps59_94i, fps60p, fps60i, fps90p, fps95_9p, fps96p, fps100p, fps119_88p, fps120p,
    };
    using enum Case;

    constexpr VideoFrameRate(Case c) : case_(c) {}  // NOLINT: cases convert implicitly

    static constexpr std::array<Case, 21> allCases() {
        return {fps23_98p, fps24p, fps25p, fps25i, fps29_97p, fps29_97i, fps30p, fps47_95p, fps48p, fps50p, fps50i,
                fps59_94p, fps59_94i, fps60p, fps60i, fps90p, fps95_9p, fps96p, fps100p, fps119_88p, fps120p};
    }

    static std::optional<VideoFrameRate> fromRate(const Fraction& rate, bool interlaced);
    static std::optional<VideoFrameRate> fromRate(const MediaTime& rate, bool interlaced);
    static std::optional<VideoFrameRate> fromFrameDuration(const Fraction& duration, bool interlaced);
    static std::optional<VideoFrameRate> fromFrameDuration(const MediaTime& duration, bool interlaced);
    // A measured rate compared to three decimal places (precise) or one.
    static std::optional<VideoFrameRate> fromFps(double fps, bool interlaced, bool precise);
    static std::optional<VideoFrameRate> fromFps(float fps, bool interlaced);
    // By raw value ("119.88p"); fromStringValue takes "119.88pp" for the same rate.
    static std::optional<VideoFrameRate> fromRawValue(std::string_view text);

    constexpr Case value() const { return case_; }
    constexpr std::size_t index() const { return static_cast<std::size_t>(case_); }

    std::string_view rawValue() const;
    std::string_view stringValue() const;
    Fraction rate() const;
    Fraction frameDuration() const;
    std::optional<Fraction> alternateFrameDuration() const;
    bool isInterlaced() const;
    double fps() const { return static_cast<double>(rate().numerator()) / static_cast<double>(rate().denominator()); }
    // Absent with drop for every rate without a drop form, 60i and 120p included.
    std::optional<TimecodeFrameRate> timecodeFrameRate(bool drop) const;

    friend constexpr bool operator==(VideoFrameRate a, VideoFrameRate b) { return a.case_ == b.case_; }

private:
    Case case_;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::VideoFrameRate> : tallyvane::FrameRateHash<tallyvane::VideoFrameRate> {};
