#pragma once
// The library's constants as enumerations; the raw value is what the library receives.
// Making one from a raw value accepts exactly the listed raw values.

#include <cstdint>
#include <optional>
#include <type_traits>

namespace tallyvane::xlsx {

enum class HorizontalAlignment : std::uint8_t {
    none = 0, left, center, right, fill, justify, center_across, distributed,
};

enum class VerticalAlignment : std::uint8_t {
    top = 8, bottom, center, justify, distributed,
};

enum class Border : std::uint8_t {
    noBorder = 0, thin, medium, dashed, dotted, thick, double_, hair, medium_dashed, dash_dot,
    medium_dash_dot, dash_dot_dot, medium_dash_dot_dot, slant_dash_dot,
};

// Stored as the position in this list; the library receives `rgb(color)`.
enum class Color : std::uint8_t {
    black, blue, brown, cyan, gray, green, lime, magenta, navy, orange, purple, red, silver, white,
    yellow,
};

enum class PaperType : std::uint8_t {
    PrinterDefault, Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive, A3, A4,
    A4Small, A5, B4, B5, Folio, Quarto, unnamed1, unnamed2, Note, Envelope_9, Envelope_10,
    Envelope_11, Envelope_12, Envelope_14, C_size_sheet, D_size_sheet, E_size_sheet, Envelope_DL,
    Envelope_C3, Envelope_C4, Envelope_C5, Envelope_C6, Envelope_C65, Envelope_B4, Envelope_B5,
    Envelope_B6, Envelope, Monarch, EnvelopeInch, Fanfold, German_Std_Fanfold,
    German_Legal_Fanfold,
};

enum class Chart_type : std::uint8_t {
    none, area, area_stacked, area_percentage_stacked, bar, bar_stacked, bar_percentage_stacked,
    column, column_stacked, column_percentage_stacked, doughnut, line, line_stacked,
    line_percentage_stacked, pie, scatter, scatter_straight, scatter_straight_with_markers,
    scatter_smooth, scatter_smooth_with_markers, radar, radar_with_markers, radar_filled,
};

enum class Legend_position : std::uint8_t {
    none, right, left, top, bottom, top_right, overlay_right, overlay_left, overlay_top_right,
};

enum class Trendline_type : std::uint8_t { linear, log, poly, power, exp, average };

enum class TotalFunction : std::uint8_t {
    none = 0, average = 101, nums = 102, count = 103, max = 104, min = 105, std_dev = 107, sum = 109,
};

// Picks a chart's category axis (X) or value axis (Y).
enum class Axes { X, Y };

template <typename E>
constexpr auto rawValue(E value) {
    return static_cast<std::underlying_type_t<E>>(value);
}

std::uint32_t rgb(Color color);

std::optional<HorizontalAlignment> horizontalAlignmentFromRaw(std::uint8_t raw);
std::optional<VerticalAlignment> verticalAlignmentFromRaw(std::uint8_t raw);
std::optional<Border> borderFromRaw(std::uint8_t raw);
std::optional<Color> colorFromRgb(std::uint32_t rgbValue);
std::optional<PaperType> paperTypeFromRaw(std::uint8_t raw);
std::optional<Chart_type> chartTypeFromRaw(std::uint8_t raw);
std::optional<Legend_position> legendPositionFromRaw(std::uint8_t raw);
std::optional<Trendline_type> trendlineTypeFromRaw(std::uint8_t raw);
std::optional<TotalFunction> totalFunctionFromRaw(std::uint8_t raw);

// An integer written where a total function is expected: outside 0...255 is an
// invalid-argument error, an in-range number that names no function gives `none`.
TotalFunction totalFunctionFromInteger(long long value);

}  // namespace tallyvane::xlsx
