#include "common/debug_text.h"
#include "common/text_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace tallyvane;

TEST(DebugText, QuotesAndEscapesLikeADebugger) {
    struct Case { std::string text; std::string quoted; };
    const Case cases[] = {
        {"plain", "\"plain\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"a\\b", "\"a\\\\b\""},
        {"line\nbreak\ttab\r", "\"line\\nbreak\\ttab\\r\""},
        {std::string("nul\0", 4), "\"nul\\0\""},
        {"\x01\x7f", "\"\\u{1}\\u{7f}\""},
        {"Role \xE2\x96\xB8 Sub", "\"Role \xE2\x96\xB8 Sub\""},
    };
    for (const auto& c : cases) EXPECT_EQ(debugQuoted(c.text), c.quoted) << c.text;
    EXPECT_EQ(debugList({}), "[]");
    EXPECT_EQ(debugList({"a", "b\""}), "[\"a\", \"b\\\"\"]");
}

TEST(TextOrder, ComparesCodePointsAfterComposition) {
    // "é" composed and decomposed are one text; capitals come before small letters.
    const std::string composed = "\xC3\xA9";
    const std::string decomposed = "e\xCC\x81";
    EXPECT_FALSE(textPrecedes(composed, decomposed));
    EXPECT_FALSE(textPrecedes(decomposed, composed));
    EXPECT_TRUE(textPrecedes("B", "a"));
    EXPECT_TRUE(textPrecedes("Clip 10", "Clip 2"));
    EXPECT_TRUE(textPrecedes("", "a"));
    // Astral characters order by scalar value, not by UTF-16 units.
    EXPECT_TRUE(textPrecedes("\xEF\xBD\xA1", "\xF0\x9F\x8E\xAC"));

    std::vector<std::string> names{"b", decomposed, "A", "a", composed + "x"};
    std::stable_sort(names.begin(), names.end(), textPrecedes);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "a", "b", decomposed, composed + "x"}));
}

TEST(TextOrder, ShortcutForAsciiKeepsTheNormalisedOrder) {
    // Pieces that share prefixes, so that pairs often differ late; with NUL, DEL and texts
    // beyond ASCII that end the shortcut (a combining accent after an ASCII letter).
    const std::string pieces[] = {"a", "A", "b", "0", " ", std::string(1, '\0'), "\x7f", "~", "Clip",
                                  "\xC3\xA9", "\xCC\x81", "\xF0\x9F\x8E\xAC"};
    std::mt19937 random(20260307);
    std::uniform_int_distribution<std::size_t> length(0, 6);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<std::size_t> asciiPiece(0, 8);
    auto text = [&](bool ascii) {
        std::string made;
        for (std::size_t n = length(random); n > 0; --n) made += pieces[ascii ? asciiPiece(random) : piece(random)];
        return made;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string a = text(i % 2 == 0);
        const std::string b = text(i % 4 == 0);
        ASSERT_EQ(textPrecedes(a, b), nfcPrecedes(a, b)) << debugQuoted(a) << " " << debugQuoted(b);
        ASSERT_EQ(textsEquivalent(a, b), !nfcPrecedes(a, b) && !nfcPrecedes(b, a))
            << debugQuoted(a) << " " << debugQuoted(b);
    }
}

TEST(TextOrder, EquivalentTextsAreThoseThatComposeAlike) {
    struct Case { std::string a; std::string b; bool equivalent; };
    const Case cases[] = {
        {"Scene", "Scene", true},
        {"Scene", "scene", false},
        {"", "", true},
        {"\xC3\xA9", "e\xCC\x81", true},
        // The Kelvin sign composes to an ASCII letter: one ASCII text does not end the check.
        {"\xE2\x84\xAA", "K", true},
        {"\xC3\xA9", "e", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textsEquivalent(c.a, c.b), c.equivalent) << debugQuoted(c.a) << " " << debugQuoted(c.b);
        EXPECT_EQ(textsEquivalent(c.b, c.a), c.equivalent) << debugQuoted(c.b) << " " << debugQuoted(c.a);
    }
}
