#include <gtest/gtest.h>

#include "xlsx/error.h"
#include "xlsx/text.h"

namespace tallyvane::xlsx {
namespace {

TEST(LibraryText, IsValidUtf8WithoutNul) {
    const std::string r = "\uFFFD";
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"Role \u25B8 Sub", "Role \u25B8 Sub"},
        {"a\xC0\xAF" "b", "a" + r + r + "b"},
        {std::string("\0", 1), r},
        {std::string("x\0\0y", 4), "x" + r + r + "y"},
        {"\xE2\x96", r},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(libraryText(in), out) << in;
}

TEST(CutToLength, EndsAtAGraphemeBoundaryWithinTheLimit) {
    const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467";  // eight UTF-16 units, one grapheme
    struct Case {
        const char* name;
        std::string text;
        std::size_t limit;
        std::string expected;
    };
    const Case cases[] = {
        {"short text untouched", "abc", 3, "abc"},
        {"ASCII cut", "abcdef", 4, "abcd"},
        {"astral characters count two units", "\U0001F3AC\U0001F3AC", 3, "\U0001F3AC"},
        {"combining marks stay with their base", "abe\u0301\u0301", 4, "ab"},
        {"emoji sequence kept whole or dropped", "ab" + family, 9, "ab"},
        {"emoji sequence that fits", "ab" + family + "c", 10, "ab" + family},
        {"CRLF is one grapheme", "ab\r\n", 3, "ab"},
        {"one grapheme longer than the limit is cut at a code point", "e\u0301\u0301\u0301", 2, "e\u0301"},
        {"never splits a surrogate pair", "\U0001F3AC\u0301", 1, ""},
    };
    for (const Case& c : cases) {
        const std::string cut = cutToLength(c.text, c.limit);
        EXPECT_EQ(cut, c.expected) << c.name;
        EXPECT_LE(utf16Length(cut), c.limit) << c.name;
    }
}

TEST(CutToBytes, KeepsWholeCharactersWithinTheByteBudget) {
    const std::pair<std::pair<std::string, std::size_t>, std::string> cases[] = {
        {{"abc", 3}, "abc"},
        {{"ab\u20AC", 4}, "ab"},
        {{"ab\u20AC", 5}, "ab\u20AC"},
        {{"abe\u0301x", 4}, "ab"},
        {{"\U0001F3AC\U0001F3AC", 7}, "\U0001F3AC"},
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(cutToBytes(input.first, input.second), expected) << input.first << " " << input.second;
    }
}

}  // namespace
}  // namespace tallyvane::xlsx
