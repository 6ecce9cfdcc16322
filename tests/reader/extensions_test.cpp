// The text and node operations the passes share.

#include <gtest/gtest.h>

#include "reader/child_elements.h"
#include "reader/node_extensions.h"
#include "reader/text_extensions.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

using Parts = std::vector<std::string>;

TEST(TextExtensions, ComponentsNonEmptyDropsEmptyParts) {
    const std::vector<std::tuple<std::string, std::string, Parts>> cases{
        {"1.11", "d", {"1.11"}},         {"d1.6dd", "d", {"1.6"}},          {"dd", "d", {}},
        {"", ".", {}},                   {"a.b.c", ".", {"a", "b", "c"}},   {"..a..b..", ".", {"a", "b"}},
        {"x=ITT.en", "=", {"x", "ITT.en"}}, {"a ▸ b", " ▸ ", {"a", "b"}}, {"abc", "", {"abc"}}};
    for (const auto& [text, separator, parts] : cases) {
        EXPECT_EQ(componentsNonEmpty(text, separator), parts) << text << " at " << separator;
    }
}

TEST(TextExtensions, LastCharacterIsAWholeGraphemeCluster) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases{
        {"", std::nullopt},
        {"abc", "c"},
        {"Cafe\u0301", "e\u0301"},
        {"flag \U0001F1E9\U0001F1EA", "\U0001F1E9\U0001F1EA"},
        {"\u00e9", "\u00e9"},
        {"x/", "/"}};
    for (const auto& [text, last] : cases) EXPECT_EQ(lastCharacter(text), last) << text;
}

TEST(TextExtensions, ReplacingOccurrencesScansTheOriginalOnce) {
    EXPECT_EQ(replacingOccurrences("1.1.6", "1.", ""), "6");
    EXPECT_EQ(replacingOccurrences("11..6", "1.", ""), "1.6");
    EXPECT_EQ(replacingOccurrences("1.5.1", "1.", ""), "5.1");
    EXPECT_EQ(replacingOccurrences("file:///Volumes/a/file:///Volumes/b", "file:///Volumes/", "x/"), "x/a/x/b");
    EXPECT_EQ(replacingOccurrences("abc", "", "x"), "abc");
}

