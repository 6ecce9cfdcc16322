#include "xlsx/text.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include <unicode/brkiter.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include "common/utf8.h"
#include "xlsx/error.h"

namespace tallyvane::xlsx {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The last grapheme boundary at or before `limit` in `text`; a code point boundary when the
// first grapheme alone is longer than `limit`.
int32_t graphemeCut(const icu::UnicodeString& text, int32_t limit) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> graphemes(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_SUCCESS(status)) {
        graphemes->setText(text);
        const int32_t boundary = graphemes->preceding(limit + 1);
        if (boundary > 0) return boundary;
    }
    if (limit > 0 && U16_IS_TRAIL(text[limit]) && U16_IS_LEAD(text[limit - 1])) return limit - 1;
    return limit;
}

std::string prefix(const icu::UnicodeString& text, int32_t end) {
    std::string out;
    text.tempSubString(0, end).toUTF8String(out);
    return out;
}

}  // namespace

std::string libraryText(std::string_view text) {
    std::string out = isValidUtf8(text) ? std::string(text) : sanitizeUtf8(text);
    for (std::size_t at = out.find('\0'); at != std::string::npos; at = out.find('\0', at)) {
        out.replace(at, 1, kReplacement);
    }
    return out;
}

namespace {

// Where the next "_xHHHH_" at or after `from` starts, or npos.
std::size_t literalCodeAt(std::string_view text, std::size_t from) {
    const auto isCode = [&](std::size_t at) {
        if (at + 7 > text.size() || text[at + 1] != 'x' || text[at + 6] != '_') return false;
        return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at) + 2,
                           text.begin() + static_cast<std::ptrdiff_t>(at) + 6,
                           [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
    };
    for (std::size_t at = text.find("_x", from); at != std::string_view::npos; at = text.find("_x", at + 1)) {
        if (isCode(at)) return at;
    }
    return std::string_view::npos;
}

}  // namespace

bool containsLiteralCode(std::string_view text) { return literalCodeAt(text, 0) != std::string_view::npos; }

std::string escapedLiteralCodes(std::string text) {
    for (std::size_t at = literalCodeAt(text, 0); at != std::string::npos; at = literalCodeAt(text, at + 1)) {
        text.insert(at + 1, "x005F_");
        at += 6;
    }
    return text;
}

std::size_t utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (unsigned char byte : text) {
        if ((byte & 0xC0) != 0x80) ++units;  // one per lead byte
        if (byte >= 0xF0) ++units;           // four-byte sequences need a surrogate pair
    }
    return units;
}

std::string cutToLength(std::string_view text, std::size_t maxUtf16Units) {
    if (text.size() <= maxUtf16Units || utf16Length(text) <= maxUtf16Units) return std::string(text);
    const auto unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    return prefix(unicode, graphemeCut(unicode, static_cast<int32_t>(maxUtf16Units)));
}

std::string cutToBytes(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return std::string(text);
    // The UTF-16 index of the last code point boundary within the byte budget.
    int32_t bytes = 0;
    int32_t units = 0;
    const auto* data = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    while (bytes < length) {
        int32_t next = bytes;
        UChar32 c;
        U8_NEXT(data, next, length, c);
        if (static_cast<std::size_t>(next) > maxBytes) break;
        bytes = next;
        units += U16_LENGTH(c < 0 ? 0xFFFD : c);
    }
    const auto unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), length));
    return prefix(unicode, graphemeCut(unicode, units));
}

const std::string& checkedPath(const std::string& path) {
    if (path.find('\0') != std::string::npos) {
        throw XlsxError(XlsxErrorKind::invalidArgument, "A file path must not contain a NUL character.");
    }
    return path;
}

}  // namespace tallyvane::xlsx
