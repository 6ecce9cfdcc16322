#include "shell/layout_name.h"
#include "support/named_case.h"

#include <gtest/gtest.h>

namespace tallyvane {
namespace {

using test::PrintTo;

struct NameCase {
    const char* name;
    const char* next;
};

class NextLayoutName : public ::testing::TestWithParam<NameCase> {};

TEST_P(NextLayoutName, CountsTheFinalDigitsUp) { EXPECT_EQ(nextLayoutName(GetParam().name), GetParam().next); }

INSTANTIATE_TEST_SUITE_P(
    Names, NextLayoutName,
    ::testing::Values(NameCase{"Edit", "Edit1"}, NameCase{"Take 009", "Take 010"}, NameCase{"99", "100"},
                      NameCase{"Cut 1.9", "Cut 1.10"}, NameCase{"", "1"},
                      // Runs beyond any integer type are counted up as text.
                      NameCase{"Big 99999999999999999999", "Big 100000000000000000000"},
                      NameCase{"Line\n7", "Line\n8"},
                      // Digits of other scripts do not count; ASCII digits before them neither.
                      NameCase{"Take \u0663", "Take \u06631"}, NameCase{"Take 2\u0663", "Take 2\u06631"},
                      NameCase{"Schnitt \u00E9", "Schnitt \u00E91"}));

}  // namespace
}  // namespace tallyvane
