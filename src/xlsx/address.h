#pragma once
// Cell, column-span and range addresses, zero-based: from integers (checked to fit the
// library's row and column types) or from spreadsheet text such as "B3", "A:C", "A1:B2".

#include <concepts>
#include <cstdint>
#include <string_view>

#include "xlsx/error.h"

namespace tallyvane::xlsx {

// A null text reads as empty, which no address form accepts.
constexpr std::string_view nullSafe(const char* text) { return text != nullptr ? std::string_view(text) : std::string_view(); }

struct Cell {
    std::uint32_t row = 0;
    std::uint16_t col = 0;

    constexpr Cell() = default;
    template <std::integral R, std::integral C>
    Cell(R row, C col)
        : row(checkedInteger<std::uint32_t>(row, "A row")), col(checkedInteger<std::uint16_t>(col, "A column")) {}
    // "B3" is row 2, column 1; text that is no cell address within the sheet is an
    // invalid-argument error.
    Cell(const char* a1) : Cell(nullSafe(a1)) {}
    explicit Cell(std::string_view a1);

    friend bool operator==(const Cell&, const Cell&) = default;
};

struct Cols {
    std::uint16_t col = 0;
    std::uint16_t col2 = 0;

    constexpr Cols() = default;
    template <std::integral C, std::integral C2>
    Cols(C col, C2 col2)
        : col(checkedInteger<std::uint16_t>(col, "A column")), col2(checkedInteger<std::uint16_t>(col2, "A column")) {}
    // "A:C" is columns 0 to 2.
    Cols(const char* span) : Cols(nullSafe(span)) {}
    explicit Cols(std::string_view span);

    friend bool operator==(const Cols&, const Cols&) = default;
};

struct Range {
    std::uint32_t row = 0;
    std::uint16_t col = 0;
    std::uint32_t row2 = 0;
    std::uint16_t col2 = 0;

    constexpr Range() = default;
    template <std::integral R, std::integral C, std::integral R2, std::integral C2>
    Range(R row, C col, R2 row2, C2 col2)
        : row(checkedInteger<std::uint32_t>(row, "A row")),
          col(checkedInteger<std::uint16_t>(col, "A column")),
          row2(checkedInteger<std::uint32_t>(row2, "A row")),
          col2(checkedInteger<std::uint16_t>(col2, "A column")) {}
    // "A1:B2" is rows 0 to 1, columns 0 to 1.
    Range(const char* a1a1) : Range(nullSafe(a1a1)) {}
    explicit Range(std::string_view a1a1);

    friend bool operator==(const Range&, const Range&) = default;
};

}  // namespace tallyvane::xlsx
