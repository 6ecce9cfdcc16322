#pragma once
// The one evaluation path of every query.

#include "xml/xpath_result.h"

#include <memory>
#include <string_view>

namespace tallyvane::detail {

// Evaluates the expression with `context` as the context node. Registered prefixes: the
// declarations in scope at the context node (the nearest declaration of a prefix wins),
// then the document's own definitions over them. Throws XMLError: libxml2's error when it
// recorded one, otherwise `xpathError` 1207.
std::shared_ptr<const XPathResult> evaluateXPath(const std::shared_ptr<DocumentState>& document,
                                                 xmlNodePtr context, std::string_view expression);

}  // namespace tallyvane::detail
