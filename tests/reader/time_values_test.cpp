// Document times as frame counts at the common rates, and what unreadable times count.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>

#include "reader/time_values.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

struct TimeCase {
    std::optional<std::string> time;
    TimecodeFrameRate rate;
    double frames;
    std::string printed;  // the line, or "" for none
};

void PrintTo(const TimeCase& row, std::ostream* out) {
    *out << (row.time ? *row.time : "no time") << " at " << row.rate.stringValue();
}

class FramesFromFCPXML : public ::testing::TestWithParam<TimeCase> {};

TEST_P(FramesFromFCPXML, CountsFramesAtTheRate) {
    const TimeCase& c = GetParam();
    std::ostringstream log;
    const double frames =
        framesFromFCPXML(c.time ? std::optional<std::string_view>(*c.time) : std::nullopt, c.rate, log);
    EXPECT_NEAR(frames, c.frames, 1e-9) << c.time.value_or("(none)") << " at " << c.rate.stringValue();
    EXPECT_EQ(log.str(), c.printed.empty() ? "" : c.printed + "\n");
}

using R = TimecodeFrameRate;

INSTANTIATE_TEST_SUITE_P(
    Rates, FramesFromFCPXML,
    ::testing::Values(
        TimeCase{"0s", R::fps25, 0.0, ""}, TimeCase{"3600s", R::fps25, 90000.0, ""},
        TimeCase{"1001/30000s", R::fps29_97, 1.0, ""}, TimeCase{"1/48s", R::fps24, 0.5, ""},
        TimeCase{"1/50s", R::fps25, 0.5, ""}, TimeCase{"1001/24000s", R::fps23_976, 1.0, ""},
        // Unreduced terms as real exports write them.
        TimeCase{"15015/360000s", R::fps23_976, 1.0, ""},
        TimeCase{"86399/1s", R::fps23_976, 2071504.0 + 0.49, ""},
        // 01:00:00;00 at 29.97 drop-frame is 107892 frames, and NDF counts the same elapsed time.
        TimeCase{"3600000/1000s", R::fps29_97d, 107892.0 + 0.10, ""},
        TimeCase{"3600000/1000s", R::fps29_97, 107892.0 + 0.10, ""},
        TimeCase{"8648640000/2400000s", R::fps29_97, 108000.0, ""},
        TimeCase{"60060/30000s", R::fps29_97d, 60.0, ""},
        // Terms past 64 bits once multiplied by the frame duration's.
        TimeCase{"1/9223372036854775807s", R::fps25, 0.0, ""},
        TimeCase{"9223372036854775807/9223372036854775806s", R::fps23_976, 23.0 + 0.97, ""},
        // Outside one day the exact quotient stands.
        TimeCase{"-10s", R::fps25, -250.0, "\"Unable to create Timecode from -10s at 25\""},
        TimeCase{"86400s", R::fps25, 2160000.0, "\"Unable to create Timecode from 86400s at 25\""},
        TimeCase{"-1001/30000s", R::fps29_97d, -1.0, "\"Unable to create Timecode from -1001/30000s at 29.97d\""},
        // Nothing to read.
        TimeCase{std::nullopt, R::fps25, 0.0, "\"fcpxmlRationalString is nil\""},
        TimeCase{"12", R::fps25, 0.0, "\"Unable to create Fraction from 12\""},
        TimeCase{"", R::fps25, 0.0, "\"Unable to create Fraction from \""},
        TimeCase{"1.5s", R::fps25, 0.0, "\"Unable to create Fraction from 1.5s\""},
        // Zero denominators and terms beyond 64 bits are no time, never a crash.
        TimeCase{"1/0s", R::fps25, 0.0, "\"Unable to create Fraction from 1/0s\""},
        TimeCase{"0/0s", R::fps29_97, 0.0, "\"Unable to create Fraction from 0/0s\""},
        TimeCase{"-1/0s", R::fps25, 0.0, "\"Unable to create Fraction from -1/0s\""},
        TimeCase{"99999999999999999999s", R::fps25, 0.0, "\"Unable to create Fraction from 99999999999999999999s\""},
        TimeCase{"9223372036854775807s", R::fps29_97, 0.0,
                 "\"Unable to create Timecode from 9223372036854775807s at 29.97\""},
        TimeCase{"-9223372036854775808/1s", R::fps119_88, 0.0,
                 "\"Unable to create Timecode from -9223372036854775808/1s at 119.88\""}));

