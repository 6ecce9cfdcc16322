#include "reader/document_checks.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "reader/text_extensions.h"
#include "reader/xml_content_error.h"

namespace tallyvane {

namespace {

constexpr std::int64_t kOldestMinorVersion = 6;

}  // namespace

void checkFCPXMLDocument(const XMLDocument& document) {
    const std::optional<XMLElement> root = document.root();
    if (!root) throw XMLContentError(XMLContentError::emptyFCPXML);
    const std::optional<std::string> version = root->attr("version");
    if (!version) throw XMLContentError(XMLContentError::malformed);
    if (root->tag() != "fcpxml") throw XMLContentError(XMLContentError::invalidFCPXML);
    checkFCPXMLVersion(*version);
    // The parser recovers what it can, so a cut-off file still has a root: read on, it
    // would make a report that silently lacks every clip after the cut. Faults recovery
    // loses nothing by (trailing text, an undefined entity, a bad byte) are read through.
    if (document.endedEarly()) throw XMLContentError(XMLContentError::malformed);
}

void checkFCPXMLVersion(std::string_view version) {
    const std::vector<std::string> parts = componentsNonEmpty(version, "d");
    const std::string minor = replacingOccurrences(parts.empty() ? std::string("BROKEN") : parts.front(), "1.", "");
    if (minor.empty()) throw XMLContentError(XMLContentError::invalidFCPXML);
    const std::optional<std::int64_t> value = readDecimalInteger(minor);
    if (!value || *value == -1) throw XMLContentError(XMLContentError::invalidFCPXML);
    if (*value < kOldestMinorVersion) throw XMLContentError(XMLContentError::fcpxmlTooOld);
}

}  // namespace tallyvane
