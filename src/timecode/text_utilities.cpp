#include "timecode/text_utilities.h"

#include <charconv>

#include <unicode/unistr.h>

namespace tallyvane {

namespace {

icu::UnicodeString unicode(std::string_view text) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
}

std::string utf8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

}  // namespace

std::optional<std::int64_t> parseInt64(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::unique_ptr<const icu::RegexPattern> compilePattern(std::string_view pattern, std::uint32_t flags) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    std::unique_ptr<const icu::RegexPattern> compiled(
        icu::RegexPattern::compile(unicode(pattern), flags, parseError, status));
    if (U_FAILURE(status)) return nullptr;
    return compiled;
}

std::vector<CaptureGroups> regexCaptureGroups(const icu::RegexPattern& pattern, std::string_view text,
                                              RegexMatchingOptions matchingOptions) {
    std::vector<CaptureGroups> result;
    icu::UnicodeString input = unicode(text);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(input, status));
    if (U_FAILURE(status)) return result;
    std::int32_t searchStart = 0;
    while (matcher->find(status) && U_SUCCESS(status)) {
        if (matchingOptions.anchored && matcher->start(status) != searchStart) break;
        searchStart = matcher->end(status);
        CaptureGroups groups;
        for (std::int32_t g = 0; g <= matcher->groupCount(); ++g) {
            if (matcher->start(g, status) < 0) {
                groups.emplace_back(std::nullopt);
            } else {
                groups.emplace_back(utf8(matcher->group(g, status)));
            }
        }
        result.push_back(std::move(groups));
    }
    return result;
}

std::vector<CaptureGroups> regexCaptureGroups(std::string_view text, std::string_view pattern, std::uint32_t options,
                                              RegexMatchingOptions matchingOptions) {
    auto compiled = compilePattern(pattern, options);
    if (!compiled) return {};
    return regexCaptureGroups(*compiled, text, matchingOptions);
}

std::vector<std::string> regexMatches(std::string_view text, std::string_view pattern, std::uint32_t options,
                                      RegexMatchingOptions matchingOptions) {
    std::vector<std::string> result;
    for (auto& groups : regexCaptureGroups(text, pattern, options, matchingOptions)) {
        result.push_back(groups.front().value_or(""));
    }
    return result;
}

std::optional<std::string> regexReplacing(std::string_view text, std::string_view pattern,
                                          std::string_view replacementTemplate, std::uint32_t flags) {
    auto compiled = compilePattern(pattern, flags);
    if (!compiled) return std::nullopt;
    icu::UnicodeString input = unicode(text);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(compiled->matcher(input, status));
    if (U_FAILURE(status)) return std::nullopt;
    icu::UnicodeString replaced = matcher->replaceAll(unicode(replacementTemplate), status);
    if (U_FAILURE(status)) return std::nullopt;
    return utf8(replaced);
}

icu::UnicodeSet characterSet(std::initializer_list<std::string_view> texts) {
    icu::UnicodeSet set;
    for (auto text : texts) set.addAll(unicode(text));
    return set;
}

bool containsNone(std::string_view text, const icu::UnicodeSet& set) { return set.containsNone(unicode(text)); }

}  // namespace tallyvane
