#include "reader/fcpxml_time.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/number_text.h"
#include "reader/text_extensions.h"

namespace tallyvane {

namespace {

bool isZeroTime(std::string_view text) { return text == "0s" || text == "0/0s"; }

// The parts between the separators, empty parts kept.
std::vector<std::string> partsKeepingEmpty(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t found = text.find(separator, start);
        parts.emplace_back(text.substr(start, found == std::string_view::npos ? found : found - start));
        if (found == std::string_view::npos) break;
        start = found + 1;
    }
    return parts;
}

// Every "s" removed, then split at "/".
std::vector<std::string> rationalParts(std::string_view text) {
    return partsKeepingEmpty(replacingOccurrences(text, "s", ""), '/');
}

// A rounded count as a whole number, when it is one a 64-bit integer holds.
std::optional<std::int64_t> wholeCount(double rounded) {
    if (!std::isfinite(rounded) || rounded < -9223372036854775808.0 || rounded >= 9223372036854775808.0) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(rounded);
}

std::int64_t timecodeFrameCount(std::string_view time, std::string_view frameDuration, std::string_view tcFormat) {
    const std::string text = replacingOccurrences(time, ";", ":");
    const auto fps = wholeCount(std::round(1.0 / mediaTimeFromFCPXMLTime(frameDuration).seconds()));
    if (!fps) return -1;

    std::vector<std::string> parts = partsKeepingEmpty(text, ':');
    if (parts.size() == 3) parts.insert(parts.begin(), "00");
    if (parts.size() != 4) return -1;

    const auto hours = readDecimalInteger(parts[0]);
    const auto minutes = readDecimalInteger(parts[1]);
    const auto seconds = readDecimalInteger(parts[2]);
    const auto frames = readDecimalInteger(parts[3]);
    if (!hours || !minutes || !seconds || !frames) return -1;

    const __int128 rate = *fps;
    const __int128 wholeMinutes = *minutes;
    const __int128 wholeHours = *hours;
    __int128 total = *frames + *seconds * rate + wholeMinutes * 60 * rate + wholeHours * 3600 * rate;
    if (tcFormat == "DF") {
        const __int128 drop = rate / 15;
        total -= (wholeMinutes / 10 + 6 * wholeHours) * 9 * drop + (wholeMinutes % 10) * drop;
    }
    if (total < std::numeric_limits<std::int64_t>::min() || total > std::numeric_limits<std::int64_t>::max()) {
        return -1;
    }
    return static_cast<std::int64_t>(total);
}

}  // namespace

MediaTime mediaTimeFromFCPXMLTime(std::optional<std::string_view> text) {
    const MediaTime zero = MediaTime::make(0, 1);
    if (!text || isZeroTime(*text)) return zero;
    std::vector<std::string> parts = rationalParts(*text);
    if (parts.size() == 1) parts.emplace_back("1");
    const auto value = readDecimalInteger(parts[0]);
    const auto timescale = readDecimalInteger(parts[1]);
    if (!value || !timescale || *timescale < std::numeric_limits<std::int32_t>::min() ||
        *timescale > std::numeric_limits<std::int32_t>::max()) {
        return zero;
    }
    if (*timescale <= 0) return MediaTime::invalid();
    return MediaTime::make(*value, static_cast<std::int32_t>(*timescale));
}

std::int64_t frameCountFromFCPXMLTime(std::optional<std::string_view> time, std::string_view frameDuration,
                                      std::string_view tcFormat) {
    if (!time || isZeroTime(*time) || isZeroTime(frameDuration)) return 0;
    if (time->find_first_of(":;") != std::string_view::npos) return timecodeFrameCount(*time, frameDuration, tcFormat);

    std::vector<std::string> timeParts = rationalParts(*time);
    if (timeParts.size() == 1) timeParts.emplace_back("1");
    const std::vector<std::string> durationParts = rationalParts(frameDuration);
    if (durationParts.size() < 2) return -1;

    const auto timeNumerator = parseFloat(timeParts[0]);
    const auto timeDenominator = parseFloat(timeParts[1]);
    const auto durationNumerator = parseFloat(durationParts[0]);
    const auto durationDenominator = parseFloat(durationParts[1]);
    if (!timeNumerator || !timeDenominator || !durationNumerator || !durationDenominator) return -1;

    const float frames = ((*timeNumerator / *durationNumerator) * *durationDenominator) / *timeDenominator;
    return wholeCount(static_cast<double>(std::round(frames))).value_or(-1);
}

std::optional<float> parseFloat(std::string_view text) { return parseSingle(text); }

}  // namespace tallyvane
