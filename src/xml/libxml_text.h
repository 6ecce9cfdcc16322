#pragma once
// Text handed out of libxml2's tree: always valid UTF-8.

#include <libxml/xmlstring.h>

#include <optional>
#include <string>

namespace tallyvane::detail {

// Values (content, attribute values, markup): "" for null, ill-formed sequences replaced.
std::string textFrom(const xmlChar* chars);

// The same for a string libxml2 allocated for the caller; releases it.
std::string takeText(xmlChar* owned);

// Names (tags, prefixes, versions): absent for null or for bytes that are not UTF-8,
// because a repaired name would match nothing it was meant to.
std::optional<std::string> nameFrom(const xmlChar* chars);

}  // namespace tallyvane::detail
