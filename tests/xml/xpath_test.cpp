#include "printers.h"
#include "xml/xml_document.h"

#include <gtest/gtest.h>

#include <string>

namespace tallyvane {
namespace {

std::optional<XMLError> errorOf(const XMLElement& context, std::string_view expression) {
    try {
        context.checkedXPath(expression);
    } catch (const XMLError& error) {
        return error;
    }
    return std::nullopt;
}

constexpr std::string_view project =
    "<fcpxml version=\"1.10\">"
    "<resources><format id=\"r1\" frameDuration=\"1/25s\"/><asset id=\"r2\" name=\"A\"/></resources>"
    "<library><event name=\"E\"><asset-clip ref=\"r2\" offset=\"0s\"/><asset-clip ref=\"r2\" offset=\"5s\"/></event></library>"
    "</fcpxml>";

TEST(XPathQuery, FailuresByForm) {
    XMLDocument doc = parse(project);
    const XMLElement root = *doc.root();
    struct Case { std::string expression; XMLError error; };
    const Case cases[] = {
        {"//format[", XMLError::libXMLError(1207, "Invalid expression")},
        {"", XMLError::libXMLError(1207, "Invalid expression")},
        {"//q:format", XMLError::libXMLError(1219, "Undefined namespace prefix")},
        {"no-such-function()", XMLError::libXMLError(1209, "Unregistered function")},
        {"$undefined", XMLError::libXMLError(1205, "Undefined variable")},
        {std::string("//format\0[", 10), XMLError::xpathError(1207)},  // never evaluated cut short
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(root, c.expression), c.error) << c.expression;
        EXPECT_TRUE(root.xpath(c.expression).isEmpty()) << c.expression;
        EXPECT_EQ(root.xpath(c.expression).count(), 0u) << c.expression;
        EXPECT_FALSE(root.firstChildByXPath(c.expression)) << c.expression;
        EXPECT_FALSE(root.evaluate(c.expression)) << c.expression;
        EXPECT_FALSE(doc.firstChildByXPath(c.expression)) << c.expression;
    }
}

TEST(XPathQuery, ScalarResultsGiveNoNodesButValues) {
    XMLDocument doc = parse(project);
    const XMLElement root = *doc.root();
    struct Case { std::string expression; double number; std::string text; bool truth; };
    const Case cases[] = {
        {"count(//asset-clip)", 2.0, "", false},
        {"string(//asset/@name)", 0.0, "A", false},
        {"count(//asset-clip) = 2", 0.0, "", true},
        {"boolean(//missing)", 0.0, "", false},
    };
    for (const auto& c : cases) {
        NodeSet set = root.xpath(c.expression);
        EXPECT_EQ(set.count(), 0u) << c.expression;
        EXPECT_TRUE(set.isEmpty()) << c.expression;
        EXPECT_FALSE(set.first()) << c.expression;
        std::optional<XPathFunctionResult> result = root.evaluate(c.expression);
        ASSERT_TRUE(result) << c.expression;
        EXPECT_EQ(result->doubleValue(), c.number) << c.expression;
        EXPECT_EQ(result->stringValue(), c.text) << c.expression;
        EXPECT_EQ(result->boolValue(), c.truth) << c.expression;
    }
}

TEST(XPathQuery, NamespacePrefixesInScopeAndDefined) {
    XMLDocument doc = parse(
        "<root xmlns:p=\"urn:outer\" xmlns:q=\"urn:q\">"
        "<p:item n=\"outer\"/>"
        "<mid xmlns:p=\"urn:inner\"><p:item n=\"inner\"/><leaf/></mid>"
        "<d:item xmlns:d=\"urn:d\" n=\"local\"/>"
        "<e xmlns=\"urn:default\"><b/></e>"
        "</root>");
    const XMLElement root = *doc.root();
    XMLElement leaf = *root.firstChildByXPath("//leaf");
    struct Case { const XMLElement* context; std::string expression; std::vector<std::string> names; };
    const Case cases[] = {
        {&root, "//p:item", {"outer"}},                 // the root's own declaration
        {&leaf, "//p:item", {"inner"}},                 // the nearest declaration binds
        {&leaf, "//q:*", {}},
        {&root, "//*[namespace-uri()='urn:d']", {"local"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names;
        for (const XMLElement& e : c.context->xpath(c.expression)) names.push_back(e.attr("n").value_or("?"));
        EXPECT_EQ(names, c.names) << c.expression;
    }
    // Declared below the context only: unknown until the document defines it.
    EXPECT_EQ(errorOf(root, "//d:item"), XMLError::libXMLError(1219, "Undefined namespace prefix"));
    doc.defineNamespacePrefix("d", "urn:d");
    EXPECT_EQ(root.xpath("//d:item").count(), 1u);
    // A definition of the document's own goes over the tree's declaration.
    doc.defineNamespacePrefix("p", "urn:inner");
    EXPECT_EQ(root.xpath("//p:item").first()->attr("n"), "inner");
    // Elements in a default namespace need a defined prefix.
    EXPECT_EQ(doc.xpath("//b").count(), 0u);
    doc.defineNamespacePrefix("n", "urn:default");
    EXPECT_EQ(doc.xpath("//n:b").count(), 1u);
}

TEST(NodeSetTest, CursorAndIterationAreIndependent) {
    XMLDocument doc = parse(project);
    NodeSet set = doc.xpath("//asset-clip");
    ASSERT_EQ(set.count(), 2u);
    std::vector<std::optional<std::string>> seen;
    for (int i = 0; i < 4; ++i) {
        std::optional<XMLElement> e = set.next();
        seen.push_back(e ? e->attr("offset") : std::nullopt);
    }
    EXPECT_EQ(seen, (std::vector<std::optional<std::string>>{"0s", "5s", std::nullopt, std::nullopt}));
    EXPECT_EQ(set.cursor(), 4u);
    std::vector<std::string> iterated;
    for (const XMLElement& e : set) iterated.push_back(*e.attr("offset"));
    EXPECT_EQ(iterated, (std::vector<std::string>{"0s", "5s"}));
    EXPECT_EQ(set.cursor(), 4u);
    set.setCursor(1);
    EXPECT_EQ(set.next()->attr("offset"), "5s");
    EXPECT_EQ(std::distance(set.begin(), set.end()), 2);
}

TEST(NodeSetTest, IndexAccessIsBoundsChecked) {
    XMLDocument doc = parse(project);
    NodeSet set = doc.xpath("//asset-clip");
    EXPECT_EQ(set[1].attr("offset"), "5s");
    EXPECT_THROW(set[2], std::out_of_range);
    EXPECT_THROW(set[static_cast<std::size_t>(-1)], std::out_of_range);
    NodeSet empty = doc.xpath("//missing");
    EXPECT_THROW(empty[0], std::out_of_range);
    NodeSet failed = doc.xpath("((");
    EXPECT_FALSE(failed.first());
    EXPECT_EQ(failed.count(), 0u);
    EXPECT_THROW(failed[0], std::out_of_range);
    EXPECT_EQ(failed.begin(), failed.end());
    // Failed queries do not share a cursor.
    failed.next();
    failed.next();
    EXPECT_EQ(failed.cursor(), 2u);
    EXPECT_EQ(doc.xpath("((").cursor(), 0u);
}

TEST(NodeSetTest, NodesOfEveryKindGiveSafeReads) {
    XMLDocument doc = parse("<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY e \"ent\">]>"
                            "<a xmlns:p=\"urn:p\" x=\"1\" p:y=\"2\">t&e;<!--c--><?pi data?></a>");
    struct Case {
        std::string expression; xmlElementType kind; std::optional<std::string> tag; std::string text; std::size_t children;
        std::optional<std::string> markup;  // the document's is the whole text
    };
    const Case cases[] = {
        {"/", XML_DOCUMENT_NODE, std::nullopt, "tent", 1, std::nullopt},
        {"/a/@x", XML_ATTRIBUTE_NODE, "x", "1", 0, " x=\"1\""},
        {"/a/@p:y", XML_ATTRIBUTE_NODE, "y", "2", 0, " p:y=\"2\""},
        {"/a/namespace::p", XML_NAMESPACE_DECL, std::nullopt, "urn:p", 0, " xmlns:p=\"urn:p\""},
        {"/a/text()", XML_TEXT_NODE, "text", "t", 0, "t"},
        {"/a/comment()", XML_COMMENT_NODE, "comment", "c", 0, "<!--c-->"},
        {"/a/processing-instruction()", XML_PI_NODE, "pi", "data", 0, "<?pi data?>"},
    };
    for (const auto& c : cases) {
        NodeSet set = doc.root()->xpath(c.expression);
        ASSERT_FALSE(set.isEmpty()) << c.expression;
        XMLElement node = set[0];
        EXPECT_EQ(node.type(), c.kind) << c.expression;
        EXPECT_EQ(node.tag(), c.tag) << c.expression;
        EXPECT_EQ(node.stringValue(), c.text) << c.expression;
        // Element-only reads of other kinds are absent or empty, never garbage.
        EXPECT_EQ(node.children().size(), c.children) << c.expression;
        EXPECT_FALSE(node.firstChild("x", "p")) << c.expression;
        if (c.kind != XML_ELEMENT_NODE) {
            EXPECT_TRUE(node.attributes().empty()) << c.expression;
            EXPECT_FALSE(node.attr("x")) << c.expression;
            EXPECT_FALSE(node.attr("y", "urn:p")) << c.expression;
        }
        if (c.kind != XML_ATTRIBUTE_NODE) {
            EXPECT_EQ(node.namespacePrefix(), std::nullopt) << c.expression;
        }
        if (c.markup) {
            EXPECT_EQ(node.rawXML(), *c.markup) << c.expression;
        }
        node.lineNumber();
        node.parent();
        node.nextSibling();
        node.previousSibling();
        // A query from any kind of context node stays safe too.
        node.xpath("..");
        node.xpath("p:*");
    }
    XMLElement attribute = doc.root()->xpath("/a/@p:y")[0];
    EXPECT_EQ(attribute.namespacePrefix(), "p");
    EXPECT_EQ(attribute.parent(), *doc.root());
    EXPECT_EQ(doc.root()->xpath("/a/namespace::p")[0].parent(), std::nullopt);
    EXPECT_EQ(doc.root()->xpath("/")[0].childNodes({XML_DTD_NODE}).size(), 1u);
    // Names of every kind count: the document type declaration is named "a" too.
    EXPECT_EQ(doc.root()->xpath("/")[0].firstChild("a")->type(), XML_DTD_NODE);
    EXPECT_EQ(doc.root()->xpath("/")[0].children("a"), std::vector<XMLElement>{*doc.root()});
}

}  // namespace
}  // namespace tallyvane
