#include "xml/xml_node.h"

#include "xml/document_state.h"
#include "xml/libxml_errors.h"
#include "xml/libxml_text.h"
#include "xml/node_access.h"
#include "xml/node_internals.h"
#include "xml/xml_document.h"

#include <libxml/HTMLtree.h>

#include <stdexcept>

namespace tallyvane {

namespace {

struct BufferFree {
    void operator()(xmlBufferPtr buffer) const { xmlBufferFree(buffer); }
};

}  // namespace

XMLNode::XMLNode(xmlNodePtr node, const XMLDocument& document) : XMLNode(node, document, false) {}

XMLNode::XMLNode(xmlNodePtr node, const XMLDocument& document, bool madeAsElement)
    : XMLNode(document.state_, node, nullptr, madeAsElement) {
    // The handle keeps only this document alive; a node of another tree would dangle.
    if (detail::hasLinks(node) && node->doc != document.cDocument()) {
        throw std::invalid_argument("XMLNode: the node belongs to another document");
    }
}

XMLNode::XMLNode(std::shared_ptr<detail::DocumentState> document, xmlNodePtr node,
                 std::shared_ptr<const detail::XPathResult> owner, bool madeAsElement)
    : document_(std::move(document)), owner_(std::move(owner)), node_(node), madeAsElement_(madeAsElement) {
    if (node_ == nullptr || !document_) throw std::invalid_argument("XMLNode needs a node and its document");
}

detail::NodeCache& XMLNode::cache() const {
    if (!cache_) cache_ = std::make_shared<detail::NodeCache>();
    return *cache_;
}

XMLElement XMLNode::relative(xmlNodePtr node) const { return detail::NodeMaker::element(document_, node); }

xmlElementType XMLNode::type() const { return node_->type; }

long XMLNode::lineNumber() const {
    auto& cached = cache().lineNumber;
    // libxml2 looks at neighbours for some kinds, which a namespace node does not have.
    if (!cached) cached = detail::hasLinks(node_) ? xmlGetLineNo(node_) : -1;
    return *cached;
}

std::optional<XMLElement> XMLNode::parent() const {
    if (xmlNodePtr node = detail::parentOf(node_)) return relative(node);
    return std::nullopt;
}

std::optional<XMLElement> XMLNode::previousSibling() const {
    if (xmlNodePtr node = detail::previousOf(node_)) return relative(node);
    return std::nullopt;
}

std::optional<XMLElement> XMLNode::nextSibling() const {
    if (xmlNodePtr node = detail::nextOf(node_)) return relative(node);
    return std::nullopt;
}

bool XMLNode::isHTML() const { return (document_->doc->properties & XML_DOC_HTML) != 0; }

std::string XMLNode::stringValue() const {
    auto& cached = cache().stringValue;
    if (!cached) cached = detail::takeText(xmlNodeGetContent(node_));
    return *cached;
}

std::string XMLNode::rawXML() const {
    auto& cached = cache().rawXML;
    if (cached) return *cached;
    std::unique_ptr<xmlBuffer, BufferFree> buffer(xmlBufferCreate());
    if (!buffer) {
        cached = std::string();
        return *cached;
    }
    // libxml2 reports characters it had to escape; they are escaped, which is all we want.
    detail::ErrorCapture quiet;
    if (isHTML()) {
        htmlNodeDump(buffer.get(), document_->doc, node_);
    } else {
        xmlNodeDump(buffer.get(), document_->doc, node_, 0, 0);
    }
    cached = detail::textFrom(xmlBufferContent(buffer.get()));
    return *cached;
}

std::optional<XMLElement> XMLNode::toElement() const {
    if (!madeAsElement_) return std::nullopt;
    XMLElement element(document_, node_, owner_, true);
    element.cache_ = cache_;
    return element;
}

XMLDocument XMLNode::document() const { return XMLDocument(document_); }

}  // namespace tallyvane
