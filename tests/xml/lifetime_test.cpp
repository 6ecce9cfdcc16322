// Handles share ownership of their tree: whatever order they are released in, nothing
// dangles. These tests are meant to run under AddressSanitizer as well.

#include "printers.h"
#include "xml/xml_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <any>
#include <memory>
#include <string>

namespace tallyvane {
namespace {

constexpr const char* text =
    "<fcpxml xmlns:n=\"urn:n\"><event name=\"E\"><clip name=\"c1\"/><clip name=\"c2\"/></event></fcpxml>";

TEST(Lifetime, NodesOutliveTheirDocumentHandle) {
    std::optional<XMLElement> clip;
    std::optional<XMLElement> root;
    {
        XMLDocument doc = XMLDocument::fromCCharacters(text);
        clip = doc.xpath("//clip").first();
        root = doc.root();
    }
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->attr("name"), "c1");
    EXPECT_EQ(clip->parent()->attr("name"), "E");
    EXPECT_EQ(clip->xpath("../clip").count(), 2u);
    EXPECT_EQ(root->rawXML(), text);
    EXPECT_EQ(clip->document().root(), root);
}

TEST(Lifetime, NodeSetsOutliveDocumentAndContext) {
    NodeSet set;
    {
        XMLDocument doc = XMLDocument::fromCCharacters(text);
        XMLElement event = *doc.firstChildByXPath("//event");
        set = event.xpath("clip");
    }
    ASSERT_EQ(set.count(), 2u);
    EXPECT_EQ(set[1].attr("name"), "c2");
    EXPECT_EQ(set.next()->attr("name"), "c1");
}

TEST(Lifetime, ResultsOutliveEverythingElse) {
    std::optional<XPathFunctionResult> result;
    {
        XMLDocument doc = XMLDocument::fromCCharacters(text);
        result = doc.evaluate("string(//clip[2]/@name)");
    }
    ASSERT_TRUE(result);
    EXPECT_EQ(result->stringValue(), "c2");
}

TEST(Lifetime, NamespaceNodesKeepTheResultThatOwnsThem) {
    std::optional<XMLElement> namespaceNode;
    {
        XMLDocument doc = XMLDocument::fromCCharacters(text);
        NodeSet set = doc.xpath("/fcpxml/namespace::n");
        namespaceNode = set.first();
    }
    ASSERT_TRUE(namespaceNode);
    EXPECT_EQ(namespaceNode->type(), XML_NAMESPACE_DECL);
    EXPECT_EQ(namespaceNode->stringValue(), "urn:n");
}

TEST(Lifetime, EveryReleaseOrder) {
    // Document, set, element, namespace node, result: released in every order.
    std::vector<int> order = {0, 1, 2, 3, 4};
    int runs = 0;
    do {
        std::vector<std::any> held(5);
        {
            XMLDocument doc = XMLDocument::fromCCharacters(text);
            NodeSet set = doc.xpath("//clip");
            held[0] = std::make_shared<XMLDocument>(doc);
            held[1] = std::make_shared<NodeSet>(set);
            held[2] = std::make_shared<XMLElement>(set[0]);
            held[3] = std::make_shared<XMLElement>(doc.xpath("/fcpxml/namespace::n")[0]);
            held[4] = std::make_shared<XPathFunctionResult>(*doc.evaluate("count(//clip)"));
        }
        for (int index : order) {
            if (index == 2) {
                EXPECT_EQ(std::any_cast<std::shared_ptr<XMLElement>>(held[2])->attr("name"), "c1");
            } else if (index == 3) {
                EXPECT_EQ(std::any_cast<std::shared_ptr<XMLElement>>(held[3])->stringValue(), "urn:n");
            } else if (index == 4) {
                EXPECT_EQ(std::any_cast<std::shared_ptr<XPathFunctionResult>>(held[4])->doubleValue(), 2.0);
            }
            held[index].reset();
        }
        ++runs;
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(runs, 120);
}

TEST(Lifetime, HandedOutRelativesNeedNothingElseAlive) {
    std::vector<XMLElement> children;
    std::optional<XMLElement> documentNode;
    {
        XMLDocument doc = XMLDocument::fromCCharacters(text);
        children = doc.firstChildByXPath("//event")->children();
        documentNode = doc.root()->parent();
    }
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0].nextSibling(), children[1]);
    EXPECT_EQ(documentNode->firstChild("fcpxml")->tag(), "fcpxml");
}

}  // namespace
}  // namespace tallyvane