TEST(TextExtensions, ReadDecimalIntegerTakesOneSignAndDigitsOnly) {
    const std::vector<std::pair<std::string, std::optional<std::int64_t>>> cases{
        {"1920", 1920},       {"+7", 7},      {"-2", -2},  {"0", 0},
        {"1920px", std::nullopt}, {"", std::nullopt}, {"+", std::nullopt}, {"-", std::nullopt},
        {"+-5", std::nullopt}, {"--5", std::nullopt}, {" 5", std::nullopt}, {"5 ", std::nullopt},
        {"9223372036854775807", INT64_MAX}, {"9223372036854775808", std::nullopt}, {"1.5", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(readDecimalInteger(text), value) << text;
}

TEST(TextExtensions, FcpxmlStringKeepsTheTermsAsTheyAre) {
    EXPECT_EQ(fcpxmlString(MediaTime::make(1001, 30000)), "1001/30000s");
    EXPECT_EQ(fcpxmlString(MediaTime::make(-1, 600)), "-1/600s");
    EXPECT_EQ(fcpxmlString(MediaTime::make(0, 600)), "0s");
    EXPECT_EQ(fcpxmlString(MediaTime::make(0, 1)), "0s");
    EXPECT_EQ(fcpxmlString(MediaTime::make(100, 2400)), "100/2400s");
}

TEST(TextExtensions, Base64IsPaddedToWholeGroupsBeforeDecoding) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases{
        {"", ""},
        {"TWFu", "Man"},
        {"TWE=", "Ma"},
        {"TWE", "Ma"},        // padded with one "="
        {"TQ", "M"},          // padded with two
        {"dGFsbHk=", "tally"},
        {"dGFsbHl2YW5l", "tallyvane"},
        {"T", std::nullopt},  // three "=" make no group
        {"TW=u", std::nullopt},
        {"TWFu\n", std::nullopt},
        {"TW u", std::nullopt},
        {"TWFu-_", std::nullopt},
        {"=TWF", std::nullopt}};
    for (const auto& [text, decoded] : cases) EXPECT_EQ(base64Decoded(text), decoded) << text;
    EXPECT_EQ(base64DecodedString("w6k="), "\u00e9");
    EXPECT_EQ(base64DecodedString("/w=="), std::nullopt) << "a lone 0xFF is no text";
    EXPECT_EQ(base64DecodedString("%%%%"), std::nullopt);
}

class NodeExtensions : public ::testing::Test {
protected:
    testing::PassFixture fixture{testing::readerData("siblings.fcpxml")};
};

TEST_F(NodeExtensions, ElementSiblingsAreLookedForWithinThreeNodes) {
    // Each case: the element, and the tag of the element sibling expected before and after it.
    const std::vector<std::tuple<std::string, std::optional<std::string>, std::optional<std::string>>> cases{
        {"//spine/*[@name='first']", std::nullopt, "gap"},
        {"//spine/gap", "asset-clip", std::nullopt},
        {"//spine/*[@name='far']", std::nullopt, std::nullopt},  // text, comment, text, then the title: too far
        {"//spine/title", std::nullopt, "asset-clip"},
        {"//spine/*[@name='second spine']", "title", std::nullopt}};
    for (const auto& [path, before, after] : cases) {
        const XMLElement element = fixture.element(path);
        const auto previous = previousElementSibling(element);
        const auto next = nextElementSibling(element);
        EXPECT_EQ(previous ? previous->tag() : std::nullopt, before) << path;
        EXPECT_EQ(next ? next->tag() : std::nullopt, after) << path;
    }
}

TEST_F(NodeExtensions, QueriesFromAnElementAndFromAList) {
    const XMLElement sequence = fixture.element("//sequence");
    const std::vector<XMLElement> spines = sequence.children("spine");
    const auto names = [](const std::vector<XMLElement>& elements) {
        std::vector<std::string> result;
        for (const XMLElement& element : elements) result.push_back(element.attr("name").value_or("?"));
        return result;
    };
    // Each element's results in document order, the elements' results one after the other.
    EXPECT_EQ(names(xpath(spines, "title | asset-clip")),
              (std::vector<std::string>{"first", "far", "t", "second spine"}));
    EXPECT_EQ(names(xpath(spines, "gap")), std::vector<std::string>{"g"});
    EXPECT_TRUE(xpath(spines, "marker").empty());
    EXPECT_TRUE(xpath(std::vector<XMLElement>{}, "*").empty());

    EXPECT_EQ(firstMatch(sequence, "spine/*")->attr("name"), "first");
    EXPECT_EQ(firstMatch(sequence, "spine/title")->attr("name"), "t");
    EXPECT_FALSE(firstMatch(sequence, "spine/marker"));
    EXPECT_FALSE(firstMatch(sequence, "(("));  // an expression that does not compile finds nothing
    EXPECT_EQ(tagName(sequence), "sequence");
}

TEST_F(NodeExtensions, ChildSelectionsInOneWalkAgreeWithTheirQueries) {
    const std::vector<XMLElement> spines = fixture.element("//sequence").children("spine");
    const auto names = [](const std::vector<XMLElement>& elements) {
        std::vector<std::string> result;
        for (const XMLElement& element : elements) result.push_back(element.attr("name").value_or("?"));
        return result;
    };
    // Each group's list is what its query over the spines gives; a tag named by two groups
    // belongs to the first, and the list of a group whose tags nothing has is empty.
    const auto query = [&](std::string_view expression) { return xpath(spines, expression); };
    const auto groups = childElementGroups(spines, {{"asset-clip", "title"}, {"gap", "title"}, {"marker"}});
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(names(groups[0]), names(query("asset-clip | title")));
    EXPECT_EQ(names(groups[1]), names(query("gap")));
    EXPECT_TRUE(groups[2].empty());
    EXPECT_EQ(names(childElements(spines, {"asset-clip", "title"})), names(groups[0]));

    const auto byTag = childElementsByTag(spines, {"title", "asset-clip", "gap"});
    ASSERT_EQ(byTag.size(), 3u);
    for (std::size_t i = 0; const char* tag : {"title", "asset-clip", "gap"}) {
        EXPECT_EQ(names(byTag[i++]), names(query(tag))) << tag;
    }
    EXPECT_TRUE(childElementGroups({}, {{"asset-clip"}})[0].empty());
}

}  // namespace
}  // namespace tallyvane
