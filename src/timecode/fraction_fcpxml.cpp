// FCPXML rational time text: "1001/30000s", "5s", "-5s".
#include <cmath>

#include "timecode/fraction.h"
#include "timecode/text_utilities.h"

namespace tallyvane {

namespace {

const icu::RegexPattern* wholeSecondsPattern() {
    static const auto pattern = compilePattern(R"(^([-]){0,1}([\d]+)s$)");
    return pattern.get();
}

const icu::RegexPattern* rationalPattern() {
    static const auto pattern = compilePattern(R"(^([-]){0,1}([\d]+)\/([\d]+)s$)");
    return pattern.get();
}

std::optional<CaptureGroups> firstMatch(const icu::RegexPattern* pattern, std::string_view text) {
    if (pattern == nullptr) return std::nullopt;
    auto matches = regexCaptureGroups(*pattern, text);
    if (matches.empty()) return std::nullopt;
    return matches.front();
}

std::string toText(__int128 v) {
    unsigned __int128 m = v < 0 ? -static_cast<unsigned __int128>(v) : static_cast<unsigned __int128>(v);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m != 0);
    return v < 0 ? "-" + digits : digits;
}

}  // namespace

std::optional<Fraction> Fraction::fromFcpxmlString(std::string_view text) {
    if (auto groups = firstMatch(wholeSecondsPattern(), text)) {
        std::string number = (*groups)[1].value_or("") + (*groups)[2].value_or("");
        if (auto seconds = parseInt64(number)) return knownReduced(*seconds, 1);
    }
    auto groups = firstMatch(rationalPattern(), text);
    if (!groups) return std::nullopt;
    auto numerator = parseInt64((*groups)[1].value_or("") + (*groups)[2].value_or(""));
    auto denominator = parseInt64((*groups)[3].value_or(""));
    if (!numerator || !denominator) return std::nullopt;
    return Fraction(*numerator, *denominator);
}

std::string Fraction::fcpxmlStringValue() const {
    __int128 n = numerator_, d = denominator_;
    if (!knownReduced_ && d < 0) {
        n = -n;
        d = -d;
    }
    // Beyond 2^53 the double quotient can look whole when the value is not, and its
    // digits are not the value's: the exact remainder decides, and the whole number is
    // printed from the exact terms.
    double q = doubleValue();
    bool fractional = d == 0 || q - std::trunc(q) != 0 || n % d != 0;
    if (fractional) return toText(n) + "/" + toText(d) + "s";
    return toText(n / d) + "s";
}

}  // namespace tallyvane
