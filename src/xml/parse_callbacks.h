#pragma once
// What a parse with options does while libxml2 builds the tree: report elements to an
// observer, leave IDs unregistered, and leave out the whitespace that only lays out the
// markup. The callbacks find their state through the parser's private pointer.

#include "xml/xml_document.h"

#include <libxml/parser.h>

#include <exception>
#include <string>

namespace tallyvane::detail {

struct Reading {
    // The parser the options apply to: an entity's replacement text is parsed by a parser
    // of its own that shares the callbacks, and is left as libxml2 makes it.
    xmlParserCtxtPtr parser = nullptr;
    const XMLDocument::ParseOptions* options = nullptr;
    // What the observer threw: it cannot pass through libxml2's frames.
    std::exception_ptr failure{};
    // Whitespace after an element or at the start of its parent waits here until the next
    // event tells whether it stands between elements.
    std::string spacing{};
    bool spacingWaits = false;
    bool spacingFollowsElement = false;
    // The options' answer for the last parent asked about: whitespace comes between each
    // pair of its children.
    const xmlNode* askedParent = nullptr;
    bool dropsSpacingInAskedParent = false;
};

// Points the parser at `reading` and puts the callbacks its options need in place.
void installCallbacks(xmlParserCtxtPtr parser, Reading& reading);

}  // namespace tallyvane::detail
