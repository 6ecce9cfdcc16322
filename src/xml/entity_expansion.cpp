#include "xml/entity_expansion.h"

#include <libxml/entities.h>
#include <libxml/xmlstring.h>

#include <unordered_map>
#include <vector>

namespace tallyvane::detail {

namespace {

std::size_t saturatingAdd(std::size_t a, std::size_t b, std::size_t cap) {
    return (a >= cap || b >= cap - a) ? cap : a + b;
}

// The direct text of a node list and its descendants (attribute values included), and
// the entities it references. Iterative: trees and entity chains can be deep.
struct Content {
    std::size_t textBytes = 0;
    std::vector<xmlEntityPtr> references;
};

Content contentOf(xmlDocPtr doc, xmlNodePtr list, std::size_t cap) {
    Content content;
    std::vector<xmlNodePtr> pending;
    for (xmlNodePtr node = list; node != nullptr; node = node->next) pending.push_back(node);
    while (!pending.empty()) {
        xmlNodePtr node = pending.back();
        pending.pop_back();
        switch (node->type) {
        case XML_ENTITY_REF_NODE:
            if (xmlEntityPtr entity = xmlGetDocEntity(doc, node->name)) content.references.push_back(entity);
            continue;  // its children point back at the declaration
        case XML_DTD_NODE:
            continue;  // declarations count only where they are referenced
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
            content.textBytes = saturatingAdd(content.textBytes, static_cast<std::size_t>(xmlStrlen(node->content)), cap);
            break;
        case XML_ELEMENT_NODE:
            for (xmlAttrPtr attribute = node->properties; attribute != nullptr; attribute = attribute->next) {
                for (xmlNodePtr child = attribute->children; child != nullptr; child = child->next) pending.push_back(child);
            }
            break;
        default:
            break;
        }
        for (xmlNodePtr child = node->children; child != nullptr; child = child->next) pending.push_back(child);
    }
    return content;
}

class ExpansionSizes {
public:
    ExpansionSizes(xmlDocPtr doc, std::size_t cap) : doc_(doc), cap_(cap) {}

    // Expanded size of an entity, computed bottom-up without recursion. A reference
    // back into an entity still being expanded counts nothing (libxml2 reports such loops).
    std::size_t of(xmlEntityPtr root) {
        std::vector<xmlEntityPtr> stack{root};
        while (!stack.empty()) {
            xmlEntityPtr entity = stack.back();
            auto [entry, inserted] = entries_.try_emplace(entity);
            Entry& state = entry->second;
            if (inserted) {
                state.content = contentOf(doc_, entity->children, cap_);
                state.size = state.content.textBytes;
            }
            if (state.done) {
                stack.pop_back();
                continue;
            }
            bool waiting = false;
            while (state.next < state.content.references.size() && !waiting) {
                xmlEntityPtr referenced = state.content.references[state.next];
                auto found = entries_.find(referenced);
                if (found == entries_.end()) {
                    stack.push_back(referenced);
                    waiting = true;
                } else {
                    // Either finished, or on the stack below us (a loop): its size so far.
                    if (found->second.done) state.size = saturatingAdd(state.size, found->second.size, cap_);
                    ++state.next;
                }
            }
            if (waiting) continue;
            state.done = true;
            state.content.references.clear();
            stack.pop_back();
        }
        return entries_.at(root).size;
    }

private:
    struct Entry {
        Content content;
        std::size_t next = 0;
        std::size_t size = 0;
        bool done = false;
    };

    xmlDocPtr doc_;
    std::size_t cap_;
    std::unordered_map<xmlEntityPtr, Entry> entries_;
};

}  // namespace

bool entityExpansionExceeds(xmlDocPtr doc, std::size_t limit) {
    // Without declared general entities no reference can stand for any text.
    if (doc->intSubset == nullptr || doc->intSubset->entities == nullptr) return false;
    const std::size_t cap = limit + 1;
    Content document = contentOf(doc, doc->children, cap);
    ExpansionSizes sizes(doc, cap);
    std::size_t total = 0;
    for (xmlEntityPtr entity : document.references) {
        total = saturatingAdd(total, sizes.of(entity), cap);
        if (total > limit) return true;
    }
    return false;
}

}  // namespace tallyvane::detail
