#pragma once
// Text on its way into the library: valid UTF-8, no NUL (the library takes C strings),
// and within the limits of the field it goes to.

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyvane::xlsx {

// Excel's limit for a cell text, in UTF-16 code units (the library counts code points,
// which never exceeds this).
inline constexpr std::size_t kMaxCellTextLength = 32767;

// Every ill-formed sequence and every NUL replaced by U+FFFD.
std::string libraryText(std::string_view text);

// Cell and comment texts are stored in a form where "_xHHHH_" stands for the character
// with that code: a literal one has its underscore written as "_x005F_", so that a
// spreadsheet application shows it as written.
std::string escapedLiteralCodes(std::string text);
// Whether `escapedLiteralCodes` would change the text.
bool containsLiteralCode(std::string_view text);

// The longest prefix of valid UTF-8 `text` of at most `maxUtf16Units` UTF-16 code units that
// ends at a grapheme boundary; when a single grapheme is longer than the limit, the cut
// falls at a code point boundary instead.
std::string cutToLength(std::string_view text, std::size_t maxUtf16Units);

// As `cutToLength`, for a limit in UTF-8 bytes (fixed-size fields of the library).
std::string cutToBytes(std::string_view text, std::size_t maxBytes);

// Length of valid UTF-8 `text` in UTF-16 code units.
std::size_t utf16Length(std::string_view text);

// Paths are bytes on this system and stay as they are, but a NUL would silently name
// another file; such a path is an invalid-argument error.
const std::string& checkedPath(const std::string& path);

}  // namespace tallyvane::xlsx
