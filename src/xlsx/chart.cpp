#include "xlsx/chart.h"

#include <xlsxwriter.h>

#include "xlsx/error.h"
#include "xlsx/text.h"
#include "xlsx/workbook_state.h"
#include "xlsx/worksheet.h"

namespace tallyvane::xlsx {

namespace {

constexpr int16_t kEndOfSeriesList = -1;

}  // namespace

lxw_chart_series* Series::open() const {
    state_->open();
    return series_;
}

Series& Series::values(const Worksheet& sheet, Range range) {
    chart_series_set_values(open(), sheet.name().c_str(), range.row, range.col, range.row2, range.col2);
    return *this;
}

Series& Series::categories(const Worksheet& sheet, Range range) {
    chart_series_set_categories(open(), sheet.name().c_str(), range.row, range.col, range.row2, range.col2);
    return *this;
}

Series& Series::name(const Worksheet& sheet, Cell cell) {
    chart_series_set_name_range(open(), sheet.name().c_str(), cell.row, cell.col);
    return *this;
}

Series& Series::marker(int type, int size) {
    const auto checkedType = checkedInteger<std::uint8_t>(type, "A marker type");
    const auto checkedSize = checkedInteger<std::uint8_t>(size, "A marker size");
    chart_series_set_marker_type(open(), checkedType);
    chart_series_set_marker_size(series_, checkedSize);
    return *this;
}

Series& Series::smooth(bool on) {
    chart_series_set_smooth(open(), on ? LXW_TRUE : LXW_FALSE);
    return *this;
}

Series& Series::trendline(Trendline_type type, int value) {
    const auto checked = checkedInteger<std::uint8_t>(value, "A trendline order or period");
    chart_series_set_trendline(open(), rawValue(type), checked);
    return *this;
}

Series& Series::trendlineName(std::string_view name) {
    chart_series_set_trendline_name(open(), libraryText(name).c_str());
    return *this;
}

Series& Series::trendlineLine(int dashType, int transparency, bool hidden, float width) {
    lxw_chart_line line{};
    line.color = rgb(Color::black);
    line.none = hidden ? LXW_TRUE : LXW_FALSE;
    line.width = static_cast<float>(requireFinite(width, "A line width"));
    line.dash_type = checkedInteger<std::uint8_t>(dashType, "A dash type");
    line.transparency = checkedInteger<std::uint8_t>(transparency, "A transparency");
    chart_series_set_trendline_line(open(), &line);
    return *this;
}

Series& Series::trendlineEquation() {
    chart_series_set_trendline_equation(open());
    return *this;
}

Series& Series::trendlineRSquared() {
    chart_series_set_trendline_r_squared(open());
    return *this;
}

lxw_chart* Chart::open() const {
    state_->open();
    return chart_;
}

lxw_chart* Chart::libraryChart(const detail::WorkbookState& state) const {
    if (state_.get() != &state) {
        throw XlsxError(XlsxErrorKind::invalidArgument, "A chart can only be placed in the workbook that made it.");
    }
    return open();
}

lxw_chart_axis* Chart::axis(Axes which) const { return which == Axes::X ? open()->x_axis : open()->y_axis; }

Series Chart::addSeries(std::optional<std::string_view> values, std::optional<std::string_view> name) {
    const std::string valuesText = values ? libraryText(*values) : std::string();
    lxw_chart_series* series = chart_add_series(open(), nullptr, values ? valuesText.c_str() : nullptr);
    if (series == nullptr) throw XlsxError::fromLibrary(LXW_ERROR_MEMORY_MALLOC_FAILED);
    if (name) chart_series_set_name(series, libraryText(*name).c_str());
    return Series(state_, series);
}

Chart& Chart::title(std::string_view text) {
    chart_title_set_name(open(), libraryText(text).c_str());
    return *this;
}

Chart& Chart::titleOff() {
    chart_title_off(open());
    return *this;
}

Chart& Chart::xAxisName(std::string_view name) {
    chart_axis_set_name(axis(Axes::X), libraryText(name).c_str());
    return *this;
}

Chart& Chart::yAxisName(std::string_view name) {
    chart_axis_set_name(axis(Axes::Y), libraryText(name).c_str());
    return *this;
}

Chart& Chart::xAxisBounds(double min, double max) {
    chart_axis_set_min(axis(Axes::X), requireFinite(min, "An axis minimum"));
    chart_axis_set_max(axis(Axes::X), requireFinite(max, "An axis maximum"));
    return *this;
}

Chart& Chart::yAxisBounds(double min, double max) {
    chart_axis_set_min(axis(Axes::Y), requireFinite(min, "An axis minimum"));
    chart_axis_set_max(axis(Axes::Y), requireFinite(max, "An axis maximum"));
    return *this;
}

Chart& Chart::axisOff(Axes which) {
    chart_axis_off(axis(which));
    return *this;
}

Chart& Chart::majorGridlines(Axes which, bool visible) {
    chart_axis_major_gridlines_set_visible(axis(which), visible ? LXW_TRUE : LXW_FALSE);
    return *this;
}

Chart& Chart::minorGridlines(Axes which, bool visible) {
    chart_axis_minor_gridlines_set_visible(axis(which), visible ? LXW_TRUE : LXW_FALSE);
    return *this;
}

Chart& Chart::majorUnit(Axes which, double unit) {
    chart_axis_set_major_unit(axis(which), requireFinite(unit, "An axis unit"));
    return *this;
}

Chart& Chart::minorUnit(Axes which, double unit) {
    chart_axis_set_minor_unit(axis(which), requireFinite(unit, "An axis unit"));
    return *this;
}

Chart& Chart::legend(Legend_position position) {
    chart_legend_set_position(open(), rawValue(position));
    chart_axis_off(axis(Axes::Y));
    return *this;
}

Chart& Chart::legendDeleteSeries(const std::vector<int>& indexes) {
    std::vector<int16_t> list;
    list.reserve(indexes.size() + 1);
    for (int index : indexes) list.push_back(checkedInteger<int16_t>(index, "A series index"));
    list.push_back(kEndOfSeriesList);
    // An empty list is the library's "nothing to delete", not a failure.
    const lxw_error result = chart_legend_delete_series(open(), list.data());
    if (result != LXW_ERROR_NULL_PARAMETER_IGNORED) throwIfFailed(result);
    return *this;
}

Chart& Chart::rotation(int degrees) {
    chart_set_rotation(open(), checkedInteger<std::uint16_t>(degrees, "A chart rotation"));
    return *this;
}

Chart& Chart::table() {
    chart_set_table(open());
    return *this;
}

Chart& Chart::style(int number) {
    chart_set_style(open(), checkedInteger<std::uint8_t>(number, "A chart style"));
    return *this;
}

}  // namespace tallyvane::xlsx
