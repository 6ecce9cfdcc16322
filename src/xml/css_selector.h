#pragma once
// CSS selectors as XPath expressions relative to a context node.

#include <string>
#include <string_view>

namespace tallyvane {

// Comma-separated selectors, each made of element tokens (tag, "#id", ".class", "[attr]")
// joined by descendant (space), child (">"), adjacent ("+") and sibling ("~") combinators,
// become XPath paths joined by " | ". Text that no path can come from gives an invalid
// expression, which then fails at evaluation.
std::string xpathForCSS(std::string_view selectors);

}  // namespace tallyvane
