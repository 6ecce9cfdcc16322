// Timecode text: "1 01:00:00;00.40" and its parse.
#include <charconv>

#include "timecode/text_utilities.h"
#include "timecode/timecode.h"

namespace tallyvane {

namespace {

// Zeros after the sign up to `width` characters in all.
std::string padded(std::int64_t value, int width) {
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const char* first = value < 0 ? digits + 1 : digits;
    std::string text(value < 0 ? "-" : "");
    const auto length = static_cast<int>(end - digits);
    if (width > length) text.append(static_cast<std::size_t>(width - length), '0');
    return text.append(first, end);
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
    const Components& c = components;
    std::string text;
    if (format.alwaysShowsDays() || c.days != 0) text += std::to_string(c.days) + " ";
    text += padded(c.hours, 2) + ":" + padded(c.minutes, 2) + ":" + padded(c.seconds, 2);
    text += properties.frameRate.isDrop() ? ";" : ":";
    text += padded(c.frames, properties.frameRate.numberOfDigits());
    if (format.showsSubFrames()) text += "." + padded(c.subFrames, properties.subFramesBase.numberOfDigits());
    if (format.isFilenameCompatible()) {
        for (char& ch : text) {
            if (ch == ':' || ch == ';' || ch == ' ') ch = '-';
        }
    }
    return text;
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
