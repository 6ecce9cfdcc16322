#include "report/timecode_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "timecode/timecode_sources.h"

namespace tallyvane {
namespace {

// What the library's exact construction makes of the count, failures included.
std::optional<std::string> constructedText(double frames, TimecodeFrameRate rate, TimecodeUpperLimit limit) {
    try {
        return Timecode(TimecodeSourceValue::combinedFrames(frames),
                        Timecode::Properties{rate, TimecodeSubFramesBase::max100SubFrames, limit})
            .stringValue();
    } catch (const TimecodeValidationError&) {
        return std::nullopt;
    }
}

// Counts that decide between a timecode and none: around zero and around the limit, where
// hundredths of a frame round one way or the other.
TEST(TimecodeOfFrames, GivesWhatTheExactConstructionGivesAtEveryBound) {
    const double nearBounds[] = {-1e18, -1.0, -0.006, -0.005, -0.004, -0.0, 0.0, 0.004, 0.5};
    const double belowLimit[] = {-1.0, -0.006, -0.005, -0.004, 0.0, 0.004, 1.0, 1e18};
    for (const TimecodeFrameRate::Case rateCase : TimecodeFrameRate::allCases()) {
        const TimecodeFrameRate rate(rateCase);
        for (const TimecodeUpperLimit limit : {TimecodeUpperLimit::max24Hours, TimecodeUpperLimit::max100Days}) {
            const double last = static_cast<double>(rate.maxTotalFrames(limit));
            for (const double frames : nearBounds) {
                EXPECT_EQ(timecodeText(frames, rate, limit), constructedText(frames, rate, limit))
                    << rate.stringValue() << " " << frames;
            }
            for (const double offset : belowLimit) {
                EXPECT_EQ(timecodeText(last + offset, rate, limit), constructedText(last + offset, rate, limit))
                    << rate.stringValue() << " limit" << std::showpos << offset;
            }
        }
    }
    for (const double frames : {std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(timecodeText(frames, TimecodeFrameRate::fps25), std::nullopt);
    }
}

// Counts anywhere in range, with hundredths and finer fractions, at every rate and limit.
TEST(TimecodeOfFrames, BuildsTheTimecodeTheExactConstructionBuilds) {
    std::mt19937_64 random(7122026);
    for (const TimecodeFrameRate::Case rateCase : TimecodeFrameRate::allCases()) {
        const TimecodeFrameRate rate(rateCase);
        for (const TimecodeUpperLimit limit : {TimecodeUpperLimit::max24Hours, TimecodeUpperLimit::max100Days}) {
            const Timecode::Properties properties{rate, TimecodeSubFramesBase::max100SubFrames, limit};
            const auto last = static_cast<std::uint64_t>(rate.maxTotalFrames(limit));
            for (int i = 0; i < 500; ++i) {
                const double fraction = i % 3 == 0 ? 0.0 : i % 3 == 1 ? static_cast<double>(random() % 100) / 100
                                                                        : std::ldexp(static_cast<double>(random() % 1024), -10);
                const double frames = static_cast<double>(random() % last) + fraction;
                const std::optional<Timecode> made = timecodeOfFrames(frames, rate, limit);
                ASSERT_TRUE(made.has_value()) << rate.stringValue() << " " << frames;
                const Timecode exact(TimecodeSourceValue::combinedFrames(frames), properties);
                EXPECT_EQ(made->components, exact.components) << rate.stringValue() << " " << frames;
                EXPECT_EQ(made->properties, exact.properties);
            }
        }
    }
}

}  // namespace
}  // namespace tallyvane
