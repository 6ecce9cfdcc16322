#include "timecode_ui/timecode_text_layout.h"

#include <cstdio>

#include "timecode/text_utilities.h"

namespace tallyvane {

namespace {

using Component = Timecode::Component;

std::string zeroFilled(std::int64_t value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld", width, static_cast<long long>(value));
    return buffer;
}

}  // namespace

std::vector<TimecodeTextPiece> timecodeTextPieces(const Timecode& timecode, Timecode::StringFormat format,
                                                  bool filenameSeparators) {
    const Timecode::Components& c = timecode.components;
    const TimecodeComponentSet invalid = timecode.invalidComponents();
    const std::string timeSeparator = filenameSeparators ? "-" : ":";
    const std::string framesSeparator = filenameSeparators ? "-" : timecode.properties.frameRate.isDrop() ? ";" : ":";

    std::vector<TimecodeTextPiece> pieces;
    auto component = [&](Component which, std::string text) {
        pieces.push_back({std::move(text), which, invalid.contains(which)});
    };
    auto separator = [&](std::string text) { pieces.push_back({std::move(text), std::nullopt, false}); };

    if (c.days != 0 || format.alwaysShowsDays()) {
        component(Component::days, std::to_string(c.days));
        separator(" ");
    }
    component(Component::hours, zeroFilled(c.hours, 2));
    separator(timeSeparator);
    component(Component::minutes, zeroFilled(c.minutes, 2));
    separator(timeSeparator);
    component(Component::seconds, zeroFilled(c.seconds, 2));
    separator(framesSeparator);
    component(Component::frames, zeroFilled(c.frames, timecode.properties.frameRate.numberOfDigits()));
    if (format.showsSubFrames()) {
        separator(".");
        const auto width = decimalDigitCount(timecode.validRange(Component::subFrames).upper);
        component(Component::subFrames, zeroFilled(c.subFrames, width));
    }
    return pieces;
}

std::vector<StyledRun> timecodeStyledRuns(const Timecode& timecode, Timecode::StringFormat format,
                                          const TimecodeTextStyles& styles) {
    std::vector<StyledRun> runs;
    for (auto& piece : timecodeTextPieces(timecode, format, format.isFilenameCompatible())) {
        StyledRun run{std::move(piece.text), std::nullopt, TextScale::standard};
        if (!piece.component) {
            run.style = styles.separator;
        } else if (*piece.component == Component::subFrames) {
            run.style = piece.invalid ? styles.validation : styles.subFrames;
            run.scale = styles.subFramesScale;
        } else if (piece.invalid) {
            run.style = styles.validation;
        }
        runs.push_back(std::move(run));
    }
    return runs;
}

std::string AttributedText::plainText() const {
    std::string text;
    for (const auto& run : runs) text += run.text;
    return text;
}

AttributedText timecodeAttributedString(const Timecode& timecode, Timecode::StringFormat format,
                                        std::optional<Rgba> separatorColor, std::optional<Rgba> subFramesColor,
                                        std::optional<Rgba> validationColor) {
    AttributedText text;
    for (auto& piece : timecodeTextPieces(timecode, format, format.isFilenameCompatible())) {
        std::optional<Rgba> color;
        if (!piece.component) {
            color = separatorColor;
        } else if (piece.invalid && validationColor) {
            color = validationColor;
        } else if (*piece.component == Component::subFrames) {
            color = subFramesColor;
        }
        text.runs.push_back({std::move(piece.text), TextAttributes{color, std::nullopt, std::nullopt, std::nullopt}});
    }
    return text;
}

AttributedText timecodeAttributedText(const Timecode& timecode, Timecode::StringFormat format,
                                      const std::optional<TextAttributes>& defaultAttributes,
                                      const std::optional<TextAttributes>& separatorAttributes,
                                      const std::optional<TextAttributes>& subFramesAttributes,
                                      const std::optional<TextAttributes>& invalidAttributes) {
    const TextAttributes base = defaultAttributes.value_or(TextAttributes{});
    AttributedText text;
    for (auto& piece : timecodeTextPieces(timecode, format, false)) {
        TextAttributes attributes = base;
        if (!piece.component) {
            attributes = separatorAttributes.value_or(base);
        } else if (piece.invalid && invalidAttributes) {
            attributes = base.mergedWith(*invalidAttributes);
        } else if (*piece.component == Component::subFrames && subFramesAttributes) {
            attributes = base.mergedWith(*subFramesAttributes);
        }
        text.runs.push_back({std::move(piece.text), attributes});
    }
    return text;
}

}  // namespace tallyvane
