#pragma once
// Charts and their data series. A chart is placed on a worksheet or on a chartsheet of its
// own; operations return the same object for chaining.

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "xlsx/address.h"
#include "xlsx/enums.h"

struct lxw_chart;
struct lxw_chart_series;
struct lxw_chart_axis;

namespace tallyvane::xlsx {

namespace detail {
class WorkbookState;
}

class Worksheet;

class Series {
public:
    // The worksheet supplies its name for the range formula.
    Series& values(const Worksheet& sheet, Range range);
    Series& categories(const Worksheet& sheet, Range range);
    Series& name(const Worksheet& sheet, Cell cell);
    // Type and size 0...255.
    Series& marker(int type, int size);
    Series& smooth(bool on);
    // The polynomial order or moving-average period, 0...255.
    Series& trendline(Trendline_type type, int value);
    Series& trendlineName(std::string_view name);
    // A black line; dash type and transparency 0...255.
    Series& trendlineLine(int dashType, int transparency, bool hidden, float width);
    Series& trendlineEquation();
    Series& trendlineRSquared();

private:
    friend class Chart;
    Series(std::shared_ptr<detail::WorkbookState> state, lxw_chart_series* series)
        : state_(std::move(state)), series_(series) {}

    lxw_chart_series* open() const;

    std::shared_ptr<detail::WorkbookState> state_;
    lxw_chart_series* series_;
};

class Chart {
public:
    // `values` is a range formula such as "=Sheet1!$A$1:$A$5"; without it the series is
    // empty, without a name it is unnamed.
    Series addSeries(std::optional<std::string_view> values = std::nullopt,
                     std::optional<std::string_view> name = std::nullopt);
    Chart& title(std::string_view text);
    Chart& titleOff();
    Chart& xAxisName(std::string_view name);
    Chart& yAxisName(std::string_view name);
    Chart& xAxisBounds(double min, double max);
    Chart& yAxisBounds(double min, double max);
    Chart& axisOff(Axes axis);
    Chart& majorGridlines(Axes axis, bool visible);
    Chart& minorGridlines(Axes axis, bool visible);
    Chart& majorUnit(Axes axis, double unit);
    Chart& minorUnit(Axes axis, double unit);
    // Also hides the value axis.
    Chart& legend(Legend_position position);
    // Series indexes -32,768...32,767 whose legend entries are removed.
    Chart& legendDeleteSeries(const std::vector<int>& indexes);
    // 0...65,535; the library warns outside 0...360.
    Chart& rotation(int degrees);
    Chart& table();
    // 0...255; the library takes styles outside 1...48 as style 2.
    Chart& style(int number);

private:
    friend class Workbook;
    friend class Worksheet;
    friend class Chartsheet;
    Chart(std::shared_ptr<detail::WorkbookState> state, lxw_chart* chart) : state_(std::move(state)), chart_(chart) {}

    lxw_chart* open() const;
    // The library object, checked to belong to the workbook of `state`.
    lxw_chart* libraryChart(const detail::WorkbookState& state) const;
    lxw_chart_axis* axis(Axes which) const;

    std::shared_ptr<detail::WorkbookState> state_;
    lxw_chart* chart_;
};

}  // namespace tallyvane::xlsx
