#include "common/number_text.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <locale.h>
#include <system_error>

namespace tallyvane {

namespace {

constexpr double kTwoTo53 = 9007199254740992.0;
constexpr double kTenTo16 = 1e16;

locale_t cLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

char* appendText(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// The exponent form is taken below 1e-4 and, above, where `largeUsesExponent` says.
template <class LargeUsesExponent>
std::string shortestText(double value, LargeUsesExponent largeUsesExponent) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    // Long enough for a sign, 17 digits, a point, and "0.000" or an exponent.
    char text[48];
    char* out = text;
    if (std::signbit(value)) *out++ = '-';
    double magnitude = std::fabs(value);

    // Below 2^53 neighbouring doubles are at most 1 apart, so a whole number's own digits
    // (zero's too) are its shortest round-trip digits, and neither caller takes the exponent
    // form there. Most numbers in a document are such; they skip the general conversion.
    if (magnitude < kTwoTo53) {
        auto whole = static_cast<std::uint64_t>(magnitude);
        if (static_cast<double>(whole) == magnitude) {
            out = std::to_chars(out, std::end(text) - 2, whole).ptr;  // room for ".0"
            return std::string(text, appendText(out, ".0"));
        }
    }

    // The scientific form gives the shortest round-trip digits ("d[.ddd]e±XX"); its
    // exponent has at least two digits, as the exponent form wants.
    char scientific[32];
    char* scientificEnd =
        std::to_chars(scientific, std::end(scientific), magnitude, std::chars_format::scientific).ptr;
    if (magnitude < 1e-4 || largeUsesExponent(magnitude)) {
        return std::string(text, appendText(out, std::string_view(scientific, scientificEnd)));
    }

    char digits[24];
    size_t digitCount = 0;
    const char* p = scientific;
    for (; *p != 'e'; ++p) {
        if (*p != '.') digits[digitCount++] = *p;
    }
    bool negativeExponent = p[1] == '-';
    int exponent = 0;
    for (p += 2; p != scientificEnd; ++p) exponent = exponent * 10 + (*p - '0');
    std::string_view digitText(digits, digitCount);

    if (negativeExponent) {
        out = appendText(out, "0.");
        out = std::fill_n(out, exponent - 1, '0');
        return std::string(text, appendText(out, digitText));
    }
    size_t integerDigits = static_cast<size_t>(exponent) + 1;
    if (digitCount <= integerDigits) {
        out = appendText(out, digitText);
        out = std::fill_n(out, integerDigits - digitCount, '0');
        return std::string(text, appendText(out, ".0"));
    }
    out = appendText(out, digitText.substr(0, integerDigits));
    *out++ = '.';
    return std::string(text, appendText(out, digitText.substr(integerDigits)));
}

// The whole text as the C library's conversion reads it in the C locale: "." stays the
// decimal point whatever locale the toolkit set.
template <typename Number, typename Convert>
std::optional<Number> convertWhole(std::string_view text, Convert convert) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) return std::nullopt;
    // The conversion wants a terminated text.
    const std::string copy(text);
    char* end = nullptr;
    const Number value = convert(copy.c_str(), &end, cLocale());
    // An embedded NUL ends the scan early and so refuses the text, as a leftover would.
    if (end != copy.c_str() + copy.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string formatDouble(double value) {
    return shortestText(value, [](double magnitude) { return magnitude > kTwoTo53; });
}

std::string formatSettingsNumber(double value) {
    return shortestText(value, [](double magnitude) { return magnitude >= kTenTo16; });
}

std::optional<double> parseDouble(std::string_view text) {
    // A plain decimal text, as nearly all are, is read by from_chars: rounded correctly like
    // strtod, at a fraction of its cost. A sign '+', hexadecimal, infinities, NaN and values
    // out of range stay strtod's to read.
    if (!text.empty() && text.find_first_not_of("0123456789.-eE") == std::string_view::npos) {
        double value = 0.0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error == std::errc() && end == text.data() + text.size()) return value;
    }
    return convertWhole<double>(text, strtod_l);
}

std::optional<float> parseSingle(std::string_view text) { return convertWhole<float>(text, strtof_l); }

}  // namespace tallyvane
