#include "shell/settings_controls.h"

#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

namespace tallyvane {
namespace {

TEST(ReportOptions, FollowEachControl) {
    ColumnControls columns;
    columns.checked[kThumbnailsSwitch] = true;
    columns.checked[*columnSwitchWithOptionKey("metadata")] = true;
    TimeDisplayControls timeDisplay;
    timeDisplay.sequence = {false, true, false, false};
    timeDisplay.source = {false, false, false, true};
    timeDisplay.colorRow = 1;
    ReportContext context;
    const auto options = reportOptions(columns, timeDisplay, context);
    for (const ColumnSwitch& column : kColumnSwitches) {
        const bool on = column.optionKey == "thumbnails" || column.optionKey == "metadata";
        EXPECT_EQ(options.at(std::string(column.optionKey)), on) << column.optionKey;
    }
    EXPECT_FALSE(options.at("reportSeqTimecode"));
    EXPECT_TRUE(options.at("reportSeqFrames"));
    EXPECT_FALSE(options.at("reportSrcTimecode"));
    EXPECT_TRUE(options.at("reportSrcClock"));
    EXPECT_FALSE(options.at("useColorText"));
}

struct WidthCase {
    const char* text;
    std::int64_t width;
};

void PrintTo(const WidthCase& row, std::ostream* out) { *out << '"' << row.text << '"'; }

class ThumbnailWidth : public ::testing::TestWithParam<WidthCase> {};

// A negative width counts as its size, as a layout stores it.
TEST_P(ThumbnailWidth, IsTheComboBoxTextAsAnInteger) {
    ColumnControls columns;
    columns.thumbnailWidthText = GetParam().text;
    ReportContext context;
    context.thumbnailWidth = 7;
    reportOptions(columns, {}, context);
    EXPECT_EQ(context.thumbnailWidth, GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(Texts, ThumbnailWidth,
                         ::testing::Values(WidthCase{"40", 40}, WidthCase{" 120 ", 120}, WidthCase{"+80", 80},
                                           WidthCase{"-50", 50}, WidthCase{"abc", 0}, WidthCase{"", 0},
                                           WidthCase{"+-5", 0}, WidthCase{"px40", 0}, WidthCase{".5", 0},
                                           // The leading integer: a typed unit or fraction keeps the column.
                                           WidthCase{"40px", 40}, WidthCase{"4.5", 4}, WidthCase{" 40.7", 40},
                                           // The width is a 64-bit integer here, not a 32-bit one.
                                           WidthCase{"2147483648", 2147483648}, WidthCase{"-2147483649", 2147483649},
                                           WidthCase{"-9223372036854775808", INT64_MAX},
                                           WidthCase{"9223372036854775807", INT64_MAX},
                                           WidthCase{"9223372036854775808", 0}));

struct OffsetCase {
    const char* text;
    double value;
};

void PrintTo(const OffsetCase& row, std::ostream* out) { *out << '"' << row.text << '"'; }

class Offsets : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(Offsets, AreFiniteNumbersOrZero) {
    TimeDisplayControls timeDisplay;
    timeDisplay.offsetTexts = {GetParam().text, "1", "2", "3"};
    ReportContext context;
    reportOptions({}, timeDisplay, context);
    EXPECT_EQ(context.hhmmssffAdj, GetParam().value);
    EXPECT_EQ(context.framesAdj, 1.0);
    EXPECT_EQ(context.feetframesAdj, 2.0);
    EXPECT_EQ(context.clockAdj, 3.0);
}

INSTANTIATE_TEST_SUITE_P(Texts, Offsets,
                         ::testing::Values(OffsetCase{"0", 0.0}, OffsetCase{"12.5", 12.5}, OffsetCase{" -3 ", -3.0},
                                           OffsetCase{"1e2", 100.0}, OffsetCase{"abc", 0.0}, OffsetCase{"", 0.0},
                                           OffsetCase{"nan", 0.0}, OffsetCase{"inf", 0.0}, OffsetCase{"1e999", 0.0},
                                           OffsetCase{"1,5", 0.0}, OffsetCase{"+5", 5.0}, OffsetCase{"0x10", 0.0},
                                           OffsetCase{"0x1p3", 0.0}, OffsetCase{"1e", 0.0}));

struct ValidationCase {
    std::array<bool, 4> sequence;
    std::array<bool, 4> source;
    std::array<bool, 4> sequenceAfter;
    std::array<bool, 4> sourceAfter;
};

void PrintTo(const ValidationCase& row, std::ostream* out) {
    for (const auto* group : {&row.sequence, &row.source}) {
        *out << (group == &row.source ? " " : "");
        for (const bool on : *group) *out << (on ? '1' : '0');
    }
}

class TimeFormatValidation : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(TimeFormatValidation, KeepsOneFormatInEachGroup) {
    TimeDisplayControls timeDisplay;
    timeDisplay.sequence = GetParam().sequence;
    timeDisplay.source = GetParam().source;
    timeDisplay.validate();
    EXPECT_EQ(timeDisplay.sequence, GetParam().sequenceAfter);
    EXPECT_EQ(timeDisplay.source, GetParam().sourceAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Groups, TimeFormatValidation,
    ::testing::Values(ValidationCase{{0, 0, 0, 0}, {0, 0, 1, 0}, {1, 0, 0, 0}, {0, 0, 1, 0}},
                      ValidationCase{{0, 0, 0, 1}, {0, 0, 0, 0}, {0, 0, 0, 1}, {1, 0, 0, 0}},
                      ValidationCase{{0, 0, 0, 0}, {0, 0, 0, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}},
                      ValidationCase{{0, 1, 1, 0}, {1, 1, 1, 1}, {0, 1, 1, 0}, {1, 1, 1, 1}}));

TEST(ColumnSwitches, AreFoundByTitleAndKey) {
    EXPECT_EQ(columnSwitchWithTitle("Role \u25B8 Subrole"), 3u);
    EXPECT_FALSE(columnSwitchWithTitle("metadata").has_value());
    EXPECT_FALSE(columnSwitchWithOptionKey("reportSeqTimecode").has_value());
}

}  // namespace
}  // namespace tallyvane