// Outside one day the count is the exact quotient, the double of the quotient's lowest
// terms, whatever terms the seconds come in.
TEST(FramesFromSeconds, OutsideADayCountTheQuotientOfTheLowestTerms) {
    std::mt19937_64 random(7);
    std::ostringstream log;
    for (const TimecodeFrameRate rate : {R::fps23_976, R::fps25, R::fps29_97d, R::fps59_94, R::fps120}) {
        for (int i = 0; i < 2000; ++i) {
            const auto denominator = static_cast<std::int64_t>(random() % 1000000 + 1);
            const std::int64_t scale = i % 3 == 0 ? 1 : static_cast<std::int64_t>(random() % 1000 + 1);
            const std::int64_t whole = static_cast<std::int64_t>(random() % (1LL << 36)) - (1LL << 35);
            const Fraction seconds(whole * scale, denominator * scale);
            const Fraction exact = seconds / rate.frameDuration();
            const double expected = static_cast<double>(exact.numerator()) / static_cast<double>(exact.denominator());
            if (framesWithinDay(seconds, rate)) continue;
            const double counted = framesFromSeconds(seconds, rate, log);
            EXPECT_EQ(std::memcmp(&counted, &expected, sizeof counted), 0) << seconds.description() << " at " << rate.stringValue();
        }
    }
}

// Times are kept for reading again in a table of fixed size: whatever texts share a place in
// it, each reads as its own time, and an unreadable one writes its line every time.
TEST(FrameCounter, EveryTimeReadsAsItselfHoweverManyThereAre) {
    std::ostringstream log;
    FrameCounter frames(log);
    for (int round = 0; round < 2; ++round) {
        for (std::int64_t n = 0; n < 20000; ++n) {
            const std::string offset = std::to_string(n * 100) + "/2500s";
            EXPECT_EQ(frames.seconds(std::string_view(offset)), Fraction(n * 100, 2500)) << offset;
            EXPECT_EQ(frames.seconds(std::string_view("1001/24000s")), Fraction(1001, 24000));
        }
    }
    EXPECT_EQ(log.str(), "");
    for (int i = 0; i < 2; ++i) EXPECT_EQ(frames.seconds(std::string_view("12")), Fraction(0, 1));
    EXPECT_EQ(log.str(), "\"Unable to create Fraction from 12\"\n\"Unable to create Fraction from 12\"\n");
    EXPECT_EQ(frames.seconds(std::nullopt), Fraction(0, 1));
}

struct RateCase {
    Fraction rate;
    bool drop;
    TimecodeFrameRate expected;
    bool printsFailure;
};

void PrintTo(const RateCase& row, std::ostream* out) {
    *out << row.rate.numerator() << "/" << row.rate.denominator() << (row.drop ? " drop" : "");
}

class FrameRateFromRate : public ::testing::TestWithParam<RateCase> {};

TEST_P(FrameRateFromRate, PrefersTheDropFormOnlyWhenAskedAndItExists) {
    const RateCase& c = GetParam();
    std::ostringstream log;
    EXPECT_EQ(frameRateFromRate(c.rate, c.drop, log), c.expected) << c.rate.description();
    EXPECT_EQ(log.str(), c.printsFailure ? c.rate.description() + " \"FAILED becoming a frame rate\"\n" : "");
}

INSTANTIATE_TEST_SUITE_P(Rates, FrameRateFromRate,
                         ::testing::Values(RateCase{{30000, 1001}, true, R::fps29_97d, false},
                                           RateCase{{30000, 1001}, false, R::fps29_97, false},
                                           RateCase{{60000, 1001}, true, R::fps59_94d, false},
                                           RateCase{{24000, 1001}, true, R::fps23_976, false},
                                           RateCase{{24, 1}, true, R::fps24, false},
                                           RateCase{{50, 2}, false, R::fps25, false},
                                           RateCase{{7, 1}, false, R::fps60, true},
                                           RateCase{{7, 1}, true, R::fps60, true},
                                           RateCase{{1, 0}, false, R::fps60, true}));

}  // namespace
}  // namespace tallyvane
