#include "shell/settings_controls.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/number_text.h"
#include "report/clipsheet/thumbnail_width.h"

namespace tallyvane {

namespace {

constexpr std::array<std::string_view, kTimeFormatCount> kFormatKeyNames{"Timecode", "Frames", "Feet+Frames",
                                                                         "Clock"};

double offsetValue(const std::string& text) {
    std::string_view trimmed = text;
    while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
    // A decimal number only: the C parser would also read "0x10" as sixteen frames.
    if (trimmed.find_first_not_of("0123456789+-.eE") != std::string_view::npos) return 0.0;
    const std::optional<double> value = parseDouble(trimmed);
    // An infinite or undefined offset would turn every timeline time of the sheet into nonsense.
    return value && std::isfinite(*value) ? *value : 0.0;
}

}  // namespace

void TimeDisplayControls::validate() {
    const auto allOff = [](const auto& group) { return std::none_of(group.begin(), group.end(), [](bool on) { return on; }); };
    if (allOff(sequence)) sequence[static_cast<std::size_t>(TimeFormat::timecode)] = true;
    if (allOff(source)) source[static_cast<std::size_t>(TimeFormat::timecode)] = true;
}

std::optional<std::string> thumbnailWidthProblem(std::int64_t width, std::string_view written) {
    if (width >= 0 && width <= kMaxThumbnailWidth) return std::nullopt;
    return "The thumbnail width is from 1 to " + std::to_string(kMaxThumbnailWidth) + " pixels, not " +
           (written.empty() ? std::to_string(width) : std::string(written)) + ": a wider picture would cover the next columns.";
}

std::map<std::string, bool> reportOptions(const ColumnControls& columns, const TimeDisplayControls& timeDisplay,
                                          ReportContext& context) {
    context.thumbnailWidth = thumbnailWidthValue(columns.thumbnailWidthText);
    std::map<std::string, bool> options;
    for (std::size_t index = 0; index < kColumnSwitchCount; ++index) {
        options[std::string(kColumnSwitches[index].optionKey)] = columns.checked[index];
    }
    for (std::size_t format = 0; format < kTimeFormatCount; ++format) {
        options["reportSeq" + std::string(kFormatKeyNames[format])] = timeDisplay.sequence[format];
        options["reportSrc" + std::string(kFormatKeyNames[format])] = timeDisplay.source[format];
    }
    options["reportSeqSeconds"] = false;
    options["reportSrcSeconds"] = false;
    context.hhmmssffAdj = offsetValue(timeDisplay.offsetTexts[static_cast<std::size_t>(TimeFormat::timecode)]);
    context.framesAdj = offsetValue(timeDisplay.offsetTexts[static_cast<std::size_t>(TimeFormat::frames)]);
    context.feetframesAdj = offsetValue(timeDisplay.offsetTexts[static_cast<std::size_t>(TimeFormat::feetAndFrames)]);
    context.clockAdj = offsetValue(timeDisplay.offsetTexts[static_cast<std::size_t>(TimeFormat::clock)]);
    options["useColorText"] = timeDisplay.colorRow == 0;
    return options;
}

}  // namespace tallyvane
