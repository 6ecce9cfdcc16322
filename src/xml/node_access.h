#pragma once
// Field reads that are safe for every kind of libxml2 node.
//
// Query results and relatives can be any kind of node, and libxml2 gives them different
// layouts that only share the `type` field: a document has no `ns`, `properties` or
// `nsDef`; an attribute has no `properties` or `nsDef`; a namespace node (`xmlNs`) has
// nothing but `type`, `href` and `prefix`. These reads give null wherever the field is
// not part of the node's own layout.

#include <libxml/tree.h>

#include <cstddef>
#include <string_view>

namespace tallyvane::detail {

// Kinds whose structure carries the common link fields (name, children, parent, siblings).
inline bool hasLinks(const xmlNode* node) { return node->type != XML_NAMESPACE_DECL; }

// Whether the characters are exactly `name`, without measuring them first; a name holding
// a NUL never matches.
inline bool isNamed(const xmlChar* chars, std::string_view name) {
    if (chars == nullptr) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (chars[i] == 0 || chars[i] != static_cast<unsigned char>(name[i])) return false;
    }
    return chars[name.size()] == 0;
}

inline const xmlChar* nameOf(const xmlNode* node) { return hasLinks(node) ? node->name : nullptr; }
inline xmlNode* parentOf(const xmlNode* node) { return hasLinks(node) ? node->parent : nullptr; }
inline xmlNode* previousOf(const xmlNode* node) { return hasLinks(node) ? node->prev : nullptr; }
inline xmlNode* nextOf(const xmlNode* node) { return hasLinks(node) ? node->next : nullptr; }

// An entity reference's `children` points back at the entity declaration, not at content.
inline xmlNode* firstChildOf(const xmlNode* node) {
    return hasLinks(node) && node->type != XML_ENTITY_REF_NODE ? node->children : nullptr;
}

inline const xmlChar* namespacePrefixOf(const xmlNode* node) {
    bool hasNs = node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE;
    return hasNs && node->ns != nullptr ? node->ns->prefix : nullptr;
}

inline xmlNs* namespaceDeclarationsOf(const xmlNode* node) {
    return node->type == XML_ELEMENT_NODE ? node->nsDef : nullptr;
}

inline xmlAttr* attributesOf(const xmlNode* node) {
    return node->type == XML_ELEMENT_NODE ? node->properties : nullptr;
}

}  // namespace tallyvane::detail
