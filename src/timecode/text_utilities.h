#pragma once
// Small text and regular-expression helpers (ICU regular expressions, the same dialect
// as the patterns were written for) shared by the timecode text forms and views.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <unicode/regex.h>
#include <unicode/uniset.h>

namespace tallyvane {

// Decimal digits of an integer's magnitude (the sign is not counted): 0 and -9...9 have one.
template <typename Integer>
constexpr int decimalDigitCount(Integer value) {
    int digits = 1;
    auto belowMinusNine = [](Integer v) {
        if constexpr (std::is_signed_v<Integer>) return v < -9;
        return false;
    };
    while (value > 9 || belowMinusNine(value)) {
        value /= 10;
        ++digits;
    }
    return digits;
}

// A whole text of ASCII digits with an optional leading "-" as a 64-bit integer;
// absent for anything else, including other scripts' digits and values beyond 64 bits.
std::optional<std::int64_t> parseInt64(std::string_view text);

// A pattern compiled once; absent when it does not compile.
std::unique_ptr<const icu::RegexPattern> compilePattern(std::string_view pattern, std::uint32_t flags = 0);

using CaptureGroups = std::vector<std::optional<std::string>>;

// How matches are sought; the compile options beside them are ICU's UREGEX_ flags.
// Anchored keeps only matches that start where the search stands: the first at the
// start of the text, each further one right where the previous ended. (The other
// matching options of regular-expression engines, bounds and progress reports, change
// nothing when the whole text is searched.)
struct RegexMatchingOptions {
    bool anchored = false;
};

// For every match of the pattern in the text: the whole match, then each group;
// a group that took no part is absent (not empty). Empty when the pattern does not compile.
std::vector<CaptureGroups> regexCaptureGroups(const icu::RegexPattern& pattern, std::string_view text,
                                              RegexMatchingOptions matchingOptions = {});
std::vector<CaptureGroups> regexCaptureGroups(std::string_view text, std::string_view pattern,
                                              std::uint32_t options = 0, RegexMatchingOptions matchingOptions = {});
// The text of every whole match, in order; empty when the pattern does not compile.
std::vector<std::string> regexMatches(std::string_view text, std::string_view pattern, std::uint32_t options = 0,
                                      RegexMatchingOptions matchingOptions = {});
// Every match replaced by the template ("$1" refers to a group); absent when the
// pattern does not compile or the template is malformed.
std::optional<std::string> regexReplacing(std::string_view text, std::string_view pattern,
                                          std::string_view replacementTemplate, std::uint32_t flags = 0);

// The set of every code point of the given texts.
icu::UnicodeSet characterSet(std::initializer_list<std::string_view> texts);
// True when no code point of the text is in the set (an empty text gives true).
bool containsNone(std::string_view text, const icu::UnicodeSet& set);

}  // namespace tallyvane
