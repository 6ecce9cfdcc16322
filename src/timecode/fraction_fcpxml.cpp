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
    // Texts of nothing but ASCII digits, '-', '/' and 's' are read directly: for them the
    // patterns below reduce to this grammar. Anything else (other scripts' digits, line
    // breaks) goes through the patterns.
    if (text.find_first_not_of("0123456789-/s") == std::string_view::npos) {
        const auto digitsFrom = [&](std::size_t at) {
            std::size_t end = at;
            while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
            return end;
        };
        const std::size_t sign = text.starts_with('-') ? 1 : 0;
        const std::size_t wholeEnd = digitsFrom(sign);
        if (wholeEnd == sign || wholeEnd == text.size()) return std::nullopt;
        const std::string_view numerator = text.substr(0, wholeEnd);
        if (text.substr(wholeEnd) == "s") {
            if (auto seconds = parseInt64(numerator)) return knownReduced(*seconds, 1);
            return std::nullopt;
        }
        const std::size_t end = digitsFrom(wholeEnd + 1);
        if (text[wholeEnd] != '/' || end == wholeEnd + 1 || text.substr(end) != "s") return std::nullopt;
        auto whole = parseInt64(numerator);
        auto denominator = parseInt64(text.substr(wholeEnd + 1, end - wholeEnd - 1));
        if (!whole || !denominator) return std::nullopt;
        return Fraction(*whole, *denominator);
    }
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
