// Timecode text: "1 01:00:00;00.40" and its parse.
#include <algorithm>

#include "timecode/text_utilities.h"
#include "timecode/timecode.h"

namespace tallyvane {

namespace {

// Longest text of a component: a 64-bit number with its sign.
constexpr int kLongestComponent = 20;

// `value` with zeros after the sign up to `width` characters in all, written at `out`;
// the end of what was written.
char* putPadded(char* out, std::int64_t value, int width) {
    // Nearly every field is a count below 10^width, written digit by digit in its place.
    constexpr std::int64_t kPowersOfTen[] = {1, 10, 100, 1000};
    if (width >= 1 && width <= 3 && value >= 0 && value < kPowersOfTen[width]) {
        for (int i = width - 1; i >= 0; --i) {
            out[i] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
        return out + width;
    }
    const bool negative = value < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char digits[kLongestComponent];
    char* const end = digits + kLongestComponent;
    char* first = end;
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) *out++ = '-';
    for (auto length = static_cast<int>(end - first) + (negative ? 1 : 0); length < width; ++length) *out++ = '0';
    while (first != end) *out++ = *first++;
    return out;
}

// Far beyond any real timecode. The pattern's ambiguous digit runs make matching
// polynomial in the length, so a long paste is refused before it is matched.
constexpr std::size_t kLongestText = 256;

const icu::RegexPattern* timecodePattern() {
    static const auto pattern =
        compilePattern(R"(^(\d+)??[\:;\s]??(\d+)[\:;](\d+)[\:;](\d+)[\:\;](\d+)[\.]??(\d+)??$)");
    return pattern.get();
}

}  // namespace

std::string_view rawValue(TimecodeStringFormatOption option) {
    switch (option) {
        case TimecodeStringFormatOption::alwaysShowDays: return "alwaysShowDays";
        case TimecodeStringFormatOption::showSubFrames: return "showSubFrames";
        case TimecodeStringFormatOption::filenameCompatible: return "filenameCompatible";
    }
    return "";
}

std::optional<TimecodeStringFormatOption> timecodeStringFormatOption(std::string_view text) {
    for (auto option : allTimecodeStringFormatOptions()) {
        if (rawValue(option) == text) return option;
    }
    return std::nullopt;
}

std::string Timecode::stringValue(StringFormat format) const {
    // Written into one buffer: a report makes texts of most of its time cells.
    const int frameDigits = properties.frameRate.numberOfDigits();
    const int subFrameDigits = properties.subFramesBase.numberOfDigits();
    // Six fields of at most kLongestComponent characters, each with a separator or space.
    char text[6 * (kLongestComponent + 1)];
    char* end = text;
    const Components& c = components;
    const char separator = format.isFilenameCompatible() ? '-' : ':';
    if (format.alwaysShowsDays() || c.days != 0) {
        end = putPadded(end, c.days, 0);
        *end++ = format.isFilenameCompatible() ? '-' : ' ';
    }
    end = putPadded(end, c.hours, 2);
    *end++ = separator;
    end = putPadded(end, c.minutes, 2);
    *end++ = separator;
    end = putPadded(end, c.seconds, 2);
    *end++ = format.isFilenameCompatible() ? '-' : properties.frameRate.isDrop() ? ';' : ':';
    end = putPadded(end, c.frames, std::min(frameDigits, kLongestComponent));
    if (format.showsSubFrames()) {
        *end++ = '.';
        end = putPadded(end, c.subFrames, std::min(subFrameDigits, kLongestComponent));
    }
    return std::string(text, end);
}

std::string Timecode::verboseDescription() const {
    return description() + " @ " + std::string(properties.frameRate.stringValueVerbose());
}

// A group that matched but cannot be read as a 64-bit number (too long, or digits of
// another script, which the pattern's \d accepts) makes the text malformed rather
// than counting as an absent field.
Timecode::Components Timecode::parseComponents(std::string_view text) {
    if (text.size() > kLongestText) throw StringParseError();
    const icu::RegexPattern* pattern = timecodePattern();
    if (pattern == nullptr) throw StringParseError();
    auto matches = regexCaptureGroups(*pattern, text);
    if (matches.empty()) throw StringParseError();
    std::array<std::optional<std::int64_t>, 6> values;
    int present = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto& group = matches.front()[i + 1];
        if (!group) continue;
        values[i] = parseInt64(*group);
        if (!values[i]) throw StringParseError();
        ++present;
    }
    if (present < 4 || present > 6) throw StringParseError();
    return {values[0].value_or(0), values[1].value_or(0), values[2].value_or(0),
            values[3].value_or(0), values[4].value_or(0), values[5].value_or(0)};
}

}  // namespace tallyvane
