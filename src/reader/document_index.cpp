#include "reader/document_index.h"

#include <array>
#include <string_view>

#include "xml/node_access.h"

namespace tallyvane {

namespace {

// Read in place: every element of the document passes here.
bool named(const xmlNode* node, std::string_view name) {
    return node != nullptr && node->type == XML_ELEMENT_NODE && detail::isNamed(node->name, name);
}

// The lists of the index, in the order of DocumentIndex's members.
enum List : std::size_t { formats, assets, effects, multicams, compoundSequences, events, listCount };
using Noted = std::array<std::vector<xmlNodePtr>, listCount>;

void note(Noted& noted, xmlNodePtr node) {
    const xmlNode* parent = node->parent;
    if (named(parent, "resources")) {
        if (named(node, "format")) noted[formats].push_back(node);
        if (named(node, "asset")) noted[assets].push_back(node);
        if (named(node, "effect")) noted[effects].push_back(node);
    } else if (named(parent, "media") && named(parent->parent, "resources")) {
        if (named(node, "multicam")) noted[multicams].push_back(node);
        if (named(node, "sequence")) noted[compoundSequences].push_back(node);
    }
    if (named(node, "event")) noted[events].push_back(node);
}

// The text of these elements is read whole, whitespace included, with that of any element
// inside them; elsewhere whitespace between elements only lays out the markup.
bool readsWholeText(const xmlNode* element) {
    for (const xmlNode* node = element; node != nullptr; node = node->parent) {
        if (named(node, "note") || named(node, "text-style") || named(node, "string")) return true;
    }
    return false;
}

std::vector<XMLElement> elements(const std::vector<xmlNodePtr>& nodes, const XMLDocument& document) {
    std::vector<XMLElement> result;
    result.reserve(nodes.size());
    for (xmlNodePtr node : nodes) result.emplace_back(node, document);
    return result;
}

}  // namespace

std::pair<XMLDocument, DocumentIndex> parseIndexed(const char* start, std::size_t count, MarkupLayout layout) {
    Noted noted;
    XMLDocument::ParseOptions options{.observeElement = [&](xmlNodePtr node) { note(noted, node); },
                                      // The reader never asks XPath for an element by its ID.
                                      .registersIDs = false};
    if (layout == MarkupLayout::dropped) {
        options.dropsSpacingIn = [](const xmlNode* parent) { return !readsWholeText(parent); };
    }
    XMLDocument document = XMLDocument::fromBuffer(start, count, options);
    DocumentIndex index{elements(noted[formats], document),   elements(noted[assets], document),
                        elements(noted[effects], document),   elements(noted[multicams], document),
                        elements(noted[compoundSequences], document), elements(noted[events], document)};
    return {std::move(document), std::move(index)};
}

}  // namespace tallyvane
