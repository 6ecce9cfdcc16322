#pragma once
// A sheet that holds one chart. Operations return the same chartsheet for chaining.

#include <memory>
#include <string_view>

#include "xlsx/enums.h"

struct lxw_chartsheet;

namespace tallyvane::xlsx {

namespace detail {
class WorkbookState;
}

class Chart;

class Chartsheet {
public:
    Chartsheet& chart(const Chart& chart);
    Chartsheet& select();
    Chartsheet& activate();
    Chartsheet& hide();
    Chartsheet& protect(std::string_view password);
    Chartsheet& paper(PaperType type);
    // 0...65,535; the library warns outside 10...400.
    Chartsheet& zoom(int percent);
    Chartsheet& landscape();
    Chartsheet& portrait();
    Chartsheet& header(std::string_view text);
    Chartsheet& footer(std::string_view text);

private:
    friend class Workbook;
    Chartsheet(std::shared_ptr<detail::WorkbookState> state, lxw_chartsheet* sheet)
        : state_(std::move(state)), sheet_(sheet) {}

    lxw_chartsheet* open() const;

    std::shared_ptr<detail::WorkbookState> state_;
    lxw_chartsheet* sheet_;
};

}  // namespace tallyvane::xlsx
