#include <type_traits>

#include <gtest/gtest.h>

#include "readback.h"
#include "xlsx/address.h"

namespace tallyvane::xlsx {
namespace {

static_assert(!std::is_constructible_v<Cell, int, int, int>, "a cell takes exactly a row and a column");
static_assert(!std::is_constructible_v<Cols, int, int, int>);
static_assert(!std::is_constructible_v<Range, int, int, int>);

TEST(Addresses, TextAndIntegerFormsAgree) {
    struct Case {
        const char* text;
        Cell cell;
    };
    const Case cases[] = {
        {"A1", Cell(0, 0)},
        {"B3", Cell(2, 1)},
        {"$B$3", Cell(2, 1)},
        {"Z9", Cell(8, 25)},
        {"AA10", Cell(9, 26)},
        {"XFD1", Cell(0, 16383)},
        {"XFD1048576", Cell(1048575, 16383)},
    };
    for (const Case& c : cases) EXPECT_EQ(Cell(c.text), c.cell) << c.text;

    EXPECT_EQ(Cols("A:C"), Cols(0, 2));
    EXPECT_EQ(Cols("$D:$D"), Cols(3, 3));
    EXPECT_EQ(Cols("C:C"), Cols(2, 2));
    EXPECT_EQ(Range("A1:B2"), Range(0, 0, 1, 1));
    EXPECT_EQ(Range("$C$5:AA100"), Range(4, 2, 99, 26));
}

TEST(Addresses, MalformedTextIsRefusedBeforeTheLibraryReadsIt) {
    const char* cells[] = {"", "B", "3", "b3", "B0", "B03", "XFE1", "AAAA1", "B1048577", "B3 ", " B3",
                           "B3:C4", "$", "B$", "B-1", "B99999999999"};
    for (const char* text : cells) {
        EXPECT_EQ(testing::errorOf([&] { Cell{text}; }).kind(), XlsxErrorKind::invalidArgument) << text;
    }
    const char* none = nullptr;
    EXPECT_THROW(Cell{none}, XlsxError);
    for (const char* text : {"", "A", "A:", ":C", "A1:C1", "A;C", "a:c"}) {
        EXPECT_THROW(Cols{std::string_view(text)}, XlsxError) << text;
    }
    for (const char* text : {"", "A1", "A1:", "A1:B", "A:B", "A1-B2", "A1:B2:C3"}) {
        EXPECT_THROW(Range{std::string_view(text)}, XlsxError) << text;
    }
}

TEST(Addresses, IntegerFormsFitTheLibraryTypesButNotNecessarilyTheSheet) {
    EXPECT_EQ(Cell(4294967295LL, 65535).row, 4294967295u);
    EXPECT_EQ(Cell(0u, 65535).col, 65535);
    EXPECT_EQ(Range(5, 5, 1, 1), Range(5, 5, 1, 1));  // reversed corners are the library's to refuse

    struct Case {
        const char* name;
        long long row;
        long long col;
    };
    const Case refused[] = {
        {"negative row", -1, 0},
        {"row past 32 bits", 4294967296LL, 0},
        {"negative column", 0, -1},
        {"column past 16 bits", 0, 65536},
    };
    for (const Case& c : refused) {
        EXPECT_THROW(Cell(c.row, c.col), XlsxError) << c.name;
        EXPECT_THROW(Range(0, 0, c.row, c.col), XlsxError) << c.name;
    }
    EXPECT_THROW(Cols(0, 65536), XlsxError);
    EXPECT_THROW(Cols(-1, 0), XlsxError);
}

}  // namespace
}  // namespace tallyvane::xlsx
