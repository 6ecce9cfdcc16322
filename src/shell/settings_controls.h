#pragma once
// The states of the settings window's controls, which shape a clip sheet apart from the
// roles and the extra sheets: the column switches with the thumbnail width (driven by the
// column layouts), the time formats of timeline and source times with an offset per
// timeline format, and the text colour choice.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "report/report_context.h"
#include "shell/column_switches.h"

namespace tallyvane {

struct ColumnControls {
    std::array<bool, kColumnSwitchCount> checked{};
    std::array<bool, kColumnSwitchCount> enabled{};
    std::string thumbnailWidthText{kDefaultThumbnailWidth};
    bool thumbnailWidthEnabled = false;
    // Said beside the width while the chosen layout's width, or the width typed, is one no
    // column can show; empty otherwise.
    std::string thumbnailWidthProblem;

    void setAllChecked(bool on) { checked.fill(on); }
    void setAllEnabled(bool on) { enabled.fill(on); }
};

// The formats with controls; seconds has none and is never reported.
enum class TimeFormat : std::size_t { timecode, frames, feetAndFrames, clock };
inline constexpr std::size_t kTimeFormatCount = 4;

struct TimeDisplayControls {
    // Formats of Timeline In, Timeline Out and Clip Duration.
    std::array<bool, kTimeFormatCount> sequence{true, false, false, false};
    // Formats of Source In, Source Out and Source Duration.
    std::array<bool, kTimeFormatCount> source{true, false, false, false};
    // Frames added to Timeline In and Out shown in each format, as typed.
    std::array<std::string, kTimeFormatCount> offsetTexts{"0", "0", "0", "0"};
    // Row 0 of the colour choice is coloured text; any other row is plain black.
    std::size_t colorRow = 0;

    // Keeps at least one format on in each group, timecode being the one switched back on.
    void validate();
};

// Why a thumbnail width of `width` pixels cannot be used: wider than a column shows; nothing
// for 0 (no Thumbnail column) and for 1 to kMaxThumbnailWidth. The width is said as `written`
// where that is given (a stored width, as it stands in the file), else as its number.
std::optional<std::string> thumbnailWidthProblem(std::int64_t width, std::string_view written = {});

// The report options of one save: exactly the 27 column keys, the ten time format keys and
// "useColorText". Also sets the context's thumbnail width and the four offsets; an offset
// text that is not a finite number counts as 0.
std::map<std::string, bool> reportOptions(const ColumnControls& columns, const TimeDisplayControls& timeDisplay,
                                          ReportContext& context);

}  // namespace tallyvane
