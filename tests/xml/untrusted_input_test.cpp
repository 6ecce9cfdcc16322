// Entity expansion and external resources must stay inert whatever a document declares.

#include "printers.h"
#include "xml/xml_document.h"

#include <gtest/gtest.h>

#include <string>

namespace tallyvane {
namespace {

const std::string dataDir = std::string(TALLYVANE_TEST_DATA_DIR) + "/xml";
constexpr std::string_view secret = "TALLYVANE-SECRET-CONTENT";

std::optional<XMLError> refusal(std::string_view text) {
    try {
        parse(text);
    } catch (const XMLError& error) {
        return error;
    }
    return std::nullopt;
}

std::string repeated(std::string_view piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

std::string billionLaughs() {
    std::string text = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol0 \"lol\">";
    for (int level = 1; level <= 9; ++level) {
        text += "<!ENTITY lol" + std::to_string(level) + " \"" +
                repeated("&lol" + std::to_string(level - 1) + ";", 10) + "\">";
    }
    return text + "]><lolz a=\"&lol9;\">&lol9;</lolz>";
}

// One large entity referenced many times: each reference is cheap to parse, the text is not.
std::string quadraticBlowup(std::string_view where) {
    std::string text = "<!DOCTYPE a [<!ENTITY e \"" + std::string(10000, 'x') + "\">]>";
    const std::string references = repeated("&e;", 10000);
    return text + (where == "attribute" ? "<a v=\"" + references + "\"/>" : "<a>" + references + "</a>");
}

TEST(UntrustedInput, NestedEntityBombStaysEmpty) {
    // libxml2 stops expanding at the loop-and-amplification check; what it recovers holds nothing.
    XMLDocument doc = parse(billionLaughs());
    ASSERT_TRUE(doc.root());
    EXPECT_EQ(doc.root()->stringValue(), "");
    EXPECT_EQ(doc.root()->attr("a").value_or("").size(), 0u);
    EXPECT_EQ(doc.evaluate("string-length(/lolz)")->doubleValue(), 0.0);
}

TEST(UntrustedInput, RepeatedLargeEntityIsRefused) {
    EXPECT_EQ(refusal(quadraticBlowup("content")), XMLError::invalidData());
    EXPECT_EQ(refusal(quadraticBlowup("attribute")), XMLError::invalidData());
}

TEST(UntrustedInput, ModestEntityUseStillReads) {
    XMLDocument doc = parse("<!DOCTYPE a [<!ENTITY co \"Acme &amp; Co\"><!ENTITY both \"&co;/&co;\">]>"
                            "<a who=\"&co;\">&both; and &co;</a>");
    ASSERT_TRUE(doc.root());
    EXPECT_EQ(doc.root()->stringValue(), "Acme & Co/Acme & Co and Acme & Co");
    EXPECT_EQ(doc.root()->attr("who"), "Acme & Co");
    EXPECT_EQ(doc.root()->rawXML(), "<a who=\"&co;\">&both; and &co;</a>");  // references are kept, not substituted
    EXPECT_EQ(doc.evaluate("string-length(/a)")->doubleValue(), 33.0);
}

TEST(UntrustedInput, LoopingEntitiesStayInert) {
    // libxml2 stops at the loop; the text before it is what it recovers.
    XMLDocument doc = parse("<!DOCTYPE a [<!ENTITY x \"&y;\"><!ENTITY y \"&x;\">]><a>[&x;]</a>");
    ASSERT_TRUE(doc.root());
    EXPECT_EQ(doc.root()->stringValue(), "[");
}

TEST(UntrustedInput, ExternalResourcesAreNeverRead) {
    const std::string file = "file://" + dataDir + "/secret.txt";
    const std::string dtd = "file://" + dataDir + "/external.dtd";
    const std::string cases[] = {
        "<!DOCTYPE a [<!ENTITY xxe SYSTEM \"" + file + "\">]><a v=\"&xxe;\">[&xxe;]</a>",
        "<!DOCTYPE a SYSTEM \"" + dtd + "\"><a>[&leak;]</a>",
        "<!DOCTYPE a [<!ENTITY % ext SYSTEM \"" + dtd + "\"> %ext;]><a>[&leak;]</a>",
        "<!DOCTYPE a [<!ENTITY xxe SYSTEM \"http://127.0.0.1:9/secret\">]><a>[&xxe;]</a>",
        "<a xmlns:xi=\"http://www.w3.org/2001/XInclude\">[<xi:include href=\"" + file + "\" parse=\"text\"/>]</a>",
    };
    for (const std::string& text : cases) {
        XMLDocument doc = parse(text);
        ASSERT_TRUE(doc.root()) << text;
        EXPECT_EQ(doc.root()->stringValue(), "[]") << text;
        EXPECT_EQ(doc.root()->attributes().count("injected"), 0u) << text;
        EXPECT_EQ(doc.root()->attr("injected"), std::nullopt) << text;
        EXPECT_EQ(doc.root()->rawXML().find(secret), std::string::npos) << text;
        EXPECT_EQ(doc.evaluate("string(/a)")->stringValue(), "[]") << text;
    }
}

// libxml2 checks each attribute against every earlier one of its element: 80,000 took 14 s.
TEST(UntrustedInput, AbsurdAttributeCountsAreRefusedBeforeParsing) {
    const auto element = [](int count, std::string_view quote, std::string_view space) {
        std::string text = "<a";
        for (int i = 0; i < count; ++i) {
            text += " a" + std::to_string(i) + std::string(space) + "=" + std::string(space) + std::string(quote) +
                    "v" + std::string(quote);
        }
        return text + "/>";
    };
    const auto utf16 = [](std::string_view ascii) {
        std::string bytes = "\xff\xfe";
        for (char c : ascii) bytes += std::string{c, '\0'};
        return bytes;
    };
    std::string defaults = "<!DOCTYPE a [<!ATTLIST a";
    for (int i = 0; i < 10001; ++i) defaults += " d" + std::to_string(i) + " CDATA 'v'";
    const struct {
        std::string text;
        bool refused;
    } cases[] = {
        {element(10000, "\"", ""), false},
        {element(10001, "\"", ""), true},
        {element(10001, "'", " \n"), true},
        {element(200000, "\"", ""), true},
        {std::string(37, ' ') + element(10001, "'", ""), true},  // the same, shifted against the blocks scanned
        {utf16(element(10001, "\"", "")), true},
        {defaults + "]><a/>", true},
        // Not attributes: '=' in text, and '<' ending what was counted.
        {"<a>" + std::string(20000, '=') + "\"</a>", false},
        {element(6000, "\"", "").insert(40000, "<") + element(6000, "\"", ""), false},
        {[] { std::string text = "<a"; for (int i = 0; i < 20000; ++i) text += " <=\"v\""; return text + "/>"; }(), false},
    };
    for (const auto& c : cases) {
        const std::optional<XMLError> error = refusal(c.text);
        EXPECT_EQ(error.has_value(), c.refused) << c.text.substr(0, 60);
        if (c.refused && error) {
            EXPECT_EQ(error->message(), "An element has more than 10000 attributes, far more than any real document holds.");
        }
    }
}

// What libxml2 has to say goes to the error handler, never to standard error.
TEST(UntrustedInput, LibxmlPrintsNothing) {
    const std::string cases[] = {
        "<?xml version='1.0' encoding='Shift_JIS'?><a>\x81</a>",
        std::string("\xff\xfe<\0a\0>\0\0\xd8<\0/\0a\0>\0", 16),
        "<a><b></a>",
    };
    for (const std::string& text : cases) {
        ::testing::internal::CaptureStderr();
        refusal(text);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << text;
    }
}

TEST(UntrustedInput, DeeplyNestedDocumentsParseWithoutOverflow) {
    const int depth = 5000;
    std::string text = repeated("<d>", depth) + "x" + repeated("</d>", depth);
    XMLDocument doc = parse(text);  // recovered: libxml2 stops at its nesting limit
    ASSERT_TRUE(doc.root());
    EXPECT_FALSE(doc.root()->rawXML().empty());
}

}  // namespace
}  // namespace tallyvane
