#include "xlsx/enums.h"

#include <array>

#include "xlsx/error.h"

namespace tallyvane::xlsx {

namespace {

// The library reads 0 as "no colour", so black is its own marker value.
constexpr std::array<std::uint32_t, 15> kRgbByColor = {
    0x1000000, 0x0000FF, 0x800000, 0x00FFFF, 0x808080, 0x008000, 0x00FF00, 0xFF00FF,
    0x000080,  0xFF6600, 0x800080, 0xFF0000, 0xC0C0C0, 0xFFFFFF, 0xFFFF00,
};

template <typename E>
std::optional<E> fromContiguousRaw(std::uint8_t raw, E first, E last) {
    if (raw < rawValue(first) || raw > rawValue(last)) return std::nullopt;
    return static_cast<E>(raw);
}

}  // namespace

std::uint32_t rgb(Color color) { return kRgbByColor.at(rawValue(color)); }

std::optional<HorizontalAlignment> horizontalAlignmentFromRaw(std::uint8_t raw) {
    return fromContiguousRaw(raw, HorizontalAlignment::none, HorizontalAlignment::distributed);
}

std::optional<VerticalAlignment> verticalAlignmentFromRaw(std::uint8_t raw) {
    return fromContiguousRaw(raw, VerticalAlignment::top, VerticalAlignment::distributed);
}

std::optional<Border> borderFromRaw(std::uint8_t raw) {
    return fromContiguousRaw(raw, Border::noBorder, Border::slant_dash_dot);
}

std::optional<Color> colorFromRgb(std::uint32_t rgbValue) {
    for (std::size_t i = 0; i < kRgbByColor.size(); ++i) {
        if (kRgbByColor[i] == rgbValue) return static_cast<Color>(i);
    }
    return std::nullopt;
}

std::optional<PaperType> paperTypeFromRaw(std::uint8_t raw) {
    return fromContiguousRaw(raw, PaperType::PrinterDefault, PaperType::German_Legal_Fanfold);
}

std::optional<Chart_type> chartTypeFromRaw(std::uint8_t raw) {
    return fromContiguousRaw(raw, Chart_type::none, Chart_type::radar_filled);
}

std::optional<Legend_position> legendPositionFromRaw(std::uint8_t raw) {
    return fromContiguousRaw(raw, Legend_position::none, Legend_position::overlay_top_right);
}

std::optional<Trendline_type> trendlineTypeFromRaw(std::uint8_t raw) {
    return fromContiguousRaw(raw, Trendline_type::linear, Trendline_type::average);
}

std::optional<TotalFunction> totalFunctionFromRaw(std::uint8_t raw) {
    switch (static_cast<TotalFunction>(raw)) {
        case TotalFunction::none:
        case TotalFunction::average:
        case TotalFunction::nums:
        case TotalFunction::count:
        case TotalFunction::max:
        case TotalFunction::min:
        case TotalFunction::std_dev:
        case TotalFunction::sum:
            return static_cast<TotalFunction>(raw);
    }
    return std::nullopt;
}

TotalFunction totalFunctionFromInteger(long long value) {
    const auto raw = checkedInteger<std::uint8_t>(value, "A total function number");
    return totalFunctionFromRaw(raw).value_or(TotalFunction::none);
}

}  // namespace tallyvane::xlsx
