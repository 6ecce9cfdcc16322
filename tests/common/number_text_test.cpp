#include "common/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

using tallyvane::formatDouble;
using tallyvane::parseDouble;

TEST(FormatDouble, MatchesTheShortestRoundTripForm) {
    struct Case { double value; const char* text; };
    const Case cases[] = {
        {0.0, "0.0"},
        {-0.0, "-0.0"},
        {1.0, "1.0"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.3333333333333333"},
        {30000.0 / 1001.0, "29.97002997002997"},
        {0.0001, "0.0001"},
        {0.00001, "1e-05"},
        {0.000015, "1.5e-05"},
        {9007199254740992.0, "9007199254740992.0"},
        {9007199254740994.0, "9.007199254740994e+15"},
        {1e16, "1e+16"},
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
        {std::nan(""), "nan"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatDouble(c.value), c.text) << c.text;
    }
}

TEST(FormatSettingsNumber, TakesTheExponentFormFromTenToTheSixteenthUp) {
    struct Case { double value; const char* text; };
    const Case cases[] = {
        {-0.0, "-0.0"},
        {100.0, "100.0"},
        {0.00001, "1e-05"},
        {9007199254740994.0, "9007199254740994.0"},
        {9.5e15, "9500000000000000.0"},
        {9999999999999998.0, "9999999999999998.0"},
        {1e16, "1e+16"},
        {-1.5e16, "-1.5e+16"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tallyvane::formatSettingsNumber(c.value), c.text) << c.text;
    }
}

TEST(FormatDouble, EveryTextReadsBackAsTheSameValue) {
    const double values[] = {0.1 + 0.2, 1e-5, 5e-324, 1.7976931348623157e308, 23.976023976023978, -123.25e7};
    for (double v : values) {
        auto back = parseDouble(formatDouble(v));
        ASSERT_TRUE(back.has_value()) << formatDouble(v);
        EXPECT_EQ(*back, v) << formatDouble(v);
    }
}

TEST(ParseDouble, AcceptsOnlyAWholeNumberText) {
    struct Case { const char* text; std::optional<double> value; };
    const Case cases[] = {
        {"1.5", 1.5},
        {"-0.25", -0.25},
        {"+3", 3.0},
        {"1e3", 1000.0},
        {"", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"1,5", std::nullopt},
        {"1.5x", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseDouble(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ParseDouble, IgnoresTheProcessLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    // A decimal-comma locale, when the machine has one, must not change the result.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        EXPECT_EQ(parseDouble("2.5"), 2.5);
        EXPECT_EQ(formatDouble(2.5), "2.5");
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(parseDouble("2.5"), 2.5);
}
