#pragma once
// What a document and every node, node set and query result made from it share.
// The tree is freed when the last of them lets go, whatever the order.

#include "xml/value_formatters.h"

#include <libxml/tree.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace tallyvane::detail {

struct NodeCache;

struct DocumentState {
    explicit DocumentState(xmlDocPtr owned) : doc(owned) {}
    ~DocumentState() { xmlFreeDoc(doc); }
    DocumentState(const DocumentState&) = delete;
    DocumentState& operator=(const DocumentState&) = delete;

    xmlDocPtr const doc;
    bool endedEarly = false;
    // Whether every text of the tree is well-formed UTF-8 because the input was: libxml2
    // makes nothing else of well-formed input, so values need no check of their own.
    bool wellFormedText = false;
    // Prefix to URI, registered in every XPath evaluation after the tree's declarations.
    std::map<std::string, std::string> namespaces;

    std::optional<std::optional<std::string>> version;
    std::optional<std::string> encoding;
    // The root is one element for the document's whole life, whichever handle of the
    // document it is read through, so its values are read from the tree once.
    std::shared_ptr<NodeCache> rootCache;
    NumberFormatter numberFormatter;  // made at first use
    DateFormatter dateFormatter;      // made at first use

    const NumberFormatter& numberFormatterOrDefault() {
        if (!numberFormatter) numberFormatter = makeDefaultNumberFormatter();
        return numberFormatter;
    }
    const DateFormatter& dateFormatterOrDefault() {
        if (!dateFormatter) dateFormatter = makeDefaultDateFormatter();
        return dateFormatter;
    }
};

}  // namespace tallyvane::detail
