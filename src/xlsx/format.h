#pragma once
// A cell format owned by its workbook; copies share it, so a setter on any copy changes the
// one format. Setters return the same format for chaining.

#include <memory>
#include <string_view>

#include "xlsx/enums.h"

struct lxw_format;

namespace tallyvane::xlsx {

namespace detail {
class WorkbookState;
}

class Format {
public:
    Format& bold();
    Format& italic();
    Format& align(HorizontalAlignment horizontal);
    Format& align(VerticalAlignment vertical);
    // Centred both ways.
    Format& center();
    // A number format text such as "#,##0" or "0.0%"; cut at a character boundary to the
    // library's 127 bytes.
    Format& numberFormat(std::string_view format);
    // One of the built-in number formats, 0...255.
    Format& numberFormatIndex(int index);
    // Cut at a character boundary to the library's 127 bytes.
    Format& fontName(std::string_view name);
    Format& fontSize(double points);
    Format& fontColor(Color color);
    Format& border(Border style);
    Format& borderTop(Border style);
    Format& borderBottom(Border style);
    Format& borderLeft(Border style);
    Format& borderRight(Border style);
    Format& borderColor(Color color);
    // A solid fill of the colour.
    Format& background(Color color);
    Format& shrink();
    // Degrees as a signed 16-bit number; the library warns about angles outside -90...90.
    Format& rotation(int angle);

private:
    friend class Workbook;
    friend class Worksheet;
    Format(std::shared_ptr<detail::WorkbookState> state, lxw_format* format)
        : state_(std::move(state)), format_(format) {}

    // The library object, about to be changed.
    lxw_format* open() const;
    // The library object, checked to belong to the workbook of `state`: a format of another
    // workbook would be freed by that workbook while this one still refers to it.
    lxw_format* libraryFormat(const detail::WorkbookState& state) const;

    std::shared_ptr<detail::WorkbookState> state_;
    lxw_format* format_;
};

}  // namespace tallyvane::xlsx
