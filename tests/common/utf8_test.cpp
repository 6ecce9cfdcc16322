#include "common/utf8.h"

#include <gtest/gtest.h>

using tallyvane::isValidUtf8;
using tallyvane::sanitizeUtf8;

TEST(Utf8, ReplacesEachMaximalInvalidSubpart) {
    const std::string r = "\xEF\xBF\xBD";
    struct Case { std::string in; std::string out; };
    const Case cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"Role \xE2\x96\xB8 Sub", "Role \xE2\x96\xB8 Sub"},        // U+25B8
        {"\xF0\x9F\x8E\xAC", "\xF0\x9F\x8E\xAC"},                   // four-byte sequence
        {"a\xFF" "b", "a" + r + "b"},                               // byte never valid
        {"\xC0\xAF", r + r},                                        // overlong lead
        {"\xE0\x80\x80", r + r + r},                                // overlong three-byte
        {"\xED\xA0\x80", r + r + r},                                // surrogate
        {"\xF4\x90\x80\x80", r + r + r + r},                        // beyond U+10FFFF
        {"\xE2\x96", r},                                            // truncated at the end
        {"\xE2\x96" "x", r + "x"},                                  // truncated before ASCII
        {"\xF0\x9F\x8E", r},
        {"\x80", r},                                                // lone continuation
        {std::string("a\0b", 3), std::string("a\0b", 3)},           // NUL is valid UTF-8
        {"eight by\xFF", "eight by" + r},                          // fault just past a whole word
        {"sixteen letters!\xE2\x96\xB8", "sixteen letters!\xE2\x96\xB8"},
        {"twelve bytes\xE2\x96", "twelve bytes" + r},              // fault inside the last word
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sanitizeUtf8(c.in), c.out) << c.in;
        EXPECT_EQ(isValidUtf8(c.in), c.in == c.out) << c.in;
        EXPECT_TRUE(isValidUtf8(sanitizeUtf8(c.in))) << c.in;
    }
}

// Long texts go through the scan a block at a time: a fault is found wherever it stands,
// also far behind a multi-byte sequence, and a text whose only faults lie there is not
// passed as well-formed.
TEST(Utf8, FaultsAreFoundAtEveryDistanceAndAfterSequences) {
    const std::string sequence = "\xE2\x96\xB8";
    for (const std::size_t at : {0, 7, 8, 15, 16, 63, 64, 65, 127, 128, 200, 1000}) {
        for (const std::string& before : {std::string(), sequence}) {
            std::string text = before + std::string(1100, 'a');
            EXPECT_TRUE(isValidUtf8(text)) << at;
            text[before.size() + at] = '\xFF';
            EXPECT_FALSE(isValidUtf8(text)) << "fault at " << at << (before.empty() ? "" : " after a sequence");
            EXPECT_EQ(sanitizeUtf8(text).find("\xEF\xBF\xBD"), before.size() + at) << at;
            text[before.size() + at] = 'a';
            text.replace(before.size() + at, 3, sequence);
            EXPECT_TRUE(isValidUtf8(text)) << "sequence at " << at;
        }
    }
}
