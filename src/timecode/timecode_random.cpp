// Random components and properties, drawn from the system's random source.
#include <limits>
#include <random>

#include "timecode/timecode_components.h"

namespace tallyvane {

namespace {

// Uniform in lower ... upper (the bounds in either order); a range as wide as the
// whole 64-bit range takes a raw 64-bit value.
std::int64_t uniform(std::int64_t lower, std::int64_t upper) {
    if (upper < lower) std::swap(lower, upper);
    std::random_device device;
    auto width = static_cast<std::uint64_t>(upper) - static_cast<std::uint64_t>(lower);
    std::uniform_int_distribution<std::uint64_t> draw(0, width);
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(lower) + draw(device));
}

std::int64_t uniform(const ClosedRange& range) { return uniform(range.lower, range.upper); }

}  // namespace

TimecodeComponents TimecodeComponents::random(const TimecodeProperties& properties) {
    TimecodeComponents c;
    c.days = uniform(0, properties.upperLimit.maxDays());
    c.hours = uniform(0, 23);
    c.minutes = uniform(0, 59);
    c.seconds = uniform(0, 59);
    c.frames = uniform(c.validRange(TimecodeComponent::frames, properties));
    c.subFrames = uniform(0, properties.subFramesBase.maxSubFrameNumberDisplayable());
    return c;
}

TimecodeComponents TimecodeComponents::random(const TimecodeComponentRanges& ranges) {
    TimecodeComponents c;
    c.days = uniform(ranges.days);
    c.hours = uniform(ranges.hours);
    c.minutes = uniform(ranges.minutes);
    c.seconds = uniform(ranges.seconds);
    c.frames = uniform(ranges.frames);
    c.subFrames = uniform(ranges.subFrames);
    return c;
}

TimecodeProperties randomTimecodeProperties() {
    auto limits = TimecodeUpperLimit::allCases();
    auto bases = TimecodeSubFramesBase::allCases();
    auto rates = TimecodeFrameRate::allCases();
    TimecodeUpperLimit limit = limits[static_cast<std::size_t>(uniform(0, limits.size() - 1))];
    TimecodeSubFramesBase base = bases[static_cast<std::size_t>(uniform(0, bases.size() - 1))];
    TimecodeFrameRate rate = rates[static_cast<std::size_t>(uniform(0, rates.size() - 1))];
    return {rate, base, limit};
}

}  // namespace tallyvane
