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

TEST(Lifetime, EveryReleaseOrder) {
    // Document, set, element, namespace node, result: released in every order.
    std::vector<int> order = {0, 1, 2, 3, 4};
    int runs = 0;
    do {
        std::vector<std::any> held(5);
        {
            XMLDocument doc = XMLDocument::fromCCharacters(text);
            // The set outlives its context element as well; the namespace node outlives the set that owned it.
            NodeSet set = doc.firstChildByXPath("//event")->xpath("clip");
            held[0] = std::make_shared<XMLDocument>(doc);
            held[1] = std::make_shared<NodeSet>(set);
            held[2] = std::make_shared<XMLElement>(set[0]);
            held[3] = std::make_shared<XMLElement>(doc.xpath("/fcpxml/namespace::n")[0]);
            held[4] = std::make_shared<XPathFunctionResult>(*doc.evaluate("string(//clip[2]/@name)"));
        }
        for (int index : order) {
            if (index == 1) {
                const auto set = std::any_cast<std::shared_ptr<NodeSet>>(held[1]);
                ASSERT_EQ(set->count(), 2u);
                EXPECT_EQ((*set)[1].attr("name"), "c2");
                EXPECT_EQ(set->next()->attr("name"), "c1");
            } else if (index == 2) {
                const auto clip = std::any_cast<std::shared_ptr<XMLElement>>(held[2]);
                EXPECT_EQ(clip->attr("name"), "c1");
                EXPECT_EQ(clip->parent()->attr("name"), "E");
                EXPECT_EQ(clip->xpath("../clip").count(), 2u);
                EXPECT_EQ(clip->document().root()->rawXML(), text);
                EXPECT_EQ(clip->document().root(), clip->parent()->parent());
            } else if (index == 3) {
                const auto namespaceNode = std::any_cast<std::shared_ptr<XMLElement>>(held[3]);
                EXPECT_EQ(namespaceNode->type(), XML_NAMESPACE_DECL);
                EXPECT_EQ(namespaceNode->stringValue(), "urn:n");
            } else if (index == 4) {
                EXPECT_EQ(std::any_cast<std::shared_ptr<XPathFunctionResult>>(held[4])->stringValue(), "c2");
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
