#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report/role_sheet_names.h"
#include "xlsx/text.h"

namespace tallyvane::testing {
namespace {

TEST(CleanedSheetNameTest, ForbiddenCharactersLengthApostrophesAndEmptyNames) {
    const std::string forty = "Forty characters of role text, far past.";
    ASSERT_EQ(forty.size(), 40u);
    const std::string thirty(30, 'x');
    struct Case {
        std::string roleText;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"Dialogue \u25B8 Dialogue-1", "Dialogue \u25B8 Dialogue-1"},
        {"Music/Score", "Music|Score"},
        {"Notes:[take]?", "Notes(take)"},
        {"a\\b*c", "a|bc"},
        {forty, forty.substr(0, 31)},
        // Cut first, then cleaned: removed characters leave the name short.
        {"::" + forty, forty.substr(0, 29)},
        {"''Rock 'n' Roll''", "Rock 'n' Roll"},
        {"'", "Role"},
        {"", "Role"},
        {":?*", "Role"},
        // A character made of two code points is kept whole or dropped whole.
        {thirty + "e\u0301", thirty},
        {std::string(29, 'y') + "\U0001F44D", std::string(29, 'y') + "\U0001F44D"},
        {std::string(28, 'y') + "\U0001F44D\U0001F3FD", std::string(28, 'y')},
        {"Bad \xFF byte", "Bad \uFFFD byte"},
        {std::string("Nul\0in", 6), "Nul\uFFFDin"},
    };
    for (const Case& c : cases) {
        const std::string name = cleanedSheetName(c.roleText);
        EXPECT_EQ(name, c.expected) << c.roleText;
        EXPECT_LE(xlsx::utf16Length(name), kMaxSheetNameLength) << c.roleText;
    }
}

TEST(RoleSheetNamesTest, NamesAreUniqueIgnoringCaseAgainstEverySheetOfTheReport) {
    const std::string longName(31, 'a');
    std::vector<std::string> nineNumbered = {longName};
    for (char digit = '1'; digit <= '9'; ++digit) nineNumbered.push_back(std::string(30, 'a') + digit);
    struct Case {
        std::string title;
        std::vector<std::string> otherSheets;
        std::vector<std::string> roleTexts;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"distinct roles keep their names", {"Selected Roles"}, {"Video", "Titles"}, {"Video", "Titles"}},
        {"case variants are numbered",
         {},
         {"Music", "MUSIC", "music"},
         {"Music", "MUSIC1", "music2"}},
        {"fixed sheet names are taken",
         {"Selected Roles", "Markers", "Summary"},
         {"selected roles", "MARKERS", "Summary"},
         {"selected roles1", "MARKERS1", "Summary1"}},
        {"Unicode case folding, not lowercasing", {"Straße"}, {"STRASSE"}, {"STRASSE1"}},
        {"the application's own History sheet name is taken", {}, {"History", "history"}, {"History1", "history2"}},
        {"names equal once cleaned", {}, {"A/B", "A\\B", "A:/B"}, {"A|B", "A|B1", "A|B2"}},
        {"a number already in use is skipped", {"Video1"}, {"Video", "Video"}, {"Video", "Video2"}},
        {"full-length names are cut for the number",
         {},
         {longName, longName, longName},
         {longName, std::string(30, 'a') + "1", std::string(30, 'a') + "2"}},
        {"two-digit numbers cut one more character", nineNumbered, {longName}, {std::string(29, 'a') + "10"}},
        {"the cut for the number keeps whole characters",
         {std::string(29, 'z') + "e\u0301"},
         {std::string(29, 'Z') + "E\u0301"},
         {std::string(29, 'Z') + "1"}},
        {"an empty role becomes Role", {"Role"}, {"", "'"}, {"Role1", "Role2"}},
    };
    for (const Case& c : cases) {
        RoleSheetNames names(c.otherSheets);
        std::vector<std::string> taken;
        for (const std::string& text : c.roleTexts) taken.push_back(names.take(text));
        EXPECT_EQ(taken, c.expected) << c.title;
    }
}

TEST(RoleSheetNamesTest, TheSearchForAFreeNameIsBounded) {
    std::vector<std::string> taken = {"Role"};
    for (int number = 1; number <= 9999; ++number) taken.push_back("Role" + std::to_string(number));
    RoleSheetNames names(taken);
    EXPECT_THROW(names.take(""), std::runtime_error);
    EXPECT_EQ(names.take("Other"), "Other");
}

}  // namespace
}  // namespace tallyvane::testing
