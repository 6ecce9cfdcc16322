#pragma once
// Walks over document elements that the reader's passes share.

#include <optional>
#include <string>
#include <string_view>
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

// The first element the XPath expression finds from the element; absent when it finds none
// or the expression does not compile.
std::optional<XMLElement> firstMatch(const XMLElement& element, std::string_view xpath);

// The element's tag.
std::optional<std::string> tagName(const XMLElement& element);

// The XPath expression run from each element in turn, the results one after the other.
//
// These two are the library's own operations and the passes call neither: an XPath name
// finds only elements in no namespace, while the passes find elements by their local names
// (child_elements.h), so that a document with a default namespace reads as a plain one.
std::vector<XMLElement> xpath(const std::vector<XMLElement>& elements, std::string_view expression);

}  // namespace tallyvane
