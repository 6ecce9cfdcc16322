#include "xlsx/format.h"

#include <xlsxwriter.h>

#include "xlsx/error.h"
#include "xlsx/text.h"
#include "xlsx/workbook_state.h"

namespace tallyvane::xlsx {

namespace {

// The library's fixed-size text fields hold this many bytes besides the terminating NUL.
constexpr std::size_t kFieldBytes = LXW_FORMAT_FIELD_LEN - 1;

constexpr std::uint8_t kSolidPattern = LXW_PATTERN_SOLID;

}  // namespace

lxw_format* Format::open() const {
    state_->open();
    state_->changing(format_);
    return format_;
}

lxw_format* Format::libraryFormat(const detail::WorkbookState& state) const {
    if (state_.get() != &state) {
        throw XlsxError(XlsxErrorKind::invalidArgument, "A format can only be used in the workbook that made it.");
    }
    state_->open();
    return state_->resolve(format_);
}

Format& Format::bold() {
    format_set_bold(open());
    return *this;
}

Format& Format::italic() {
    format_set_italic(open());
    return *this;
}

Format& Format::align(HorizontalAlignment horizontal) {
    format_set_align(open(), rawValue(horizontal));
    return *this;
}

Format& Format::align(VerticalAlignment vertical) {
    format_set_align(open(), rawValue(vertical));
    return *this;
}

Format& Format::center() { return align(HorizontalAlignment::center).align(VerticalAlignment::center); }

Format& Format::numberFormat(std::string_view format) {
    format_set_num_format(open(), cutToBytes(libraryText(format), kFieldBytes).c_str());
    return *this;
}

Format& Format::numberFormatIndex(int index) {
    const auto checked = checkedInteger<std::uint8_t>(index, "A built-in number format index");
    format_set_num_format_index(open(), checked);
    return *this;
}

Format& Format::fontName(std::string_view name) {
    format_set_font_name(open(), cutToBytes(libraryText(name), kFieldBytes).c_str());
    return *this;
}

Format& Format::fontSize(double points) {
    format_set_font_size(open(), requireFinite(points, "A font size"));
    return *this;
}

Format& Format::fontColor(Color color) {
    format_set_font_color(open(), rgb(color));
    return *this;
}

Format& Format::border(Border style) {
    format_set_border(open(), rawValue(style));
    return *this;
}

Format& Format::borderTop(Border style) {
    format_set_top(open(), rawValue(style));
    return *this;
}

Format& Format::borderBottom(Border style) {
    format_set_bottom(open(), rawValue(style));
    return *this;
}

Format& Format::borderLeft(Border style) {
    format_set_left(open(), rawValue(style));
    return *this;
}

Format& Format::borderRight(Border style) {
    format_set_right(open(), rawValue(style));
    return *this;
}

Format& Format::borderColor(Color color) {
    format_set_border_color(open(), rgb(color));
    return *this;
}

Format& Format::background(Color color) {
    lxw_format* format = open();
    format_set_pattern(format, kSolidPattern);
    format_set_bg_color(format, rgb(color));
    return *this;
}

Format& Format::shrink() {
    format_set_shrink(open());
    return *this;
}

Format& Format::rotation(int angle) {
    format_set_rotation(open(), checkedInteger<std::int16_t>(angle, "A rotation angle"));
    return *this;
}

}  // namespace tallyvane::xlsx
