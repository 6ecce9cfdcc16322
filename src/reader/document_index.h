#pragma once
// The resources and events of a document, noted while the document is parsed: the passes
// ask for them by kind instead of each searching the whole document, and no walk of the
// whole tree is needed to find them.

#include <cstddef>
#include <utility>
#include <vector>

#include "xml/xml_document.h"
#include "xml/xml_element.h"

namespace tallyvane {

struct DocumentIndex {
    // Each in document order, as "//resources/format", "//resources/asset",
    // "//resources/effect", "//resources/media/multicam", "//resources/media/sequence"
    // and ".//event" below the root would find them, the elements named by their local
    // names whatever their namespace.
    std::vector<XMLElement> formats;
    std::vector<XMLElement> assets;
    std::vector<XMLElement> effects;
    std::vector<XMLElement> multicams;
    std::vector<XMLElement> compoundSequences;
    std::vector<XMLElement> events;
};

// Whether the whitespace that lays out the markup between elements is kept. The reader
// reads none of it: only markup shown whole, in the diagnostic log, needs it.
enum class MarkupLayout { kept, dropped };

// The document parsed from the text (as `XMLDocument::fromBuffer` does, throwing what it
// throws) and its index.
std::pair<XMLDocument, DocumentIndex> parseIndexed(const char* start, std::size_t count, MarkupLayout layout);

}  // namespace tallyvane
