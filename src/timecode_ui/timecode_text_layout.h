#pragma once
// A timecode laid out piece by piece, so that separators, subframes and invalid
// components can each carry their own style.

#include <optional>
#include <string>
#include <vector>

#include "timecode/timecode.h"
#include "timecode_ui/shape_style.h"

namespace tallyvane {

struct TimecodeTextPiece {
    std::string text;
    // Absent for a separator.
    std::optional<Timecode::Component> component;
    // Outside the component's valid range at the timecode's own properties.
    bool invalid = false;

    friend bool operator==(const TimecodeTextPiece&, const TimecodeTextPiece&) = default;
};

// Days (only when not 0 or always shown) and " ", then hours, minutes and seconds in
// two digits, the frames in two or three, and with subframes shown "." and the
// subframes. `filenameSeparators` turns the three time separators into "-".
std::vector<TimecodeTextPiece> timecodeTextPieces(const Timecode& timecode, Timecode::StringFormat format,
                                                  bool filenameSeparators);

// The styles of a timecode shown as text; an absent style leaves the ordinary foreground.
struct TimecodeTextStyles {
    std::optional<ShapeStyle> separator;
    std::optional<ShapeStyle> subFrames;
    TextScale subFramesScale = TextScale::standard;
    std::optional<ShapeStyle> validation;
};

struct StyledRun {
    std::string text;
    std::optional<ShapeStyle> style;
    TextScale scale = TextScale::standard;

    friend bool operator==(const StyledRun&, const StyledRun&) = default;
};

// The text of a timecode view: separators in the separator style, invalid components
// in the validation style, subframes in the validation style when invalid and else in
// the subframes style, at the subframes scale. A filename-compatible format uses "-"
// for the time separators.
std::vector<StyledRun> timecodeStyledRuns(const Timecode& timecode, Timecode::StringFormat format,
                                          const TimecodeTextStyles& styles);

struct AttributedRun {
    std::string text;
    TextAttributes attributes;

    friend bool operator==(const AttributedRun&, const AttributedRun&) = default;
};

enum class TextAlignment : std::uint8_t { natural, left, center, right, justified };

struct AttributedText {
    std::vector<AttributedRun> runs;
    TextAlignment alignment = TextAlignment::natural;

    std::string plainText() const;
    friend bool operator==(const AttributedText&, const AttributedText&) = default;
};

// The text of a timecode with colours instead of styles: laid out as the view lays it
// out ("-" time separators when filename-compatible), separators in the separator
// colour, invalid components in the validation colour, subframes in the validation
// colour when invalid and that colour is given, else in the subframes colour. An absent
// colour sets none.
AttributedText timecodeAttributedString(const Timecode& timecode, Timecode::StringFormat format,
                                        std::optional<Rgba> separatorColor, std::optional<Rgba> subFramesColor,
                                        std::optional<Rgba> validationColor);

// The text of a text field: every piece starts with the default attributes; separators
// take the separator attributes instead when given and are always ":" and ";"; invalid
// components have the invalid attributes laid over them; valid subframes take the
// subframes attributes.
AttributedText timecodeAttributedText(const Timecode& timecode, Timecode::StringFormat format,
                                      const std::optional<TextAttributes>& defaultAttributes,
                                      const std::optional<TextAttributes>& separatorAttributes,
                                      const std::optional<TextAttributes>& subFramesAttributes,
                                      const std::optional<TextAttributes>& invalidAttributes);

}  // namespace tallyvane
