#pragma once
// An owned XPath evaluation result; it keeps its document alive, since freeing a node set
// reads the nodes it holds.

#include "xml/document_state.h"

#include <libxml/xpath.h>

#include <memory>

namespace tallyvane::detail {

class XPathResult {
public:
    XPathResult(xmlXPathObjectPtr object, std::shared_ptr<DocumentState> document)
        : object_(object), document_(std::move(document)) {}
    ~XPathResult() { xmlXPathFreeObject(object_); }
    XPathResult(const XPathResult&) = delete;
    XPathResult& operator=(const XPathResult&) = delete;

    const xmlXPathObject& object() const { return *object_; }
    const std::shared_ptr<DocumentState>& document() const { return document_; }

private:
    xmlXPathObjectPtr object_;
    std::shared_ptr<DocumentState> document_;
};

}  // namespace tallyvane::detail
