#include "printers.h"
#include "xml/xml_document.h"

#include <gtest/gtest.h>

#include <string>

namespace tallyvane {
namespace {

constexpr std::string_view indented =
    "<library xmlns=\"urn:default\" xmlns:fx=\"urn:fx\">\n"
    "  <event name=\"Day 1\" fx:id=\"e1\"/>\n"
    "  <!-- note -->\n"
    "  <fx:event name=\"Day 2\">text<clip/>more</fx:event>\n"
    "</library>";

TEST(XMLNodeTest, ChildrenAreNewHandlesThatCompareEqualWithTheirNamesAndPrefixes) {
    XMLDocument doc = parse(indented);
    std::vector<XMLElement> first = doc.root()->children();
    std::vector<XMLElement> second = doc.root()->children();
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first, second);
    EXPECT_NE(first[0], first[1]);
    EXPECT_EQ(doc.root()->child(1), first[1]);
    EXPECT_THROW(doc.root()->child(2), std::out_of_range);
    EXPECT_THROW(first[0].child(0), std::out_of_range);
    EXPECT_EQ(doc.root()->tag(), "library");
    EXPECT_EQ(doc.root()->namespacePrefix(), std::nullopt);
    EXPECT_EQ(first[1].tag(), "event");
    EXPECT_EQ(first[1].namespacePrefix(), "fx");
}

TEST(XMLNodeTest, ChildNodesByKind) {
    XMLDocument doc = parse(indented);
    struct Case { std::vector<xmlElementType> kinds; std::size_t count; std::size_t elements; };
    const Case cases[] = {
        {{XML_ELEMENT_NODE}, 2, 2},
        {{XML_COMMENT_NODE}, 1, 0},
        {{XML_TEXT_NODE}, 4, 0},
        {{XML_ELEMENT_NODE, XML_COMMENT_NODE, XML_TEXT_NODE}, 7, 2},
        {{}, 0, 0},
    };
    for (const auto& c : cases) {
        std::vector<XMLNode> nodes = doc.root()->childNodes(c.kinds);
        EXPECT_EQ(nodes.size(), c.count);
        std::size_t elements = 0;
        for (const XMLNode& node : nodes) {
            std::optional<XMLElement> element = node.toElement();
            EXPECT_EQ(element.has_value(), node.type() == XML_ELEMENT_NODE);
            if (element) ++elements;
        }
        EXPECT_EQ(elements, c.elements);
    }
}

TEST(XMLElementTest, ChildFiltersMatchNamesIgnoringCaseAndPrefixesNotUris) {
    XMLDocument doc = parse(indented);
    const XMLElement root = *doc.root();
    struct Case { std::string tag; std::optional<std::string> prefix; std::optional<xmlElementType> first; std::size_t elements; };
    const Case cases[] = {
        {"event", std::nullopt, XML_ELEMENT_NODE, 2},
        {"EVENT", std::nullopt, XML_ELEMENT_NODE, 2},
        {"event", "fx", XML_ELEMENT_NODE, 1},
        {"event", "FX", XML_ELEMENT_NODE, 1},
        {"event", "urn:fx", std::nullopt, 0},      // the argument is a prefix, never a URI
        {"event", "", std::nullopt, 0},            // a default namespace has no prefix
        {"text", std::nullopt, XML_TEXT_NODE, 0},  // libxml2 names text nodes "text"
        {"comment", std::nullopt, XML_COMMENT_NODE, 0},
        {"clip", std::nullopt, std::nullopt, 0},   // grandchildren are not children
        {std::string("event\0x", 7), std::nullopt, std::nullopt, 0},
    };
    for (const auto& c : cases) {
        std::optional<std::string_view> prefix;
        if (c.prefix) prefix = *c.prefix;
        std::optional<XMLElement> first = root.firstChild(c.tag, prefix);
        EXPECT_EQ(first.has_value(), c.first.has_value()) << c.tag;
        if (first && c.first) {
            EXPECT_EQ(first->type(), *c.first) << c.tag;
        }
        EXPECT_EQ(root.children(c.tag, prefix).size(), c.elements) << c.tag;
    }
    EXPECT_EQ(root.firstChild("event", "fx")->attr("name"), "Day 2");
}

TEST(XMLElementTest, AttributesByLocalName) {
    XMLDocument doc = parse("<a plain=\"1\" empty=\"\" xmlns:x=\"urn:x\" x:id=\"2\" amp=\"&amp;&#x25B8;\"/>");
    const XMLElement a = *doc.root();
    EXPECT_EQ(a.attributes(), (std::map<std::string, std::string>{
                                  {"plain", "1"}, {"empty", ""}, {"id", "2"}, {"amp", "&\xE2\x96\xB8"}}));
    struct Case { std::string name; std::optional<std::string> uri; std::optional<std::string> value; };
    const Case cases[] = {
        {"plain", std::nullopt, "1"},
        {"empty", std::nullopt, ""},
        {"missing", std::nullopt, std::nullopt},
        {"id", std::nullopt, "2"},          // without a namespace the local name is enough
        {"id", "urn:x", "2"},
        {"id", "urn:other", std::nullopt},
        {"plain", "urn:x", std::nullopt},
        {std::string("plain\0x", 7), std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.uri ? a.attr(c.name, *c.uri) : a.attr(c.name), c.value) << c.name;
    }
}

// The in-place form gives what `attr` gives: read from libxml2's text where it can be,
// composed for values made of several nodes, repaired where the bytes are broken.
TEST(XMLElementTest, AttributeTextsMatchTheCopies) {
    XMLDocument doc = parse("<!DOCTYPE a [<!ENTITY e \"E\"><!ATTLIST a fixed CDATA \"dflt\">]>"
                            "<a plain=\"1\" empty=\"\" ent=\"x&e;y\" bad=\"q\xFFr\"/>");
    const XMLElement a = *doc.root();
    for (const std::string_view name : {"plain", "empty", "ent", "bad", "fixed", "missing"}) {
        const std::optional<std::string> copy = a.attr(name);
        const std::optional<AttributeText> text = a.attrText(name);
        ASSERT_EQ(text.has_value(), copy.has_value()) << name;
        if (text) {
            EXPECT_EQ(text->view(), *copy) << name;
            EXPECT_EQ(text->str(), *copy) << name;
        }
    }
    EXPECT_EQ(a.attrText("bad")->view(), "q\xEF\xBF\xBDr");
    // The map holds, for each attribute's name, what `attr` gives (defaults are no attributes).
    const std::map<std::string, std::string> all = a.attributes();
    EXPECT_EQ(all.size(), 4u);
    for (const auto& [name, value] : all) EXPECT_EQ(a.attr(name), value) << name;
    // Two attributes of one local name in two namespaces: the first is the one `attr` finds.
    XMLDocument twice = parse("<a xmlns:x=\"urn:x\" xmlns:y=\"urn:y\" x:k=\"1\" y:k=\"2\"/>");
    EXPECT_EQ(twice.root()->attributes(), (std::map<std::string, std::string>{{"k", "1"}}));
    EXPECT_EQ(twice.root()->attr("k"), "1");
    EXPECT_TRUE(a.attrText("plain") == "1");
    EXPECT_TRUE(a.attrText("plain") != "2");
}

// A missing attribute is absent whether or not a DTD is there to declare defaults, and only
// a declared default stands in for one.
TEST(XMLElementTest, MissingAttributesTakeOnlyDeclaredDefaults) {
    struct Case { const char* markup; std::optional<std::string> fixed; };
    const Case cases[] = {
        {"<a x=\"1\"/>", std::nullopt},
        {"<!DOCTYPE a><a x=\"1\"/>", std::nullopt},
        {"<!DOCTYPE a [<!ATTLIST a other CDATA \"o\">]><a x=\"1\"/>", std::nullopt},
        {"<!DOCTYPE a [<!ATTLIST a fixed CDATA \"dflt\">]><a x=\"1\"/>", "dflt"},
    };
    for (const Case& c : cases) {
        XMLDocument doc = parse(c.markup);
        const XMLElement a = *doc.root();
        const std::optional<AttributeText> fixed = a.attrText("fixed");
        EXPECT_EQ(fixed ? std::optional<std::string>(fixed->str()) : std::nullopt, c.fixed) << c.markup;
        EXPECT_EQ(a.attr("fixed"), c.fixed) << c.markup;
        EXPECT_FALSE(a.attrText(std::string_view("x\0", 2))) << c.markup;
        EXPECT_EQ(a.attrText("x")->view(), "1") << c.markup;
    }
}

TEST(XMLElementTest, ValuesWithBrokenUtf8AreRepairedNamesAreNot) {
    XMLDocument doc = parse("<a x=\"q\xFFr\">t</a>");
    EXPECT_EQ(doc.root()->attr("x"), "q\xEF\xBF\xBDr");
    EXPECT_EQ(doc.root()->attributes().at("x"), "q\xEF\xBF\xBDr");
    EXPECT_EQ(doc.root()->rawXML(), "<a x=\"q&#xFF;r\">t</a>");  // libxml2 escapes what it cannot write
}

TEST(XMLElementTest, TextOfDescendantsAndEmptiness) {
    XMLDocument doc = parse("<r><a>one<b>two<![CDATA[<3>]]></b>three</a><e/><s> </s><c><!-- x --></c></r>");
    struct Case { std::string path; std::string text; bool empty; };
    const Case cases[] = {
        {"a", "onetwo<3>three", false},
        {"e", "", true},
        {"s", " ", false},
        {"c", "", true},
    };
    for (const auto& c : cases) {
        std::optional<XMLElement> e = doc.root()->firstChild(c.path);
        ASSERT_TRUE(e) << c.path;
        EXPECT_EQ(e->stringValue(), c.text) << c.path;
        EXPECT_EQ(e->hasEmptyValue(), c.empty) << c.path;
    }
    EXPECT_EQ(doc.root()->firstChild("a")->rawXML(), "<a>one<b>two<![CDATA[<3>]]></b>three</a>");
}

TEST(XMLElementTest, AnyNodeCanBeWrappedAsAnElement) {
    XMLDocument doc = parse("<a><b/></a>");
    xmlNodePtr b = doc.root()->cNode()->children;
    XMLElement element(b, doc);
    XMLNode node(b, doc);
    EXPECT_EQ(element.tag(), "b");
    EXPECT_TRUE(element.toElement());
    EXPECT_FALSE(node.toElement());
    EXPECT_EQ(node, element);
    EXPECT_THROW(XMLNode(nullptr, doc), std::invalid_argument);
    XMLDocument other = parse("<a><b/></a>");
    EXPECT_THROW(XMLNode(b, other), std::invalid_argument);
    EXPECT_THROW(XMLElement(b, other), std::invalid_argument);
}

}  // namespace
}  // namespace tallyvane
