#include "reader/document_index.h"

#include <string_view>

#include "xml/xml_document.h"

namespace tallyvane {

namespace {

std::string_view nameOf(const xmlNode* node) {
    return node != nullptr && node->type == XML_ELEMENT_NODE && node->name != nullptr
               ? std::string_view(reinterpret_cast<const char*>(node->name))
               : std::string_view();
}

std::vector<XMLElement>* listFor(DocumentIndex& index, const xmlNode* node) {
    const std::string_view name = nameOf(node);
    const std::string_view parent = nameOf(node->parent);
    if (parent == "resources") {
        if (name == "format") return &index.formats;
        if (name == "asset") return &index.assets;
        if (name == "effect") return &index.effects;
        return nullptr;
    }
    if (parent == "media" && nameOf(node->parent->parent) == "resources") {
        if (name == "multicam") return &index.multicams;
        if (name == "sequence") return &index.compoundSequences;
    }
    return nullptr;
}

}  // namespace

DocumentIndex indexDocument(const XMLElement& root) {
    DocumentIndex index;
    const XMLDocument document = root.document();
    const xmlNode* top = root.cNode();
    // Depth first in document order, without recursion: nesting depth is the document's to choose.
    for (xmlNode* node = top->children; node != nullptr;) {
        if (node->type == XML_ELEMENT_NODE) {
            if (std::vector<XMLElement>* list = listFor(index, node)) list->emplace_back(node, document);
            if (nameOf(node) == "event") index.events.emplace_back(node, document);
            if (node->children != nullptr) {
                node = node->children;
                continue;
            }
        }
        while (node != nullptr && node->next == nullptr) {
            node = node->parent;
            if (node == top) node = nullptr;
        }
        if (node != nullptr) node = node->next;
    }
    return index;
}

}  // namespace tallyvane
