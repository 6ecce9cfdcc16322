#pragma once
// Any node of a parsed tree.
//
// A node is a small handle: the libxml2 node, shared ownership of its document, and a
// cache of the values that cost a walk of the tree. Copies share the cache. Reads never
// change the tree, and every read that yields a node makes a new handle; two handles of
// one libxml2 node compare equal.

#include <libxml/tree.h>

#include <memory>
#include <optional>
#include <string>

namespace tallyvane {

class XMLDocument;
class XMLElement;

namespace detail {
struct DocumentState;
struct NodeCache;
class XPathResult;
struct NodeMaker;
}  // namespace detail

class XMLNode {
public:
    // A handle for a node of the document's tree.
    XMLNode(xmlNodePtr node, const XMLDocument& document);

    // libxml2's kind of the node, read each time.
    xmlElementType type() const;
    // Source line of the node, -1 when libxml2 knows none.
    long lineNumber() const;

    // Relatives of any kind (the root element's parent is the document node).
    std::optional<XMLElement> parent() const;
    std::optional<XMLElement> previousSibling() const;
    std::optional<XMLElement> nextSibling() const;

    bool isHTML() const;
    // Text of the node and its descendants.
    std::string stringValue() const;
    // The node as markup, without indentation; a namespace node as its declaration.
    std::string rawXML() const;
    std::string description() const { return rawXML(); }

    // The same node seen as an element handle; absent when it was made as a plain node.
    std::optional<XMLElement> toElement() const;

    XMLDocument document() const;
    xmlNodePtr cNode() const { return node_; }
    // A handle for another node of this node's own tree, such as one reached by walking
    // it from `cNode()`, without the check that the constructors make.
    XMLElement relative(xmlNodePtr node) const;

    bool operator==(const XMLNode& other) const { return node_ == other.node_; }

protected:
    XMLNode(xmlNodePtr node, const XMLDocument& document, bool madeAsElement);
    XMLNode(std::shared_ptr<detail::DocumentState> document, xmlNodePtr node,
            std::shared_ptr<const detail::XPathResult> owner, bool madeAsElement);

    detail::NodeCache& cache() const;
    const std::shared_ptr<detail::DocumentState>& state() const { return document_; }

private:
    friend struct detail::NodeMaker;

    std::shared_ptr<detail::DocumentState> document_;
    // Namespace nodes of a query result are copies that the result owns; it is held for them.
    std::shared_ptr<const detail::XPathResult> owner_;
    xmlNodePtr node_;
    bool madeAsElement_;
    mutable std::shared_ptr<detail::NodeCache> cache_;
};

}  // namespace tallyvane
