#pragma once
// How much text the entity references of a parsed tree stand for.
//
// Entities are never substituted while parsing, but reading the text of a node later
// expands every reference in it, so a short document repeating a large entity (or nesting
// them) would turn one innocent read into gigabytes. Documents over the limit are refused.

#include <libxml/tree.h>

#include <cstddef>

namespace tallyvane::detail {

// Whether the references in the document's tree (attribute values included) expand to
// more than `limit` bytes of text in total.
bool entityExpansionExceeds(xmlDocPtr doc, std::size_t limit);

}  // namespace tallyvane::detail
