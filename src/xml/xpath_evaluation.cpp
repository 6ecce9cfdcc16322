#include "xml/xpath_evaluation.h"

#include "xml/libxml_errors.h"
#include "xml/node_access.h"

#include <libxml/xpathInternals.h>

#include <string>

namespace tallyvane::detail {

namespace {

constexpr int invalidExpressionCode = XML_XPATH_EXPR_ERROR;  // 1207

struct ContextFree {
    void operator()(xmlXPathContextPtr context) const { xmlXPathFreeContext(context); }
};

void registerDeclarationsInScope(xmlXPathContextPtr context, const xmlNode* node) {
    for (; node != nullptr; node = parentOf(node)) {
        for (const xmlNs* ns = namespaceDeclarationsOf(node); ns != nullptr; ns = ns->next) {
            // Walking outwards, the first declaration met is the one in scope.
            if (ns->prefix != nullptr && ns->href != nullptr && xmlXPathNsLookup(context, ns->prefix) == nullptr) {
                xmlXPathRegisterNs(context, ns->prefix, ns->href);
            }
        }
    }
}

}  // namespace

std::shared_ptr<const XPathResult> evaluateXPath(const std::shared_ptr<DocumentState>& document,
                                                 xmlNodePtr context, std::string_view expression) {
    const XMLError fallback = XMLError::xpathError(invalidExpressionCode);
    // libxml2 would read the expression only up to a NUL and evaluate something else.
    if (expression.find('\0') != std::string_view::npos) throw fallback;
    const std::string text(expression);

    ErrorCapture capture;
    std::unique_ptr<xmlXPathContext, ContextFree> xpathContext(xmlXPathNewContext(document->doc));
    if (!xpathContext) throw capture.errorOr(fallback);
    xpathContext->node = context;
    registerDeclarationsInScope(xpathContext.get(), context);
    for (const auto& [prefix, uri] : document->namespaces) {
        xmlXPathRegisterNs(xpathContext.get(), reinterpret_cast<const xmlChar*>(prefix.c_str()),
                           reinterpret_cast<const xmlChar*>(uri.c_str()));
    }
    xmlXPathObjectPtr object = xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(text.c_str()), xpathContext.get());
    if (object == nullptr) throw capture.errorOr(fallback);
    return std::make_shared<const XPathResult>(object, document);
}

}  // namespace tallyvane::detail
