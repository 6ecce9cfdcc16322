#pragma once
// Internals shared by the node, element, document and node set implementations.

#include "xml/document_state.h"
#include "xml/value_formatters.h"
#include "xml/xml_element.h"

#include <memory>
#include <optional>
#include <string>

namespace tallyvane::detail {

// Values computed at their first read; the tree never changes, so they stay right.
struct NodeCache {
    std::optional<long> lineNumber;
    std::optional<std::string> stringValue;
    std::optional<std::string> rawXML;
    std::optional<std::optional<std::string>> namespacePrefix;
    std::optional<std::optional<double>> numberValue;
    std::optional<std::optional<XMLDate>> dateValue;
};

struct NodeMaker {
    static XMLElement element(std::shared_ptr<DocumentState> document, xmlNodePtr node,
                              std::shared_ptr<const XPathResult> owner = nullptr) {
        return XMLElement(std::move(document), node, std::move(owner), true);
    }
    static XMLElement root(const std::shared_ptr<DocumentState>& document, xmlNodePtr node) {
        if (!document->rootCache) document->rootCache = std::make_shared<NodeCache>();
        XMLElement element(document, node, nullptr, true);
        element.cache_ = document->rootCache;
        return element;
    }
    static XMLNode plainNode(std::shared_ptr<DocumentState> document, xmlNodePtr node) {
        return XMLNode(std::move(document), node, nullptr, false);
    }
    static const std::shared_ptr<DocumentState>& stateOf(const XMLNode& node) { return node.document_; }
};

}  // namespace tallyvane::detail
