#include "reader/text_extensions.h"

#include <charconv>
#include <memory>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/stringoptions.h>
#include <unicode/unistr.h>

#include "common/utf8.h"

namespace tallyvane {

std::vector<std::string> componentsNonEmpty(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    if (separator.empty()) {
        if (!text.empty()) parts.emplace_back(text);
        return parts;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t found = text.find(separator, start);
        const std::string_view part = text.substr(start, found == std::string_view::npos ? found : found - start);
        if (!part.empty()) parts.emplace_back(part);
        if (found == std::string_view::npos) break;
        start = found + separator.size();
    }
    return parts;
}

std::optional<std::string> lastCharacter(std::string_view text) {
    if (text.empty()) return std::nullopt;
    // Among ASCII characters only CR LF make one character of two.
    if (isAscii(text)) {
        return std::string(text.ends_with("\r\n") ? text.substr(text.size() - 2) : text.substr(text.size() - 1));
    }
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> graphemes(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    std::string last;
    if (U_FAILURE(status) || !graphemes) {
        unicode.tempSubString(unicode.moveIndex32(unicode.length(), -1)).toUTF8String(last);
        return last;
    }
    graphemes->setText(unicode);
    const int32_t end = graphemes->last();
    const int32_t start = graphemes->previous();
    unicode.tempSubStringBetween(start, end).toUTF8String(last);
    return last;
}

std::string capitalized(std::string_view text) { return WordCapitalizer()(text); }

WordCapitalizer::WordCapitalizer() {
    UErrorCode status = U_ZERO_ERROR;
    words_.reset(icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
    // Without a breaker of its own, each text gets the standard one.
    if (U_FAILURE(status)) words_.reset();
}

WordCapitalizer::~WordCapitalizer() = default;

std::string WordCapitalizer::operator()(std::string_view text) {
    if (const auto found = done_.find(text); found != done_.end()) return found->second;
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    // The first letter of a word is upper case even after digits ("1st" gives "1St"); by
    // default ICU would upper-case the digit and leave the letters lower case.
    unicode.toTitle(words_.get(), icu::Locale::getRoot(), U_TITLECASE_ADJUST_TO_CASED);
    std::string result;
    unicode.toUTF8String(result);
    done_.emplace(text, result);
    return result;
}

bool isEntirelyLowercase(std::string_view text) {
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    const icu::UnicodeString original = unicode;
    return unicode.toLower(icu::Locale::getRoot()) == original;
}

std::string replacingOccurrences(std::string_view text, std::string_view target, std::string_view replacement) {
    if (target.empty()) return std::string(text);
    std::string result;
    std::size_t start = 0;
    for (std::size_t found = text.find(target); found != std::string_view::npos; found = text.find(target, start)) {
        result.append(text.substr(start, found - start));
        result.append(replacement);
        start = found + target.size();
    }
    result.append(text.substr(start));
    return result;
}

std::optional<std::int64_t> readDecimalInteger(std::string_view text) {
    const bool plus = !text.empty() && text.front() == '+';
    if (plus) text.remove_prefix(1);
    const std::string_view digits = !plus && !text.empty() && text.front() == '-' ? text.substr(1) : text;
    if (digits.empty() || digits.front() < '0' || digits.front() > '9') return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::string> base64Decoded(std::string_view text) {
    std::string padded(text);
    if (padded.size() % 4 != 0) padded.append(4 - padded.size() % 4, '=');
    const auto sextet = [](char c) -> int {
        if (c >= 'A' && c <= 'Z') return c - 'A';
        if (c >= 'a' && c <= 'z') return c - 'a' + 26;
        if (c >= '0' && c <= '9') return c - '0' + 52;
        if (c == '+') return 62;
        if (c == '/') return 63;
        return -1;
    };
    std::string bytes;
    for (std::size_t group = 0; group < padded.size(); group += 4) {
        const bool last = group + 4 == padded.size();
        std::uint32_t bits = 0;
        int digits = 0;
        for (std::size_t i = group; i < group + 4; ++i) {
            const int value = sextet(padded[i]);
            if (value < 0) {
                // Padding ends the last group only, after at least two digits.
                if (padded[i] != '=' || !last || digits < 2) return std::nullopt;
                if (padded.find_first_not_of('=', i) != std::string::npos) return std::nullopt;
                break;
            }
            bits |= static_cast<std::uint32_t>(value) << (18 - 6 * digits);
            ++digits;
        }
        for (int i = 0; i < digits - 1; ++i) bytes.push_back(static_cast<char>((bits >> (16 - 8 * i)) & 0xFF));
    }
    return bytes;
}

std::optional<std::string> base64DecodedString(std::string_view text) {
    std::optional<std::string> bytes = base64Decoded(text);
    if (!bytes || !isValidUtf8(*bytes)) return std::nullopt;
    return bytes;
}

std::string fcpxmlString(const MediaTime& time) {
    if (time.value == 0) return "0s";
    return std::to_string(time.value) + "/" + std::to_string(time.timescale) + "s";
}

}  // namespace tallyvane
