#pragma once
// Text operations the reader's passes share.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_map.h"
#include "timecode/media_time.h"

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class BreakIterator;
U_NAMESPACE_END

namespace tallyvane {

// The parts between the separators, empty parts left out: "d1.6dd" split at "d" is {"1.6"}.
std::vector<std::string> componentsNonEmpty(std::string_view text, std::string_view separator);

// The last user-perceived character (a whole grapheme cluster); absent for the empty text.
std::optional<std::string> lastCharacter(std::string_view text);

// Every word with its first letter upper case and the rest lower case: "sound effects"
// and "SOUND EFFECTS" both give "Sound Effects", "2nd unit" gives "2Nd Unit".
std::string capitalized(std::string_view text);

// `capitalized` with one word breaker for many texts, which costs far less than one each.
class WordCapitalizer {
public:
    WordCapitalizer();
    ~WordCapitalizer();
    WordCapitalizer(const WordCapitalizer&) = delete;
    WordCapitalizer& operator=(const WordCapitalizer&) = delete;

    std::string operator()(std::string_view text);

private:
    std::unique_ptr<icu::BreakIterator> words_;
    // Down a timeline the same few role texts come again and again.
    TextMap<std::string> done_;
};
// Whether the text's lower-case form is the text itself.
bool isEntirelyLowercase(std::string_view text);

// Every non-overlapping occurrence of `target`, found left to right in the original text, replaced.
std::string replacingOccurrences(std::string_view text, std::string_view target, std::string_view replacement);

// An optional "+" or "-" then ASCII digits only, within 64 bits; absent otherwise.
std::optional<std::int64_t> readDecimalInteger(std::string_view text);

// The text as Base64 (RFC 4648 alphabet, nothing else allowed), first padded with "=" to a
// multiple of four characters; absent when it does not decode.
std::optional<std::string> base64Decoded(std::string_view text);
// The decoded bytes when they are UTF-8 text; absent otherwise.
std::optional<std::string> base64DecodedString(std::string_view text);

// FCPXML rational text of a media time, unreduced: "1001/30000s"; "0s" for a zero value.
std::string fcpxmlString(const MediaTime& time);

}  // namespace tallyvane
