#pragma once
// Document times as the model's frame counts, and the timecode rate of a frame rate.

#include <iosfwd>
#include <optional>
#include <sstream>
#include <string>
#include <unordered_map>
#include <string_view>

#include "timecode/fraction.h"
#include "timecode/frame_count.h"
#include "timecode/timecode_frame_rate.h"
#include "xml/xml_element.h"

namespace tallyvane {

// The frames of an FCPXML rational time ("N/Ds" or "Ns") at the rate, a part frame kept
// in hundredths as a timecode holds it. A time that is negative or reaches 24 hours counts
// as its exact quotient of frames. A missing or unreadable time, a zero denominator and a
// quotient beyond 64-bit terms count 0 frames. Every such case writes one line to `log`.
double framesFromFCPXML(std::optional<std::string_view> time, TimecodeFrameRate rate, std::ostream& log);

// `framesFromFCPXML` remembering what it has counted: the same times come back at every
// clip (durations, starts, the missing offset of a spine), and each count costs a timecode.
class FrameCounter {
public:
    explicit FrameCounter(std::ostream& log) : log_(log) {}
    FrameCounter(const FrameCounter&) = delete;
    FrameCounter& operator=(const FrameCounter&) = delete;

    double operator()(std::optional<std::string_view> time, TimecodeFrameRate rate);
    // The attribute of the element; a missing element counts as a missing attribute.
    double attribute(const std::optional<XMLElement>& element, std::string_view name, TimecodeFrameRate rate);
    std::ostream& log() const noexcept { return log_; }

private:
    std::ostream& log_;
    // By the rate's position among the rates, then the text. Only counts that needed no
    // diagnostic line are kept, so every such line is still written each time.
    std::unordered_map<std::string, double> counted_;
    // Where a count's diagnostic lines wait until it is known whether there are any.
    std::ostringstream lines_;
};

// A timecode's frame count as a number: whole frames plus subframes over the base.
double frameCountValue(const TimecodeFrameCount& count);

// The timecode rate of a rate, its drop-frame form when asked for and one exists; "60"
// (with a line on `log`) when no timecode rate has that rate.
TimecodeFrameRate frameRateFromRate(const Fraction& rate, bool drop, std::ostream& log);

// The timecode rate of a stored video rate text ("29.97p", "25i"), read as "60p" when it
// names no video rate, chosen as `frameRateFromRate` chooses.
TimecodeFrameRate frameRateFromVideoRate(std::string_view videoRateText, bool drop, std::ostream& log);

}  // namespace tallyvane
