#pragma once
// The resources and events of a document, found in one walk of the tree: the passes ask
// for them by kind instead of each searching the whole document.

#include <vector>

#include "xml/xml_element.h"

namespace tallyvane {

struct DocumentIndex {
    // Each in document order, as "//resources/format", "//resources/asset",
    // "//resources/effect", "//resources/media/multicam", "//resources/media/sequence"
    // and ".//event" below the root would find them.
    std::vector<XMLElement> formats;
    std::vector<XMLElement> assets;
    std::vector<XMLElement> effects;
    std::vector<XMLElement> multicams;
    std::vector<XMLElement> compoundSequences;
    std::vector<XMLElement> events;
};

DocumentIndex indexDocument(const XMLElement& root);

}  // namespace tallyvane
