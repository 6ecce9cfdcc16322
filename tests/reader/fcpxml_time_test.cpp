// FCPXML time texts as media times and as whole frame counts.

#include <gtest/gtest.h>

#include <limits>

#include "reader/fcpxml_time.h"

namespace tallyvane {
namespace {

struct MediaTimeCase {
    std::optional<std::string> text;
    std::int64_t value;
    std::int32_t timescale;
    bool valid;
};

void PrintTo(const MediaTimeCase& row, std::ostream* out) { *out << row.text.value_or("no text"); }

class MediaTimeFromText : public ::testing::TestWithParam<MediaTimeCase> {};

TEST_P(MediaTimeFromText, ReadsValueAndTimescale) {
    const MediaTimeCase& c = GetParam();
    const MediaTime time = mediaTimeFromFCPXMLTime(c.text ? std::optional<std::string_view>(*c.text) : std::nullopt);
    EXPECT_EQ(time.isValid(), c.valid) << c.text.value_or("(none)");
    if (c.valid) {
        EXPECT_EQ(time.value, c.value);
        EXPECT_EQ(time.timescale, c.timescale);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MediaTimeFromText,
    ::testing::Values(MediaTimeCase{"3600s", 3600, 1, true}, MediaTimeCase{"1001/30000s", 1001, 30000, true},
                      MediaTimeCase{"-1001/30000s", -1001, 30000, true}, MediaTimeCase{"+5s", 5, 1, true},
                      MediaTimeCase{"0s", 0, 1, true}, MediaTimeCase{"0/0s", 0, 1, true},
                      MediaTimeCase{std::nullopt, 0, 1, true}, MediaTimeCase{"letters", 0, 1, true},
                      MediaTimeCase{"5/", 0, 1, true}, MediaTimeCase{"1/99999999999s", 0, 1, true},
                      MediaTimeCase{"1/2/3s", 1, 2, true},
                      // Every "s" is taken out, wherever it stands.
                      MediaTimeCase{"1s/2s", 1, 2, true}, MediaTimeCase{"5ss", 5, 1, true},
                      MediaTimeCase{"1s00/3s", 100, 3, true},
                      MediaTimeCase{"1001/30000", 1001, 30000, true},
                      // No number of seconds has a zero or negative timescale.
                      MediaTimeCase{"1/0s", 0, 0, false}, MediaTimeCase{"1/-25s", 0, 0, false}));

struct CountCase {
    std::optional<std::string> time;
    std::string frameDuration;
    std::string tcFormat;
    std::int64_t frames;
};

void PrintTo(const CountCase& row, std::ostream* out) {
    *out << row.time.value_or("no time") << " of " << row.frameDuration << " " << row.tcFormat;
}

class FrameCountFromText : public ::testing::TestWithParam<CountCase> {};

TEST_P(FrameCountFromText, CountsWholeFrames) {
    const CountCase& c = GetParam();
    EXPECT_EQ(frameCountFromFCPXMLTime(c.time ? std::optional<std::string_view>(*c.time) : std::nullopt,
                                       c.frameDuration, c.tcFormat),
              c.frames)
        << c.time.value_or("(none)") << " at " << c.frameDuration << " " << c.tcFormat;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FrameCountFromText,
    ::testing::Values(
        CountCase{"1001/30000s", "1001/30000s", "NDF", 1}, CountCase{"10s", "1/25s", "NDF", 250},
        CountCase{"3003/60000s", "1001/30000s", "NDF", 2},  // 1.5 frames rounds away from zero
        CountCase{"-3003/60000s", "1001/30000s", "NDF", -2}, CountCase{"15015/360000s", "1001/24000s", "NDF", 1},
        CountCase{"01:00:00:00", "1/25s", "NDF", 90000}, CountCase{"00:01:00;02", "1001/30000s", "DF", 1800},
        CountCase{"00:10:00;00", "1001/30000s", "DF", 17982}, CountCase{"01:00:00;00", "1001/60000s", "DF", 215784},
        CountCase{"01:00:00", "1/25s", "NDF", 1500}, CountCase{"1:2", "1/25s", "NDF", -1},
        CountCase{"a:b:c:d", "1/25s", "NDF", -1}, CountCase{std::nullopt, "1/25s", "NDF", 0},
        CountCase{"0s", "1/25s", "NDF", 0}, CountCase{"0/0s", "1/25s", "NDF", 0},
        CountCase{"10s", "0/0s", "NDF", 0}, CountCase{"10s", "0s", "NDF", 0}, CountCase{"xs", "1/25s", "NDF", -1},
        // A frame duration without "/" is no rational duration.
        CountCase{"10s", "25s", "NDF", -1}, CountCase{"10s", "", "NDF", -1},
        // Counts that are no finite 64-bit number.
        CountCase{"1/0s", "1/25s", "NDF", -1}, CountCase{"10s", "1/0s", "NDF", 0},
        CountCase{"1e30s", "1/25s", "NDF", -1}, CountCase{"00:00:01:00", "1/0s", "NDF", -1},
        CountCase{"99999999999999999:00:00:00", "1/25s", "NDF", -1}, CountCase{"nans", "1/25s", "NDF", -1},
        CountCase{"-infs", "1/25s", "NDF", -1}, CountCase{"1e39s", "1/25s", "NDF", -1},
        // The numbers are the C library's: hexadecimal reads.
        CountCase{"0x10s", "1/25s", "NDF", 400}, CountCase{"1s0/1s", "1/25s", "NDF", 250}));

struct FloatCase {
    std::string text;
    std::optional<float> value;
};

// Escaped, so that a text holding a NUL is printed whole.
void PrintTo(const FloatCase& row, std::ostream* out) { *out << ::testing::PrintToString(row.text); }

class ParseFloat : public ::testing::TestWithParam<FloatCase> {};

TEST_P(ParseFloat, ReadsTheWholeTextOnly) { EXPECT_EQ(parseFloat(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Texts, ParseFloat,
                         ::testing::Values(FloatCase{"2.5", 2.5f}, FloatCase{"-2.5", -2.5f}, FloatCase{"+2.5", 2.5f},
                                           FloatCase{"1e3", 1000.0f}, FloatCase{" 2.5", std::nullopt},
                                           FloatCase{"2.5 ", std::nullopt}, FloatCase{"2.5x", std::nullopt},
                                           FloatCase{"", std::nullopt}, FloatCase{"+-1", std::nullopt},
                                           FloatCase{"2,5", std::nullopt}, FloatCase{"0x1.8p1", 3.0f},
                                           FloatCase{"0x10", 16.0f}, FloatCase{"0x", std::nullopt},
                                           FloatCase{"-inf", -std::numeric_limits<float>::infinity()},
                                           FloatCase{"1e39", std::numeric_limits<float>::infinity()},
                                           FloatCase{"16777217", 16777216.0f},
                                           FloatCase{std::string("\0" "1", 2), std::nullopt}));

}  // namespace
}  // namespace tallyvane
