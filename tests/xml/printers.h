#pragma once
// Readable failure output for the XML layer's types, and the one way tests parse a text.

#include "xml/xml_error.h"
#include "xml/xml_document.h"
#include "xml/xml_element.h"

#include <ostream>
#include <string_view>

namespace tallyvane {

inline void PrintTo(const XMLError& error, std::ostream* out) { *out << error.what(); }

inline void PrintTo(const XMLNode& node, std::ostream* out) {
    *out << "node of kind " << node.type() << ": " << node.rawXML();
}

inline void PrintTo(const XMLElement& element, std::ostream* out) { PrintTo(static_cast<const XMLNode&>(element), out); }

inline XMLDocument parse(std::string_view text) { return XMLDocument::fromBuffer(text.data(), text.size()); }

}  // namespace tallyvane
