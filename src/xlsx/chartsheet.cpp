#include "xlsx/chartsheet.h"

#include <xlsxwriter.h>

#include "xlsx/chart.h"
#include "xlsx/error.h"
#include "xlsx/text.h"
#include "xlsx/workbook_state.h"

namespace tallyvane::xlsx {

lxw_chartsheet* Chartsheet::open() const {
    state_->open();
    return sheet_;
}

Chartsheet& Chartsheet::chart(const Chart& chart) {
    throwIfFailed(chartsheet_set_chart(open(), chart.libraryChart(*state_)));
    return *this;
}

Chartsheet& Chartsheet::select() {
    chartsheet_select(open());
    return *this;
}

Chartsheet& Chartsheet::activate() {
    chartsheet_activate(open());
    return *this;
}

Chartsheet& Chartsheet::hide() {
    chartsheet_hide(open());
    return *this;
}

Chartsheet& Chartsheet::protect(std::string_view password) {
    chartsheet_protect(open(), libraryText(password).c_str(), nullptr);
    return *this;
}

Chartsheet& Chartsheet::paper(PaperType type) {
    chartsheet_set_paper(open(), rawValue(type));
    return *this;
}

Chartsheet& Chartsheet::zoom(int percent) {
    chartsheet_set_zoom(open(), checkedInteger<std::uint16_t>(percent, "A zoom factor"));
    return *this;
}

Chartsheet& Chartsheet::landscape() {
    chartsheet_set_landscape(open());
    return *this;
}

Chartsheet& Chartsheet::portrait() {
    chartsheet_set_portrait(open());
    return *this;
}

Chartsheet& Chartsheet::header(std::string_view text) {
    throwIfFailed(chartsheet_set_header(open(), libraryText(text).c_str()));
    return *this;
}

Chartsheet& Chartsheet::footer(std::string_view text) {
    throwIfFailed(chartsheet_set_footer(open(), libraryText(text).c_str()));
    return *this;
}

}  // namespace tallyvane::xlsx
