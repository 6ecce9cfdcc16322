#pragma once
// Walks over document elements that the reader's passes share.

#include <optional>
#include <string>
#include <vector>

#include "xml/node_set.h"
#include "xml/xml_element.h"

namespace tallyvane {

// The nearest element among the three sibling nodes before the element (text and comments
// in between are passed over); absent when none of the three is an element.
std::optional<XMLElement> previousElementSibling(const XMLElement& element);
// The same looking forward.
std::optional<XMLElement> nextElementSibling(const XMLElement& element);

// The elements of a query result, in order.
std::vector<XMLElement> elementsOf(const NodeSet& nodes);

// The element's tag.
std::optional<std::string> tagName(const XMLElement& element);

}  // namespace tallyvane
