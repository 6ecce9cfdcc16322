#include "common/number_text.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <system_error>

namespace tallyvane {

namespace {

constexpr double kTwoTo53 = 9007199254740992.0;
constexpr double kTenTo16 = 1e16;

// Shortest round-trip digits of a finite, non-zero magnitude and the decimal exponent
// of the first digit (value = 0.d1d2d3... x 10^(exponent + 1)).
struct ShortestDigits {
    std::string digits;
    int exponent = 0;
};

ShortestDigits shortestDigits(double magnitude) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    auto e = text.find('e');
    ShortestDigits out;
    for (char c : text.substr(0, e)) {
        if (c != '.') out.digits.push_back(c);
    }
    out.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return out;
}

locale_t cLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// The exponent form is taken below 1e-4 and, above, where `largeUsesExponent` says.
template <class LargeUsesExponent>
std::string shortestText(double value, LargeUsesExponent largeUsesExponent) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    std::string sign = std::signbit(value) ? "-" : "";
    double magnitude = std::fabs(value);
    if (magnitude == 0) return sign + "0.0";

    ShortestDigits d = shortestDigits(magnitude);
    if (magnitude < 1e-4 || largeUsesExponent(magnitude)) {
        std::string text = sign + d.digits.substr(0, 1);
        if (d.digits.size() > 1) text += "." + d.digits.substr(1);
        int e = d.exponent;
        text += e < 0 ? "e-" : "e+";
        int absE = e < 0 ? -e : e;
        if (absE < 10) text += "0";
        return text + std::to_string(absE);
    }
    if (d.exponent < 0) {
        return sign + "0." + std::string(static_cast<size_t>(-d.exponent - 1), '0') + d.digits;
    }
    size_t integerDigits = static_cast<size_t>(d.exponent) + 1;
    if (d.digits.size() <= integerDigits) {
        return sign + d.digits + std::string(integerDigits - d.digits.size(), '0') + ".0";
    }
    return sign + d.digits.substr(0, integerDigits) + "." + d.digits.substr(integerDigits);
}

}  // namespace

std::string formatDouble(double value) {
    return shortestText(value, [](double magnitude) { return magnitude > kTwoTo53; });
}

std::string formatSettingsNumber(double value) {
    return shortestText(value, [](double magnitude) { return magnitude >= kTenTo16; });
}

std::optional<double> parseDouble(std::string_view text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) return std::nullopt;
    std::string copy(text);
    char* end = nullptr;
    double value = strtod_l(copy.c_str(), &end, cLocale());
    if (end != copy.c_str() + copy.size()) return std::nullopt;
    return value;
}

}  // namespace tallyvane
