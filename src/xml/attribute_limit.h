#pragma once
// A bound on the attributes of any one element, checked on the raw input before libxml2
// parses it: libxml2 compares each attribute with every earlier one of its element, so an
// element with a hundred thousand attributes takes minutes, and ten million never end.
// Real documents have a few dozen on any element.

#include <cstddef>

namespace tallyvane::detail {

constexpr std::size_t kMostAttributesPerElement = 10000;

// Whether some element of the input (read in its detected or declared encoding, and as
// bytes) may have more than `kMostAttributesPerElement` attributes. Linear in the input.
// Attribute values cannot hold '<', so every attribute of an element lies between its '<'
// and the next one; each is counted by its '=' and opening quote, and each default value
// of an attribute-list declaration by its quotes.
bool exceedsAttributeLimit(const char* start, std::size_t count);

}  // namespace tallyvane::detail
