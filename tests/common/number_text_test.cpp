#include "common/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

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

namespace {

// A plain rendering of the documented rules from the scientific shortest form, to check
// the optimised formatting against.
std::string referenceNumberText(double value, double exponentFrom, bool exponentAtThreshold) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    std::string sign = std::signbit(value) ? "-" : "";
    double magnitude = std::fabs(value);
    if (magnitude == 0) return sign + "0.0";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    std::string scientific(buffer, result.ptr);
    auto e = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, e)) {
        if (c != '.') digits.push_back(c);
    }
    int exponent = std::atoi(scientific.substr(e + 1).c_str());
    bool large = exponentAtThreshold ? magnitude >= exponentFrom : magnitude > exponentFrom;
    if (magnitude < 1e-4 || large) {
        std::string text = sign + digits.substr(0, 1);
        if (digits.size() > 1) text += "." + digits.substr(1);
        int absE = std::abs(exponent);
        return text + (exponent < 0 ? "e-" : "e+") + (absE < 10 ? "0" : "") + std::to_string(absE);
    }
    if (exponent < 0) return sign + "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    size_t integerDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) return sign + digits + std::string(integerDigits - digits.size(), '0') + ".0";
    return sign + digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

std::vector<double> numberTextSamples() {
    std::vector<double> values;
    for (int i = -2000; i <= 2000; ++i) values.push_back(i);
    for (double around : {9007199254740992.0, 1e15, 1e16}) {
        for (double step = -4; step <= 4; ++step) values.push_back(around + step * (around > 1e15 ? 2 : 1));
        values.push_back(std::nextafter(around, 0.0));
        values.push_back(std::nextafter(around, 1e300));
    }
    for (int p = -30; p <= 70; ++p) values.push_back(std::ldexp(1.0, p));
    for (int p = -8; p <= 20; ++p) values.push_back(std::pow(10.0, p));
    for (double v : {0.1, 12.5, 99.99999, 0.0001, 0.00009999, 1.0 / 3.0, 30000.0 / 1001.0, 123456789.125,
                     5e-324, 1.7976931348623157e308, 0.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        values.push_back(v);
    }
    std::mt19937_64 generator(20261207);
    std::uniform_real_distribution<double> exponent(-6, 20);
    std::uniform_real_distribution<double> unit(1, 10);
    for (int i = 0; i < 20000; ++i) {
        double v = unit(generator) * std::pow(10.0, std::floor(exponent(generator)));
        values.push_back(v);
        values.push_back(std::round(v));
        values.push_back(std::round(v * 100) / 100);
    }
    size_t count = values.size();
    for (size_t i = 0; i < count; ++i) values.push_back(-values[i]);
    return values;
}

}  // namespace

TEST(NumberText, FormattingMatchesTheReferenceRendering) {
    for (double v : numberTextSamples()) {
        ASSERT_EQ(formatDouble(v), referenceNumberText(v, 9007199254740992.0, false)) << v;
        ASSERT_EQ(tallyvane::formatSettingsNumber(v), referenceNumberText(v, 1e16, true)) << v;
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
    struct Case { std::string text; std::optional<double> value; };
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
        {"0x1.8p1", 3.0},
        {"-inf", -std::numeric_limits<double>::infinity()},
        {"1e400", std::numeric_limits<double>::infinity()},
        {std::string(62, '0') + "5", 5.0},
        {std::string(63, '0') + "5", 5.0},
        {std::string(70, '0') + "1.25", 1.25},
        {"0." + std::string(80, '0') + "1e81", 1.0},
        {std::string(70, '1') + " ", std::nullopt},
        {std::string("1\0", 2), std::nullopt},
        {std::string(70, '2') + std::string("\0", 1), std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseDouble(c.text), c.value) << '"' << c.text << '"';
    }
    auto nan = parseDouble("nan");
    ASSERT_TRUE(nan.has_value());
    EXPECT_TRUE(std::isnan(*nan));
}

// Decimal texts read through the quick path give strtod's double to the bit, signs of zero,
// subnormals, ties and texts out of range included.
TEST(ParseDouble, DecimalTextsReadAsStrtodReadsThem) {
    std::vector<std::string> texts{"0",  "-0", ".5", "5.", "-.25", "1e5", "1E-5", "2.2250738585072011e-308",
                                   "4.9e-324", "1e-320", "1e-400", "-1e400", "9007199254740993",
                                   "0.1000000000000000055511151231257827", "123456789012345678901234567890",
                                   "1e", "1.2.3", "--1", "1-", "e5", "."};
    std::mt19937_64 random(29);
    char buffer[64];
    for (int i = 0; i < 3000; ++i) {
        const double value = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 200) - 140);
        for (const char* format : {"%.17g", "%.3f", "%e", "%.1f"}) {
            std::snprintf(buffer, sizeof buffer, format, i % 2 ? -value : value);
            texts.emplace_back(buffer);
        }
    }
    for (const std::string& text : texts) {
        char* end = nullptr;
        const double expected = std::strtod(text.c_str(), &end);
        const std::optional<double> read = parseDouble(text);
        if (end != text.c_str() + text.size()) {
            EXPECT_FALSE(read.has_value()) << text;
            continue;
        }
        ASSERT_TRUE(read.has_value()) << text;
        EXPECT_EQ(std::memcmp(&*read, &expected, sizeof expected), 0) << text;
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
