#pragma once
// Rows of a parameterised table print as their name in the test list and in failures, where
// GoogleTest would otherwise show the bytes of a type it cannot print. A test file brings it
// in with `using test::PrintTo;` beside its rows; rows without a name print their own way.

#include <ostream>
#include <string_view>

namespace tallyvane::test {

template <typename Row>
    requires requires(const Row& row) { std::string_view(row.name); }
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

}  // namespace tallyvane::test
