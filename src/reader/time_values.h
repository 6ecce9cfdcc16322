#pragma once
// Document times as the model's frame counts, and the timecode rate of a frame rate.

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_map.h"
#include "timecode/fraction.h"
#include "timecode/timecode_frame_rate.h"
#include "xml/xml_element.h"

namespace tallyvane {

// The seconds of an FCPXML rational time ("N/Ds" or "Ns"), exact. A missing or unreadable
// time and a zero denominator are absent, with one line on `log`.
std::optional<Fraction> secondsFromFCPXML(std::optional<std::string_view> time, std::ostream& log);

// The frames of an exact time at the rate, whole frames and hundredths with the rest cut
// off, when it lies within the first 24 hours.
std::optional<double> framesWithinDay(const Fraction& seconds, TimecodeFrameRate rate);

// The frames at the rate where a span of `duration` from `start` ends, when that lies within
// the first 24 hours and the sum has 64-bit terms: counted once, as two counts cut to
// hundredths and added up may fall a frame short.
std::optional<double> endFrames(const Fraction& start, const Fraction& duration, TimecodeFrameRate rate);

// The frames of an exact time at the rate: whole frames and hundredths, the rest cut off, as
// a timecode holds a part frame. A time that is negative or reaches 24 hours counts as its
// exact quotient of frames (0 beyond 64-bit terms) and writes a line naming `text` (the
// time's own text when empty) on `log`.
double framesFromSeconds(const Fraction& seconds, TimecodeFrameRate rate, std::ostream& log,
                         std::string_view text = {});

// `framesFromSeconds` of `secondsFromFCPXML`; 0 frames when there are no seconds.
double framesFromFCPXML(std::optional<std::string_view> time, TimecodeFrameRate rate, std::ostream& log);

// Document times read once and kept exact: the same texts come back at every clip
// (durations, starts, the missing offset of a spine), and each reading costs a parse.
class FrameCounter {
public:
    explicit FrameCounter(std::ostream& log) : log_(log) {}
    FrameCounter(const FrameCounter&) = delete;
    FrameCounter& operator=(const FrameCounter&) = delete;

    // Missing and unreadable times count 0 seconds.
    Fraction seconds(std::optional<std::string_view> time);
    // The attribute of the element; a missing element counts as a missing attribute.
    Fraction seconds(const XMLElement& element, std::string_view name);
    Fraction seconds(const std::optional<XMLElement>& element, std::string_view name);
    double operator()(const Fraction& seconds, TimecodeFrameRate rate) { return framesFromSeconds(seconds, rate, log_); }
    double operator()(std::optional<std::string_view> time, TimecodeFrameRate rate);
    double attribute(const std::optional<XMLElement>& element, std::string_view name, TimecodeFrameRate rate);
    std::ostream& log() const noexcept { return log_; }

private:
    // Times read before, a fixed number of them: a long timeline repeats its durations and
    // starts thousands of times but reads each offset once or twice, so each text goes to
    // the slot its hash picks and stays until another text takes that slot. The table
    // stays small and in the processor's cache however long the timeline. Only times read
    // without a diagnostic line are kept, so every such line is still written each time.
    struct ReadTime {
        std::string text;
        Fraction seconds;
    };
    static constexpr std::size_t kReadTimes = 4096;

    std::ostream& log_;
    std::vector<std::optional<ReadTime>> read_ = std::vector<std::optional<ReadTime>>(kReadTimes);
};

// The timecode rate of a rate, its drop-frame form when asked for and one exists; "60"
// (with a line on `log`) when no timecode rate has that rate.
TimecodeFrameRate frameRateFromRate(const Fraction& rate, bool drop, std::ostream& log);

// The timecode rate of a stored video rate text ("29.97p", "25i"), read as "60p" when it
// names no video rate, chosen as `frameRateFromRate` chooses.
TimecodeFrameRate frameRateFromVideoRate(std::string_view videoRateText, bool drop, std::ostream& log);

}  // namespace tallyvane
