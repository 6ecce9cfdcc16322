#pragma once
// FCPXML time texts as media times and as whole frame counts, the plain arithmetic the
// retiming and multicam passes count with (no timecode involved).

#include <cstdint>
#include <optional>
#include <string_view>

#include "timecode/media_time.h"

namespace tallyvane {

// "N/Ds" or "Ns" as value N over timescale D (1 for "Ns"), every "s" taken out first.
// No text, "0s", "0/0s" and any text whose numbers do not read give the zero
// time 0/1; a timescale that is not positive gives an invalid time.
MediaTime mediaTimeFromFCPXMLTime(std::optional<std::string_view> text);

// Whole frames of a time text at a frame duration such as "1001/30000s". A rational time
// is counted in single precision and rounded half away from zero; a time holding ":" or
// ";" is read as timecode "HH:MM:SS:FF" (or "MM:SS:FF"), with the drop-frame rule when
// `tcFormat` is "DF". No time, "0s", "0/0s", or a frame duration "0s" or "0/0s" give 0;
// a text that does not read, a frame duration without "/", and a count that is not a
// finite 64-bit number give -1.
std::int64_t frameCountFromFCPXMLTime(std::optional<std::string_view> time, std::string_view frameDuration,
                                      std::string_view tcFormat);

// The whole text as the C library reads a single-precision number in the C locale;
// absent for the empty text, a text starting with white space or NUL, and a text with
// anything left over.
std::optional<float> parseFloat(std::string_view text);

}  // namespace tallyvane
